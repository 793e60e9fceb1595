// The plain look: palette, font and the shared drawing helpers.
#include "platform/look/plain_look.h"

#include <algorithm>

namespace qv {

TColor FlatMix(TColor a, TColor b, int weight) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  const int w = std::clamp(weight, 0, 256);
  auto ch = [w](int x, int y) { return (x * w + y * (256 - w)) / 256; };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)),
             ch(GetBValue(a), GetBValue(b)));
}

TFlatPalette FlatPalette() {
  TFlatPalette p;
  p.Face = ColorToRGB(clBtnFace);
  p.Window = ColorToRGB(clWindow);
  p.Border = ColorToRGB(clBtnShadow);
  p.Accent = ColorToRGB(clHighlight);
  p.AccentText = ColorToRGB(clHighlightText);
  p.Text = ColorToRGB(clBtnText);
  p.GrayText = ColorToRGB(clGrayText);
  p.Highlight = ColorToRGB(clBtnHighlight);
  p.Light = ColorToRGB(cl3DLight);
  p.DarkShadow = ColorToRGB(cl3DDkShadow);
  // Hot and pressed faces lean towards the accent, so the look follows the
  // system colours instead of carrying colours of its own.
  p.FaceHot = FlatMix(p.Accent, p.Window, 40);
  p.FacePressed = FlatMix(p.Accent, p.Window, 80);
  p.BorderHot = FlatMix(p.Accent, p.Border, 160);
  p.Disabled = FlatMix(p.Border, p.Face, 96);
  return p;
}

TFont FlatFont(int ppi, TScaleRounding rounding) {
  TFont f;
  f.Name = u"Tahoma";
  f.Height = ScaleDesigned(-11, ppi, rounding);
  f.PixelsPerInch = ppi;
  return f;
}

TFont CaptionFont(int ppi) {
  TFont f;
  f.Name = u"Tahoma";
  f.Height = ScaleDesigned(-13, ppi, TScaleRounding::TowardZero);
  f.PixelsPerInch = ppi;
  f.Color = clCaptionText;
  return f;
}

TColor FlatTextColor(TColor font_color, bool enabled) {
  return enabled ? ColorToRGB(font_color) : ColorToRGB(clGrayText);
}

void DrawFlatFrame(TCanvas& c, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  c.FrameRect(r, ColorToRGB(color));
}

void DrawBevel(TCanvas& c, const TRect& r, TColor top_left, TColor bottom_right) {
  c.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, top_left);
  c.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, top_left);
  c.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, bottom_right);
  c.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, bottom_right);
}

namespace {

void DrawRaisedFace(TCanvas& c, TRect r, const TPaintState& s, const TFlatPalette& p) {
  c.FillRect(r, p.Face);
  TColor dark = p.DarkShadow;
  if (s.Default) {
    c.FrameRect(r, p.DarkShadow);
    r = r.Inflate(-1, -1);
    dark = p.Border;
  }
  if (s.Pressed)
    DrawBevel(c, r, dark, p.Highlight);
  else
    DrawBevel(c, r, p.Highlight, dark);
}

}  // namespace

void DrawButtonFace(TCanvas& c, const TRect& r, const TPaintState& s, TButtonLook look) {
  if (r.IsEmpty()) return;
  const TFlatPalette p = FlatPalette();
  if (look == TButtonLook::Raised) {
    DrawRaisedFace(c, r, s, p);
    return;
  }
  TColor face = p.Face;
  TColor border = p.Border;
  if (!s.Enabled) {
    border = p.Disabled;
  } else if (s.Pressed) {
    face = p.FacePressed;
    border = p.Accent;
  } else if (s.Hot) {
    face = p.FaceHot;
    border = p.BorderHot;
  } else if (s.Focused || s.Default) {
    border = p.Accent;
  }
  c.FillRect(r, face);
  c.FrameRect(r, border);
  // The default button carries a second accent line, so it reads as the one
  // Enter presses; focus alone shows as the focus frame.
  if (s.Enabled && s.Default && r.Width() > 4 && r.Height() > 4) {
    c.FrameRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, p.Accent);
  }
}

void DrawFlatFocusFrame(TCanvas& c, const TRect& r) {
  if (r.IsEmpty()) return;
  const TColor accent = ColorToRGB(clHighlight);
  // Every other pixel along the outline, starting at the corner.
  for (int x = r.Left; x < r.Right; x += 2) {
    c.SetPixel(x, r.Top, accent);
    c.SetPixel(x, r.Bottom - 1, accent);
  }
  for (int y = r.Top; y < r.Bottom; y += 2) {
    c.SetPixel(r.Left, y, accent);
    c.SetPixel(r.Right - 1, y, accent);
  }
}

void DrawFlatArrow(TCanvas& c, const TRect& r, TFlatArrow direction, TColor color) {
  if (r.IsEmpty()) return;
  const TColor col = ColorToRGB(color);
  // A triangle of rows 7, 5, 3, 1 pixels (smaller when r is small).
  const int size = std::max(1, std::min({4, (r.Width() + 1) / 2, (r.Height() + 1) / 2}));
  const int cx = r.Left + (r.Width() - 1) / 2;
  const int cy = r.Top + (r.Height() - 1) / 2;
  for (int i = 0; i < size; ++i) {
    const int half = size - 1 - i;
    switch (direction) {
      case TFlatArrow::Down:
        c.FillRect({cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1}, col);
        break;
      case TFlatArrow::Up:
        c.FillRect({cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1}, col);
        break;
      case TFlatArrow::Right:
        c.FillRect({cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1}, col);
        break;
      case TFlatArrow::Left:
        c.FillRect({cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1}, col);
        break;
    }
  }
}

void DrawCommandGlyph(TCanvas& c, const TRect& g, TCommandGlyph glyph, TColor ink, int thickness) {
  if (g.IsEmpty()) return;
  const int t = std::max(1, thickness);
  switch (glyph) {
    case TCommandGlyph::Minimize:
      c.FillRect({g.Left, g.Bottom - 2 * t, g.Right, g.Bottom}, ink);
      break;
    case TCommandGlyph::Maximize:
      c.FrameRect(g, ink);
      c.FillRect({g.Left, g.Top, g.Right, g.Top + 2 * t}, ink);
      break;
    case TCommandGlyph::Restore: {
      // A window in front of another, offset by a third.
      const int d = std::max(2, g.Width() / 3);
      const TRect back{g.Left + d, g.Top, g.Right, g.Bottom - d};
      const TRect front{g.Left, g.Top + d, g.Right - d, g.Bottom};
      c.FillRect({back.Left, back.Top, back.Right, back.Top + t}, ink);
      c.FillRect({back.Right - t, back.Top, back.Right, back.Bottom}, ink);
      c.FrameRect(front, ink);
      c.FillRect({front.Left, front.Top, front.Right, front.Top + t}, ink);
      break;
    }
    case TCommandGlyph::Close:
      // Two diagonals, one step a row.
      for (int i = 0; i < g.Width(); ++i) {
        c.FillRect({g.Left + i, g.Top + i, g.Left + i + t + 1, g.Top + i + 1}, ink);
        c.FillRect({g.Right - i - t - 1, g.Top + i, g.Right - i, g.Top + i + 1}, ink);
      }
      break;
  }
}

}  // namespace qv
