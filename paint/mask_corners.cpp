// Corner refresh of painted borders: key-colour holes re-filled from the parent.
#include "paint/mask_corners.h"

#include <cstdint>

#include "paint/mask_draw.h"
#include "paint/pixel_ops.h"

namespace qv {

void UpdateMaskCorners(TBitmap32& cache, const TMaskElement& elem, int state, int corners,
                       const TCacheInfo& bg) {
  if (cache.Empty() || !elem.HasManager || (elem.Cfg & kMaskCornerHoles) == 0) return;
  TMaskElement e = elem;
  if (e.Bmp && e.ImageCount == 0) {
    // A bare image: three masked frames over the whole bitmap.
    e.R = e.Bmp->BoundsRect();
    e.ImageCount = 3;
    e.MaskType = 1;
    e.Width = e.R.Width() / 3;
    e.Height = e.R.Height() / 2;
  }
  const TBitmap32* src = e.Source();
  if (src == nullptr || src->Empty() || e.ImageCount <= 0) return;
  const bool masked = e.MaskType >= 1;
  TBGRA fill{};
  bool use_fill = bg.Bmp == nullptr;
  if (use_fill) {
    if (!masked && bg.FillColor == clKeyColor) return;
    fill = ColorToPixel(bg.FillColor,
                        static_cast<std::uint8_t>(static_cast<std::uint32_t>(bg.FillColor) >> 24));
  }
  const int w = cache.Width(), h = cache.Height();
  const TSliceMargins m = FitMargins(e, w, h);
  const int x0 = e.R.Left + MaskFrame(e, state) * e.Width;
  const int y0 = e.R.Top;
  const std::uint32_t key = px::Bits(kKeyPixel);

  struct TCorner {
    int bit;
    TRect dst;
    TPoint src;
  };
  const TCorner list[] = {
      {kCornerTopLeft, Bounds(0, 0, m.L, m.T), {x0, y0}},
      {kCornerBottomLeft, Bounds(0, h - m.B, m.L, m.B), {x0, y0 + e.Height - m.B}},
      {kCornerTopRight, Bounds(w - m.R, 0, m.R, m.T), {x0 + e.Width - m.R, y0}},
      {kCornerBottomRight,
       Bounds(w - m.R, h - m.B, m.R, m.B),
       {x0 + e.Width - m.R, y0 + e.Height - m.B}},
  };
  for (const TCorner& c : list) {
    if ((corners & c.bit) == 0) continue;
    const TRect d = IntersectRect(c.dst, cache.BoundsRect());
    for (int y = d.Top; y < d.Bottom; ++y) {
      const int sy = c.src.Y + (y - c.dst.Top);
      if (sy < 0 || sy >= src->Height()) continue;
      for (int x = d.Left; x < d.Right; ++x) {
        const int sx = c.src.X + (x - c.dst.Left);
        if (sx < 0 || sx >= src->Width() || !px::IsKey(src->Pixel(sx, sy), key)) continue;
        if (use_fill) {
          cache.Pixel(x, y) = fill;
          continue;
        }
        const long long bx = static_cast<long long>(x) + bg.X;
        const long long by = static_cast<long long>(y) + bg.Y;
        if (bx >= 0 && by >= 0 && bx < bg.Bmp->Width() && by < bg.Bmp->Height())
          cache.Pixel(x, y) = bg.Bmp->Pixel(static_cast<int>(bx), static_cast<int>(by));
      }
    }
  }
}

}  // namespace qv
