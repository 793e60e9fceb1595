// The plain look the platform paints with when no skin is active: the
// palette (system colours resolved at paint time, so a replaced colour lookup
// takes effect at once), the font, and the drawing helpers that the window
// system's own windows (system menu, message box, default frame) and the
// standard controls' flat look share.
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

// The keyboard focus frame around content (a 1-px dotted accent outline).
void DrawFlatFocusFrame(TCanvas& c, const TRect& r);

// A small filled triangle centred in r (combo and spin buttons, tab scrolling).
void DrawFlatArrow(TCanvas& c, const TRect& r, TFlatArrow direction, TColor color);

}  // namespace qv
