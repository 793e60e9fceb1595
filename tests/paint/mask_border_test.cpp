// Nine-slice border drawing: piece placement at and below the margins, tiling
// and stretching, states, element kinds, key-colour corners, bad rectangles.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "paint/mask_draw.h"
#include "paint/pixel_ops.h"
#include "paint_test_util.h"

namespace qv {
namespace {

constexpr TBGRA kBack{1, 2, 3, 40};

// Each source pixel names its position: B = x, G = y.
TBitmap32 CoordBitmap(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77, 255};
  return b;
}

enum class Kind { Keyed, Masked, Alpha };

struct Element {
  std::shared_ptr<TBitmap32> master;
  TMaskElement e;
};

// Three 30 x 20 frames side by side at (5, 3); a masked element has an
// all-opaque (black) mask half below.
Element MakeElement(Kind kind, int draw_mode, int wl = 6, int wt = 4, int wr = 7, int wb = 5) {
  Element el;
  const int rows = kind == Kind::Masked ? 40 : 20;
  el.master = std::make_shared<TBitmap32>(CoordBitmap(100, 3 + rows + 2));
  if (kind == Kind::Masked)
    for (int y = 23; y < 43; ++y)
      for (int x = 0; x < 100; ++x) el.master->Pixel(x, y) = {0, 0, 0, 255};
  TMaskElement& e = el.e;
  e.Master = el.master.get();
  e.HasManager = true;
  e.R = Bounds(5, 3, 90, rows);
  e.ImageCount = 3;
  e.Width = 30;
  e.Height = 20;
  e.MaskType = kind == Kind::Masked ? 1 : 0;
  e.DrawMode = draw_mode | (kind == Kind::Alpha ? kMaskAlpha : 0);
  e.WL = wl, e.WT = wt, e.WR = wr, e.WB = wb;
  return el;
}

// Where a tiled border takes the pixel of target offset i (0..n-1) from:
// an offset into the frame, or -1 for the centre when it is not drawn.
int TiledSource(int i, int n, int lo, int hi, int frame) {
  if (i < lo) return i;
  if (i >= n - hi) return frame - (n - i);
  return lo + (i - lo) % (frame - lo - hi);
}

TBGRA Expected(Kind kind, TBGRA back, TBGRA s) {
  if (kind == Kind::Alpha) return px::BlendAlpha(back, s, 255);
  return s;
}

// Compares the whole destination against the tiling model.
std::string CheckTiled(const Element& el, Kind kind, const TBitmap32& dst, const TRect& r,
                       int frame, TSliceMargins m) {
  const TMaskElement& e = el.e;
  const bool centre = e.DrawMode & kMaskFillCentre;
  for (int y = 0; y < dst.Height(); ++y)
    for (int x = 0; x < dst.Width(); ++x) {
      TBGRA want = kBack;
      if (r.Contains({x, y})) {
        const int cx = x - r.Left, cy = y - r.Top;
        const bool mid_x = cx >= m.L && cx < r.Width() - m.R;
        const bool mid_y = cy >= m.T && cy < r.Height() - m.B;
        if (!(mid_x && mid_y) || centre) {
          const int sx = e.R.Left + frame * e.Width + TiledSource(cx, r.Width(), m.L, m.R, e.Width);
          const int sy = e.R.Top + TiledSource(cy, r.Height(), m.T, m.B, e.Height);
          want = Expected(kind, kBack, el.master->Pixel(sx, sy));
        }
      }
      const TBGRA got = dst.Pixel(x, y);
      const bool same = kind == Kind::Masked ? got.B == want.B && got.G == want.G && got.R == want.R
                                             : got == want;
      if (!same)
        return "at " + std::to_string(x) + "," + std::to_string(y) +
               " got x=" + std::to_string(got.B) + " y=" + std::to_string(got.G) +
               " want x=" + std::to_string(want.B) + " y=" + std::to_string(want.G);
    }
  return "";
}

TEST(MaskBorder, TiledPiecesMatchTheModelForEveryKind) {
  for (Kind kind : {Kind::Keyed, Kind::Masked, Kind::Alpha})
    for (int mode : {0, kMaskFillCentre})
      for (TRect r : {Bounds(3, 2, 137, 25), Bounds(0, 0, 13, 9), Bounds(2, 1, 40, 34),
                      Bounds(-4, -3, 60, 30)}) {
        const Element el = MakeElement(kind, mode);
        TBitmap32 dst = test::Solid(150, 40, kBack);
        DrawBorderMask(dst, r, EmptyCacheInfo(), false, 1, el.e);
        EXPECT_EQ(CheckTiled(el, kind, dst, r, 1, {6, 4, 7, 5}), "")
            << "kind " << static_cast<int>(kind) << " mode " << mode << " width " << r.Width();
      }
}

TEST(MaskBorder, LastTileIsCutFromTheStartOfTheSource) {
  // Middle of 30 - 10 - 10 = 10 columns; an edge of 23 takes 10, 10 and 3.
  const Element el = MakeElement(Kind::Keyed, 0, 10, 4, 10, 5);
  TBitmap32 dst = test::Solid(43, 20, kBack);
  DrawBorderMask(dst, Bounds(0, 0, 43, 20), EmptyCacheInfo(), false, 0, el.e);
  for (int x = 10; x < 33; ++x) EXPECT_EQ(dst.Pixel(x, 0).B, 5 + 10 + (x - 10) % 10) << x;
  EXPECT_EQ(dst.Pixel(32, 0).B, 5 + 12);
  EXPECT_EQ(dst.Pixel(33, 0).B, 5 + 20);
}

TEST(MaskBorder, TargetsSmallerThanTheMarginsCutTheCorners) {
  // WL = WR = 10 on a 15-pixel rectangle: 8 columns from the left, 7 from the right.
  const Element el = MakeElement(Kind::Keyed, kMaskFillCentre, 10, 4, 10, 5);
  TBitmap32 dst = test::Solid(20, 20, kBack);
  const TRect r = Bounds(2, 1, 15, 12);
  DrawBorderMask(dst, r, EmptyCacheInfo(), false, 0, el.e);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(dst.Pixel(2 + i, 1).B, 5 + i);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(dst.Pixel(10 + i, 1).B, 5 + 23 + i);
  EXPECT_EQ(dst.Pixel(1, 1), kBack);
  EXPECT_EQ(dst.Pixel(17, 1), kBack);
  // Height 7 against 4 + 5: excess 2, so 3 rows from the top and 4 from the bottom.
  TBitmap32 low = test::Solid(40, 10, kBack);
  DrawBorderMask(low, Bounds(0, 0, 40, 7), EmptyCacheInfo(), false, 0, el.e);
  EXPECT_EQ(CheckTiled(el, Kind::Keyed, low, Bounds(0, 0, 40, 7), 0, {10, 3, 10, 4}), "");
  const TSliceMargins odd = FitMargins(el.e, 15, 8);
  EXPECT_EQ(odd.L, 8);
  EXPECT_EQ(odd.R, 7);
  EXPECT_EQ(odd.T, 4);
  EXPECT_EQ(odd.B, 4);
  // One margin of zero: the pieces still stay inside the target.
  TMaskElement e = el.e;
  e.WL = 0;
  e.WR = 20;
  const TSliceMargins lopsided = FitMargins(e, 15, 20);
  EXPECT_EQ(lopsided.L, 0);
  EXPECT_EQ(lopsided.R, 15);
}

TEST(MaskBorder, StatesAndTheNormalStateFlag) {
  Element el = MakeElement(Kind::Keyed, kMaskNoNormal);
  TBitmap32 dst = test::Solid(40, 30, kBack);
  DrawBorderMask(dst, Bounds(0, 0, 40, 30), EmptyCacheInfo(), false, 0, el.e);
  EXPECT_EQ(test::Diff(dst, test::Solid(40, 30, kBack)), "");
  DrawBorderMask(dst, Bounds(0, 0, 40, 30), EmptyCacheInfo(), false, 1, el.e);
  EXPECT_EQ(dst.Pixel(0, 0).B, 35);
  // State 5 of three frames draws the last; a single frame serves every state.
  DrawBorderMask(dst, Bounds(0, 0, 40, 30), EmptyCacheInfo(), false, 5, el.e);
  EXPECT_EQ(dst.Pixel(0, 0).B, 65);
  el.e.ImageCount = 1;
  DrawBorderMask(dst, Bounds(0, 0, 40, 30), EmptyCacheInfo(), false, 1, el.e);
  EXPECT_EQ(dst.Pixel(0, 0).B, 5);
}

TEST(MaskBorder, NothingForUndrawableElements) {
  const TBitmap32 clean = test::Solid(40, 30, kBack);
  auto draw = [&](const TMaskElement& e, TRect r = Bounds(0, 0, 40, 30)) {
    TBitmap32 dst = clean;
    DrawBorderMask(dst, r, EmptyCacheInfo(), false, 1, e);
    return test::Diff(dst, clean).empty();
  };
  Element el = MakeElement(Kind::Keyed, kMaskFillCentre);
  EXPECT_FALSE(draw(el.e));
  EXPECT_TRUE(draw(el.e, Bounds(0, 0, 1, 30)));
  TMaskElement e = el.e;
  e.HasManager = false;
  EXPECT_TRUE(draw(e));
  // Margins wider than the frame leave no middle.
  e = el.e;
  e.WL = 20;
  e.WR = 20;
  EXPECT_TRUE(draw(e));
  // Rectangles that run off the source are dropped, never read outside it.
  e = el.e;
  e.R = Bounds(50, 3, 90, 20);
  EXPECT_TRUE(draw(e));
  e = el.e;
  e.R = Bounds(5, 10, 90, 20);
  EXPECT_TRUE(draw(e));
  e = el.e;
  e.R.Top = -1;
  EXPECT_TRUE(draw(e));
  Element masked = MakeElement(Kind::Masked, 0);
  masked.e.R.Bottom += 10;  // mask half beyond the bitmap
  EXPECT_TRUE(draw(masked.e));
}

TEST(MaskBorder, StretchedEdgesAreOnePieceEach) {
  for (Kind kind : {Kind::Keyed, Kind::Masked}) {
    const Element el = MakeElement(kind, kMaskStretch | kMaskFillCentre);
    // The left edge: ch = 11 rows stretched to 22, so each source row twice.
    TBitmap32 dst = test::Solid(60, 31, kBack);
    DrawBorderMask(dst, Bounds(0, 0, 60, 31), EmptyCacheInfo(), false, 0, el.e);
    for (int k = 0; k < 11; ++k) {
      EXPECT_EQ(dst.Pixel(0, 4 + 2 * k).G, 3 + 4 + k) << k;
      EXPECT_EQ(dst.Pixel(0, 5 + 2 * k).G, 3 + 4 + k) << k;
    }
    // Corners stay unscaled.
    EXPECT_EQ(dst.Pixel(59, 30).B, 5 + 29);
    EXPECT_EQ(dst.Pixel(59, 30).G, 3 + 19);
    EXPECT_EQ(dst.Pixel(53, 26).B, 5 + 23);
  }
  // An alpha element stretches too; its centre is covered edge to edge.
  const Element el = MakeElement(Kind::Alpha, kMaskStretch | kMaskFillCentre);
  TBitmap32 dst = test::Solid(60, 31, kBack);
  DrawBorderMask(dst, Bounds(0, 0, 60, 31), EmptyCacheInfo(), false, 0, el.e);
  for (int y = 0; y < 31; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_NE(dst.Pixel(x, y), kBack) << x << ',' << y;
}

TEST(MaskBorder, KeyColourCornersShowTheParent) {
  Element el = MakeElement(Kind::Keyed, 0);
  // A hole in the top-left corner of frame 0 and one in its top edge.
  el.master->Pixel(5, 3) = kKeyPixel;
  el.master->Pixel(5 + 10, 3) = kKeyPixel;
  TBitmap32 parent = test::Solid(80, 80, {9, 8, 7, 255});
  parent.Pixel(12, 13) = {50, 60, 70, 255};
  TCacheInfo ci;
  ci.Bmp = &parent;
  ci.X = 12;
  ci.Y = 13;
  ci.Ready = true;
  ci.FillColor = 0x112233;
  const TRect r = Bounds(0, 0, 40, 30);
  auto draw = [&](bool update, int cfg, const TCacheInfo& c) {
    el.e.Cfg = cfg;
    TBitmap32 dst = test::Solid(40, 30, kBack);
    DrawBorderMask(dst, r, c, update, 0, el.e);
    return dst;
  };
  TBitmap32 d = draw(true, 2, ci);
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{50, 60, 70, 255}));
  EXPECT_EQ(d.Pixel(10, 0), kKeyPixel);  // edges are opaque copies
  d = draw(true, 1, ci);
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{50, 60, 70, 255}));
  // Without the flag or without Cfg bits the hole keeps what was there.
  EXPECT_EQ(draw(false, 3, ci).Pixel(0, 0), kBack);
  EXPECT_EQ(draw(true, 0, ci).Pixel(0, 0), kBack);
  // A parent that is not ready gives its fill colour.
  TCacheInfo unready = ci;
  unready.Ready = false;
  d = draw(true, 2, unready);
  EXPECT_EQ(d.Pixel(0, 0).R, 0x33);
  EXPECT_EQ(d.Pixel(0, 0).G, 0x22);
  EXPECT_EQ(d.Pixel(0, 0).B, 0x11);
}

}  // namespace
}  // namespace qv
