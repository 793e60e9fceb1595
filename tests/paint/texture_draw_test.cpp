// Texture layers: where each fill mode puts which texture pixel and what it
// leaves to the caller; masked textures through their mask and the parent;
// strips that whole tiles leave free; invalid elements.
#include "paint/texture_draw.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

constexpr TBGRA kOld{1, 2, 3, 4};
constexpr TBGRA kParentPx{90, 91, 92, 93};

// A 3 x 2 texture whose pixels tell their own coordinates.
TBGRA Tex(int u, int v) {
  return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(v), 7, 255};
}

struct Fixture {
  std::shared_ptr<TBitmap32> image = std::make_shared<TBitmap32>(8, 8);
  TMaskElement e;
  TBitmap32 dst = test::Solid(20, 12, kOld);

  explicit Fixture(int mask_type = 0) {
    image->Fill({0, 0, 0, 255});
    e.Bmp = image;
    e.HasManager = true;
    e.MaskType = mask_type;
    // The texture sits at (2, 1); masked ones have their mask 2 rows below.
    e.R = mask_type ? Rect(2, 1, 5, 5) : Rect(2, 1, 5, 3);
    for (int v = 0; v < 2; ++v)
      for (int u = 0; u < 3; ++u) image->Pixel(2 + u, 1 + v) = Tex(u, v);
  }
  // Which texture pixel landed at (x, y): "u,v", or "old" / "parent" / "fill".
  std::string At(int x, int y) const {
    const TBGRA p = dst.Pixel(x, y);
    if (p == kOld) return "old";
    if (p == kParentPx) return "parent";
    if (p.R != 7) return "other";
    return std::to_string(p.B) + "," + std::to_string(p.G);
  }
};

TEST(DrawTexture, OpaqueModesPlaceTilesAndReportTheRest) {
  struct Case {
    int mode;
    TRect back;  // the rectangle left to the caller
    std::vector<std::pair<TPoint, std::string>> seen;
  };
  const TRect r = Rect(4, 2, 15, 9);  // 11 x 7
  const Case cases[] = {
      {0, kTextureCovered, {{{4, 2}, "0,0"}, {{14, 8}, "1,0"}, {{7, 3}, "0,1"}}},
      {2, Rect(4, 4, 15, 9), {{{14, 3}, "1,1"}, {{4, 4}, "old"}}},
      {3, Rect(7, 2, 15, 9), {{{6, 8}, "2,0"}, {{7, 2}, "old"}}},
      {6, Rect(4, 2, 15, 7), {{{4, 7}, "0,0"}, {{5, 8}, "1,1"}, {{4, 6}, "old"}}},
      // Laid from the left, only the last tile width kept: column 12 is u = 2.
      {7, Rect(4, 2, 12, 9), {{{12, 2}, "2,0"}, {{14, 2}, "1,0"}, {{11, 2}, "old"}}},
      // From the bottom-right corner leftwards and upwards.
      {13, kTextureCovered, {{{14, 8}, "2,1"}, {{12, 7}, "0,0"}, {{4, 2}, "1,1"}}},
      // Unknown modes tile and leave the right column of one tile width.
      {99, Rect(12, 2, 15, 9), {{{4, 2}, "0,0"}, {{12, 2}, "2,0"}}},
  };
  for (const Case& c : cases) {
    Fixture f;
    TRect u = r;
    DrawTexture(f.dst, u, {}, c.mode, f.e);
    EXPECT_EQ(u, c.back) << "mode " << c.mode;
    for (const auto& [p, want] : c.seen) EXPECT_EQ(f.At(p.X, p.Y), want) << "mode " << c.mode;
    EXPECT_EQ(f.At(3, 2), "old") << "mode " << c.mode;  // nothing outside r
    EXPECT_EQ(f.At(15, 8), "old") << "mode " << c.mode;
  }
}

TEST(DrawTexture, StretchedModes) {
  Fixture f;
  TRect u = Rect(0, 0, 6, 4);  // twice the texture each way
  DrawTexture(f.dst, u, {}, 1, f.e);
  EXPECT_EQ(u, kTextureCovered);
  EXPECT_EQ(f.At(1, 1), "0,0");
  EXPECT_EQ(f.At(5, 3), "2,1");

  Fixture g;
  u = Rect(0, 0, 6, 5);
  DrawTexture(g.dst, u, {}, 4, g.e);  // the full width, one texture high
  EXPECT_EQ(u, Rect(0, 2, 6, 5));
  EXPECT_EQ(g.At(5, 1), "2,1");
  EXPECT_EQ(g.At(0, 2), "old");

  Fixture h;
  u = Rect(0, 0, 5, 4);
  DrawTexture(h.dst, u, {}, 5, h.e);  // the full height, one texture wide
  EXPECT_EQ(u, Rect(3, 0, 5, 4));
  EXPECT_EQ(h.At(2, 3), "2,1");
  EXPECT_EQ(h.At(3, 0), "old");
}

// Rows (11) and columns (12) of stretched textures stop at the rectangle,
// also where the last one would reach past it.
TEST(DrawTexture, StretchedRowsAndColumnsStayInsideTheRectangle) {
  Fixture f;
  TRect u = Rect(0, 0, 6, 5);  // two rows and a half
  DrawTexture(f.dst, u, {}, 11, f.e);
  EXPECT_EQ(u, kTextureCovered);
  EXPECT_EQ(f.At(5, 3), "2,1");
  EXPECT_EQ(f.At(0, 4), "0,0");
  EXPECT_EQ(f.At(0, 5), "old");

  Fixture g;
  u = Rect(0, 0, 4, 4);  // a column and a third
  DrawTexture(g.dst, u, {}, 12, g.e);
  EXPECT_EQ(g.At(3, 3), "0,1");
  EXPECT_EQ(g.At(4, 0), "old");
}

// Mode 10 lays whole rows; the strip below them is the parent's.
TEST(DrawTexture, WholeRowsLeaveTheParentBelowThem) {
  TBitmap32 parent = test::Solid(30, 30, kParentPx);
  TCacheInfo ready;
  ready.Bmp = &parent;
  ready.X = ready.Y = 0;
  ready.Ready = true;
  Fixture f;
  TRect u = Rect(0, 0, 7, 5);
  DrawTexture(f.dst, u, ready, 10, f.e);
  EXPECT_EQ(u, kTextureCovered);
  EXPECT_EQ(f.At(6, 3), "0,1");  // the last column is cut
  EXPECT_EQ(f.At(0, 4), "parent");

  TCacheInfo colour;
  colour.FillColor = 0x112233;
  Fixture g;
  u = Rect(0, 0, 7, 5);
  DrawTexture(g.dst, u, colour, 10, g.e);
  EXPECT_EQ(g.dst.Pixel(3, 4), (TBGRA{0x11, 0x22, 0x33, 255}));

  Fixture h;  // no parent known: the strip keeps what it held
  u = Rect(0, 0, 7, 5);
  DrawTexture(h.dst, u, {}, 10, h.e);
  EXPECT_EQ(h.At(3, 4), "old");
}

TEST(DrawTexture, MaskedTilesMixThroughTheirMask) {
  Fixture f(1);
  // Mask rows 3-4 under image rows 1-2: black shows the image, white keeps
  // the destination, grey 128 mixes half and half.
  for (int u = 0; u < 3; ++u) {
    f.image->Pixel(2 + u, 3) = {0, 0, 0, 255};
    f.image->Pixel(2 + u, 4) = {255, 255, 255, 255};
  }
  f.image->Pixel(3, 4) = {128, 128, 128, 0};
  f.image->Pixel(4, 1) = kKeyPixel;  // u = 2, v = 0 shows the parent
  TCacheInfo colour;
  colour.FillColor = 0x445566;
  TRect u = Rect(0, 0, 7, 5);
  DrawTexture(f.dst, u, colour, 0, f.e);
  EXPECT_EQ(u, kTextureCovered);
  EXPECT_EQ(f.At(0, 0), "0,0");
  EXPECT_EQ(f.dst.Pixel(0, 0).A, kOld.A);  // the mix keeps the destination's alpha
  // White keeps almost all of the destination: (d 255 + i) >> 8.
  EXPECT_EQ(f.dst.Pixel(0, 1), (TBGRA{0, 1, 3, 4}));
  // (d m + i (256 - m)) >> 8 with d = 1, i = 1 (u = 1), m = 128 on blue.
  EXPECT_EQ(f.dst.Pixel(1, 1).B, (1 * 128 + 1 * 128) >> 8);
  EXPECT_EQ(f.dst.Pixel(2, 0), (TBGRA{0x44, 0x55, 0x66, 255}));
  EXPECT_EQ(f.dst.Pixel(6, 3), f.dst.Pixel(0, 1));               // mode 0 cuts the last column
  EXPECT_EQ(f.dst.Pixel(3, 4), (TBGRA{0x44, 0x55, 0x66, 255}));  // the strip below: the parent

  // Mode 10: whole tiles only, the parent right of them and below them.
  Fixture g(1);
  TBitmap32 parent = test::Solid(30, 30, kParentPx);
  TCacheInfo ready;
  ready.Bmp = &parent;
  ready.X = ready.Y = 0;
  ready.Ready = true;
  u = Rect(0, 0, 7, 5);
  DrawTexture(g.dst, u, ready, 10, g.e);
  EXPECT_EQ(g.At(6, 0), "parent");
  EXPECT_EQ(g.At(0, 4), "parent");
  EXPECT_NE(g.At(5, 3), "parent");

  // Other modes paint nothing and leave the rectangle as it was.
  Fixture h(1);
  const TBitmap32 before = h.dst;
  u = Rect(0, 0, 7, 5);
  DrawTexture(h.dst, u, ready, 2, h.e);
  EXPECT_EQ(u, Rect(0, 0, 7, 5));
  EXPECT_EQ(test::Diff(h.dst, before), "");
}

// A masked texture with an image of its own is read from that image, not
// from the master bitmap at the same place.
TEST(DrawTexture, MaskedTexturesReadTheirOwnImage) {
  Fixture f(1);
  TBitmap32 master = test::Solid(8, 8, {0, 0, 250, 255});
  f.e.Master = &master;
  for (int u = 0; u < 3; ++u) f.image->Pixel(2 + u, 3) = f.image->Pixel(2 + u, 4) = {};
  TRect u = Rect(0, 0, 3, 2);
  DrawTexture(f.dst, u, {}, 0, f.e);
  EXPECT_EQ(f.At(2, 1), "2,1");
}

TEST(DrawTexture, ElementsThatCannotBeDrawnLeaveEverything) {
  auto unchanged = [](const Fixture& f) { return test::Diff(f.dst, test::Solid(20, 12, kOld)); };
  TRect u;
  Fixture no_manager;
  no_manager.e.HasManager = false;
  Fixture outside;
  outside.e.R = Rect(6, 6, 10, 8);
  Fixture empty;
  empty.e.R = Rect(2, 1, 2, 3);
  for (Fixture* f : {&no_manager, &outside, &empty}) {
    u = Rect(0, 0, 5, 5);
    DrawTexture(f->dst, u, {}, 0, f->e);
    EXPECT_EQ(u, Rect(0, 0, 5, 5));
    EXPECT_EQ(unchanged(*f), "");
  }
  Fixture f;
  u = Rect(3, 3, 3, 9);
  DrawTexture(f.dst, u, {}, 0, f.e);
  EXPECT_EQ(unchanged(f), "");
  // Partly outside the bitmap: only what lies inside is painted.
  u = Rect(17, 10, 25, 20);
  DrawTexture(f.dst, u, {}, 0, f.e);
  EXPECT_EQ(f.At(19, 11), "2,1");
}

}  // namespace
}  // namespace qv
