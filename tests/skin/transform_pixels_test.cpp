// Per-pixel colour transforms at their worked and edge values, and their
// application to whole bitmaps around the key colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "../paint/paint_test_util.h"
#include "skin/color_transforms.h"

namespace qv {
namespace {

TBGRA Px(int r, int g, int b, int a = 255) {
  return {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r),
          static_cast<std::uint8_t>(a)};
}

TEST(TransformHue, WorkedValues) {
  EXPECT_EQ(HuePixel(Px(255, 0, 0), 120), Px(0, 255, 0));
  EXPECT_EQ(HuePixel(Px(255, 0, 0), 280), Px(170, 0, 255));
  EXPECT_EQ(HuePixel(Px(255, 0, 0), 1000), Px(170, 0, 255));
  // Alpha rides along untouched.
  EXPECT_EQ(HuePixel(Px(255, 0, 0, 7), 240), Px(0, 0, 255, 7));
}

TEST(TransformHue, GreysAndZeroOffsetAreKept) {
  for (int v : {0, 1, 128, 255}) {
    EXPECT_EQ(HuePixel(Px(v, v, v), 1000), Px(v, v, v));
    EXPECT_EQ(HuePixel(Px(v, v, v), -77), Px(v, v, v));
  }
  EXPECT_EQ(HuePixel(Px(255, 100, 0), 0), Px(255, 100, 0));
}

TEST(TransformHue, ThousandActsLike280AndFullTurnTruncates) {
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 51) {
        ASSERT_EQ(HuePixel(Px(r, g, b), 1000), HuePixel(Px(r, g, b), 280))
            << r << ' ' << g << ' ' << b;
      }
  // Hue 23.53 degrees is truncated to 23: green 100 becomes 255 * 23/60 = 97.
  EXPECT_EQ(HuePixel(Px(255, 100, 0), 360), Px(255, 97, 0));
  // Pure primaries have whole-degree hues and survive a full turn.
  EXPECT_EQ(HuePixel(Px(0, 0, 255), 360), Px(0, 0, 255));
}

TEST(TransformHue, NegativeOffsetsRotateBackwards) {
  EXPECT_EQ(HuePixel(Px(255, 0, 0), -120), Px(0, 0, 255));
  EXPECT_EQ(HuePixel(Px(0, 255, 0), -120), Px(255, 0, 0));
  // 23.53 - 24 is -0.47, which truncates towards zero to hue 0.
  EXPECT_EQ(HuePixel(Px(255, 100, 0), -24), Px(255, 0, 0));
  // 23.53 - 25 truncates to -1, i.e. 359: sector 5 with f = 59/60.
  EXPECT_EQ(HuePixel(Px(255, 100, 0), -25), Px(255, 0, 4));
}

TEST(TransformHue, ColourValuesSwapRedAndBlue) {
  EXPECT_EQ(HueColor(0x0000FF, 120), 0x00FF00);
  EXPECT_EQ(HueColor(0x0000FF, 240), 0xFF0000);
  EXPECT_EQ(HueColor(0x120000FF, 240), 0x12FF0000);
}

TEST(TransformSaturation, WorkedAndEdgeValues) {
  EXPECT_EQ(SaturationAmount(100), 255);
  EXPECT_EQ(SaturationAmount(1000), 255);
  EXPECT_EQ(SaturationAmount(-100), -255);
  EXPECT_EQ(SaturationAmount(-1000), -255);
  EXPECT_EQ(SaturationAmount(50), 127);
  EXPECT_EQ(SaturationAmount(-1), -2);
  EXPECT_EQ(SaturationAmount(0), 0);

  EXPECT_EQ(SaturationPixel(Px(200, 100, 50, 9), 255), Px(255, 75, 0, 9));
  // Full desaturation: 255 * Y div 256 with Y = 124.
  EXPECT_EQ(SaturationPixel(Px(200, 100, 50), -255), Px(123, 123, 123));
  EXPECT_EQ(SaturationPixel(Px(200, 100, 50), 0), Px(200, 100, 50));
  // Amounts beyond a full step are held at it.
  EXPECT_EQ(SaturationPixel(Px(200, 100, 50), 900), Px(255, 75, 0));
  // (10, 20, 30) has Y = 18.15 -> 18; each channel (355 c - 1800) div 256.
  EXPECT_EQ(SaturationPixel(Px(10, 20, 30), 100), Px(6, 20, 34));
  // Even a white pixel loses one step: 255 * 255 div 256.
  EXPECT_EQ(SaturationPixel(Px(255, 255, 255), 100), Px(254, 254, 254));
  EXPECT_EQ(SaturationColor(0x003264C8, 255), 0x00004BFF);
}

// The luma is taken from integers where that cannot differ from rounding the
// extended-precision sum: every colour whose luma is a decimal tie, and a
// spread of the others, must still come out as that sum gives.
TEST(TransformSaturation, ColoursAsTheExtendedPrecisionLuma) {
  int mismatches = 0, ties = 0;
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) {
        const bool tie = (299 * r + 587 * g + 114 * b) % 1000 == 500;
        ties += tie;
        if (!tie && (r * 65536 + g * 256 + b) % 61 != 0) continue;
        const long double luma = r * 0.299L + g * 0.587L + b * 0.114L;
        const int y = static_cast<int>(std::nearbyint(luma));
        const auto sat = [y](int c) {
          return static_cast<std::uint8_t>(std::clamp(510 * c - 255 * y, 0, 65535) / 256);
        };
        const TBGRA want{sat(b), sat(g), sat(r), 255};
        if (!(SaturationPixel(Px(r, g, b), 255) == want)) ++mismatches;
      }
  EXPECT_GT(ties, 0);
  EXPECT_EQ(mismatches, 0);
}

TEST(TransformBrightness, EdgeValues) {
  EXPECT_EQ(BrightnessPixel(Px(200, 200, 200, 3), -100), Px(122, 122, 122, 3));
  EXPECT_EQ(BrightnessPixel(Px(200, 0, 255), 100), Px(255, 0, 255));
  EXPECT_EQ(BrightnessPixel(Px(100, 1, 0), 50), Px(119, 1, 0));
  EXPECT_EQ(BrightnessPixel(Px(100, 1, 255), -50), Px(81, 1, 206));
  EXPECT_EQ(BrightnessPixel(Px(100, 1, 255), 0), Px(100, 1, 255));
  EXPECT_EQ(BrightnessColor(0x7F0000C8, -100), 0x7F00007A);
}

TEST(TransformTone, KeepsBrightnessTakesTone) {
  EXPECT_EQ(TonePixel(Px(100, 200, 50, 44), 0x0000FF), Px(199, 0, 0, 44));
  EXPECT_EQ(TonePixel(Px(100, 200, 50), 0xFFFFFF), Px(199, 199, 199));
  EXPECT_EQ(TonePixel(Px(0, 0, 0), 0xFFFFFF), Px(0, 0, 0));
  EXPECT_EQ(TonePixel(Px(255, 0, 0), 0x804020), Px(31, 63, 127));
}

TEST(TransformBitmap, KeyColourIsSkippedOpaqueMagentaIsNot) {
  TBitmap32 bmp(3, 1);
  bmp.Pixel(0, 0) = kKeyPixel;
  bmp.Pixel(1, 0) = Px(255, 0, 255, 255);
  bmp.Pixel(2, 0) = Px(255, 0, 0);
  for (TPixelOp op : {TPixelOp::Hue, TPixelOp::Saturation, TPixelOp::Brightness, TPixelOp::Tone}) {
    TBitmap32 b = bmp;
    ApplyToBitmap(b, op, op == TPixelOp::Tone ? 0x00FF00 : -100);
    EXPECT_EQ(b.Pixel(0, 0), kKeyPixel);
  }
  TBitmap32 b = bmp;
  ApplyToBitmap(b, TPixelOp::Hue, 120);
  EXPECT_EQ(b.Pixel(1, 0), Px(255, 255, 0));
  EXPECT_EQ(b.Pixel(2, 0), Px(0, 255, 0));
  // With no key every pixel goes through, the key pixel included.
  b = bmp;
  ApplyToBitmap(b, TPixelOp::Hue, 120, kNoKeyPixel);
  EXPECT_EQ(b.Pixel(0, 0), Px(255, 255, 0, 0));
  // No tone leaves the picture alone.
  b = bmp;
  ApplyToBitmap(b, TPixelOp::Tone, clNone);
  EXPECT_EQ(test::Diff(b, bmp), "");
}

TEST(TransformBitmap, MatchesPerPixelOperationInBothRowOrders) {
  std::mt19937 rng(5);
  for (TRowOrder order : {TRowOrder::TopDown, TRowOrder::BottomUp}) {
    const TBitmap32 src = test::RandomBitmap(rng, 37, 11, order);
    struct Case {
      TPixelOp op;
      int amount;
    };
    for (Case c : {Case{TPixelOp::Brightness, 37}, Case{TPixelOp::Brightness, -100},
                   Case{TPixelOp::Saturation, -90}, Case{TPixelOp::Hue, 1000},
                   Case{TPixelOp::Tone, 0x3080F0}}) {
      TBitmap32 got = src, want = src;
      ApplyToBitmap(got, c.op, c.amount);
      for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x) {
          TBGRA& p = want.Pixel(x, y);
          if (PixelValue(p) == kKeyPixelValue) continue;
          switch (c.op) {
            case TPixelOp::Brightness:
              p = BrightnessPixel(p, c.amount);
              break;
            case TPixelOp::Saturation:
              p = SaturationPixel(p, c.amount);
              break;
            case TPixelOp::Hue:
              p = HuePixel(p, c.amount);
              break;
            case TPixelOp::Tone:
              p = TonePixel(p, c.amount);
              break;
          }
        }
      EXPECT_EQ(test::Diff(got, want), "") << static_cast<int>(c.op) << ' ' << c.amount;
    }
  }
}

TEST(TransformBitmap, RectIsClipped) {
  TBitmap32 b = test::Solid(4, 4, Px(200, 200, 200));
  ApplyToRect(b, Rect(2, 2, 40, 40), TPixelOp::Brightness, -100);
  EXPECT_EQ(b.Pixel(1, 1), Px(200, 200, 200));
  EXPECT_EQ(b.Pixel(3, 3), Px(122, 122, 122));
  ApplyToRect(b, Rect(-5, -5, -1, -1), TPixelOp::Brightness, -100);
  EXPECT_EQ(b.Pixel(0, 0), Px(200, 200, 200));
}

}  // namespace
}  // namespace qv
