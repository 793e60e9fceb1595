// The standard controls' flat look: field boxes, field buttons, the check box.
#include "platform/controls/flat_look.h"

#include <algorithm>

namespace qv {

void DrawFlatFieldBox(TCanvas& c, const TRect& r, const TPaintState& s, TColor fill) {
  if (r.IsEmpty()) return;
  const TFlatPalette p = FlatPalette();
  TColor border = p.Border;
  if (!s.Enabled) {
    border = p.Disabled;
  } else if (s.Focused || s.Pressed) {
    border = p.Accent;
  } else if (s.Hot) {
    border = p.BorderHot;
  }
  c.FillRect(r, s.Enabled ? ColorToRGB(fill) : p.Face);
  c.FrameRect(r, border);
}

void DrawFlatFieldButton(TCanvas& c, const TRect& r, TFlatArrow arrow, const TPaintState& s) {
  if (r.IsEmpty()) return;
  const TFlatPalette p = FlatPalette();
  TColor face = p.Face;
  if (s.Enabled && s.Pressed)
    face = p.FacePressed;
  else if (s.Enabled && s.Hot)
    face = p.FaceHot;
  c.FillRect(r, face);
  c.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, s.Enabled ? p.Border : p.Disabled);
  // The arrow is centred in what the separator leaves.
  DrawFlatArrow(c, {r.Left + 1, r.Top, r.Right, r.Bottom}, arrow, s.Enabled ? p.Text : p.GrayText);
}

void DrawFlatCheckBox(TCanvas& c, const TRect& box, int check_state, const TPaintState& s) {
  if (box.IsEmpty()) return;
  const TFlatPalette p = FlatPalette();
  TColor fill = s.Enabled ? p.Window : p.Face;
  if (s.Enabled && s.Pressed)
    fill = p.FacePressed;
  else if (s.Enabled && s.Hot)
    fill = p.FaceHot;
  TColor border = !s.Enabled ? p.Disabled : (s.Hot || s.Pressed) ? p.Accent : p.Border;
  const TColor mark = s.Enabled ? p.Accent : p.Disabled;
  c.FillRect(box, fill);
  c.FrameRect(box, border);
  if (check_state == 1) {
    // A two-pixel-thick tick scaled to the box: down-stroke then up-stroke.
    const int w = box.Width(), h = box.Height();
    const int x0 = box.Left + w * 3 / 13, y0 = box.Top + h * 7 / 13;
    const int x1 = box.Left + w * 5 / 13, y1 = box.Top + h * 9 / 13;
    const int x2 = box.Left + w * 10 / 13, y2 = box.Top + h * 4 / 13;
    for (int x = x0; x <= x1; ++x) {
      const int y = y0 + (x - x0) * (y1 - y0) / std::max(1, x1 - x0);
      c.FillRect({x, y, x + 1, y + 2}, mark);
    }
    for (int x = x1; x <= x2; ++x) {
      const int y = y1 - (x - x1) * (y1 - y2) / std::max(1, x2 - x1);
      c.FillRect({x, y, x + 1, y + 2}, mark);
    }
  } else if (check_state == 2) {
    const int inset = std::max(3, box.Width() / 4);
    c.FillRect({box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset}, mark);
  }
}

}  // namespace qv
