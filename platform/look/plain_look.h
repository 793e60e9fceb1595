// The plain look the platform paints with when no skin is active: the
// palette (system colours resolved at paint time, so a replaced colour lookup
// takes effect at once), the fonts, and the drawing helpers that the window
// system's own windows (system menu, message box, default frame) and the
// standard controls' flat look share.
#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/density.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/look/paint_state.h"

namespace qv {

// Colours of the plain look, all plain RGB.
struct TFlatPalette {
  TColor Face;         // button and control face (clBtnFace)
  TColor FaceHot;      // face under the pointer
  TColor FacePressed;  // face while held down
  TColor Window;       // field background (clWindow)
  TColor Border;       // 1-px outline, the raised look's shadow (clBtnShadow)
  TColor BorderHot;    // outline under the pointer
  TColor Accent;       // selection, focus, fill (clHighlight)
  TColor AccentText;   // text on the accent (clHighlightText)
  TColor Text;         // normal text (clBtnText / clWindowText)
  TColor GrayText;     // disabled text (clGrayText)
  TColor Disabled;     // disabled face and outline tone
  TColor Highlight;    // the raised look's light edge (clBtnHighlight)
  TColor Light;        // inner light edge of a sunken border (cl3DLight)
  TColor DarkShadow;   // the raised look's dark edge and default frame (cl3DDkShadow)
};

// The palette from the current system colours.
TFlatPalette FlatPalette();

// The look's font: Tahoma 8 pt (height -11 at 96 pixels per inch), at ppi.
TFont FlatFont(int ppi = kDesignPPI, TScaleRounding rounding = TScaleRounding::Nearest);
// The plain frame's caption font at ppi: Tahoma, 13 pixels high at 96 pixels
// per inch, truncated as the frame metrics it sits in are.
TFont CaptionFont(int ppi);

// a and b mixed by weight/256 of a (the division by 256 of the whole program).
TColor FlatMix(TColor a, TColor b, int weight);

// Text colour for a control's font colour when enabled, grey text otherwise.
TColor FlatTextColor(TColor font_color, bool enabled);

// One-pixel outline inside r.
void DrawFlatFrame(TCanvas& c, const TRect& r, TColor color);

// A one-pixel bevel inside r: top and left edges in top_left, bottom and
// right edges in bottom_right.
void DrawBevel(TCanvas& c, const TRect& r, TColor top_left, TColor bottom_right);

enum class TButtonLook {
  Flat,    // the controls' push buttons
  Raised,  // the window system's own: caption buttons, the message box's button
};

// The one push-button face. Flat: fill and outline by state; a focused
// button gets an accent outline, the default button a double one. Raised:
// the face colour inside a bevel that sinks while pressed; the default button
// is framed in the dark shadow colour.
void DrawButtonFace(TCanvas& c, const TRect& r, const TPaintState& s,
                    TButtonLook look = TButtonLook::Flat);

enum class TFlatArrow { Up, Down, Left, Right };

// The keyboard focus frame around content (a 1-px dotted accent outline).
void DrawFlatFocusFrame(TCanvas& c, const TRect& r);

// A small filled triangle centred in r (combo and spin buttons, tab scrolling).
void DrawFlatArrow(TCanvas& c, const TRect& r, TFlatArrow direction, TColor color);

enum class TCommandGlyph { Minimize, Maximize, Restore, Close };

// The line drawing of a window command filling the square g, its strokes
// thickness pixels wide (the caption buttons and the system menu).
void DrawCommandGlyph(TCanvas& c, const TRect& g, TCommandGlyph glyph, TColor ink, int thickness);

}  // namespace qv
