// Outer-effect elements: at full opacity the nine-slice border itself, at a
// lower one the pieces mixed over the target (masked and keyed elements) or
// scaled in the alpha primitive; edges thinned to the offsets; key holes.
#include "paint/outer_mask.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "paint/mask_draw.h"
#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

constexpr TBGRA kBack{30, 60, 90, 200};

// A 12 x 12 frame with margins 4; masked elements have a 12-row mask below.
TMaskElement Element(std::mt19937& rng, int mask_type, int draw_mode) {
  TMaskElement e;
  const int h = mask_type ? 24 : 12;
  e.Bmp = std::make_shared<TBitmap32>(test::RandomBitmap(rng, 12, h));
  e.HasManager = true;
  e.R = Rect(0, 0, 12, h);
  e.MaskType = mask_type;
  e.DrawMode = draw_mode;
  e.WL = e.WT = e.WR = e.WB = 4;
  e.Width = 12;
  e.Height = 12;
  return e;
}

const TRect kArea = Rect(3, 2, 33, 24);
const TRect kWide = Rect(9, 9, 9, 9);  // offsets beyond every margin

TEST(DrawOuterMask, FullOpacityIsTheBorder) {
  std::mt19937 rng(3);
  for (int draw_mode : {0, 1, 5}) {
    for (int mask_type : {0, 1}) {
      TMaskElement e = Element(rng, mask_type, draw_mode);
      if (mask_type == 0)  // keyed corners would differ: no key pixels here
        for (int y = 0; y < 12; ++y)
          for (int x = 0; x < 12; ++x) e.Bmp->Pixel(x, y).G = 7;
      TBitmap32 a = test::Solid(40, 30, kBack), b = a;
      DrawOuterMask(a, kArea, {}, 255, kWide, 0, e);
      DrawBorderMask(b, kArea, {}, false, 0, e);
      EXPECT_EQ(test::Diff(a, b), "") << "mode " << draw_mode << " mask " << mask_type;
    }
  }
}

// Masked and keyed pieces are drawn whole, then mixed over what the target
// held at the opacity: d := (o (drawn - d) + 256 d) >> 8, all four bytes.
TEST(DrawOuterMask, OpacityMixesDrawnPiecesOverTheTarget) {
  std::mt19937 rng(5);
  for (int mask_type : {0, 1}) {
    for (int draw_mode : {0, 1}) {
      const TMaskElement e = Element(rng, mask_type, draw_mode);
      const TBitmap32 start = test::RandomBitmap(rng, 40, 30);
      TBitmap32 full = start, part = start;
      DrawOuterMask(full, kArea, {}, 255, kWide, 0, e);
      DrawOuterMask(part, kArea, {}, 90, kWide, 0, e);
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
          const TBGRA d = start.Pixel(x, y), n = full.Pixel(x, y), got = part.Pixel(x, y);
          auto mix = [](int a, int b) {
            return static_cast<std::uint8_t>((90 * (a - b) + 256 * b) >> 8);
          };
          ASSERT_EQ(got, (TBGRA{mix(n.B, d.B), mix(n.G, d.G), mix(n.R, d.R), mix(n.A, d.A)}))
              << x << "," << y << " mask " << mask_type << " mode " << draw_mode;
        }
    }
  }
}

// Elements with per-pixel alpha take the opacity in the alpha primitive.
TEST(DrawOuterMask, AlphaElementsScaleTheirAlpha) {
  std::mt19937 rng(9);
  TMaskElement e = Element(rng, 0, kMaskAlpha);
  e.Bmp->Fill({200, 100, 50, 180});
  TBitmap32 dst = test::Solid(40, 30, kBack);
  DrawOuterMask(dst, kArea, {}, 128, kWide, 0, e);
  TBitmap32 want = test::Solid(1, 1, kBack);
  BlendAlphaPiece(want, *e.Bmp, Rect(0, 0, 0, 0), 128, {0, 0});
  EXPECT_EQ(dst.Pixel(3, 10), want.Pixel(0, 0));   // left edge
  EXPECT_EQ(dst.Pixel(32, 23), want.Pixel(0, 0));  // bottom-right corner
  EXPECT_EQ(dst.Pixel(15, 12), kBack);             // no centre
}

// Each edge is as thick as the offset of its side: its outer columns or rows.
TEST(DrawOuterMask, EdgesThinnedToTheOffsets) {
  std::mt19937 rng(11);
  const TMaskElement e = Element(rng, 0, 0);
  TBitmap32 thin = test::Solid(40, 30, kBack), whole = thin;
  DrawOuterMask(thin, kArea, {}, 255, Rect(1, 2, 3, 0), 0, e);
  DrawOuterMask(whole, kArea, {}, 255, kWide, 0, e);
  auto same = [&](int x, int y) { return thin.Pixel(x, y) == whole.Pixel(x, y); };
  auto back = [&](int x, int y) { return thin.Pixel(x, y) == kBack; };
  EXPECT_TRUE(same(3, 10) && back(4, 10));                 // left: 1 column
  EXPECT_TRUE(same(15, 3) && back(15, 4));                 // top: 2 rows
  EXPECT_TRUE(same(30, 10) && back(29, 10));               // right: 3 columns
  EXPECT_TRUE(back(15, 23));                               // bottom: none
  EXPECT_TRUE(same(6, 5) && same(31, 22) && same(3, 23));  // corners whole
}

TEST(DrawOuterMask, KeyHolesAndInvalidInput) {
  std::mt19937 rng(13);
  TMaskElement e = Element(rng, 0, 0);
  e.Bmp->Pixel(0, 0) = kKeyPixel;
  TBitmap32 dst = test::Solid(40, 30, kBack);
  DrawOuterMask(dst, kArea, {}, 255, kWide, 0, e);
  EXPECT_EQ(dst.Pixel(3, 2), kBack);  // no parent: the hole keeps the target
  EXPECT_NE(dst.Pixel(4, 2), kBack);

  const TBitmap32 start = test::Solid(40, 30, kBack);
  TBitmap32 b = start;
  DrawOuterMask(b, Rect(3, 2, 4, 20), {}, 255, kWide, 0, e);  // 1 pixel wide
  e.DrawMode = kMaskNoNormal;
  DrawOuterMask(b, kArea, {}, 255, kWide, 0, e);
  e.DrawMode = 0;
  e.HasManager = false;
  DrawOuterMask(b, kArea, {}, 255, kWide, 0, e);
  EXPECT_EQ(test::Diff(b, start), "");
}

}  // namespace
}  // namespace qv
