// Element rescaling for scaled windows: strips of frames resampled with the
// Mitchell filter, masks apart from their images.
#include "paint/mask_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "paint/pixel_ops.h"
#include "paint/resample.h"

namespace qv {

namespace {

void CopyArea(const TBitmap32& src, int sx, int sy, TBitmap32& dst, int dy, int w, int h) {
  for (int y = 0; y < h; ++y)
    std::memcpy(dst.ScanLine(dy + y), src.ScanLine(sy + y) + sx, w * sizeof(TBGRA));
}

int ScaleRounded(int v, int mul, int div) {
  return static_cast<int>(std::nearbyint(static_cast<double>(v) * mul / div));
}

}  // namespace

bool ScaleMaskData(TMaskElement& e, TColor main_color, bool keep_key) {
  if (e.MulPPi == e.DivPPI || e.MulPPi <= 0 || e.DivPPI <= 0 || e.ImageCount <= 0) return false;
  const int full_w = e.R.Width(), full_h = e.R.Height();
  const bool masked = e.MaskType >= 1;
  const int fw = full_w / e.ImageCount;
  const int fh = masked ? full_h / 2 : full_h;
  if (e.WL + e.WR == 2 || e.WT + e.WB == 2 || fh <= 2 || fw <= 2) return false;
  const TBitmap32* src = e.Source();
  if (src == nullptr) return false;
  const int strip_w = fw * e.ImageCount;
  const TRect need = Bounds(e.R.Left, e.R.Top, strip_w, masked ? 2 * fh : fh);
  if (IntersectRect(need, src->BoundsRect()) != need) return false;

  TBitmap32 img(strip_w, fh), mask;
  CopyArea(*src, e.R.Left, e.R.Top, img, 0, strip_w, fh);
  const std::uint32_t key = px::Bits(kKeyPixel);
  const TBGRA main_clear = ColorToPixel(main_color, 0);
  if (masked) {
    mask.SetSize(strip_w, fh);
    CopyArea(*src, e.R.Left, e.R.Top + fh, mask, 0, strip_w, fh);
    const TBGRA white{255, 255, 255, 255};
    auto prepare = [&](const TRect& area) {
      const TRect a = IntersectRect(area, img.BoundsRect());
      for (int y = a.Top; y < a.Bottom; ++y)
        for (int x = a.Left; x < a.Right; ++x) {
          if (px::IsKey(img.Pixel(x, y), key)) {
            img.Pixel(x, y) = main_clear;
            mask.Pixel(x, y) = white;
          }
          if (px::IsKey(mask.Pixel(x, y), key)) mask.Pixel(x, y) = white;
        }
    };
    prepare(Bounds(0, 0, e.WL, e.WT));
    prepare(Bounds(0, fh - e.WB, e.WL, e.WB));
    prepare(Bounds(fw - e.WR, 0, e.WR, e.WT));
    prepare(Bounds(fw - e.WR, fh - e.WB, e.WR, e.WB));
  } else if ((e.DrawMode & kMaskAlpha) == 0 && !keep_key) {
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < strip_w; ++x)
        if (px::IsKey(img.Pixel(x, y), key)) img.Pixel(x, y) = main_clear;
  }

  const int new_fh = static_cast<int>(static_cast<long long>(fh) * e.MulPPi / e.DivPPI);
  const int new_fw = static_cast<int>(static_cast<long long>(fw) * e.MulPPi / e.DivPPI);
  const int new_w = new_fw * e.ImageCount;
  if (new_fh <= 0 || new_fw <= 0) return false;
  auto out = std::make_shared<TBitmap32>();
  if (!masked) {
    if (!Resample(img, *out, new_w, new_fh)) return false;
    if ((e.DrawMode & kMaskAlpha) == 0 && !keep_key)
      for (int y = 0; y < new_fh; ++y) {
        TBGRA* row = out->ScanLine(y);
        for (int x = 0; x < new_w; ++x) {
          if (row[x].A > 89)
            row[x].A = 255;
          else
            row[x] = kKeyPixel;
        }
      }
  } else {
    TBitmap32 img2, mask2;
    if (!Resample(img, img2, new_w, new_fh) || !Resample(mask, mask2, new_w, new_fh)) return false;
    for (int y = 0; y < new_fh; ++y) {
      TBGRA* row = img2.ScanLine(y);
      for (int x = 0; x < new_w; ++x)
        if (row[x].A < 100) row[x] = kKeyPixel;
    }
    out->SetSize(new_w, 2 * new_fh);
    CopyArea(img2, 0, 0, *out, 0, new_w, new_fh);
    CopyArea(mask2, 0, 0, *out, new_fh, new_w, new_fh);
  }

  e.Bmp = std::move(out);
  e.R = e.Bmp->BoundsRect();
  e.Width = new_w / e.ImageCount;
  e.Height = e.R.Height() / (e.MaskType + 1);
  if (e.DrawMode & kMaskAlpha) e.Height = e.R.Height();
  e.WL = ScaleRounded(e.WL, e.MulPPi, e.DivPPI);
  e.WT = ScaleRounded(e.WT, e.MulPPi, e.DivPPI);
  e.WR = std::max(0, std::min(ScaleRounded(e.WR, e.MulPPi, e.DivPPI), e.Width - e.WL - 1));
  e.WB = std::max(0, std::min(ScaleRounded(e.WB, e.MulPPi, e.DivPPI), e.Height - e.WT - 1));
  return true;
}

}  // namespace qv
