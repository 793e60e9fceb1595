// The disabled look's arithmetic: the blend with the parent's picture or
// colour at weights 100 and 155 over 256, the key colour that keeps a pixel,
// and the greying step.
#include "controls/disabled_look.h"

#include <gtest/gtest.h>

#include "skin/color_transforms.h"
#include "tests/controls/skinned_test_control.h"

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

class DisabledControl : public SkinnedPairTest {
 protected:
};

TEST_F(DisabledControl, ADisabledControlIsPaintedInStateZeroFadedIntoItsParent) {
  c->SkinData()->FMouseAbove = true;
  c->SetEnabled(false);
  PumpPendingMessages();
  const TBGRA own = ColorToPixel(skin->State(button, 0).Color, 255);
  const TBGRA parent = ColorToPixel(skin->State(group, 0).Color, 255);
  auto mix = [](int p, int q) { return (p * 100 + q * 155) >> 8; };
  const TBGRA shown = Shown(c, {60, 15});
  EXPECT_EQ(shown.R, mix(own.R, parent.R));
  EXPECT_EQ(shown.G, mix(own.G, parent.G));
  EXPECT_EQ(shown.B, mix(own.B, parent.B));

  // Greyed as well: the saturation falls before the blend.
  c->DisabledKind = (1u << dkGrayed) | (1u << dkBlended);
  c->SkinData()->Invalidate(true);
  const TBGRA grey = SaturationPixel(own, kDisabledSaturation);
  EXPECT_EQ(Shown(c, {60, 15}).R, mix(grey.R, parent.R));
}

TEST_F(DisabledControl, WithNoDisabledKindItLooksExactlyLikeItsNormalState) {
  const TBGRA normal = Shown(c, {60, 15});
  c->DisabledKind = 0;
  c->SetEnabled(false);
  PumpPendingMessages();
  EXPECT_EQ(ColorOf(Shown(c, {60, 15})), ColorOf(normal));
}

}  // namespace
}  // namespace qv::test
