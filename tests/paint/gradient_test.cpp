// Gradient descriptions: both text formats, their failures, and the painters'
// segment positions, rounding, clipping and shapes.
#include "paint/gradient.h"

#include <gtest/gtest.h>

#include "paint/gradient_fill.h"
#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

using test::Diff;
using test::Solid;

const char16_t* kButton = u"16777215;15461355;97;0;0;15461355;15461355;0;0;0";

TsGradArray Parse(const char16_t* text) {
  TsGradArray a;
  ParseGradient(text, a);
  return a;
}

TEST(ParseGradient, OlderFormatTheSkinsButtonGradient) {
  const TsGradArray a = Parse(kButton);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Color.Value(), 0xFFFFFFFFu);  // alpha forced to 255
  EXPECT_EQ(a[0].Percent, 0);
  EXPECT_EQ(int{a[0].Mode}, 0);
  EXPECT_EQ(a[1].Color.Value(), 0xFFEBEBEBu);
  EXPECT_EQ(a[1].Percent, 100);  // 97, moved to 100 as the last stop
  EXPECT_EQ(int{a[1].Index}, 1);
}

TEST(ParseGradient, OlderFormatPositionsModesAndFivePointPadding) {
  // Lengths 30, 150 (clamped to 100), -5 (clamped to 0); the alpha bit is dropped.
  const TsGradArray a = Parse(u"1;x;30;16;x;2;x;150;0;x;3;x;-5;0;x;4;x;0;0;0");
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(int{a[0].Mode}, 0);
  EXPECT_EQ(a[1].Percent, 30);
  EXPECT_EQ(a[2].Percent, 100);
  EXPECT_EQ(a[3].Percent, 100);
  // Five-point with three stops: stops 3 and 4 copy stop 2.
  const TsGradArray f = Parse(u"1;0;10;2;0;2;0;10;0;0;3;0;10;0;0");
  ASSERT_EQ(f.size(), 5u);
  EXPECT_EQ(f[3].Color, f[2].Color);
  EXPECT_EQ(f[4].Color.Value(), 0xFF000003u);
  EXPECT_EQ(f[4].Percent, 100);
  // Remaining fields are ignored; fewer than five fields give no stop.
  EXPECT_EQ(Parse(u"1;0;10;0;0;7;7;0").size(), 1u);
  EXPECT_TRUE(Parse(u"1;0;10;0").empty());
}

TEST(ParseGradient, RunsOfSeparatorsCountAsOne) {
  const TsGradArray a = Parse(u";;255;0;0;;;-2130771968;40;16;65280;;250;0;C");
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[1].Percent, 40);
  // The last character chooses the format, so a trailing ';' is a bad count.
  EXPECT_THROW(Parse(u"255;0;0;A;"), EGradientError);
}

TEST(ParseGradient, NewerFormatStopsAndFlags) {
  const TsGradArray a = Parse(u"255;0;1;-2130771968;60;16;65280;20;0;C");
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(int{a[0].Mode}, 1 | gmHasAlpha);  // an alpha stop marks the first
  EXPECT_EQ(a[1].Color.Value(), 0x80FF0000u);
  EXPECT_EQ(a[1].Percent, 60);
  EXPECT_EQ(a[2].Percent, 100);
  EXPECT_EQ(Parse(u"255;120;0;A")[0].Percent, 100);
  EXPECT_EQ(Parse(u"255;120;0;7;-9;0;B")[0].Percent, 100);  // clamped to 0..100
  EXPECT_EQ(Parse(u"255;120;0;7;-9;0;B")[1].Percent, 100);
  EXPECT_TRUE(Parse(u"1;2;3;@").empty());  // stop count 0
}

TEST(ParseGradient, ShortTextsAndMalformedFields) {
  TsGradArray a = Parse(kButton);
  ParseGradient(u"abcd", a);  // four characters: parsed, and empty
  EXPECT_TRUE(a.empty());
  EXPECT_THROW(Parse(u"1;2;x;B"), EGradientError);              // not an integer
  EXPECT_THROW(Parse(u"1;2;3;B"), EGradientError);              // a missing field
  EXPECT_THROW(Parse(u"1;2;3;4;5;6;7;8;Z"), EGradientError);    // far too few fields
  EXPECT_THROW(Parse(u"1;2;3;5"), EGradientError);              // negative stop count
  EXPECT_THROW(Parse(u"99999999999;0;0;0;0"), EGradientError);  // 32-bit overflow
  EXPECT_THROW(Parse(u"1;0;ten;0;0;0"), EGradientError);
  // A failed parse leaves no half-read stops behind.
  a = Parse(kButton);
  EXPECT_THROW(ParseGradient(u"1;2;x;B", a), EGradientError);
  EXPECT_TRUE(a.empty());
}

std::vector<std::uint8_t> Column(const TBitmap32& b, int x) {
  std::vector<std::uint8_t> v;
  for (int y = 0; y < b.Height(); ++y) v.push_back(b.Pixel(x, y).R);
  return v;
}

std::vector<std::uint8_t> Row(const TBitmap32& b, int y) {
  std::vector<std::uint8_t> v;
  for (int x = 0; x < b.Width(); ++x) v.push_back(b.Pixel(x, y).R);
  return v;
}

TEST(PaintGradient, VerticalButtonGradientNeverReachesItsEndColour) {
  for (TRowOrder order : {TRowOrder::TopDown, TRowOrder::BottomUp}) {
    TBitmap32 b = Solid(10, 4, {0, 0, 0, 0}, order);
    PaintGradient(b, b.BoundsRect(), Parse(kButton));
    EXPECT_EQ(Column(b, 9), (std::vector<std::uint8_t>{255, 250, 245, 240}));
    EXPECT_EQ(b.Pixel(0, 3), (TBGRA{240, 240, 240, 255}));
  }
}

TEST(PaintGradient, HorizontalFiveByTwoReachesItsEndColour) {
  TsGradArray a = Parse(kButton);
  a[0].Mode = gmHorizontal;
  TBitmap32 b = Solid(5, 2, {0, 0, 0, 0});
  PaintGradient(b, b.BoundsRect(), a);
  EXPECT_EQ(Row(b, 0), (std::vector<std::uint8_t>{255, 250, 245, 240, 235}));
  EXPECT_EQ(Row(b, 1), Row(b, 0));
  EXPECT_EQ(b.Pixel(4, 1), (TBGRA{235, 235, 235, 255}));
}

TEST(PaintGradient, HorizontalStaysInsideItsRectangle) {
  TsGradArray a = Parse(kButton);
  a[0].Mode = gmHorizontal;
  TBitmap32 b = Solid(8, 3, {1, 2, 3, 4});
  PaintGradient(b, Rect(0, 0, 5, 2), a);
  // Six values over columns 0..5 (step -4); column 5 is computed, not written.
  EXPECT_EQ(Row(b, 1), (std::vector<std::uint8_t>{255, 251, 247, 243, 239, 3, 3, 3}));
  EXPECT_EQ(b.Pixel(5, 0), (TBGRA{1, 2, 3, 4}));
  EXPECT_EQ(b.Pixel(5, 1), (TBGRA{1, 2, 3, 4}));
  EXPECT_EQ(b.Pixel(0, 2), (TBGRA{1, 2, 3, 4}));
}

TEST(PaintGradient, SolidBandsSegmentsAndBackwardPositions) {
  // Equal colours give a solid band, alpha 255; the second segment starts at its own colour.
  const TsGradArray a = Parse(u"100;0;0;100;50;0;0;100;0;C");
  TBitmap32 b = Solid(2, 10, {0, 0, 0, 0});
  PaintGradient(b, b.BoundsRect(), a);
  EXPECT_EQ(Column(b, 0),
            (std::vector<std::uint8_t>{100, 100, 100, 100, 100, 100, 80, 60, 40, 20}));
  EXPECT_EQ(b.Pixel(1, 9), (TBGRA{0, 0, 20, 255}));
  // Positions 0, 80, 20, 100: the third segment runs back and paints nothing,
  // moving the running row back to 2, where the last segment starts.
  const TsGradArray back = Parse(u"0;0;0;200;80;0;50;20;0;100;90;0;D");
  TBitmap32 c = Solid(1, 10, {7, 7, 7, 7});
  PaintGradient(c, c.BoundsRect(), back);
  EXPECT_EQ(Column(c, 0), (std::vector<std::uint8_t>{0, 25, 50, 56, 62, 69, 75, 81, 88, 94}));
  // Positions that start high and run back never write above the rectangle.
  const TsGradArray up = Parse(u"0;90;0;50;10;0;100;100;0;C");
  TBitmap32 d = Solid(1, 12, {7, 7, 7, 7});
  PaintGradient(d, Rect(0, 2, 1, 12), up);
  EXPECT_EQ(d.Pixel(0, 0), (TBGRA{7, 7, 7, 7}));
  EXPECT_EQ(d.Pixel(0, 1), (TBGRA{7, 7, 7, 7}));
}

TEST(PaintGradient, ClipsAndIgnoresRectanglesOutsideTheBitmap) {
  const TsGradArray a = Parse(kButton);
  TBitmap32 b = Solid(4, 4, {1, 1, 1, 1});
  PaintGradient(b, Rect(-3, -3, 2, 2), a);  // clipped to (0, 0, 2, 2)
  EXPECT_EQ(b.Pixel(0, 0).R, 255);
  EXPECT_EQ(b.Pixel(1, 1).R, 245);  // two rows: 255, then halfway to 235
  EXPECT_EQ(b.Pixel(2, 0), (TBGRA{1, 1, 1, 1}));
  const TBitmap32 before = b;
  PaintGradient(b, Rect(10, 0, 20, 4), a);  // right of the bitmap
  PaintGradient(b, Rect(0, -9, 4, -1), a);  // above it
  TsGradArray h = a;
  h[0].Mode = gmHorizontal;
  PaintGradient(b, Rect(5, 5, 9, 9), h);
  EXPECT_EQ(Diff(b, before), "");
  TBitmap32 none;
  PaintGradient(none, Rect(0, 0, 5, 5), a);
}

TEST(PaintGradient, AlphaSegmentsCompositeOverTheBackground) {
  // Transparent to opaque red over white, rows 0..3.
  const TsGradArray a = Parse(u"255;0;16;-16776961;100;16;B");
  TBitmap32 b = Solid(1, 4, {255, 255, 255, 255});
  PaintGradient(b, b.BoundsRect(), a);
  // The rectangle of the gradient starts one row above, so row 0 is already tinted.
  EXPECT_LT(b.Pixel(0, 0).G, 255);
  EXPECT_GT(b.Pixel(0, 0).G, b.Pixel(0, 3).G);
  EXPECT_EQ(b.Pixel(0, 3).R, 255);
  EXPECT_EQ(b.Pixel(0, 3).A, 255);
}

TEST(PaintGradient, FivePointShapes) {
  // Four stops: nothing.
  TsGradArray four = Parse(u"255;0;2;255;0;0;255;0;0;255;0;0;D");
  TBitmap32 b = Solid(10, 10, {1, 1, 1, 1});
  PaintGradient(b, b.BoundsRect(), four);
  EXPECT_EQ(b.Pixel(5, 5), (TBGRA{1, 1, 1, 1}));
  // Black corners, white centre: bright in the middle, dark at the corners,
  // every pixel covered once and opaque.
  TsGradArray five = Parse(u"0;0;2;16777215;0;0;0;0;0;0;0;0;0;0;0;E");
  PaintGradient(b, b.BoundsRect(), five);
  EXPECT_GT(b.Pixel(5, 5).R, 200);
  EXPECT_LT(b.Pixel(0, 0).R, 30);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(b.Pixel(x, y).A, 255) << x << "," << y;
  // Centre-weighted with alpha: the centre colour in the middle, corners at the edges.
  TsGradArray path = Parse(u"-16777216;0;34;-1;0;0;-16777216;0;0;-16777216;0;0;-16777216;0;0;E");
  TBitmap32 c = Solid(11, 11, {0, 0, 255, 255});
  PaintGradient(c, c.BoundsRect(), path);
  EXPECT_GT(c.Pixel(5, 5).G, 230);
  EXPECT_LT(c.Pixel(0, 0).G, 30);
}

TEST(GradientFillTriangles, SharedEdgesArePaintedOnce) {
  // Two triangles of a square with a half-transparent... alpha channel written
  // as value >> 8; the diagonal belongs to exactly one of them.
  TBitmap32 b = Solid(8, 8, {0, 0, 0, 0});
  const TTriVertex v[4] = {{0, 0, 0x8000, 0, 0, 0xFF00},
                           {8, 0, 0x8000, 0, 0, 0xFF00},
                           {8, 8, 0x8000, 0, 0, 0xFF00},
                           {0, 8, 0x8000, 0, 0, 0xFF00}};
  const TGradientTriangle t[3] = {{0, 1, 2}, {0, 2, 3}, {0, 2, 9}};  // the last names no vertex
  GradientFillTriangles(b, v, 4, t, 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(b.Pixel(x, y), (TBGRA{0, 0, 0x80, 0xFF}));
}

TEST(PaintGradientTextured, MixesTheTiledTextureFromTheBitmapOrigin) {
  TBitmap32 tex(2, 1);
  tex.Pixel(0, 0) = {0, 0, 0, 0};
  tex.Pixel(1, 0) = {200, 200, 200, 0};
  TBitmap32 b = Solid(5, 4, {9, 9, 9, 9});
  // Vertical segments include both end rows: 255, 250, 245, 240 become
  // 255, 255 - 15/3 ... as the step is (235 - 255) / 3.
  PaintGradientTextured(b, Rect(1, 0, 5, 4), Parse(kButton), 200, 128, TRect{}, tex);
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{9, 9, 9, 9}));
  EXPECT_EQ(b.Pixel(1, 0),
            (TBGRA{(128 * (200 - 255) + 255 * 256) >> 8, (128 * (200 - 255) + 255 * 256) >> 8,
                   (128 * (200 - 255) + 255 * 256) >> 8, 200}));
  EXPECT_EQ(b.Pixel(2, 3).R, (128 * (0 - 235) + 235 * 256) >> 8);  // last row carries c2
  // A texture with no pixels paints nothing.
  const TBitmap32 before = b;
  PaintGradientTextured(b, b.BoundsRect(), Parse(kButton), 255, 128, Rect(5, 5, 9, 9), tex);
  PaintGradientTextured(b, b.BoundsRect(), Parse(kButton), 255, 128, TRect{}, TBitmap32{});
  EXPECT_EQ(Diff(b, before), "");
}

TEST(PaintGradientTextured, HorizontalStaysInsideItsRectangle) {
  TsGradArray a = Parse(kButton);
  a[0].Mode = gmHorizontal;
  const TBitmap32 tex = Solid(3, 3, {0, 0, 0, 0});
  TBitmap32 b = Solid(8, 2, {1, 2, 3, 4});
  PaintGradientTextured(b, Rect(0, 0, 5, 2), a, 255, 0, TRect{}, tex);
  EXPECT_EQ(Row(b, 1), (std::vector<std::uint8_t>{255, 251, 247, 243, 239, 3, 3, 3}));
}

}  // namespace
}  // namespace qv
