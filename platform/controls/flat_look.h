// The plain flat look of the standard controls: the palette (system colours
// resolved at paint time, so a replaced colour lookup takes effect at once)
// and the drawing helpers every unskinned control shares. This is what the
// program shows when no skin is active.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace qv {

// The interaction state a control paints in.
struct TFlatState {
  bool Enabled = true;
  bool Hot = false;      // pointer over it
  bool Pressed = false;  // held down
  bool Focused = false;
  bool Default = false;  // the default button of its form
};

// Colours of the flat look, all plain RGB.
struct TFlatPalette {
  TColor Face;         // button and control face (clBtnFace)
  TColor FaceHot;      // face under the pointer
  TColor FacePressed;  // face while held down
  TColor Window;       // field background (clWindow)
  TColor Border;       // 1-px outline (clBtnShadow)
  TColor BorderHot;    // outline under the pointer
  TColor Accent;       // selection, focus, fill (clHighlight)
  TColor AccentText;   // text on the accent (clHighlightText)
  TColor Text;         // normal text (clBtnText / clWindowText)
  TColor GrayText;     // disabled text (clGrayText)
  TColor Disabled;     // disabled face and outline tone
};

// The palette from the current system colours.
TFlatPalette FlatPalette();

// The look's font: Tahoma 8 pt (height -11).
TFont FlatFont();

// a and b mixed by weight/256 of a (the division by 256 of the whole program).
TColor FlatMix(TColor a, TColor b, int weight);

// Text colour for a control's font colour when enabled, grey text otherwise.
TColor FlatTextColor(TColor font_color, bool enabled);

// One-pixel outline inside r.
void DrawFlatFrame(TCanvas& c, const TRect& r, TColor color);

// A push-button face: fill and outline by state. A focused button gets an
// accent outline, the default button a double one.
void DrawFlatButtonFace(TCanvas& c, const TRect& r, const TFlatState& s);

enum class TFlatArrow { Up, Down, Left, Right };

// A field box (edit, combo body, spin edit): fill (the window colour unless
// the control has its own; the face when disabled), outline accent when
// focused or pressed, darker when hot, grey when disabled.
void DrawFlatFieldBox(TCanvas& c, const TRect& r, const TFlatState& s, TColor fill = clWindow);

// A button inside a field (the combo's drop-down button, the spin buttons):
// face by state, a one-pixel separator along its left edge, and the arrow.
void DrawFlatFieldButton(TCanvas& c, const TRect& r, TFlatArrow arrow, const TFlatState& s);

// The keyboard focus frame around content (a 1-px dotted accent outline).
void DrawFlatFocusFrame(TCanvas& c, const TRect& r);

// A small filled triangle centred in r (combo and spin buttons, tab scrolling).
void DrawFlatArrow(TCanvas& c, const TRect& r, TFlatArrow direction, TColor color);

// The check box square with a check mark (checked), a filled inner square
// (grayed) or empty (unchecked): 0, 1, 2 as the check states.
void DrawFlatCheckBox(TCanvas& c, const TRect& box, int check_state, const TFlatState& s);

}  // namespace qv
