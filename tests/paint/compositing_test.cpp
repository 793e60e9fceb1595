// Exact arithmetic, clipping and hole handling of the compositing primitives.
#include "paint/compositing.h"

#include <gtest/gtest.h>

#include <random>

#include "paint/pixel_ops.h"
#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

using test::Diff;
using test::Solid;

constexpr TBGRA kKey{0xFF, 0x00, 0xFF, 0x00};

TEST(MixColors, WeightsDivideBy256AndKeepTheFirstHighByte) {
  // w = 255 never reaches a: 255 * 255 >> 8 = 254.
  EXPECT_EQ(MixColors(0x00FFFFFF, 0x00000000, 255), 0x00FEFEFE);
  EXPECT_EQ(MixColors(0x00FFFFFF, 0x00000000, 0), 0x00000000);
  EXPECT_EQ(MixColors(0x00000000, 0x00FFFFFF, 0), 0x00FEFEFE);
  // Channels stay apart; the high byte is a's.
  EXPECT_EQ(MixColors(static_cast<TColor>(0x7F0000FF), 0x00FF0000, 128),
            static_cast<TColor>(0x7F7E007F));
}

TEST(FillRectAlpha, FillsTheClippedRectangleWithExclusiveEdges) {
  for (TRowOrder order : {TRowOrder::TopDown, TRowOrder::BottomUp}) {
    TBitmap32 b = Solid(6, 5, {1, 2, 3, 4}, order);
    FillRectAlpha(b, Rect(-3, -2, 2, 3), RGB(10, 20, 30), 77);  // beyond left and top
    FillRectAlpha(b, Rect(4, 3, 99, 99), RGB(40, 50, 60), 88);  // beyond right and bottom
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        TBGRA want{1, 2, 3, 4};
        if (x < 2 && y < 3) want = {30, 20, 10, 77};
        if (x >= 4 && y >= 3) want = {60, 50, 40, 88};
        ASSERT_EQ(b.Pixel(x, y), want) << x << "," << y;
      }
  }
  TBitmap32 none;
  FillRectAlpha(none, Rect(0, 0, 5, 5), clWhite, 255);  // no rows: nothing happens
}

TEST(BlendColorRect, WeighsThePixelAndKeepsAlpha) {
  TBitmap32 b = Solid(3, 1, {200, 100, 0, 9});
  BlendColorRect(b, Rect(0, 0, 1, 1), 255, RGB(0, 0, 0));  // keeps 255/256 of the pixel
  BlendColorRect(b, Rect(1, 0, 2, 1), 0, RGB(255, 128, 64));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{199, 99, 0, 9}));
  EXPECT_EQ(b.Pixel(1, 0), (TBGRA{63, 127, 254, 9}));
  EXPECT_EQ(b.Pixel(2, 0), (TBGRA{200, 100, 0, 9}));
  // A system colour is resolved before mixing.
  TBitmap32 s = Solid(1, 1, {0, 0, 0, 0});
  BlendColorRect(s, Rect(0, 0, 1, 1), 0, clWindow);
  const TColor win = ColorToRGB(clWindow);
  EXPECT_EQ(s.Pixel(0, 0).R, (GetRValue(win) * 255) >> 8);
}

TEST(BlendBitmaps, EdgeWeightsAndClipping) {
  const TBitmap32 src = Solid(4, 4, {255, 0, 10, 255});
  TBitmap32 d0 = Solid(4, 4, {0, 255, 200, 0});
  BlendBitmaps(d0, src, 0, {0, 0}, src.BoundsRect());
  EXPECT_EQ(d0.Pixel(3, 3), (TBGRA{255, 0, 10, 255}));  // w = 0 copies, alpha too

  TBitmap32 d1 = Solid(4, 4, {0, 255, 200, 0});
  BlendBitmaps(d1, src, 255, {0, 0}, src.BoundsRect());
  EXPECT_EQ(d1.Pixel(0, 0), (TBGRA{0, 254, 199, 0}));  // one step towards the source

  // Negative destination points move the source origin instead.
  TBitmap32 grad(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) grad.Pixel(x, y) = {static_cast<std::uint8_t>(x * 10 + y), 0, 0, 0};
  TBitmap32 d2 = Solid(3, 3, {7, 7, 7, 7}, TRowOrder::BottomUp);
  BlendBitmaps(d2, grad, 0, {-2, -1}, grad.BoundsRect());
  EXPECT_EQ(d2.Pixel(0, 0).B, 21);
  EXPECT_EQ(d2.Pixel(1, 2).B, 33);
  EXPECT_EQ(d2.Pixel(2, 2), (TBGRA{7, 7, 7, 7}));  // past the source's right edge
  // Far outside either bitmap: nothing, and no overflow.
  BlendBitmaps(d2, grad, 0, {2147483600, 5}, grad.BoundsRect());
  BlendBitmaps(d2, grad, 0, {0, 0}, Rect(-2147483647, 0, 2147483647, 4));
}

TEST(BlendBitmaps, BlendingABitmapOverItselfReadsTheOriginal) {
  TBitmap32 b(4, 1);
  for (int x = 0; x < 4; ++x) b.Pixel(x, 0) = {static_cast<std::uint8_t>(x * 50), 0, 0, 0};
  BlendBitmaps(b, b, 0, {1, 0}, b.BoundsRect());
  EXPECT_EQ(b.Pixel(1, 0).B, 0);
  EXPECT_EQ(b.Pixel(3, 0).B, 100);
}

TEST(BlendAlphaPiece, SourceAlphaOpacityAndInclusiveRectangle) {
  TBitmap32 src(3, 1);
  src.Pixel(0, 0) = {200, 100, 50, 0};    // transparent
  src.Pixel(1, 0) = {200, 100, 50, 255};  // opaque
  src.Pixel(2, 0) = {200, 100, 50, 128};
  TBitmap32 d = Solid(4, 1, {10, 20, 30, 40});
  BlendAlphaPiece(d, src, Rect(0, 0, 2, 0), 255, {0, 0});  // Right 2 inclusive: three pixels
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{10, 20, 30, 40}));
  // (255 * s + d) >> 8, and the larger alpha: (255 * 215 + 40 * 256) >> 8 = 254.
  EXPECT_EQ(d.Pixel(1, 0),
            (TBGRA{(255 * 200 + 10) >> 8, (255 * 100 + 20) >> 8, (255 * 50 + 30) >> 8, 254}));
  EXPECT_EQ(d.Pixel(2, 0).B, (128 * (200 - 10) + 10 * 256) >> 8);
  EXPECT_EQ(d.Pixel(3, 0), (TBGRA{10, 20, 30, 40}));

  // Opacity scales the source alpha: a' = (255 * 128) >> 8 = 127.
  TBitmap32 e = Solid(1, 1, {0, 0, 0, 200});
  BlendAlphaPiece(e, src, Rect(1, 0, 1, 0), 128, {0, 0});
  EXPECT_EQ(e.Pixel(0, 0), (TBGRA{(127 * 200) >> 8, (127 * 100) >> 8, (127 * 50) >> 8, 200}));
}

TCacheInfo ReadyParent(TBitmap32* bmp, int x, int y) {
  TCacheInfo ci;
  ci.Bmp = bmp;
  ci.X = x;
  ci.Y = y;
  ci.Ready = true;
  return ci;
}

TEST(CopyKeyedPiece, HolesShowTheParentTheDestinationOrTheFillColour) {
  TBitmap32 src(2, 1);
  src.Pixel(0, 0) = {0xFF, 0x00, 0xFF, 0xFF};  // key (alpha is ignored by the test)
  src.Pixel(1, 0) = {1, 2, 3, 4};
  TBitmap32 parent(8, 8);
  parent.Pixel(5, 3) = {50, 60, 70, 80};

  // From the parent: holes take the parent pixel at destination + (X, Y).
  TBitmap32 d = Solid(3, 2, {9, 9, 9, 9});
  CopyKeyedPiece(d, src, {1, 1}, Rect(0, 0, 1, 0), clKeyColor, true, ReadyParent(&parent, 4, 2));
  EXPECT_EQ(d.Pixel(1, 1), (TBGRA{50, 60, 70, 80}));
  EXPECT_EQ(d.Pixel(2, 1), (TBGRA{1, 2, 3, 4}));
  // A parent position outside the parent bitmap leaves the hole.
  TBitmap32 d2 = Solid(3, 2, {9, 9, 9, 9});
  CopyKeyedPiece(d2, src, {1, 1}, Rect(0, 0, 1, 0), clKeyColor, true, ReadyParent(&parent, -5, 0));
  EXPECT_EQ(d2.Pixel(1, 1), (TBGRA{9, 9, 9, 9}));

  // Painting into the parent itself: holes stay, other pixels become opaque.
  CopyKeyedPiece(parent, src, {5, 3}, Rect(0, 0, 1, 0), clKeyColor, true,
                 ReadyParent(&parent, 0, 0));
  EXPECT_EQ(parent.Pixel(5, 3), (TBGRA{50, 60, 70, 80}));
  EXPECT_EQ(parent.Pixel(6, 3), (TBGRA{1, 2, 3, 255}));

  // Ready without the flag: holes keep the destination.
  TBitmap32 d3 = Solid(2, 1, {9, 9, 9, 9});
  CopyKeyedPiece(d3, src, {0, 0}, Rect(0, 0, 1, 0), clKeyColor, false, ReadyParent(&parent, 0, 0));
  EXPECT_EQ(d3.Pixel(0, 0), (TBGRA{9, 9, 9, 9}));

  // Not ready, flag or not: holes take FillColor with the destination's
  // top-left alpha.
  for (bool flag : {false, true}) {
    TBitmap32 d4 = Solid(3, 1, {9, 9, 9, 33});
    TCacheInfo ci;
    ci.FillColor = RGB(100, 110, 120);
    CopyKeyedPiece(d4, src, {1, 0}, Rect(0, 0, 1, 0), clKeyColor, flag, ci);
    EXPECT_EQ(d4.Pixel(1, 0), (TBGRA{120, 110, 100, 33}));
    EXPECT_EQ(d4.Pixel(2, 0), (TBGRA{1, 2, 3, 4}));
  }
}

TEST(CopyKeyedFaded, MixesNonKeyPixelsOnly) {
  TBitmap32 src(2, 1);
  src.Pixel(0, 0) = kKey;
  src.Pixel(1, 0) = {200, 100, 0, 255};
  TBitmap32 d = Solid(2, 1, {0, 100, 200, 0});
  CopyKeyedFaded(d, src, {0, 0}, Rect(0, 0, 1, 0), clKeyColor, 64);
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{0, 100, 200, 0}));
  EXPECT_EQ(d.Pixel(1, 0), (TBGRA{(191 * 200) >> 8, (191 * 100 + 64 * 100) >> 8, (64 * 200) >> 8,
                                  (191 * 255) >> 8}));
}

// An element 2 wide and 4 high: image rows 0-1, mask rows 2-3.
struct MaskedFixture {
  TBitmap32 src{2, 4};
  TMaskElementView e{Rect(0, 0, 2, 4), 1, 0};
  MaskedFixture() {
    src.Pixel(0, 0) = kKey;
    src.Pixel(1, 0) = {100, 100, 100, 7};
    src.Pixel(0, 1) = {10, 20, 30, 7};
    src.Pixel(1, 1) = {10, 20, 30, 7};
    src.Pixel(0, 2) = {0, 0, 0, 0};        // black mask: image shows
    src.Pixel(1, 2) = {255, 255, 255, 0};  // white: destination stays (almost)
    src.Pixel(0, 3) = {128, 0, 255, 0};    // per channel
    src.Pixel(1, 3) = {0, 0, 0, 0};
  }
};

TEST(CopyMaskedPiece, MixesThroughTheMaskHalfInAllFourCases) {
  MaskedFixture f;
  TBitmap32 parent = Solid(10, 10, {5, 6, 7, 8});
  const TBGRA bg{200, 200, 200, 50};
  const TBGRA mixed01{static_cast<std::uint8_t>((200 * 128 + 10 * 128) >> 8), 20,
                      static_cast<std::uint8_t>((200 * 255 + 30) >> 8), 0};
  const TBGRA white11{static_cast<std::uint8_t>((200 * 255 + 100) >> 8),
                      static_cast<std::uint8_t>((200 * 255 + 100) >> 8),
                      static_cast<std::uint8_t>((200 * 255 + 100) >> 8), 0};
  auto run = [&](bool flag, const TCacheInfo& ci) {
    TBitmap32 d = Solid(2, 2, bg);
    CopyMaskedPiece(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), d, f.e, flag, ci, f.src);
    return d;
  };
  auto with_alpha = [](TBGRA p, std::uint8_t a) { return p.A = a, p; };

  // 1: ready, from parent: holes show the parent, alpha 255.
  TBitmap32 d1 = run(true, ReadyParent(&parent, 0, 0));
  EXPECT_EQ(d1.Pixel(0, 0), (TBGRA{5, 6, 7, 255}));
  EXPECT_EQ(d1.Pixel(1, 0), with_alpha(white11, 255));
  EXPECT_EQ(d1.Pixel(0, 1), with_alpha(mixed01, 255));
  // 2: ready, no flag: the key pixel is mixed like any other (black mask shows it).
  TBitmap32 d2 = run(false, ReadyParent(&parent, 0, 0));
  EXPECT_EQ(d2.Pixel(0, 0), (TBGRA{255, 0, 255, 255}));
  EXPECT_EQ(d2.Pixel(1, 1), (TBGRA{10, 20, 30, 255}));
  // 3: not ready, flag: holes take FillColor with its high byte as alpha.
  TCacheInfo none;
  none.FillColor = static_cast<TColor>(0x40102030);
  TBitmap32 d3 = run(true, none);
  EXPECT_EQ(d3.Pixel(0, 0), (TBGRA{0x10, 0x20, 0x30, 0x40}));
  EXPECT_EQ(d3.Pixel(0, 1), with_alpha(mixed01, 50));
  // 4: not ready, no flag: holes are skipped, alpha unchanged.
  TBitmap32 d4 = run(false, none);
  EXPECT_EQ(d4.Pixel(0, 0), bg);
  EXPECT_EQ(d4.Pixel(1, 0), with_alpha(white11, 50));
}

TEST(CopyMaskedPiece, ClipsToBothBitmapsAndTheMaskHalf) {
  MaskedFixture f;
  TBitmap32 d = Solid(3, 3, {1, 1, 1, 1});
  // Piece size is the smaller rectangle; it hangs over the destination's corner.
  CopyMaskedPiece(Rect(2, 2, 9, 9), Rect(1, 1, 2, 2), d, f.e, false, EmptyCacheInfo(), f.src);
  EXPECT_EQ(d.Pixel(2, 2), (TBGRA{10, 20, 30, 1}));  // image (1,1) through black mask (1,3)
  EXPECT_EQ(d.Pixel(1, 1), (TBGRA{1, 1, 1, 1}));
  // A mask half that would lie below the source reads its last row, never past it.
  TMaskElementView tall{Rect(0, 0, 2, 40), 1, 0};
  CopyMaskedPiece(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), d, tall, false, EmptyCacheInfo(), f.src);
}

TEST(DrawImageMasked, MaskAlphaAndKeyElements) {
  MaskedFixture f;
  // Mask element, mode 1: ((d - i) * m + i * 256) >> 8; alpha grows by the mask.
  TBitmap32 d = Solid(2, 2, {200, 200, 200, 100});
  DrawImageMasked(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), d, f.e, 1, f.src);
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{200, 200, 200, 100 + ((155 * 255) >> 8)}));  // key: alpha only
  EXPECT_EQ(d.Pixel(1, 0), (TBGRA{200, 200, 200, 100}));                       // white mask
  EXPECT_EQ(d.Pixel(0, 1), (TBGRA{200, 200, 200, 100}));  // mask red 255: untouched
  // Faded mode: m' = min(m + 100, 255).
  TBitmap32 e = Solid(2, 2, {200, 200, 200, 100});
  DrawImageMasked(Rect(0, 0, 2, 2), Rect(0, 0, 2, 2), e, f.e, 2, f.src);
  EXPECT_EQ(e.Pixel(1, 1), (TBGRA{(100 * 190 + 10 * 256) >> 8, (100 * 180 + 20 * 256) >> 8,
                                  (100 * 170 + 30 * 256) >> 8, 100 + ((155 * 255) >> 8)}));

  // Alpha element: d := s - ((l (s - d) + 255) >> 8) with a flooring shift.
  TBitmap32 a(2, 1);
  a.Pixel(0, 0) = {0, 255, 100, 255};
  a.Pixel(1, 0) = {0, 255, 100, 0};
  TMaskElementView alpha{Rect(0, 0, 2, 1), 0, 0x10};
  TBitmap32 g = Solid(2, 1, {200, 0, 100, 0});
  DrawImageMasked(Rect(0, 0, 2, 1), Rect(0, 0, 2, 1), g, alpha, 1, a);
  EXPECT_EQ(g.Pixel(0, 0), (TBGRA{0, 255, 100, 254}));  // opaque: h = 0
  // Transparent, l = 255: 0 - ((255 * -200 + 255) >> 8) = 199.
  EXPECT_EQ(g.Pixel(1, 0), (TBGRA{199, 0, 100, 0}));

  // Key element: mode 1 copies non-key pixels, faded mode mixes at 180.
  TBitmap32 k(2, 1);
  k.Pixel(0, 0) = kKey;
  k.Pixel(1, 0) = {255, 0, 0, 10};
  TMaskElementView keyed{Rect(0, 0, 2, 1), 0, 0};
  TBitmap32 h1 = Solid(2, 1, {0, 0, 0, 100});
  DrawImageMasked(Rect(0, 0, 2, 1), Rect(0, 0, 2, 1), h1, keyed, 1, k);
  EXPECT_EQ(h1.Pixel(0, 0), (TBGRA{0, 0, 0, 100}));
  EXPECT_EQ(h1.Pixel(1, 0), (TBGRA{255, 0, 0, 10}));
  TBitmap32 h2 = Solid(2, 1, {0, 0, 0, 100});
  DrawImageMasked(Rect(0, 0, 2, 1), Rect(0, 0, 2, 1), h2, keyed, 0, k);
  EXPECT_EQ(h2.Pixel(1, 0), (TBGRA{(180 * 255) >> 8, 0, 0, 180}));
}

TEST(StretchMaskedPiece, OnePixelCentreAndPlainElements) {
  TBitmap32 src(1, 2);
  src.Pixel(0, 0) = {10, 20, 30, 0};
  src.Pixel(0, 1) = {0, 0, 64, 0};  // mask red 64
  TBitmap32 d = Solid(4, 4, {200, 200, 200, 9});
  StretchMaskedPiece(Rect(1, 1, 3, 3), true, 1, src, d, Rect(0, 0, 1, 1));
  EXPECT_EQ(d.Pixel(1, 1), (TBGRA{(200 * 64 + 10 * 192) >> 8, (200 * 64 + 20 * 192) >> 8,
                                  (200 * 64 + 30 * 192) >> 8, 9}));
  EXPECT_EQ(d.Pixel(3, 3), (TBGRA{200, 200, 200, 9}));
  // Mask red 0 fills with the image colour, opaque.
  src.Pixel(0, 1) = {0, 0, 0, 0};
  StretchMaskedPiece(Rect(0, 0, 1, 1), true, 1, src, d, Rect(0, 0, 1, 1));
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{10, 20, 30, 255}));
  // Negative targets and regions outside the source draw nothing.
  const TBitmap32 before = d;
  StretchMaskedPiece(Rect(-1, 0, 2, 2), true, 1, src, d, Rect(0, 0, 1, 1));
  StretchMaskedPiece(Rect(0, 0, 2, 2), false, 1, src, d, Rect(0, 1, 1, 2));
  EXPECT_EQ(Diff(d, before), "");
  // Without a mask the region is stretched straight in, four bytes.
  StretchMaskedPiece(Rect(0, 0, 4, 4), false, 0, src, d, Rect(0, 0, 1, 1));
  EXPECT_EQ(d.Pixel(3, 3), (TBGRA{10, 20, 30, 0}));
}

TEST(StretchMaskedPiece, SmallRegionsFallBackToNearestStretching) {
  // A 1-pixel-high region cannot be filtered; it is still drawn.
  TBitmap32 src(2, 2);
  src.Pixel(0, 0) = {10, 10, 10, 0};
  src.Pixel(1, 0) = {90, 90, 90, 0};
  src.Pixel(0, 1) = src.Pixel(1, 1) = {0, 0, 0, 0};  // black mask
  TBitmap32 d = Solid(4, 4, {255, 255, 255, 0});
  StretchMaskedPiece(Rect(0, 0, 4, 4), true, 1, src, d, Rect(0, 0, 2, 1));
  EXPECT_EQ(d.Pixel(0, 3), (TBGRA{10, 10, 10, 255}));
  EXPECT_EQ(d.Pixel(3, 0), (TBGRA{90, 90, 90, 255}));
}

TEST(StretchAlphaPiece, ScalesThenBlendsAndHandlesTinySources) {
  // From the origin the region is filtered; a uniform picture stays uniform.
  const TBitmap32 src = Solid(4, 4, {100, 50, 25, 255});
  TBitmap32 d = Solid(10, 10, {0, 0, 0, 0});
  StretchAlphaPiece(d, Rect(-2, 1, 7, 9), 255, src, src.BoundsRect());
  EXPECT_EQ(d.Pixel(0, 1), (TBGRA{(255 * 100) >> 8, (255 * 50) >> 8, (255 * 25) >> 8, 254}));
  EXPECT_EQ(d.Pixel(6, 8), d.Pixel(0, 1));
  EXPECT_EQ(d.Pixel(7, 8), (TBGRA{0, 0, 0, 0}));
  // A 1 x 1 source is too small to filter: it is stretched to the nearest pixel.
  const TBitmap32 dot = Solid(1, 1, {0, 0, 200, 255});
  TBitmap32 e = Solid(3, 3, {0, 0, 0, 0});
  StretchAlphaPiece(e, Rect(0, 0, 3, 3), 255, dot, dot.BoundsRect());
  EXPECT_EQ(e.Pixel(2, 2), (TBGRA{0, 0, (255 * 200) >> 8, 254}));
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Pieces placed anywhere around the destination, against a per-pixel
// reference that checks every access: nothing is written outside either
// bitmap, and every pixel inside lands where it belongs.
TEST(Clipping, PiecesAtEveryEdgeMatchAPerPixelReference) {
  std::mt19937 rng(3);
  auto rnd = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (int i = 0; i < 200; ++i) {
    const TBitmap32 src = test::RandomBitmap(rng, rnd(1, 12), rnd(1, 9));
    const TBitmap32 start = test::RandomBitmap(rng, rnd(1, 12), rnd(1, 9), TRowOrder::BottomUp);
    const TPoint p{rnd(-14, 14), rnd(-11, 11)};
    const TRect s = Rect(rnd(-3, 12), rnd(-3, 9), rnd(-3, 14), rnd(-3, 11));  // inclusive
    const std::uint8_t o = static_cast<std::uint8_t>(rnd(0, 255));
    TBitmap32 blend = start, keyed = start, want_blend = start, want_keyed = start;
    BlendAlphaPiece(blend, src, s, o, p);
    TCacheInfo ready;
    ready.Ready = true;
    CopyKeyedPiece(keyed, src, p, s, clKeyColor, false, ready);
    for (int y = s.Top; y <= s.Bottom; ++y)
      for (int x = s.Left; x <= s.Right; ++x) {
        const int dx = p.X + x - s.Left, dy = p.Y + y - s.Top;
        if (!src.InBounds(x, y) || !start.InBounds(dx, dy)) continue;
        const TBGRA sp = src.Pixel(x, y);
        want_blend.Pixel(dx, dy) = px::BlendAlpha(start.Pixel(dx, dy), sp, o);
        if (!px::IsKey(sp, 0x00FF00FF)) want_keyed.Pixel(dx, dy) = sp;
      }
    ASSERT_EQ(Diff(blend, want_blend), "") << i;
    ASSERT_EQ(Diff(keyed, want_keyed), "") << i;
  }
}

}  // namespace
}  // namespace qv
