// Text glow: the blur's kernel widths, the integer blur against the
// floating-point reference, the reach of a glow around one pixel, the
// composition arithmetic, and when a kept picture is reused.
#include "paint/glow.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

TEST(GlowBlur, HalfWidthsOfTheKernel) {
  const int want[] = {1, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 13, 14, 15, 15, 15};
  for (int r = 1; r <= 16; ++r) EXPECT_EQ(GlowBlurHalfWidth(r), want[r - 1]) << "r = " << r;
  EXPECT_EQ(GlowBlurHalfWidth(40), 15);  // saturated
  // Every kept tap weighs the same; they sum to 1.
  const std::vector<double> k = GlowKernel(6);
  double sum = 0;
  for (double t : k) {
    EXPECT_EQ(t, k.front());
    sum += t;
  }
  EXPECT_NEAR(sum, 1.0, 1e-12);
}

TEST(GlowBlur, BoxSumsGiveTheBytesOfTheWeightedSums) {
  std::mt19937 rng(7);
  auto rand = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int round = 0; round < 300; ++round) {
    TBitmap8 a(rand(1, 40), rand(1, 30));
    // Mostly 255 with dark shapes, as text pictures are, and some noise.
    const bool noise = rand(0, 3) == 0;
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        a.ScanLine(y)[x] = static_cast<std::uint8_t>(noise ? rand(0, 255) : rand(0, 5) ? 255 : 0);
    TBitmap8 b = a;
    const int r = rand(-2, 20);
    BlurGlowMask(a, r);
    BlurGlowMaskReference(b, r);
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        ASSERT_EQ(a.ScanLine(y)[x], b.ScanLine(y)[x]) << "r " << r << " at " << x << "," << y;
  }
}

TEST(GlowBlur, NoRadiusChangesNothing) {
  TBitmap8 a(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) a.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 50 + y);
  const TBitmap8 before = a;
  BlurGlowMask(a, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(a.ScanLine(y)[x], before.ScanLine(y)[x]);
}

// One pixel of text, thickened by a pixel and blurred by a 7-tap box (size
// 4), glows at most 4 pixels beyond it on each side.
TEST(GlowPicture, ReachOfASinglePixel) {
  TBitmap8 pic;
  const TRect t = Bounds(8, 8, 1, 1);
  MakeGlowPicture(pic, 17, 17, t, 4, kGlowAllSides,
                  [](TBitmap8& b, const TRect& at) { b.ScanLine(at.Top)[at.Left] = 0; });
  ASSERT_EQ(pic.Width(), 17);
  for (int d = 1; d <= 4; ++d) {
    EXPECT_LT(pic.ScanLine(8)[8 + d], 255) << d;
    EXPECT_LT(pic.ScanLine(8 - d)[8], 255) << d;
  }
  EXPECT_EQ(pic.ScanLine(8)[13], 255);
  EXPECT_EQ(pic.ScanLine(8)[3], 255);
  EXPECT_EQ(pic.ScanLine(13)[8], 255);
  // Symmetric around the pixel.
  for (int d = 1; d <= 4; ++d) {
    EXPECT_EQ(pic.ScanLine(8)[8 + d], pic.ScanLine(8)[8 - d]);
    EXPECT_EQ(pic.ScanLine(8 + d)[8], pic.ScanLine(8 - d)[8]);
  }
  EXPECT_LE(pic.ScanLine(8)[8], pic.ScanLine(8)[9]);  // darkest over the text
  EXPECT_LT(pic.ScanLine(8)[9], pic.ScanLine(8)[12]);
}

TEST(GlowPicture, CompositionArithmetic) {
  TBitmap8 pic(3, 1);
  pic.ScanLine(0)[0] = 0;
  pic.ScanLine(0)[1] = 100;
  pic.ScanLine(0)[2] = 255;
  TBitmap32 opaque = test::Solid(4, 2, {10, 20, 30, 255});
  TBitmap32 clear = test::Solid(4, 2, {10, 20, 30, 0});
  const TColor glow = RGB(200, 150, 100);  // B = 100
  ComposeGlow(opaque, pic, {1, 1}, glow);
  ComposeGlow(clear, pic, {1, 1}, glow);
  // w = 255 - v; c := (w g + c v) >> 8; A := A + ((255 - A) w) >> 8.
  EXPECT_EQ(opaque.Pixel(1, 1),
            (TBGRA{(255 * 100 + 10 * 0) >> 8, (255 * 150) >> 8, (255 * 200) >> 8, 255}));
  EXPECT_EQ(opaque.Pixel(2, 1), (TBGRA{(155 * 100 + 10 * 100) >> 8, (155 * 150 + 20 * 100) >> 8,
                                       (155 * 200 + 30 * 100) >> 8, 255}));
  EXPECT_EQ(clear.Pixel(1, 1).A, (255 * 255) >> 8);
  EXPECT_EQ(clear.Pixel(2, 1).A, (255 * 155) >> 8);
  EXPECT_EQ(clear.Pixel(3, 1), (TBGRA{10, 20, 30, 0}));  // 255: no glow
  EXPECT_EQ(clear.Pixel(0, 0), (TBGRA{10, 20, 30, 0}));
  ComposeGlow(clear, pic, {-1, 1}, glow);  // partly outside: the rest is skipped
  EXPECT_EQ(clear.Pixel(0, 1).A, (255 * 155) >> 8);
}

class TextGlow : public ::testing::Test {
 protected:
  TBitmap32 target = test::Solid(120, 60, {0, 0, 0, 0});
  TCanvas canvas{target};
  const TRect text = Bounds(30, 20, 40, 16);
};

// The picture lies over the text rectangle moved a pixel right and down and
// grown by size + 4; sizes above 16 paint as 16.
TEST_F(TextGlow, PlacementAndSizeLimit) {
  TGlowPicture pic;
  DrawTextGlow(canvas, u"Ab", text, pic, clWhite, 4, kGlowAllSides, DT_LEFT | DT_TOP);
  ASSERT_EQ(pic.Bmp.Width(), 40 + 2 * 8);
  ASSERT_EQ(pic.Bmp.Height(), 16 + 2 * 8);
  for (int j = 0; j < pic.Bmp.Height(); ++j)
    for (int i = 0; i < pic.Bmp.Width(); ++i) {
      const int v = pic.Bmp.ScanLine(j)[i];
      EXPECT_EQ(target.Pixel(30 + 1 - 8 + i, 20 + 1 - 8 + j).A, (255 * (255 - v)) >> 8);
    }

  TGlowPicture big, limit;
  TBitmap32 a = test::Solid(120, 60, {0, 0, 0, 0}), b = a;
  TCanvas ca(a), cb(b);
  DrawTextGlow(ca, u"Ab", text, big, clWhite, 40, kGlowAllSides, DT_LEFT);
  DrawTextGlow(cb, u"Ab", text, limit, clWhite, 16, kGlowAllSides, DT_LEFT);
  EXPECT_EQ(big.Bmp.Width(), 40 + 2 * 20);
  EXPECT_EQ(test::Diff(a, b), "");
  TGlowPicture none;
  DrawTextGlow(ca, u"Ab", text, none, clWhite, 0, kGlowAllSides, DT_LEFT);
  EXPECT_FALSE(none.Made);
}

// A kept picture is composed again only when it was made for the same text,
// font and flags; any other request of the same size makes a new one.
TEST_F(TextGlow, KeptPictureIsReusedOnlyForTheSameText) {
  TGlowPicture kept;
  DrawTextGlow(canvas, u"Ab", text, kept, clWhite, 3, kGlowAllSides, DT_LEFT);
  kept.Bmp.ScanLine(0)[0] = 17;  // a mark that survives reuse only
  DrawTextGlow(canvas, u"Ab", text, kept, clWhite, 3, kGlowAllSides, DT_LEFT);
  EXPECT_EQ(kept.Bmp.ScanLine(0)[0], 17);

  auto fresh = [&](ustring_view s, unsigned flags) {
    TGlowPicture p;
    DrawTextGlow(canvas, s, text, p, clWhite, 3, kGlowAllSides, flags);
    return p;
  };
  auto same = [](const TGlowPicture& a, const TGlowPicture& b) {
    for (int y = 0; y < a.Bmp.Height(); ++y)
      for (int x = 0; x < a.Bmp.Width(); ++x)
        if (a.Bmp.ScanLine(y)[x] != b.Bmp.ScanLine(y)[x]) return false;
    return true;
  };
  DrawTextGlow(canvas, u"Xy", text, kept, clWhite, 3, kGlowAllSides, DT_LEFT);
  EXPECT_TRUE(same(kept, fresh(u"Xy", DT_LEFT)));
  EXPECT_FALSE(same(kept, fresh(u"Ab", DT_LEFT)));
  DrawTextGlow(canvas, u"Xy", text, kept, clWhite, 3, kGlowAllSides, DT_RIGHT);
  EXPECT_TRUE(same(kept, fresh(u"Xy", DT_RIGHT)));
  canvas.Font.Style = fsBold;
  const TGlowPicture bold = fresh(u"Xy", DT_RIGHT);
  DrawTextGlow(canvas, u"Xy", text, kept, clWhite, 3, kGlowAllSides, DT_RIGHT);
  EXPECT_TRUE(same(kept, bold));
}

}  // namespace
}  // namespace qv
