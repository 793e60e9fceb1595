// Drawing the skin's images: the four design densities with their rounding
// of sizes and line widths, and the few pixel operations the elements need
// (solid rectangles, rings, anti-aliased shapes), all in the colours the user
// sees; authoring turns them into skin colours afterwards.
#pragma once

#include <cmath>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "skin/skin_scale.h"
#include "tools/icongen/raster.h"

namespace qv::skingen {

using icongen::TPointF;
using icongen::TShape;

// One design density of the skin: scale index 0..3 (100, 125, 150, 200 %).
struct TDensity {
  int Index = 0;
  int PPI() const { return kScalePPI[static_cast<std::size_t>(Index)]; }
  double K() const { return kScalePercent[static_cast<std::size_t>(Index)] / 100.0; }
  // A length designed at 100 %, rounded to the nearest pixel (halves up).
  int Size(double n) const { return static_cast<int>(std::floor(n * K() + 0.5)); }
  // A line width designed at 100 %: thin lines stay one pixel up to 150 %, so
  // borders keep crisp; at least 1.
  int Stroke(double n) const {
    const int w = static_cast<int>(std::floor(n * K() + 0.25));
    return w < 1 ? 1 : w;
  }
};

constexpr TDensity kDensities[kScaleCount] = {{0}, {1}, {2}, {3}};

// Opaque rectangle (cleared to transparent with alpha 0).
void FillRect(TBitmap32& bmp, const TRect& r, TColor c, std::uint8_t alpha = 255);
// A band of width w inside r, each side its own width.
void Ring(TBitmap32& bmp, const TRect& r, int left, int top, int right, int bottom, TColor c);
inline void Ring(TBitmap32& bmp, const TRect& r, int w, TColor c) { Ring(bmp, r, w, w, w, w, c); }
// The shape in colour c, source-over with straight alpha, sampled for
// coverage; only pixels inside clip are touched.
void FillShape(TBitmap32& bmp, const TShape& s, TColor c, const TRect& clip, double opacity = 1.0);

// Copies src into dst at (x, y), all four bytes.
void Blit(TBitmap32& dst, const TBitmap32& src, int x, int y);
// The picture turned by quarter turns clockwise, or mirrored top to bottom.
TBitmap32 Rotated(const TBitmap32& src, int quarter_turns);
TBitmap32 FlippedVertically(const TBitmap32& src);

}  // namespace qv::skingen
