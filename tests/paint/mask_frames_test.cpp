// Single frames of elements, corner refresh from the parent, and rescaling
// of elements to another pixel density.
#include <gtest/gtest.h>

#include <memory>

#include "paint/mask_corners.h"
#include "paint/mask_draw.h"
#include "paint/mask_scale.h"
#include "paint_test_util.h"

namespace qv {
namespace {

constexpr TBGRA kBack{1, 2, 3, 40};

TBitmap32 CoordBitmap(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77, 255};
  return b;
}

TMaskElement KeyedElement(const TBitmap32& master, int frames, int w, int h) {
  TMaskElement e;
  e.Master = &master;
  e.HasManager = true;
  e.R = Bounds(0, 0, frames * w, h);
  e.ImageCount = frames;
  e.Width = w;
  e.Height = h;
  return e;
}

TEST(MaskImage, CutsOffLeftAndTopButNeverShowsTheNextFrame) {
  const TBitmap32 master = CoordBitmap(48, 10);
  const TMaskElement e = KeyedElement(master, 3, 16, 10);
  TBitmap32 dst = test::Solid(30, 12, kBack);
  DrawMaskImage(dst, {-6, -2}, 0, EmptyCacheInfo(), e, 1);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(dst.Pixel(x, 0).B, 6 + x);
    EXPECT_EQ(dst.Pixel(x, 0).G, 2);
  }
  EXPECT_EQ(dst.Pixel(10, 0), kBack);
  EXPECT_EQ(dst.Pixel(0, 8), kBack);
  // States past the last frame draw the last frame.
  DrawMaskImage(dst, {0, 0}, 9, EmptyCacheInfo(), e, 1);
  EXPECT_EQ(dst.Pixel(0, 0).B, 32);
}

TEST(MaskImage, KeyHolesFadedModesAndBadElements) {
  TBitmap32 master = CoordBitmap(48, 10);
  master.Pixel(1, 1) = kKeyPixel;
  TMaskElement e = KeyedElement(master, 3, 16, 10);
  TBitmap32 parent = test::Solid(40, 40, {90, 91, 92, 255});
  TCacheInfo ci;
  ci.Bmp = &parent;
  ci.X = 0;
  ci.Y = 0;
  ci.Ready = true;
  TBitmap32 dst = test::Solid(20, 12, kBack);
  DrawMaskImage(dst, {0, 0}, 0, ci, e, 1);
  EXPECT_EQ(dst.Pixel(1, 1), (TBGRA{90, 91, 92, 255}));
  // Faded: each byte (128 s + 127 d) >> 8.
  TBitmap32 faded = test::Solid(20, 12, kBack);
  DrawMaskImage(faded, {0, 0}, 0, ci, e, 2);
  EXPECT_EQ(faded.Pixel(4, 5).B, (128 * 4 + 127 * 1) >> 8);
  EXPECT_EQ(faded.Pixel(1, 1), kBack);

  const TBitmap32 clean = test::Solid(20, 12, kBack);
  for (auto spoil :
       {+[](TMaskElement& m) { m.HasManager = false; }, +[](TMaskElement& m) { m.ImageCount = 0; },
        +[](TMaskElement& m) { m.R = Bounds(40, 0, 48, 10); },
        +[](TMaskElement& m) { m.Height = 11; }}) {
    TMaskElement bad = e;
    spoil(bad);
    TBitmap32 d = clean;
    DrawMaskImage(d, {0, 0}, 2, ci, bad, 1);
    EXPECT_EQ(test::Diff(d, clean), "");
  }
  // An own bitmap smaller than the rectangle is not drawn.
  TMaskElement own = e;
  own.Bmp = std::make_shared<TBitmap32>(CoordBitmap(40, 10));
  TBitmap32 d = clean;
  DrawMaskImage(d, {0, 0}, 0, ci, own, 1);
  EXPECT_EQ(test::Diff(d, clean), "");
}

TEST(MaskCorners, HolesTakeTheParentWithinTheDrawnMargins) {
  // Frame 30 x 20 with 10-pixel margins; key pixels at the frame's four
  // outermost corners and one pixel inside each margin.
  TBitmap32 master = CoordBitmap(30, 20);
  for (TPoint p :
       {TPoint{0, 0}, TPoint{29, 0}, TPoint{0, 19}, TPoint{29, 19}, TPoint{9, 9}, TPoint{6, 1}})
    master.Pixel(p.X, p.Y) = kKeyPixel;
  TMaskElement e = KeyedElement(master, 1, 30, 20);
  e.WL = e.WT = e.WR = e.WB = 10;
  e.Cfg = 1;
  TBitmap32 parent = CoordBitmap(60, 60);
  TCacheInfo bg;
  bg.Bmp = &parent;
  bg.X = 20;
  bg.Y = 30;
  bg.Ready = true;
  // A control smaller than the margins: 8 x 6 uses margins 4/4 and 3/3.
  TBitmap32 cache = test::Solid(8, 6, kBack);
  UpdateMaskCorners(cache, e, 0, 15, bg);
  EXPECT_EQ(cache.Pixel(0, 0), parent.Pixel(20, 30));
  EXPECT_EQ(cache.Pixel(7, 0), parent.Pixel(27, 30));
  EXPECT_EQ(cache.Pixel(0, 5), parent.Pixel(20, 35));
  EXPECT_EQ(cache.Pixel(7, 5), parent.Pixel(27, 35));
  EXPECT_EQ(cache.Pixel(3, 2), kBack);
  // (6, 1) lies in the top edge that the border drew there, not in a corner.
  EXPECT_EQ(cache.Pixel(6, 1), kBack);
  // Only the requested corners; a full-size control reaches the inner hole.
  TBitmap32 big = test::Solid(40, 30, kBack);
  UpdateMaskCorners(big, e, 0, kCornerTopLeft, bg);
  EXPECT_EQ(big.Pixel(9, 9), parent.Pixel(29, 39));
  EXPECT_EQ(big.Pixel(39, 0), kBack);
  // A parent pixel outside the answer bitmap leaves the cache pixel.
  bg.X = 55;
  big = test::Solid(40, 30, kBack);
  UpdateMaskCorners(big, e, 0, kCornerTopLeft, bg);
  EXPECT_EQ(big.Pixel(9, 9), kBack);
  EXPECT_EQ(big.Pixel(0, 0), parent.Pixel(55, 30));
}

TEST(MaskCorners, ColourAnswersAndElementsWithoutHoles) {
  TBitmap32 master = CoordBitmap(30, 20);
  master.Pixel(0, 0) = kKeyPixel;
  TMaskElement e = KeyedElement(master, 1, 30, 20);
  e.WL = e.WT = e.WR = e.WB = 5;
  e.Cfg = 2;
  TCacheInfo colour;
  colour.FillColor = static_cast<TColor>(0x80112233u);
  TBitmap32 cache = test::Solid(40, 30, kBack);
  UpdateMaskCorners(cache, e, 0, kCornerTopLeft, colour);
  EXPECT_EQ(cache.Pixel(0, 0), (TBGRA{0x11, 0x22, 0x33, 0x80}));
  // The key colour as the answer replaces nothing for an unmasked element.
  colour.FillColor = clKeyColor;
  cache = test::Solid(40, 30, kBack);
  UpdateMaskCorners(cache, e, 0, kCornerTopLeft, colour);
  EXPECT_EQ(cache.Pixel(0, 0), kBack);
  colour.FillColor = 0x000000;
  e.Cfg = 0;
  UpdateMaskCorners(cache, e, 0, 15, colour);
  EXPECT_EQ(cache.Pixel(0, 0), kBack);
}

TMaskElement ScalableElement(std::shared_ptr<TBitmap32> bmp, int mask_type) {
  TMaskElement e;
  e.Bmp = std::move(bmp);
  e.HasManager = true;
  e.R = e.Bmp->BoundsRect();
  e.ImageCount = 3;
  e.MaskType = mask_type;
  e.Width = 30;
  e.Height = 20;
  e.WL = 3, e.WT = 4, e.WR = 5, e.WB = 6;
  e.MulPPi = 144;
  e.DivPPI = 96;
  return e;
}

TEST(MaskScale, ThreeFramesAtOneAndAHalf) {
  TMaskElement e = ScalableElement(std::make_shared<TBitmap32>(CoordBitmap(90, 20)), 0);
  // A key block in frame 0 stays key; opaque pixels end opaque.
  for (int y = 0; y < 8; ++y)
    for (int x = 10; x < 20; ++x) e.Bmp->Pixel(x, y) = kKeyPixel;
  ASSERT_TRUE(ScaleMaskData(e, 0x404040, false));
  EXPECT_EQ(e.Bmp->Width(), 135);
  EXPECT_EQ(e.Bmp->Height(), 30);
  EXPECT_EQ(e.R, Rect(0, 0, 135, 30));
  EXPECT_EQ(e.Width, 45);
  EXPECT_EQ(e.Height, 30);
  EXPECT_EQ(e.WL, 4);  // 4.5 to even
  EXPECT_EQ(e.WT, 6);
  EXPECT_EQ(e.WR, 8);  // 7.5 to even
  EXPECT_EQ(e.WB, 9);
  EXPECT_EQ(e.Bmp->Pixel(22, 5), kKeyPixel);
  EXPECT_EQ(e.Bmp->Pixel(70, 20).A, 255);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 135; ++x) {
      const TBGRA p = e.Bmp->Pixel(x, y);
      ASSERT_TRUE(p == kKeyPixel || p.A == 255) << x << ',' << y;
    }
}

TEST(MaskScale, MaskedElementsKeepImageAndMaskApart) {
  auto bmp = std::make_shared<TBitmap32>(CoordBitmap(90, 40));
  for (int y = 20; y < 40; ++y)
    for (int x = 0; x < 90; ++x) bmp->Pixel(x, y) = {200, 200, 200, 255};
  TMaskElement e = ScalableElement(bmp, 1);
  ASSERT_TRUE(ScaleMaskData(e, 0, false));
  EXPECT_EQ(e.R, Rect(0, 0, 135, 60));
  EXPECT_EQ(e.Height, 30);
  EXPECT_NEAR(e.Bmp->Pixel(60, 45).G, 200, 1);
  EXPECT_NEAR(e.Bmp->Pixel(60, 10).R, 77, 1);
  EXPECT_NEAR(e.Bmp->Pixel(60, 10).G, 10 / 1.5, 2);
}

TEST(MaskScale, AlphaElementsAndKeptKeysAreNotThresholded) {
  // Bit 0x10: the image's own alpha survives and the whole height is the frame.
  auto half = std::make_shared<TBitmap32>(CoordBitmap(90, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 90; ++x) half->Pixel(x, y).A = 128;
  TMaskElement e = ScalableElement(half, 0);
  e.DrawMode = kMaskAlpha;
  ASSERT_TRUE(ScaleMaskData(e, 0x404040, false));
  EXPECT_EQ(e.Height, 30);
  EXPECT_NEAR(e.Bmp->Pixel(70, 15).A, 128, 1);
  // The keep-key flag resamples key pixels as colours: their edges blend.
  auto keyed = std::make_shared<TBitmap32>(CoordBitmap(90, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 10; x < 20; ++x) keyed->Pixel(x, y) = kKeyPixel;
  e = ScalableElement(keyed, 0);
  ASSERT_TRUE(ScaleMaskData(e, 0x404040, true));
  EXPECT_EQ(e.Bmp->Pixel(22, 10), kKeyPixel);
  int partial = 0;
  for (int x = 0; x < 45; ++x) partial += e.Bmp->Pixel(x, 10).A > 0 && e.Bmp->Pixel(x, 10).A < 255;
  EXPECT_GT(partial, 0);
}

TEST(MaskScale, RefusesWhatItCannotScale) {
  const auto bmp = std::make_shared<TBitmap32>(CoordBitmap(90, 20));
  TMaskElement e = ScalableElement(bmp, 0);
  e.MulPPi = 96;
  EXPECT_FALSE(ScaleMaskData(e, 0, false));
  e = ScalableElement(bmp, 0);
  e.WL = 1, e.WR = 1;
  EXPECT_FALSE(ScaleMaskData(e, 0, false));
  e = ScalableElement(bmp, 0);
  e.R = Bounds(0, 0, 90, 2);
  EXPECT_FALSE(ScaleMaskData(e, 0, false));
  // A rectangle running off its bitmap is left alone.
  e = ScalableElement(bmp, 0);
  e.R = Bounds(10, 0, 90, 20);
  EXPECT_FALSE(ScaleMaskData(e, 0, false));
  EXPECT_EQ(e.Bmp, bmp);
  EXPECT_EQ(e.R, Bounds(10, 0, 90, 20));
}

}  // namespace
}  // namespace qv
