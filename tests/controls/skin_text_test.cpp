// Skinned captions: nothing for empty text, one pass without outline
// colours and one more per outline side, the disabled mix, the hand-over to
// the section below a see-through standard section, the glow, and the plain
// look of unskinned controls.
#include "skin/color_transforms.h"
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class SkinText : public SkinnedPairTest {
 protected:
  void SetUp() override {
    SkinnedPairTest::SetUp();
    skin->State(button, 0).FontColor.Color = 0x00000080;
    skin->State(group, 0).FontColor.Color = 0x00008000;
  }
  // Draws "Hg" into a white 60 x 24 picture the way DrawSkinText is asked to.
  TBitmap32 Text(int state, bool enabled, TsCommonData* d, bool glow = false) {
    TBitmap32 bmp(60, 24);
    bmp.Fill({255, 255, 255, 255});
    TCanvas canvas(bmp);
    canvas.Font = c->Font();
    DrawSkinText(canvas, u"Hg", bmp.BoundsRect(), kFlags, state, d, enabled, glow);
    return bmp;
  }
  // The same text drawn by hand in the given passes (colour, shift).
  TBitmap32 ByHand(std::initializer_list<std::pair<TColor, TPoint>> passes) {
    TBitmap32 bmp(60, 24);
    bmp.Fill({255, 255, 255, 255});
    TCanvas canvas(bmp);
    canvas.Font = c->Font();
    canvas.SetBkMode(TRANSPARENT);
    for (const auto& [colour, shift] : passes) {
      canvas.Font.Color = colour;
      TRect r = bmp.BoundsRect().Offset(shift.X, shift.Y);
      canvas.DrawText(u"Hg", r, kFlags);
    }
    return bmp;
  }
  static constexpr unsigned kFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
};

TEST_F(SkinText, EmptyTextDrawsNothing) {
  TBitmap32 bmp(10, 10);
  bmp.Fill({1, 2, 3, 4});
  TCanvas canvas(bmp);
  DrawSkinText(canvas, u"", bmp.BoundsRect(), kFlags, 0, c->SkinData(), true, true);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(bmp.Pixel(x, y), (TBGRA{1, 2, 3, 4}));
}

TEST_F(SkinText, OnePassWithoutOutlineColoursAndOneMorePerSide) {
  EXPECT_FALSE(SameColours(Text(0, true, c->SkinData()), ByHand({}))) << "something is drawn";
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData()), ByHand({{0x00000080, {0, 0}}})));
  TsFontColor& f = skin->State(button, 0).FontColor;
  f.Left = 0x00FF0000;
  f.Bottom = 0x0000FF00;
  EXPECT_TRUE(
      SameColours(Text(0, true, c->SkinData()),
                  ByHand({{0x00FF0000, {-1, 0}}, {0x0000FF00, {0, 1}}, {0x00000080, {0, 0}}})));
  // Every colour passes through the control's hue.
  f.Left = f.Bottom = -1;
  c->SkinData()->SetHUEOffset(120);
  EXPECT_TRUE(
      SameColours(Text(0, true, c->SkinData()), ByHand({{HueColor(0x00000080, 120), {0, 0}}})));
}

TEST_F(SkinText, DisabledTextIsMixedWithTheGlobalColour) {
  const TColor mixed = MixColors(0x00000080, TTestSkinManager::kGlobalColor, 100) & 0xFFFFFF;
  EXPECT_TRUE(SameColours(Text(0, false, c->SkinData()), ByHand({{mixed, {0, 0}}})));
}

TEST_F(SkinText, ASeeThroughStandardSectionHandsItsColoursToTheSectionBelow) {
  skin->State(button, 0).Transparency = 40;
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData()), ByHand({{0x00008000, {0, 0}}})))
      << "the group box's colour";
  skin->State(button, 0).Transparency = 39;
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData()), ByHand({{0x00000080, {0, 0}}})));
  // A section of its own (not a standard one) keeps its colours.
  skin->State(button, 0).Transparency = 90;
  const int own = skin->AddSection(u"OWN", 0x00406080);
  skin->State(own, 0).Transparency = 90;
  skin->State(own, 0).FontColor.Color = 0x00800000;
  c->SkinData()->SetSkinSection(u"OWN");
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData()), ByHand({{0x00800000, {0, 0}}})));
}

TEST_F(SkinText, TheStateGlowIsDrawnAroundTheTextFirst) {
  skin->State(button, 1).GlowSize = 3;
  skin->State(button, 1).GlowColor = 0x0000FF00;
  const TBitmap32 plain = Text(1, true, c->SkinData(), false);
  const TBitmap32 glowing = Text(1, true, c->SkinData(), true);
  int greener = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 60; ++x)
      greener += glowing.Pixel(x, y).R < plain.Pixel(x, y).R &&
                 glowing.Pixel(x, y).G >= plain.Pixel(x, y).G;
  EXPECT_GT(greener, 20);
  // Without a glow size there is none.
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData(), true), Text(0, true, c->SkinData(), false)));
}

TEST_F(SkinText, UnskinnedOrCustomFontTextUsesTheCanvasFontAndIsEmbossedWhenDisabled) {
  c->SkinData()->SetCustomFont(true);
  c->ChangeFont([](TFont& f) { f.Color = 0x00123456; });
  EXPECT_TRUE(SameColours(Text(0, true, c->SkinData()), ByHand({{0x00123456, {0, 0}}})));
  EXPECT_TRUE(SameColours(Text(0, false, nullptr), ByHand({{ColorToRGB(clBtnHighlight), {1, 1}},
                                                           {ColorToRGB(clBtnShadow), {0, 0}}})));
}

}  // namespace
}  // namespace qv::test
