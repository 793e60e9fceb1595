// The disabled look's pixel work: greying and the blend with what lies behind.
#include "controls/disabled_look.h"

#include <algorithm>

#include "controls/background.h"
#include "controls/common_data.h"
#include "skin/color_transforms.h"

namespace qv {

namespace {

constexpr std::uint8_t Mix(std::uint8_t pixel, std::uint8_t parent) {
  return static_cast<std::uint8_t>((pixel * 100 + parent * 155) >> 8);
}

}  // namespace

void GrayDisabled(TBitmap32& bmp) { ApplyToBitmap(bmp, TPixelOp::Saturation, kDisabledSaturation); }

void BlendDisabled(TBitmap32& bmp, const TBitmap32& parent, TPoint offset) {
  const int x0 = std::max(0, -offset.X);
  const int y0 = std::max(0, -offset.Y);
  const int x1 = std::min(bmp.Width(), parent.Width() - offset.X);
  const int y1 = std::min(bmp.Height(), parent.Height() - offset.Y);
  for (int y = y0; y < y1; ++y) {
    TBGRA* d = bmp.ScanLine(y);
    const TBGRA* p = parent.ScanLine(y + offset.Y) + offset.X;
    for (int x = x0; x < x1; ++x) {
      const TBGRA q = p[x];
      if (PixelValue(q) == kKeyPixelValue) continue;
      d[x] = {Mix(d[x].B, q.B), Mix(d[x].G, q.G), Mix(d[x].R, q.R), Mix(d[x].A, q.A)};
    }
  }
}

void BlendDisabled(TBitmap32& bmp, TColor color) {
  const TColor c = ColorToRGB(color);
  const std::uint8_t r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  for (int y = 0; y < bmp.Height(); ++y) {
    TBGRA* d = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x)
      d[x] = {Mix(d[x].B, b), Mix(d[x].G, g), Mix(d[x].R, r), d[x].A};
  }
}

void ApplyDisabledLook(TsCommonData& data, TBitmap32& cache, const TCacheInfo& parent) {
  const TsDisabledKind kind =
      data.Hooks() ? data.Hooks()->SkinDisabledKind() : kDefaultDisabledKind;
  if (kind & (1u << dkGrayed)) GrayDisabled(cache);
  if ((kind & (1u << dkBlended)) == 0) return;
  TControl* c = data.OwnerControl();
  const TPoint pos = c ? TPoint{c->Left(), c->Top()} : TPoint{0, 0};
  if (parent.Ready && parent.Bmp != nullptr) {
    BlendDisabled(cache, *parent.Bmp, {parent.X + pos.X, parent.Y + pos.Y});
    return;
  }
  TColor color = parent.FillColor;
  if (color == clKeyColor || color == clNone)
    color = c ? ParentBackgroundColor(*c) : ColorToRGB(clBtnFace);
  BlendDisabled(cache, color);
}

void ApplyDisabledLook(TsCommonData& data, TBitmap32& cache) {
  TControl* c = data.OwnerControl();
  TsBackgroundRequest r;
  if (c != nullptr) {
    r.Rect = c->ClientRect();
    AskBackground(*c, r);
  } else {
    r.Kind = bkColor;
    r.Color = clKeyColor;
  }
  ApplyDisabledLook(data, cache, CacheInfoOf(r));
}

}  // namespace qv
