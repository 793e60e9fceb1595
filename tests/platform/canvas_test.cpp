// The canvas: clipping at every edge, viewport origin, copies and stretches
// (rounding, mirroring, four bytes), fills, outlines, lines, polygons, the
// focus rectangle and saved states.
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace qv {
namespace {

constexpr TBGRA kPaper{1, 2, 3, 4};

// A picture in which every pixel names its place: B = x, G = y.
TBitmap32 Numbered(int w, int h, TRowOrder order = TRowOrder::TopDown) {
  TBitmap32 b(w, h, order);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 0x77,
                       static_cast<std::uint8_t>(100 + x + y)};
  return b;
}

TBitmap32 Paper(int w, int h, TRowOrder order = TRowOrder::TopDown) {
  TBitmap32 b(w, h, order);
  b.Fill(kPaper);
  return b;
}

// Pixels that differ from the paper, as a picture of '#' and '.'.
std::string Marks(const TBitmap32& b) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) s += b.Pixel(x, y) == kPaper ? '.' : '#';
    s += '\n';
  }
  return s;
}

TEST(CanvasFill, SolidFillsLeaveAlphaZeroAndResolveSystemColours) {
  TBitmap32 b = Paper(4, 3);
  TCanvas c(b);
  c.FillRect(Rect(1, 1, 3, 2), RGB(10, 20, 30));
  EXPECT_EQ(b.Pixel(1, 1), (TBGRA{30, 20, 10, 0}));
  EXPECT_EQ(b.Pixel(2, 1), (TBGRA{30, 20, 10, 0}));
  EXPECT_EQ(b.Pixel(3, 1), kPaper);
  EXPECT_EQ(b.Pixel(1, 2), kPaper);
  c.FillRect(Rect(0, 0, 1, 1), clBtnFace);
  EXPECT_EQ(PixelToColor(b.Pixel(0, 0)), ColorToRGB(clBtnFace));
  c.Brush.Color = clRed;
  c.FillRect(Rect(3, 0, 4, 1));
  EXPECT_EQ(b.Pixel(3, 0), (TBGRA{0, 0, 255, 0}));
  c.Brush.Style = TBrushStyle::bsClear;
  c.FillRect(Rect(0, 2, 4, 3));
  EXPECT_EQ(b.Pixel(0, 2), kPaper);
}

TEST(CanvasFill, ClippedAtEveryEdgeWithoutOverflow) {
  TBitmap32 b = Paper(5, 4);
  TCanvas c(b);
  c.FillRect(Rect(-3, -3, 2, 1), clBlack);  // past the top-left corner
  c.FillRect(Rect(4, 3, 50, 50), clBlack);  // past the bottom-right corner
  EXPECT_EQ(Marks(b), "##...\n.....\n.....\n....#\n");
  c.FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), clBlack);  // whole plane
  EXPECT_EQ(Marks(b), "#####\n#####\n#####\n#####\n");
  TBitmap32 d = Paper(3, 3);
  TCanvas e(d);
  e.SetViewportOrg({INT_MAX, INT_MIN});  // translation near the int limits
  e.FillRect(Rect(INT_MIN, 0, INT_MIN + 2, 2), clBlack);
  e.FillRect(Rect(0, INT_MAX - 1, 5, INT_MAX), clBlack);
  EXPECT_EQ(Marks(d), "...\n...\n...\n");
}

TEST(CanvasClip, ViewportClipRectAndRegion) {
  TBitmap32 b = Paper(8, 6, TRowOrder::BottomUp);
  TCanvas c(b);
  c.SetViewportOrg({2, 1});
  c.SetClipRect(Rect(0, 0, 3, 3));  // device (2,1)-(5,4)
  c.SetViewportOrg({0, 0});         // the clip stays where it was set
  EXPECT_EQ(c.ClipBox(), Rect(2, 1, 5, 4));
  c.FillRect(Rect(0, 0, 8, 6), clBlack);
  EXPECT_EQ(Marks(b), "........\n..###...\n..###...\n..###...\n........\n........\n");
  c.ExcludeClipRect(Rect(3, 2, 4, 3));
  EXPECT_FALSE(c.PtVisible({3, 2}));
  EXPECT_TRUE(c.PtVisible({2, 2}));
  EXPECT_TRUE(c.RectVisible(Rect(4, 3, 9, 9)));
  EXPECT_FALSE(c.RectVisible(Rect(5, 0, 9, 9)));
  c.IntersectClipRect(Rect(0, 0, 4, 8));
  EXPECT_EQ(c.ClipBox(), Rect(2, 1, 4, 4));
  c.IntersectClipRect(Rect(6, 0, 8, 8));
  EXPECT_EQ(c.ClipBox(), TRect{});
  EXPECT_TRUE(c.DeviceClipRects().empty());

  // A region given in logical coordinates lands at the origin.
  b.Fill(kPaper);
  TRegion shape(Rect(0, 0, 1, 1));
  shape.Union(Rect(2, 1, 3, 2));
  c.SetViewportOrg({5, 3});
  c.SetClipRegion(&shape);
  c.FillRect(Rect(-10, -10, 10, 10), clBlack);
  EXPECT_EQ(Marks(b), "........\n........\n........\n.....#..\n.......#\n........\n");
  c.SetClipRegion(nullptr);
  c.SetViewportOrg({0, 0});
  EXPECT_EQ(c.ClipBox(), b.BoundsRect());
}

TEST(CanvasClip, ExcludingWithoutClipFollowsTheBitmapSize) {
  TBitmap32 b = Paper(4, 4);
  TCanvas c(b);
  c.ExcludeClipRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(c.DeviceClipRects().size(), 2u);
  b.SetSize(6, 6);
  b.Fill(kPaper);
  c.FillRect(Rect(0, 0, 6, 6), clBlack);  // the grown part is visible too
  EXPECT_EQ(Marks(b), "..####\n..####\n######\n######\n######\n######\n");
}

TEST(CanvasSave, RestoreBringsBackOriginClipAndTools) {
  TBitmap32 b = Paper(4, 4);
  TCanvas c(b);
  c.Brush.Color = clRed;
  const int first = c.SaveDC();
  c.SetViewportOrg({1, 1});
  c.SetClipRect(Rect(0, 0, 1, 1));
  c.Brush.Color = clBlue;
  c.SetStretchBltMode(COLORONCOLOR);
  const int second = c.SaveDC();
  EXPECT_EQ(second, first + 1);
  c.ResetClip();
  c.Pen.Width = 3;
  EXPECT_TRUE(c.RestoreDC(-1));
  EXPECT_EQ(c.ClipBox(), Rect(0, 0, 1, 1));
  EXPECT_EQ(c.Pen.Width, 1);
  EXPECT_FALSE(c.RestoreDC(second));  // already popped
  EXPECT_TRUE(c.RestoreDC(first));
  EXPECT_EQ(c.ViewportOrg(), (TPoint{0, 0}));
  EXPECT_EQ(c.Brush.Color, clRed);
  EXPECT_EQ(c.StretchBltMode(), BLACKONWHITE);
  EXPECT_EQ(c.ClipBox(), b.BoundsRect());
  EXPECT_FALSE(c.RestoreDC(-1));  // nothing saved
  EXPECT_FALSE(c.RestoreDC(0));
}

TEST(CanvasBitBlt, CopiesFourBytesClippedOnBothSides) {
  TBitmap32 src = Numbered(4, 4, TRowOrder::BottomUp);
  TBitmap32 b = Paper(5, 5);
  TCanvas c(b);
  // Negative destination and a source block that hangs off the source.
  c.BitBlt(-1, -2, 4, 6, src, 1, 0);
  EXPECT_EQ(b.Pixel(0, 0), src.Pixel(2, 2));  // alpha included
  EXPECT_EQ(b.Pixel(1, 1), src.Pixel(3, 3));
  EXPECT_EQ(b.Pixel(2, 1), kPaper);  // source column 4 does not exist
  EXPECT_EQ(b.Pixel(0, 2), kPaper);  // nor source row 4
  // Source off the top-left: only the overlapping part arrives.
  b.Fill(kPaper);
  c.BitBlt(2, 2, 3, 3, src, -1, -1);
  EXPECT_EQ(b.Pixel(2, 2), kPaper);
  EXPECT_EQ(b.Pixel(3, 3), src.Pixel(0, 0));
  EXPECT_EQ(b.Pixel(4, 4), src.Pixel(1, 1));
  EXPECT_EQ(Marks(b), ".....\n.....\n.....\n...##\n...##\n");
  // Clip region with a hole; from a canvas with its own origin.
  b.Fill(kPaper);
  TCanvas from(src);
  from.SetViewportOrg({1, 1});
  c.ExcludeClipRect(Rect(1, 1, 2, 2));
  c.BitBlt(0, 0, 2, 2, from, 0, 0);
  EXPECT_EQ(b.Pixel(0, 0), src.Pixel(1, 1));
  EXPECT_EQ(b.Pixel(1, 1), kPaper);
  EXPECT_EQ(b.Pixel(1, 0), src.Pixel(2, 1));
  EXPECT_THROW(c.BitBlt(0, 0, 1, 1, src, 0, 0, 0x00EE0086), std::invalid_argument);
}

TEST(CanvasBitBlt, OverlappingCopyWithinOneBitmap) {
  for (TRowOrder order : {TRowOrder::TopDown, TRowOrder::BottomUp}) {
    TBitmap32 b = Numbered(6, 6, order);
    const TBitmap32 before = b;
    TCanvas c(b);
    c.BitBlt(1, 1, 5, 5, b, 0, 0);  // down-right by one
    for (int y = 1; y < 6; ++y)
      for (int x = 1; x < 6; ++x) ASSERT_EQ(b.Pixel(x, y), before.Pixel(x - 1, y - 1));
    c.BitBlt(0, 0, 5, 5, b, 1, 1);  // and back
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(b.Pixel(x, y), before.Pixel(x, y));
  }
}

// Which source column each destination column of a one-row stretch took.
std::vector<int> StretchRow(int w, int sx, int sw, int dest_x = 0, int width = 0) {
  const TBitmap32 src = Numbered(8, 1);
  TBitmap32 b = Paper(width ? width : (w < 0 ? -w : w), 1);
  TCanvas c(b);
  c.SetStretchBltMode(COLORONCOLOR);
  c.StretchBlt(dest_x, 0, w, 1, src, sx, 0, sw, 1);
  std::vector<int> out;
  for (int x = 0; x < b.Width(); ++x) out.push_back(b.Pixel(x, 0) == kPaper ? -1 : b.Pixel(x, 0).B);
  return out;
}

TEST(CanvasStretch, NearestPixelTakesTheSourceUnderEachCentre) {
  EXPECT_EQ(StretchRow(5, 0, 2), (std::vector<int>{0, 0, 1, 1, 1}));
  EXPECT_EQ(StretchRow(4, 0, 2), (std::vector<int>{0, 0, 1, 1}));
  EXPECT_EQ(StretchRow(2, 0, 3), (std::vector<int>{0, 2}));
  EXPECT_EQ(StretchRow(3, 1, 7), (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(StretchRow(1, 0, 8), (std::vector<int>{4}));
  EXPECT_EQ(StretchRow(7, 2, 3), (std::vector<int>{2, 2, 3, 3, 3, 4, 4}));
}

TEST(CanvasStretch, NegativeSizesMirror) {
  // A negative width walks left from the start pixel.
  EXPECT_EQ(StretchRow(-3, 0, 3, 2), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(StretchRow(3, 2, -3), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(StretchRow(-3, 2, -3, 2), (std::vector<int>{0, 1, 2}));  // both: no mirror
  EXPECT_EQ(StretchRow(-6, 0, 3, 5), (std::vector<int>{2, 2, 1, 1, 0, 0}));
  // Vertical mirror of a bottom-up source.
  const TBitmap32 src = Numbered(2, 3, TRowOrder::BottomUp);
  TBitmap32 b = Paper(2, 3);
  TCanvas c(b);
  c.StretchBlt(0, 2, 2, -3, src, 0, 0, 2, 3);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(b.Pixel(1, y), src.Pixel(1, 2 - y));
}

TEST(CanvasStretch, ClippedDestinationAndSourceOutsideTheBitmap) {
  // Destination starts left of the bitmap: the visible pixels keep their mapping.
  EXPECT_EQ(StretchRow(4, 0, 2, -1, 3), (std::vector<int>{0, 1, 1}));
  // Source pixels that do not exist leave the destination alone.
  EXPECT_EQ(StretchRow(4, -1, 2), (std::vector<int>{-1, -1, 0, 0}));
  EXPECT_EQ(StretchRow(4, 7, 2), (std::vector<int>{7, 7, -1, -1}));
  // A far-away, huge stretch only works on the visible pixels.
  TBitmap32 b = Paper(3, 3);
  TCanvas c(b);
  c.StretchBlt(INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX, Numbered(2, 2), 0, 0, 2, 2);
  EXPECT_EQ(b.Pixel(2, 2).B, 1);
  EXPECT_EQ(b.Pixel(2, 2).G, 1);
}

TEST(CanvasStretch, FourBytesAndRowReuse) {
  const TBitmap32 src = Numbered(2, 2);
  TBitmap32 b = Paper(4, 6, TRowOrder::BottomUp);
  TCanvas c(b);
  c.SetStretchBltMode(COLORONCOLOR);
  c.StretchBlt(0, 0, 4, 6, src, 0, 0, 2, 2);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(b.Pixel(x, y), src.Pixel(x / 2, y / 3));
}

TEST(CanvasStretch, ShrinkingModesCombineThePixels) {
  TBitmap32 src(2, 1);
  src.Pixel(0, 0) = {0x0F, 0x10, 200, 10};
  src.Pixel(1, 0) = {0xF0, 0x30, 100, 21};
  auto shrink = [&](TStretchMode mode) {
    TBitmap32 b = Paper(1, 1);
    TCanvas c(b);
    c.SetStretchBltMode(mode);
    c.StretchBlt(0, 0, 1, 1, src, 0, 0, 2, 1);
    return b.Pixel(0, 0);
  };
  EXPECT_EQ(shrink(BLACKONWHITE), (TBGRA{0x00, 0x10, 100 & 200, 10 & 21}));
  EXPECT_EQ(shrink(WHITEONBLACK), (TBGRA{0xFF, 0x30, 100 | 200, 10 | 21}));
  EXPECT_EQ(shrink(HALFTONE), (TBGRA{0x80, 0x20, 150, 16}));  // rounded averages
  EXPECT_EQ(shrink(COLORONCOLOR), src.Pixel(1, 0));
}

TEST(CanvasOutline, FrameAndRectangle) {
  TBitmap32 b = Paper(6, 5);
  TCanvas c(b);
  c.FrameRect(Rect(1, 1, 5, 4), clBlack);
  EXPECT_EQ(Marks(b), "......\n.####.\n.#..#.\n.####.\n......\n");
  b.Fill(kPaper);
  c.FrameRect(Rect(2, 0, 3, 5), clBlack);  // one pixel wide
  EXPECT_EQ(Marks(b), "..#...\n..#...\n..#...\n..#...\n..#...\n");
  b.Fill(kPaper);
  c.Pen.Color = clRed;
  c.Brush.Color = clBlue;
  c.MoveTo(5, 4);
  c.Rectangle(Rect(0, 0, 4, 4));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{0, 0, 255, 0}));
  EXPECT_EQ(b.Pixel(3, 3), (TBGRA{0, 0, 255, 0}));
  EXPECT_EQ(b.Pixel(1, 2), (TBGRA{255, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(4, 0), kPaper);
  // The current position is kept: the next line starts from (5, 4).
  c.LineTo(5, 0);
  EXPECT_EQ(b.Pixel(5, 1), (TBGRA{0, 0, 255, 0}));
}

TEST(CanvasLine, EndPointIsNotDrawnAndRoundingIsFixed) {
  TBitmap32 b = Paper(6, 6);
  TCanvas c(b);
  c.MoveTo(0, 0);
  c.LineTo(4, 0);
  EXPECT_EQ(Marks(b).substr(0, 7), "####..\n");
  b.Fill(kPaper);
  c.MoveTo(0, 0);
  c.LineTo(2, 5);  // steep: x = round-half-up(t * 2 / 5)
  EXPECT_EQ(Marks(b), "#.....\n#.....\n.#....\n.#....\n..#...\n......\n");
  b.Fill(kPaper);
  c.Pen.Style = TPenStyle::psDot;
  c.MoveTo(0, 5);
  c.LineTo(6, 5);
  EXPECT_EQ(Marks(b).substr(35), "#.#.#.\n");
  c.Pen.Style = TPenStyle::psClear;
  c.LineTo(0, 0);
  EXPECT_EQ(b.Pixel(3, 2), kPaper);
}

// The visible part of a line must not depend on how far its ends lie outside
// the bitmap: draw each random line on a small canvas and, shifted, on a large
// one that holds it whole, then compare the common window.
TEST(CanvasLine, ClippedLinesMatchUnclippedOnes) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> coord(-40, 50);
  for (int round = 0; round < 300; ++round) {
    const TPoint a{coord(rng), coord(rng)}, z{coord(rng), coord(rng)};
    const int width = round % 3 == 0 ? 3 : 1;
    TBitmap32 small = Paper(10, 10);
    TCanvas cs(small);
    cs.Pen.Width = width;
    cs.SetClipRect(Rect(1, 0, 9, 10));
    cs.MoveTo(a.X, a.Y);
    cs.LineTo(z.X, z.Y);
    TBitmap32 big = Paper(120, 120);
    TCanvas cb(big);
    cb.Pen.Width = width;
    cb.SetViewportOrg({50, 50});
    cb.MoveTo(a.X, a.Y);
    cb.LineTo(z.X, z.Y);
    for (int y = 0; y < 10; ++y)
      for (int x = 1; x < 9; ++x)
        ASSERT_EQ(small.Pixel(x, y), big.Pixel(x + 50, y + 50))
            << "line " << a.X << "," << a.Y << " - " << z.X << "," << z.Y << " at " << x << ","
            << y;
  }
  // Ends near the int limits: the visible row is drawn and nothing hangs.
  TBitmap32 b = Paper(4, 3);
  TCanvas c(b);
  c.MoveTo(INT_MIN, 1);
  c.LineTo(INT_MAX, 1);
  EXPECT_EQ(Marks(b), "....\n####\n....\n");
}

TEST(CanvasPolygon, EvenOddFillByPixelCentres) {
  TBitmap32 b = Paper(12, 12);
  TCanvas c(b);
  c.Pen.Style = TPenStyle::psClear;
  c.Brush.Color = clBlack;
  c.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  EXPECT_EQ(Marks(b).substr(0, 65),
            "............\n.####.......\n.####.......\n.####.......\n............\n");
  b.Fill(kPaper);
  c.Polygon({{0, 0}, {8, 0}, {0, 8}});
  int filled = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) filled += b.Pixel(x, y) != kPaper;
  EXPECT_EQ(filled, 7 + 6 + 5 + 4 + 3 + 2 + 1);
  EXPECT_EQ(b.Pixel(6, 0).A, 0);
  // A frame traced as one outline: the inner square is crossed twice.
  b.Fill(kPaper);
  c.Polygon({{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}});
  EXPECT_EQ(b.Pixel(1, 1), (TBGRA{0, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(3, 3), kPaper);
  // With a pen the outline is drawn too, through the vertices.
  b.Fill(kPaper);
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Color = clRed;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
  EXPECT_EQ(Marks(b).substr(13, 39), ".#####......\n.#...#......\n.#...#......\n");
  // Far-away vertices do not hang and fill what is visible.
  b.Fill(kPaper);
  c.Pen.Style = TPenStyle::psClear;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Polygon({{INT_MIN / 2, INT_MIN / 2},
             {INT_MAX / 2, INT_MIN / 2},
             {INT_MAX / 2, INT_MAX / 2},
             {INT_MIN / 2, INT_MAX / 2}});
  EXPECT_EQ(Marks(b).find('.'), std::string::npos);
}

TEST(CanvasFocus, DottedInvertingAndUndoneBySecondCall) {
  TBitmap32 b = Numbered(6, 5);
  const TBitmap32 before = b;
  TCanvas c(b);
  c.DrawFocusRect(Rect(0, 0, 6, 5));
  EXPECT_EQ(b.Pixel(0, 0).B, static_cast<std::uint8_t>(~before.Pixel(0, 0).B));
  EXPECT_EQ(b.Pixel(0, 0).A, before.Pixel(0, 0).A);
  EXPECT_EQ(b.Pixel(1, 0), before.Pixel(1, 0));
  EXPECT_NE(b.Pixel(2, 0), before.Pixel(2, 0));
  EXPECT_EQ(b.Pixel(2, 2), before.Pixel(2, 2));  // inside stays
  EXPECT_NE(b.Pixel(5, 1), before.Pixel(5, 1));  // right edge, (5 + 1) even
  c.DrawFocusRect(Rect(0, 0, 6, 5));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(b.Pixel(x, y), before.Pixel(x, y));
  // Clipped, and far off the bitmap.
  c.SetClipRect(Rect(0, 0, 3, 5));
  c.DrawFocusRect(Rect(-2, -2, 8, 3));
  EXPECT_EQ(b.Pixel(4, 2), before.Pixel(4, 2));
  EXPECT_NE(b.Pixel(0, 2), before.Pixel(0, 2));
  c.DrawFocusRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
}

TEST(CanvasPixel, SetAndGetThroughOriginAndClip) {
  TBitmap32 b = Paper(4, 4);
  TCanvas c(b);
  c.SetViewportOrg({1, 1});
  c.SetPixel(0, 0, clRed);
  EXPECT_EQ(b.Pixel(1, 1), (TBGRA{0, 0, 255, 0}));
  EXPECT_EQ(c.GetPixel(0, 0), clRed);
  EXPECT_EQ(c.GetPixel(3, 0), -1);  // outside the bitmap
  c.SetPixel(-2, 0, clRed);         // outside: ignored
  c.SetClipRect(Rect(1, 1, 2, 2));
  EXPECT_EQ(c.GetPixel(0, 0), -1);  // outside the clip
  c.SetPixel(INT_MAX, INT_MIN, clRed);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// A window's device context may be clipped further by its painter, but never
// widened past the window's visible area.
TEST(CanvasSystemClip, NoClipCallWidensIt) {
  TBitmap32 bmp(20, 20);
  TCanvas c(bmp);
  const TRegion window(Rect(5, 5, 10, 10));
  c.SetSystemClip(&window);
  c.ResetClip();
  c.FillRect(Rect(0, 0, 20, 20), clWhite);
  c.SetClipRect(Rect(-100, -100, 100, 100));
  c.FillRect(Rect(0, 0, 20, 20), clWhite);
  c.SetClipRegion(nullptr);
  c.FillRect(Rect(0, 0, 20, 20), clWhite);
  int painted = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (bmp.Pixel(x, y).R == 0xFF) {
        ++painted;
        EXPECT_TRUE(Rect(5, 5, 10, 10).Contains({x, y})) << x << "," << y;
      }
  EXPECT_EQ(painted, 25);
  EXPECT_EQ(c.ClipBox(), Rect(5, 5, 10, 10));
  c.SetClipRect(Rect(7, 0, 20, 20));  // a narrower clip still applies
  EXPECT_EQ(c.ClipBox(), Rect(7, 5, 10, 10));
  c.SetSystemClip(nullptr);
  EXPECT_EQ(c.ClipBox(), Rect(7, 0, 20, 20));
}

}  // namespace
}  // namespace qv
