// Regions: sets of pixels kept as disjoint rectangles, with the platform's set
// algebra. Used to clip painting and to shape windows.
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace qv {

// Combine modes with the platform's values.
enum TRegionOp : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// What a combine or a clip query yields.
enum TRegionKind : int { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

class TRegion {
 public:
  TRegion() = default;
  explicit TRegion(const TRect& r);

  bool IsEmpty() const { return rects_.empty(); }
  // One rectangle (SIMPLEREGION), several (COMPLEXREGION) or none (NULLREGION).
  TRegionKind Kind() const;
  TRect Bounds() const;
  bool Contains(TPoint p) const;
  bool Intersects(const TRect& r) const;
  // Disjoint rectangles, sorted top to bottom, then left to right.
  const std::vector<TRect>& Rects() const { return rects_; }

  void Offset(int dx, int dy);
  TRegion& Union(const TRegion& other);
  TRegion& Intersect(const TRegion& other);
  TRegion& Subtract(const TRegion& other);
  TRegion& Xor(const TRegion& other);
  TRegion& Union(const TRect& r) { return Union(TRegion(r)); }
  TRegion& Intersect(const TRect& r) { return Intersect(TRegion(r)); }
  TRegion& Subtract(const TRect& r) { return Subtract(TRegion(r)); }

  // CombineRgn: *this := a op b.
  TRegionKind Combine(const TRegion& a, const TRegion& b, TRegionOp op);

  // Same set of pixels.
  friend bool operator==(const TRegion& a, const TRegion& b);

 private:
  std::vector<TRect> rects_;
};

}  // namespace qv
