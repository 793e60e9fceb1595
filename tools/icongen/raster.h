// Vector drawing for the icon generator: shapes given by signed distance
// (negative inside), sampled on a 16x16 grid inside each pixel for coverage, and
// layers composited source-over into a straight-alpha 32-bit bitmap.
#pragma once

#include <functional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace qv::icongen {

// 0xRRGGBB as written in colour pickers, as a colour value 0x00BBGGRR.
constexpr TColor Hex(std::uint32_t rrggbb) {
  return RGB(static_cast<int>((rrggbb >> 16) & 0xFF), static_cast<int>((rrggbb >> 8) & 0xFF),
             static_cast<int>(rrggbb & 0xFF));
}

struct TPointF {
  double X = 0;
  double Y = 0;
};

// Signed distance in pixels from a point to the shape's edge, negative inside.
// Pixel (x, y) covers [x, x+1) x [y, y+1), so edges on whole numbers are crisp.
// The magnitude never exceeds the true distance; the painter relies on that to
// skip pixels that lie wholly inside or outside, and Offset to inset outlines.
using TShape = std::function<double(double x, double y)>;

TShape Circle(double cx, double cy, double radius);
TShape Box(double left, double top, double right, double bottom);
TShape RoundBox(double left, double top, double right, double bottom, double radius);
// A straight stroke of the given width from a to b with round caps.
TShape Capsule(TPointF a, TPointF b, double width);
// A simple (not self-intersecting) polygon, either winding.
TShape Polygon(std::vector<TPointF> points);

TShape Union(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
TShape Subtract(TShape from, TShape cut);
// Grows the shape by d pixels on every side (shrinks it for negative d).
TShape Offset(TShape s, double d);
// The part of the shape within `width` of its edge.
TShape Border(TShape s, double width);

// One picture being drawn, kept premultiplied in double precision so that
// stacked layers round once, at the end.
class TIconPainter {
 public:
  explicit TIconPainter(int size);

  int Size() const { return size_; }

  // The shape in colour c, source-over, with the given opacity (0..1).
  void Fill(const TShape& s, TColor c, double opacity = 1.0);
  // The shape filled with `fill` inside an edge band of `outline`, `width` wide.
  void Outlined(const TShape& s, TColor outline, TColor fill, double width = 1.0);
  // Clears what lies under the shape (cut-outs, separating gaps).
  void Erase(const TShape& s);

  // Straight alpha, rounded to the nearest byte; fully transparent pixels are 0.
  TBitmap32 Bitmap() const;

  // Fraction of pixel (x, y) that lies inside the shape, in steps of 1/256.
  static double Coverage(const TShape& s, int x, int y);

 private:
  struct TPremul {
    double R = 0, G = 0, B = 0, A = 0;
  };
  int size_;
  std::vector<TPremul> px_;
};

}  // namespace qv::icongen
