// Captions in the skin's font colours: the colours of the control's section
// in its state (or of the section visibly below a see-through standard
// section), the text glow, the four outline passes and the disabled mix.
#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/ustring.h"

namespace qv {

class TsCommonData;

// Draws text into r of the canvas with the draw-text flags for state s of
// the control bound by data (null: unskinned), leaving the background as it
// is. Unskinned or custom-font controls draw in the canvas's font colour
// (embossed when disabled). glow: draw the state's text glow first when the
// section has one.
void DrawSkinText(TCanvas& canvas, ustring_view text, TRect r, unsigned flags, int s,
                  TsCommonData* data, bool enabled, bool glow);

// The colour a skinned text of the binding is drawn in: the skin colour
// resolved, then the control's tone, hue and saturation.
TColor AdjustTextColor(TsCommonData& data, TColor c);

}  // namespace qv
