// The disabled look's arithmetic: the blend with the parent's picture or
// colour at weights 100 and 155 over 256, the key colour that keeps a pixel,
// and the greying step.
#include "controls/disabled_look.h"

#include <gtest/gtest.h>

#include "skin/color_transforms.h"

namespace qv::test {
namespace {

TEST(DisabledLook, BlendsWithTheParentPictureChannelByChannelAlphaIncluded) {
  TBitmap32 bmp(2, 2);
  bmp.Fill({200, 100, 50, 255});
  TBitmap32 parent(5, 5);
  parent.Fill({10, 20, 30, 40});
  parent.Pixel(4, 3) = kKeyPixel;  // behind bitmap pixel (1, 0) at offset (3, 3)

  BlendDisabled(bmp, parent, {3, 3});
  // (200 * 100 + 10 * 155) >> 8 = 84, (100 * 100 + 20 * 155) >> 8 = 51,
  // (50 * 100 + 30 * 155) >> 8 = 37, (255 * 100 + 40 * 155) >> 8 = 123.
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{84, 51, 37, 123}));
  EXPECT_EQ(bmp.Pixel(1, 0), (TBGRA{200, 100, 50, 255})) << "the key colour behind keeps it";
  EXPECT_EQ(bmp.Pixel(0, 1), (TBGRA{84, 51, 37, 123}));
  EXPECT_EQ(bmp.Pixel(1, 1), (TBGRA{84, 51, 37, 123}));

  // Where the parent picture ends, nothing is read and nothing changes.
  TBitmap32 edge(3, 1);
  edge.Fill({200, 100, 50, 255});
  BlendDisabled(edge, parent, {3, 0});
  EXPECT_EQ(edge.Pixel(1, 0), (TBGRA{84, 51, 37, 123}));
  EXPECT_EQ(edge.Pixel(2, 0), (TBGRA{200, 100, 50, 255}));
  BlendDisabled(edge, parent, {-3, -3});
  EXPECT_EQ(edge.Pixel(2, 0), (TBGRA{200, 100, 50, 255}));
}

TEST(DisabledLook, BlendsWithAParentColourKeepingAlpha) {
  TBitmap32 bmp(1, 1);
  bmp.Pixel(0, 0) = {255, 0, 128, 77};
  BlendDisabled(bmp, RGB(0x10, 0x20, 0xFF));
  // B: (255 * 100 + 255 * 155) >> 8 = 254; G: (0 + 32 * 155) >> 8 = 19;
  // R: (128 * 100 + 16 * 155) >> 8 = 59.
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{254, 19, 59, 77}));
}

TEST(DisabledLook, GreyingLowersSaturationAndSkipsTheKeyColour) {
  TBitmap32 bmp(2, 1);
  bmp.Pixel(0, 0) = {0, 0, 255, 255};  // pure red
  bmp.Pixel(1, 0) = kKeyPixel;
  GrayDisabled(bmp);
  EXPECT_EQ(bmp.Pixel(0, 0), SaturationPixel({0, 0, 255, 255}, -229));
  EXPECT_EQ(kDisabledSaturation, SaturationAmount(-90));
  const TBGRA g = bmp.Pixel(0, 0);
  EXPECT_LT(g.R - g.B, 40) << "nearly grey";
  EXPECT_EQ(bmp.Pixel(1, 0), kKeyPixel);
}

}  // namespace
}  // namespace qv::test
