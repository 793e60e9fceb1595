// Colour transforms of skin pictures. The arithmetic is fixed: the luma of
// the saturation step is rounded from extended precision ties-to-even, and
// the hue step works on doubles with its angle truncated to whole degrees.
#include "skin/color_transforms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

std::uint8_t Bright(std::uint8_t c, int b) {
  if (b > 0) return static_cast<std::uint8_t>(std::min(255, c + (b * c) / 256));
  return static_cast<std::uint8_t>(std::max(0, c - (-b * c) / 256));
}

// Colour values hold red in the low byte, pixels in the third; the alpha
// byte of a pixel made from a colour is the colour's top byte.
TBGRA ColorAsPixel(TColor c) {
  return ColorToPixel(c, static_cast<std::uint8_t>(static_cast<std::uint32_t>(c) >> 24));
}
TColor PixelAsColor(TBGRA p) {
  return static_cast<TColor>(static_cast<std::uint32_t>(PixelToColor(p)) |
                             (std::uint32_t{p.A} << 24));
}

std::uint8_t Saturate(int c, int a, int y) {
  const int v = std::clamp((a + 255) * c - a * y, 0, 65535);
  return static_cast<std::uint8_t>(v / 256);
}

// The luma 0.299 R + 0.587 G + 0.114 B rounded as its extended-precision
// sum rounds, ties to even. Away from a decimal tie the integer sum decides
// (that sum's rounding error is far below the 0.001 to the nearest tie); an
// exact tie is left to the extended-precision sum itself.
int Luma(int r, int g, int b) {
  const int m = 299 * r + 587 * g + 114 * b;
  const int rem = m % 1000;
  if (rem != 500) return m / 1000 + (rem > 500 ? 1 : 0);
  const long double luma = r * 0.299L + g * 0.587L + b * 0.114L;
  return static_cast<int>(std::nearbyint(luma));
}

std::uint8_t Clamp255(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0)); }

// trunc(h + d) of the exact sum, h >= 0.
std::int64_t TruncSum(double h, std::int64_t d) {
  const long double hl = h;
  if (hl >= static_cast<long double>(-d)) return d + static_cast<std::int64_t>(std::floor(h));
  return d + static_cast<std::int64_t>(std::ceil(h));
}

// One lookup row of the brightness step: identical to Bright for every byte.
std::array<std::uint8_t, 256> BrightTable(int b) {
  std::array<std::uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = Bright(static_cast<std::uint8_t>(c), b);
  return t;
}

}  // namespace

TBGRA BrightnessPixel(TBGRA p, int b) {
  if (b == 0) return p;
  return {Bright(p.B, b), Bright(p.G, b), Bright(p.R, b), p.A};
}

TColor BrightnessColor(TColor c, int b) {
  return PixelAsColor(BrightnessPixel(ColorAsPixel(c), b));
}

int SaturationAmount(int percent) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{percent} * 255 / 100, -255, 255));
}

TBGRA SaturationPixel(TBGRA p, int a) {
  if (a == 0) return p;
  a = std::clamp(a, -255, 255);
  const int y = Luma(p.R, p.G, p.B);
  return {Saturate(p.B, a, y), Saturate(p.G, a, y), Saturate(p.R, a, y), p.A};
}

TColor SaturationColor(TColor c, int a) {
  return PixelAsColor(SaturationPixel(ColorAsPixel(c), a));
}

TBGRA HuePixel(TBGRA p, int d) {
  if (d == 0) return p;
  const int r = p.R, g = p.G, b = p.B;
  const int vi = std::max({r, g, b});
  const int ci = vi - std::min({r, g, b});
  if (ci == 0) return p;  // grey, black included
  const double v = vi;
  const double s = static_cast<double>(ci) / v;
  const double k = 60.0 / static_cast<double>(ci);
  double h;
  if (r == vi)
    h = k * (g - b);
  else if (g == vi)
    h = 120.0 + k * (b - r);
  else
    h = 240.0 + k * (r - g);
  if (h < 0) h += 360.0;
  std::int64_t angle = TruncSum(h, d) % 360;
  // A negative remainder would pick the wrong colour sector.
  if (angle < 0) angle += 360;
  const double t = static_cast<double>(angle) / 60.0;
  const int u = static_cast<int>(t);
  const double f = t - u;
  const std::uint8_t vv = static_cast<std::uint8_t>(vi);
  const std::uint8_t pp = Clamp255(v * (1.0 - s));
  const std::uint8_t qq = Clamp255(v * (1.0 - s * f));
  const std::uint8_t tt = Clamp255(v * (1.0 - s * (1.0 - f)));
  std::uint8_t nr, ng, nb;
  switch (u) {
    case 0:
      nr = vv, ng = tt, nb = pp;
      break;
    case 1:
      nr = qq, ng = vv, nb = pp;
      break;
    case 2:
      nr = pp, ng = vv, nb = tt;
      break;
    case 3:
      nr = pp, ng = qq, nb = vv;
      break;
    case 4:
      nr = tt, ng = pp, nb = vv;
      break;
    default:
      nr = vv, ng = pp, nb = qq;
      break;
  }
  return {nb, ng, nr, p.A};
}

TColor HueColor(TColor c, int d) { return PixelAsColor(HuePixel(ColorAsPixel(c), d)); }

TBGRA TonePixel(TBGRA p, TColor tone) {
  const int m = std::max({p.R, p.G, p.B});
  return {static_cast<std::uint8_t>(m * GetBValue(tone) / 256),
          static_cast<std::uint8_t>(m * GetGValue(tone) / 256),
          static_cast<std::uint8_t>(m * GetRValue(tone) / 256), p.A};
}

void ApplyToRect(TBitmap32& bmp, const TRect& rect, TPixelOp op, int amount, std::uint32_t key) {
  const TRect r = IntersectRect(rect, bmp.BoundsRect());
  if (r.IsEmpty()) return;
  if ((op == TPixelOp::Brightness || op == TPixelOp::Saturation || op == TPixelOp::Hue) &&
      amount == 0)
    return;
  if (op == TPixelOp::Tone && amount == clNone) return;
  const bool keyed = key != kNoKeyPixel;
  if (op == TPixelOp::Brightness) {
    const auto table = BrightTable(std::clamp(amount, -100, 100));
    for (int y = r.Top; y < r.Bottom; ++y) {
      TBGRA* row = bmp.ScanLine(y);
      for (int x = r.Left; x < r.Right; ++x) {
        TBGRA& px = row[x];
        if (keyed && PixelValue(px) == key) continue;
        px = {table[px.B], table[px.G], table[px.R], px.A};
      }
    }
    return;
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = r.Left; x < r.Right; ++x) {
      TBGRA& px = row[x];
      if (keyed && PixelValue(px) == key) continue;
      switch (op) {
        case TPixelOp::Saturation:
          px = SaturationPixel(px, amount);
          break;
        case TPixelOp::Hue:
          px = HuePixel(px, amount);
          break;
        case TPixelOp::Tone:
          px = TonePixel(px, amount);
          break;
        case TPixelOp::Brightness:
          break;
      }
    }
  }
}

void ApplyToBitmap(TBitmap32& bmp, TPixelOp op, int amount, std::uint32_t key) {
  ApplyToRect(bmp, bmp.BoundsRect(), op, amount, key);
}

}  // namespace qv
