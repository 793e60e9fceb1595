// Regions as y-x banded rectangle lists. Every set operation is one sweep over
// the bands of both operands; results are kept canonical (bands sorted and
// disjoint, spans in a band sorted, disjoint and not touching, vertically
// adjacent bands with equal spans merged), so equal pixel sets compare equal
// rectangle by rectangle.
#include "platform/region.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace qv {
namespace {

struct Span {
  int Left;
  int Right;
};

// A band: rows [Top, Bottom) with the rectangles [Begin, End) of the list.
struct Band {
  int Top;
  int Bottom;
  std::size_t Begin;
  std::size_t End;
};

std::vector<Band> BandsOf(const std::vector<TRect>& rects) {
  std::vector<Band> bands;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (bands.empty() || bands.back().Top != rects[i].Top)
      bands.push_back({rects[i].Top, rects[i].Bottom, i, i + 1});
    else
      bands.back().End = i + 1;
  }
  return bands;
}

bool Keep(bool in_a, bool in_b, TRegionOp op) {
  switch (op) {
    case RGN_AND:
      return in_a && in_b;
    case RGN_OR:
      return in_a || in_b;
    case RGN_XOR:
      return in_a != in_b;
    case RGN_DIFF:
      return in_a && !in_b;
    default:
      return in_a;
  }
}

// Combines the spans of one row of each operand. Every boundary position is
// handled for both sides at once, so touching pieces come out joined.
void CombineSpans(const TRect* a, std::size_t na, const TRect* b, std::size_t nb, TRegionOp op,
                  std::vector<Span>& out) {
  out.clear();
  std::size_t i = 0, j = 0;
  bool in_a = false, in_b = false, in = false;
  int start = 0;
  for (;;) {
    const long long next_a = i < na ? (in_a ? a[i].Right : a[i].Left) : LLONG_MAX;
    const long long next_b = j < nb ? (in_b ? b[j].Right : b[j].Left) : LLONG_MAX;
    const long long x = std::min(next_a, next_b);
    if (x == LLONG_MAX) break;
    if (next_a == x) {
      if (in_a) ++i;
      in_a = !in_a;
    }
    if (next_b == x) {
      if (in_b) ++j;
      in_b = !in_b;
    }
    const bool now = Keep(in_a, in_b, op);
    if (now != in) {
      if (now)
        start = static_cast<int>(x);
      else
        out.push_back({start, static_cast<int>(x)});
      in = now;
    }
  }
}

// Builds a canonical rectangle list band by band.
class BandWriter {
 public:
  explicit BandWriter(std::vector<TRect>& out) : out_(out) { out_.clear(); }

  void Add(int top, int bottom, const std::vector<Span>& spans) {
    if (spans.empty() || top >= bottom) return;
    if (HasLast() && out_[last_].Bottom == top && SameSpans(spans)) {
      for (std::size_t k = last_; k < out_.size(); ++k) out_[k].Bottom = bottom;
      return;
    }
    last_ = out_.size();
    for (const Span& s : spans) out_.push_back({s.Left, top, s.Right, bottom});
  }

 private:
  bool HasLast() const { return last_ < out_.size(); }
  bool SameSpans(const std::vector<Span>& spans) const {
    if (out_.size() - last_ != spans.size()) return false;
    for (std::size_t k = 0; k < spans.size(); ++k)
      if (out_[last_ + k].Left != spans[k].Left || out_[last_ + k].Right != spans[k].Right)
        return false;
    return true;
  }

  std::vector<TRect>& out_;
  std::size_t last_ = SIZE_MAX;
};

std::vector<TRect> CombineRects(const std::vector<TRect>& a, const std::vector<TRect>& b,
                                TRegionOp op) {
  const std::vector<Band> ba = BandsOf(a);
  const std::vector<Band> bb = BandsOf(b);
  std::vector<int> ys;
  ys.reserve(2 * (ba.size() + bb.size()));
  for (const Band& band : ba) ys.insert(ys.end(), {band.Top, band.Bottom});
  for (const Band& band : bb) ys.insert(ys.end(), {band.Top, band.Bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  std::vector<TRect> result;
  BandWriter writer(result);
  std::vector<Span> spans;
  std::size_t ia = 0, ib = 0;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    const int y0 = ys[k], y1 = ys[k + 1];
    while (ia < ba.size() && ba[ia].Bottom <= y0) ++ia;
    while (ib < bb.size() && bb[ib].Bottom <= y0) ++ib;
    const bool has_a = ia < ba.size() && ba[ia].Top <= y0;
    const bool has_b = ib < bb.size() && bb[ib].Top <= y0;
    if (!has_a && !has_b) continue;
    CombineSpans(has_a ? &a[ba[ia].Begin] : nullptr, has_a ? ba[ia].End - ba[ia].Begin : 0,
                 has_b ? &b[bb[ib].Begin] : nullptr, has_b ? bb[ib].End - bb[ib].Begin : 0, op,
                 spans);
    writer.Add(y0, y1, spans);
  }
  return result;
}

}  // namespace

TRegion::TRegion(const TRect& r) {
  if (!r.IsEmpty()) rects_.push_back(r);
}

TRegionKind TRegion::Kind() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

TRect TRegion::Bounds() const {
  if (rects_.empty()) return {};
  TRect b{rects_.front().Left, rects_.front().Top, rects_.front().Right, rects_.back().Bottom};
  for (const TRect& r : rects_) {
    b.Left = std::min(b.Left, r.Left);
    b.Right = std::max(b.Right, r.Right);
  }
  return b;
}

bool TRegion::Contains(TPoint p) const {
  // The first rectangle whose band ends below p.Y starts the band that may hold p.
  auto it = std::upper_bound(rects_.begin(), rects_.end(), p.Y,
                             [](int y, const TRect& r) { return y < r.Bottom; });
  for (; it != rects_.end() && it->Top <= p.Y; ++it) {
    if (p.X < it->Left) return false;
    if (p.X < it->Right) return true;
  }
  return false;
}

bool TRegion::Intersects(const TRect& r) const {
  if (r.IsEmpty()) return false;
  auto it = std::upper_bound(rects_.begin(), rects_.end(), r.Top,
                             [](int y, const TRect& q) { return y < q.Bottom; });
  for (; it != rects_.end() && it->Top < r.Bottom; ++it)
    if (it->Left < r.Right && r.Left < it->Right) return true;
  return false;
}

void TRegion::Offset(int dx, int dy) {
  // Coordinates saturate at the int range instead of wrapping; the rare
  // rectangles that get squeezed are merged again.
  auto move = [](int v, int d, bool& clamped) {
    const long long m = static_cast<long long>(v) + d;
    const long long c = std::clamp<long long>(m, INT_MIN, INT_MAX);
    clamped |= c != m;
    return static_cast<int>(c);
  };
  bool clamped = false;
  for (TRect& r : rects_)
    r = {move(r.Left, dx, clamped), move(r.Top, dy, clamped), move(r.Right, dx, clamped),
         move(r.Bottom, dy, clamped)};
  if (!clamped) return;
  std::vector<TRect> moved;
  moved.swap(rects_);
  for (const TRect& r : moved) Union(TRegion(r));
}

TRegion& TRegion::Union(const TRegion& other) {
  if (other.rects_.empty()) return *this;
  if (rects_.empty()) {
    rects_ = other.rects_;
    return *this;
  }
  rects_ = CombineRects(rects_, other.rects_, RGN_OR);
  return *this;
}

TRegion& TRegion::Intersect(const TRegion& other) {
  if (rects_.empty()) return *this;
  if (other.rects_.empty()) {
    rects_.clear();
    return *this;
  }
  rects_ = CombineRects(rects_, other.rects_, RGN_AND);
  return *this;
}

TRegion& TRegion::Subtract(const TRegion& other) {
  if (rects_.empty() || other.rects_.empty()) return *this;
  rects_ = CombineRects(rects_, other.rects_, RGN_DIFF);
  return *this;
}

TRegion& TRegion::Xor(const TRegion& other) {
  if (other.rects_.empty()) return *this;
  rects_ = CombineRects(rects_, other.rects_, RGN_XOR);
  return *this;
}

TRegionKind TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
  switch (op) {
    case RGN_COPY:
      if (this != &a) rects_ = a.rects_;
      break;
    case RGN_AND:
    case RGN_OR:
    case RGN_XOR:
    case RGN_DIFF:
      // Either operand may be *this, so the result is built apart first.
      rects_ = CombineRects(a.rects_, b.rects_, op);
      break;
    default:
      return ERROR_REGION;  // unknown mode: the region is left as it was
  }
  return Kind();
}

bool operator==(const TRegion& a, const TRegion& b) { return a.rects_ == b.rects_; }

}  // namespace qv
