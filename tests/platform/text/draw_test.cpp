// Text painting: glyph pixels in the font colour with alpha 0, transparent
// and opaque backgrounds, clipping, origin, decorations, accelerator
// underlines and 8-bit masks.
#include <gtest/gtest.h>

#include "platform/text/font_cache.h"
#include "platform/text/text.h"

namespace qv {
namespace {

constexpr TBGRA kPaper{0xEE, 0xDD, 0xCC, 0xFF};

class TextDraw : public ::testing::Test {
 protected:
  TextDraw() : bmp_(160, 40) {
    bmp_.Fill(kPaper);
    font_.Name = u"Tahoma";
    font_.Height = -11;
    font_.Color = clBlack;
  }

  // Bounding box of the pixels text touched (those that lost their alpha).
  TRect Touched() const {
    TRect box{bmp_.Width(), bmp_.Height(), 0, 0};
    for (int y = 0; y < bmp_.Height(); ++y)
      for (int x = 0; x < bmp_.Width(); ++x)
        if (bmp_.Pixel(x, y).A != 0xFF) box = UnionRect(box, {x, y, x + 1, y + 1});
    return box.IsEmpty() ? TRect{} : box;
  }

  int TouchedInRow(int y, int x0 = 0, int x1 = -1) const {
    if (x1 < 0) x1 = bmp_.Width();
    int n = 0;
    for (int x = x0; x < x1; ++x) n += bmp_.Pixel(x, y).A != 0xFF;
    return n;
  }

  TBitmap32 bmp_;
  TFont font_;
};

TEST_F(TextDraw, TransparentTextTouchesOnlyGlyphPixels) {
  font_.Color = RGB(10, 200, 30);
  font_.Height = -24;  // stems wider than a pixel: some pixels are fully covered
  TTextDevice device(bmp_);
  TextOutTo(device, font_, 4, 6, u"Шаг");
  const TRect box = Touched();
  ASSERT_FALSE(box.IsEmpty());
  const TSize ext = TextExtentOf(font_, u"Шаг");
  EXPECT_GE(box.Left, 4);
  EXPECT_LE(box.Right, 4 + ext.cx + 1);
  EXPECT_GE(box.Top, 6);
  EXPECT_LE(box.Bottom, 6 + ext.cy);
  bool full = false;
  for (int y = 0; y < bmp_.Height(); ++y) {
    for (int x = 0; x < bmp_.Width(); ++x) {
      const TBGRA p = bmp_.Pixel(x, y);
      if (p.A == 0xFF) {
        ASSERT_EQ(p, kPaper);
      } else {
        ASSERT_EQ(p.A, 0);
        full |= p == ColorToPixel(RGB(10, 200, 30), 0);
      }
    }
  }
  // Fully covered pixels carry the font colour exactly.
  EXPECT_TRUE(full);
}

TEST_F(TextDraw, OpaqueBackgroundFillsTheCell) {
  TTextDevice device(bmp_);
  TextOutTo(device, font_, 4, 6, u"Пас", {OPAQUE, clRed});
  const int w = TextExtentOf(font_, u"Пас").cx;
  // The cell is filled; glyph ink may overhang it by a pixel.
  const TRect box = Touched();
  EXPECT_EQ(box.Top, 6);
  EXPECT_EQ(box.Bottom, 19);
  EXPECT_LE(box.Left, 4);
  EXPECT_GE(box.Right, 4 + w);
  EXPECT_LE(box.Right, 4 + w + 1);
  for (int y = 6; y < 19; ++y) EXPECT_EQ(TouchedInRow(y, 4, 4 + w), w);
  EXPECT_EQ(bmp_.Pixel(4, 6), ColorToPixel(clRed, 0));
  // System colours resolve.
  bmp_.Fill(kPaper);
  font_.Color = clWindowText;
  TextOutTo(device, font_, 0, 0, u"Пас", {OPAQUE, clWindow});
  EXPECT_EQ(bmp_.Pixel(0, 0), ColorToPixel(ColorToRGB(clWindow), 0));
}

TEST_F(TextDraw, WritesStayInsideTheDeviceClip) {
  TTextDevice device(bmp_);
  device.Clip = {{0, 0, 30, 40}, {60, 0, 80, 40}};
  TextOutTo(device, font_, 0, 0, u"ШШШШШШШШШШШШШШ", {OPAQUE, clWhite});
  for (int x = 30; x < 60; ++x) EXPECT_EQ(TouchedInRow(5, x, x + 1), 0) << x;
  EXPECT_EQ(TouchedInRow(5, 80), 0);
  EXPECT_EQ(TouchedInRow(5, 0, 30), 30);
  EXPECT_EQ(TouchedInRow(5, 60, 80), 20);
  // Clip rectangles outside the bitmap and text off its edges are harmless.
  TTextDevice wild(bmp_);
  wild.Clip = {{-100, -100, 1000, 1000}};
  TextOutTo(wild, font_, -20, -5, u"Ш", {OPAQUE, clWhite});
  TextOutTo(wild, font_, 155, 35, u"ШШШ", {OPAQUE, clWhite});
  TextOutTo(wild, font_, 100000, -100000, u"Ш");
}

TEST_F(TextDraw, DrawTextClipsToItsRectangleUnlessNoClip) {
  TTextDevice device(bmp_);
  TRect r{10, 5, 30, 25};
  DrawTextTo(device, font_, u"ШШШШШШ", r, DT_SINGLELINE, {OPAQUE, clWhite});
  EXPECT_EQ(Touched(), (TRect{10, 5, 30, 18}));
  bmp_.Fill(kPaper);
  DrawTextTo(device, font_, u"ШШШШШШ", r, DT_SINGLELINE | DT_NOCLIP, {OPAQUE, clWhite});
  EXPECT_GT(Touched().Right, 30);
}

TEST_F(TextDraw, OriginMovesLogicalCoordinates) {
  TTextDevice device(bmp_);
  device.Origin = {50, 10};
  TRect r{0, 0, 40, 13};
  DrawTextTo(device, font_, u"Ш", r, 0, {OPAQUE, clWhite});
  const int w = TextExtentOf(font_, u"Ш").cx;
  EXPECT_EQ(Touched(), (TRect{50, 10, 50 + w, 23}));
}

TEST_F(TextDraw, UnderlineAndStrikeoutSpanTheText) {
  const auto m = text::AcquireFont(font_)->Metrics();
  const int w = TextExtentOf(font_, u"Выйти").cx;
  TTextDevice device(bmp_);
  TextOutTo(device, font_, 0, 0, u"Выйти");
  const int under = m.Ascent + m.UnderlineOffset;
  const int strike = m.Ascent - m.StrikeoutOffset;
  EXPECT_EQ(TouchedInRow(under), 0);  // no descenders here
  EXPECT_LT(TouchedInRow(strike), w);
  bmp_.Fill(kPaper);
  font_.Style = fsUnderline | fsStrikeOut;
  TextOutTo(device, font_, 0, 0, u"Выйти");
  EXPECT_EQ(TouchedInRow(under), w);
  EXPECT_EQ(TouchedInRow(strike), w);
  EXPECT_LT(under, m.Height);
}

TEST_F(TextDraw, PrefixUnderlinesItsCharacterOnly) {
  const auto sized = text::AcquireFont(font_);
  const int under = sized->Metrics().Ascent + sized->Metrics().UnderlineOffset;
  const int first = sized->Advance(U'В');
  TTextDevice device(bmp_);
  TRect r{0, 0, 160, 40};
  DrawTextTo(device, font_, u"&Выйти", r, 0);
  EXPECT_EQ(TouchedInRow(under, 0, first), first);
  EXPECT_EQ(TouchedInRow(under, first), 0);
  // Hidden prefixes draw no underline; prefix-only draws nothing else.
  bmp_.Fill(kPaper);
  DrawTextTo(device, font_, u"&Выйти", r, DT_HIDEPREFIX);
  EXPECT_EQ(TouchedInRow(under), 0);
  EXPECT_FALSE(Touched().IsEmpty());
  bmp_.Fill(kPaper);
  DrawTextTo(device, font_, u"&Выйти", r, DT_PREFIXONLY);
  EXPECT_EQ(Touched(), (TRect{0, under, first, under + sized->Metrics().UnderlineThickness}));
}

TEST_F(TextDraw, EightBitMasksTakeTheRedByte) {
  TBitmap8 mask(60, 20);
  for (int y = 0; y < 20; ++y) std::fill(mask.ScanLine(y), mask.ScanLine(y) + 60, 255);
  TTextDevice device(mask);
  TRect r{2, 2, 60, 20};
  font_.Height = -24;
  DrawTextTo(device, font_, u"Ш", r, 0);  // black: value 0
  int zero = 0, partial = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      const int v = mask.ScanLine(y)[x];
      zero += v == 0;
      partial += v > 0 && v < 255;
      if (x < 2 || y < 2) {
        EXPECT_EQ(v, 255);
      }
    }
  }
  EXPECT_GT(zero, 5);
  EXPECT_GT(partial, 0);
}

TEST_F(TextDraw, RowOrderDoesNotChangeThePicture) {
  TBitmap32 down = bmp_;
  TBitmap32 up = bmp_;
  up.SetRowOrder(TRowOrder::BottomUp);
  TTextDevice d1(down), d2(up);
  TRect r{0, 0, 160, 40};
  DrawTextTo(d1, font_, u"Тренировка\nЁж", r, DT_CENTER);
  DrawTextTo(d2, font_, u"Тренировка\nЁж", r, DT_CENTER);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 160; ++x) ASSERT_EQ(down.Pixel(x, y), up.Pixel(x, y));
  }
}

TEST_F(TextDraw, SyntheticStylesChangeThePicture) {
  TTextDevice device(bmp_);
  TextOutTo(device, font_, 0, 0, u"Игра");
  TBitmap32 plain = bmp_;
  bmp_.Fill(kPaper);
  font_.Style = fsItalic;
  TextOutTo(device, font_, 0, 0, u"Игра");
  bool differs = false;
  for (int y = 0; y < 40 && !differs; ++y)
    for (int x = 0; x < 160 && !differs; ++x) differs = !(plain.Pixel(x, y) == bmp_.Pixel(x, y));
  EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace qv
