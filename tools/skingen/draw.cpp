// Pixel operations for drawing the skin's images.
#include "tools/skingen/draw.h"

#include <algorithm>

namespace qv::skingen {

void FillRect(TBitmap32& bmp, const TRect& r, TColor c, std::uint8_t alpha) {
  const TBGRA p = alpha == 0 ? TBGRA{} : ColorToPixel(c, alpha);
  for (int y = std::max(0, r.Top); y < std::min(bmp.Height(), r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(bmp.Width(), r.Right); ++x) bmp.Pixel(x, y) = p;
}

void Ring(TBitmap32& bmp, const TRect& r, int left, int top, int right, int bottom, TColor c) {
  FillRect(bmp, {r.Left, r.Top, r.Right, r.Top + top}, c);
  FillRect(bmp, {r.Left, r.Bottom - bottom, r.Right, r.Bottom}, c);
  FillRect(bmp, {r.Left, r.Top, r.Left + left, r.Bottom}, c);
  FillRect(bmp, {r.Right - right, r.Top, r.Right, r.Bottom}, c);
}

void FillShape(TBitmap32& bmp, const TShape& s, TColor c, const TRect& clip, double opacity) {
  for (int y = std::max(0, clip.Top); y < std::min(bmp.Height(), clip.Bottom); ++y)
    for (int x = std::max(0, clip.Left); x < std::min(bmp.Width(), clip.Right); ++x) {
      const double a = icongen::TIconPainter::Coverage(s, x, y) * opacity;
      if (a <= 0) continue;
      TBGRA& d = bmp.Pixel(x, y);
      const double da = d.A / 255.0;
      const double out = a + da * (1 - a);
      const auto mix = [&](int sc, int dc) {
        return static_cast<std::uint8_t>(std::lround((sc * a + dc * da * (1 - a)) / out));
      };
      d = {mix(GetBValue(c), d.B), mix(GetGValue(c), d.G), mix(GetRValue(c), d.R),
           static_cast<std::uint8_t>(std::lround(out * 255))};
    }
}

void Blit(TBitmap32& dst, const TBitmap32& src, int x, int y) {
  for (int sy = 0; sy < src.Height(); ++sy)
    for (int sx = 0; sx < src.Width(); ++sx)
      if (dst.InBounds(x + sx, y + sy)) dst.Pixel(x + sx, y + sy) = src.Pixel(sx, sy);
}

TBitmap32 Rotated(const TBitmap32& src, int quarter_turns) {
  quarter_turns = ((quarter_turns % 4) + 4) % 4;
  const bool swap = quarter_turns % 2 == 1;
  TBitmap32 out(swap ? src.Height() : src.Width(), swap ? src.Width() : src.Height());
  const int w = src.Width(), h = src.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TBGRA p = src.Pixel(x, y);
      switch (quarter_turns) {
        case 0:
          out.Pixel(x, y) = p;
          break;
        case 1:
          out.Pixel(h - 1 - y, x) = p;
          break;
        case 2:
          out.Pixel(w - 1 - x, h - 1 - y) = p;
          break;
        default:
          out.Pixel(y, w - 1 - x) = p;
          break;
      }
    }
  return out;
}

TBitmap32 FlippedVertically(const TBitmap32& src) {
  TBitmap32 out(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) out.Pixel(x, src.Height() - 1 - y) = src.Pixel(x, y);
  return out;
}

}  // namespace qv::skingen
