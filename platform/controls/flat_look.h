// The standard controls' flat look: what only controls paint (field boxes,
// the buttons inside fields, the check box square), drawn with the plain
// look's palette and helpers, which the window system shares.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/look/plain_look.h"

namespace qv {

// A field box (edit, combo body, spin edit): fill (the window colour unless
// the control has its own; the face when disabled), outline accent when
// focused or pressed, darker when hot, grey when disabled.
void DrawFlatFieldBox(TCanvas& c, const TRect& r, const TPaintState& s, TColor fill = clWindow);

// A button inside a field (the combo's drop-down button, the spin buttons):
// face by state, a one-pixel separator along its left edge, and the arrow.
void DrawFlatFieldButton(TCanvas& c, const TRect& r, TFlatArrow arrow, const TPaintState& s);

// The check box square with a check mark (checked), a filled inner square
// (grayed) or empty (unchecked): 0, 1, 2 as the check states.
void DrawFlatCheckBox(TCanvas& c, const TRect& box, int check_state, const TPaintState& s);

}  // namespace qv
