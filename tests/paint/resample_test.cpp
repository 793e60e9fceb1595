// Resampling and nearest-pixel stretching of pieces.
#include "paint/resample.h"

#include <gtest/gtest.h>

#include <random>

#include "paint/compositing.h"
#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

using test::Diff;
using test::RandomBitmap;
using test::Solid;

TEST(Resample, RefusesTinySourcesAndCopiesEqualSizes) {
  std::mt19937 rng(7);
  const TBitmap32 line = RandomBitmap(rng, 5, 1);
  TBitmap32 dst = Solid(3, 3, {1, 2, 3, 4});
  EXPECT_FALSE(Resample(line, dst, 10, 10));
  EXPECT_FALSE(Resample(RandomBitmap(rng, 4, 4), dst, 0, 10));
  EXPECT_EQ(Diff(dst, Solid(3, 3, {1, 2, 3, 4})), "");  // untouched

  const TBitmap32 src = RandomBitmap(rng, 6, 5, TRowOrder::BottomUp);
  ASSERT_TRUE(Resample(src, dst, 6, 5));
  EXPECT_EQ(Diff(dst, src), "");
}

TEST(Resample, KeepsFlatPicturesFlatAndStaysInRange) {
  // Weights sum to one, so a uniform picture stays exactly uniform at any size,
  // growing or shrinking, in all four bytes.
  const TBitmap32 flat = Solid(7, 5, {10, 128, 250, 77});
  for (auto [w, h] : {std::pair{20, 13}, std::pair{3, 2}, std::pair{7, 40}, std::pair{1, 1}}) {
    TBitmap32 out;
    ASSERT_TRUE(Resample(flat, out, w, h));
    EXPECT_EQ(Diff(out, Solid(w, h, {10, 128, 250, 77})), "") << w << "x" << h;
  }
  // A hard edge overshoots under the filter's negative lobes; values clamp.
  TBitmap32 edge(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      edge.Pixel(x, y) = x < 2 ? TBGRA{0, 0, 0, 0} : TBGRA{255, 255, 255, 255};
  TBitmap32 out;
  ASSERT_TRUE(Resample(edge, out, 16, 2));
  EXPECT_EQ(out.Pixel(0, 0).B, 0);
  EXPECT_EQ(out.Pixel(15, 1).B, 255);
  EXPECT_LT(out.Pixel(7, 0).B, out.Pixel(8, 0).B);
  // Resampling a bitmap into itself works from a copy.
  TBitmap32 self = edge;
  ASSERT_TRUE(Resample(self, self, 16, 2));
  EXPECT_EQ(Diff(self, out), "");
}

TEST(StretchNearest, TakesThePixelUnderEachCentre) {
  TBitmap32 src(3, 1);
  for (int x = 0; x < 3; ++x) src.Pixel(x, 0) = {static_cast<std::uint8_t>(x), 0, 0, 0};
  TBitmap32 out;
  StretchNearest(src, Rect(0, 0, 3, 1), out, 7, 2);
  std::vector<int> got;
  for (int x = 0; x < 7; ++x) got.push_back(out.Pixel(x, 1).B);
  // floor((2i + 1) * 3 / 14)
  EXPECT_EQ(got, (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
}

TEST(StretchAlphaPiece, NearestPathMatchesStretchingThenBlending) {
  // Off the source origin the region is stretched to the nearest pixel; the
  // row-by-row path must give what a stretched copy blended at the target gives.
  std::mt19937 rng(11);
  for (int i = 0; i < 40; ++i) {
    const TBitmap32 src = RandomBitmap(rng, 9, 7);
    const TRect region = Rect(1, 2, 8, 7);
    const TRect target = Bounds(static_cast<int>(rng() % 9) - 4, static_cast<int>(rng() % 9) - 4,
                                1 + static_cast<int>(rng() % 20), 1 + static_cast<int>(rng() % 20));
    const TBitmap32 start = RandomBitmap(rng, 12, 12, TRowOrder::BottomUp);
    TBitmap32 got = start, want = start;
    StretchAlphaPiece(got, target, 200, src, region);
    TBitmap32 scaled;
    StretchNearest(src, region, scaled, target.Width(), target.Height());
    BlendAlphaPiece(want, scaled, Rect(0, 0, scaled.Width() - 1, scaled.Height() - 1), 200,
                    target.TopLeft());
    ASSERT_EQ(Diff(got, want), "") << i;
  }
}

}  // namespace
}  // namespace qv
