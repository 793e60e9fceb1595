// Regions: set algebra checked against a pixel model, canonical form, queries.
#include "platform/region.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>

namespace qv {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels PixelsOf(const TRegion& r) {
  Pixels p;
  for (const TRect& q : r.Rects())
    for (int y = q.Top; y < q.Bottom; ++y)
      for (int x = q.Left; x < q.Right; ++x) p.insert({x, y});
  return p;
}

// The invariants the clip code relies on: bands sorted and disjoint, spans
// sorted and not touching, equal adjacent bands merged.
void ExpectCanonical(const TRegion& r) {
  const auto& rs = r.Rects();
  for (std::size_t i = 0; i < rs.size(); ++i) {
    ASSERT_FALSE(rs[i].IsEmpty());
    if (i == 0) continue;
    const TRect& a = rs[i - 1];
    const TRect& b = rs[i];
    if (a.Top == b.Top) {
      ASSERT_EQ(a.Bottom, b.Bottom);
      ASSERT_LT(a.Right, b.Left) << "touching or overlapping spans in one band";
    } else {
      ASSERT_LE(a.Bottom, b.Top) << "overlapping bands";
    }
  }
  // No two vertically adjacent bands carry the same spans.
  std::vector<std::vector<std::pair<int, int>>> spans;
  std::vector<std::pair<int, int>> rows;
  for (const TRect& q : rs) {
    if (rows.empty() || rows.back().first != q.Top) {
      rows.push_back({q.Top, q.Bottom});
      spans.emplace_back();
    }
    spans.back().push_back({q.Left, q.Right});
  }
  for (std::size_t i = 1; i < rows.size(); ++i)
    if (rows[i - 1].second == rows[i].first) {
      ASSERT_NE(spans[i - 1], spans[i]);
    }
}

TEST(Region, EmptyAndSingle) {
  TRegion none;
  EXPECT_TRUE(none.IsEmpty());
  EXPECT_EQ(none.Kind(), NULLREGION);
  EXPECT_EQ(none.Bounds(), TRect{});
  EXPECT_TRUE(TRegion(Rect(5, 5, 5, 9)).IsEmpty());  // zero width
  EXPECT_TRUE(TRegion(Rect(5, 5, 1, 9)).IsEmpty());  // inverted
  TRegion one(Rect(1, 2, 4, 6));
  EXPECT_EQ(one.Kind(), SIMPLEREGION);
  EXPECT_EQ(one.Bounds(), Rect(1, 2, 4, 6));
  EXPECT_TRUE(one.Contains({1, 2}));
  EXPECT_TRUE(one.Contains({3, 5}));
  EXPECT_FALSE(one.Contains({4, 5}));  // right and bottom are exclusive
  EXPECT_FALSE(one.Contains({3, 6}));
}

TEST(Region, UnionOfTouchingRectanglesMerges) {
  TRegion r(Rect(0, 0, 10, 5));
  r.Union(Rect(10, 0, 20, 5));  // side by side
  EXPECT_EQ(r.Kind(), SIMPLEREGION);
  EXPECT_EQ(r.Rects()[0], Rect(0, 0, 20, 5));
  r.Union(Rect(0, 5, 20, 8));  // stacked below with the same span
  ASSERT_EQ(r.Rects().size(), 1u);
  EXPECT_EQ(r.Rects()[0], Rect(0, 0, 20, 8));
}

TEST(Region, SubtractingTheMiddleLeavesAFrame) {
  TRegion r(Rect(0, 0, 10, 10));
  r.Subtract(Rect(2, 2, 8, 8));
  ExpectCanonical(r);
  EXPECT_EQ(r.Kind(), COMPLEXREGION);
  EXPECT_EQ(r.Rects(), (std::vector<TRect>{Rect(0, 0, 10, 2), Rect(0, 2, 2, 8), Rect(8, 2, 10, 8),
                                           Rect(0, 8, 10, 10)}));
  EXPECT_FALSE(r.Contains({5, 5}));
  EXPECT_TRUE(r.Contains({1, 5}));
  EXPECT_TRUE(r.Intersects(Rect(7, 7, 9, 9)));
  EXPECT_FALSE(r.Intersects(Rect(2, 2, 8, 8)));
  EXPECT_EQ(r.Bounds(), Rect(0, 0, 10, 10));
}

TEST(Region, XorOfOverlapAndOffset) {
  TRegion a(Rect(0, 0, 4, 4));
  TRegion b(Rect(2, 2, 6, 6));
  TRegion x = a;
  x.Xor(b);
  ExpectCanonical(x);
  EXPECT_EQ(PixelsOf(x).size(), 16u + 16u - 2u * 4u);
  x.Xor(b);  // xor twice gives the start back
  EXPECT_EQ(x, a);
  x.Offset(-3, 7);
  EXPECT_EQ(x.Rects()[0], Rect(-3, 7, 1, 11));
  // Moving past the int range saturates instead of wrapping around.
  TRegion edge(Rect(INT_MAX - 4, 0, INT_MAX, 2));
  edge.Union(Rect(0, 0, 3, 2));
  edge.Offset(2, 0);
  EXPECT_EQ(edge.Rects(), (std::vector<TRect>{Rect(2, 0, 5, 2), Rect(INT_MAX - 2, 0, INT_MAX, 2)}));
  edge.Offset(INT_MAX, 0);
  EXPECT_EQ(edge.Rects(), (std::vector<TRect>{}));
}

TEST(Region, CombineModesAndAliasing) {
  TRegion a(Rect(0, 0, 4, 4));
  TRegion b(Rect(2, 0, 6, 4));
  TRegion r;
  EXPECT_EQ(r.Combine(a, b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(r.Rects()[0], Rect(2, 0, 4, 4));
  EXPECT_EQ(r.Combine(a, b, RGN_DIFF), SIMPLEREGION);
  EXPECT_EQ(r.Rects()[0], Rect(0, 0, 2, 4));
  EXPECT_EQ(r.Combine(a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(r.Combine(a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(r.Combine(b, a, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(r, b);
  // The result may be one of the operands.
  EXPECT_EQ(a.Combine(a, b, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(a.Rects()[0], Rect(0, 0, 6, 4));
  // An unknown mode is an error and changes nothing.
  TRegion keep = a;
  EXPECT_EQ(a.Combine(a, b, static_cast<TRegionOp>(9)), ERROR_REGION);
  EXPECT_EQ(a, keep);
}

TEST(Region, EqualityIsBySetNotByHistory) {
  TRegion a(Rect(0, 0, 10, 10));
  TRegion b(Rect(0, 0, 10, 3));
  b.Union(Rect(0, 3, 5, 10)).Union(Rect(5, 3, 10, 10));
  EXPECT_EQ(a, b);
  b.Subtract(Rect(9, 9, 10, 10));
  EXPECT_FALSE(a == b);
}

// Random operands against a pixel-set model: catches lost or doubled pieces in
// every mode, and checks the result stays canonical.
TEST(Region, RandomAlgebraMatchesPixelModel) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> coord(-6, 20);
  std::uniform_int_distribution<int> count(0, 6);
  auto random_region = [&] {
    TRegion r;
    const int n = count(rng);
    for (int i = 0; i < n; ++i) {
      const int x = coord(rng), y = coord(rng);
      r.Union(Bounds(x, y, coord(rng) / 2 + 1, coord(rng) / 2 + 1));
    }
    return r;
  };
  for (int round = 0; round < 400; ++round) {
    const TRegion a = random_region();
    const TRegion b = random_region();
    const Pixels pa = PixelsOf(a), pb = PixelsOf(b);
    Pixels want_or = pa, want_and, want_diff, want_xor;
    want_or.insert(pb.begin(), pb.end());
    for (const auto& p : pa) (pb.count(p) ? want_and : want_diff).insert(p);
    for (const auto& p : want_or)
      if (pa.count(p) != pb.count(p)) want_xor.insert(p);

    TRegion u = a, i = a, d = a, x = a;
    u.Union(b);
    i.Intersect(b);
    d.Subtract(b);
    x.Xor(b);
    ASSERT_EQ(PixelsOf(u), want_or);
    ASSERT_EQ(PixelsOf(i), want_and);
    ASSERT_EQ(PixelsOf(d), want_diff);
    ASSERT_EQ(PixelsOf(x), want_xor);
    for (const TRegion* r : {&u, &i, &d, &x}) ExpectCanonical(*r);
    // Point and rectangle queries agree with the model.
    for (int k = 0; k < 20; ++k) {
      const TPoint p{coord(rng), coord(rng)};
      ASSERT_EQ(u.Contains(p), want_or.count({p.X, p.Y}) == 1);
      const TRect q = Bounds(p.X, p.Y, 3, 2);
      bool hit = false;
      for (int yy = q.Top; yy < q.Bottom; ++yy)
        for (int xx = q.Left; xx < q.Right; ++xx) hit |= want_and.count({xx, yy}) == 1;
      ASSERT_EQ(i.Intersects(q), hit);
    }
  }
}

}  // namespace
}  // namespace qv
