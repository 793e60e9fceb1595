// The skin-aware colour lookup with and without an active skin.
#include <gtest/gtest.h>

#include "paint/compositing.h"
#include "skin/sys_colors.h"

namespace qv {
namespace {

TacPaletteArray TestPalette() {
  TacPaletteArray p{};
  for (int i = 0; i < kPaletteCount; ++i) p[i] = 0x010101 * (i + 1);
  return p;
}

TEST(TransformSysColor, WithoutSkin) {
  EXPECT_EQ(SkinColorToRGB(0x123456, nullptr), 0x123456);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF004C4Cu), nullptr), 0x004C4C);
  EXPECT_EQ(SkinColorToRGB(clBtnFace, nullptr), ColorToRGB(clBtnFace));
  EXPECT_EQ(SkinColorToRGB(clWindowText, nullptr), ColorToRGB(clWindowText));
}

TEST(TransformSysColor, PaletteEntriesAndMixes) {
  const TacPaletteArray p = TestPalette();
  const TSkinColorSource s{&p, nullptr, nullptr};
  EXPECT_EQ(SkinColorToRGB(0x00ABCDEF, &s), 0x00ABCDEF);
  EXPECT_EQ(SkinColorToRGB(clBtnFace, &s), p[pcMainColor]);
  EXPECT_EQ(SkinColorToRGB(SysColor(COLOR_MENUBAR), &s), p[pcMainColor]);
  EXPECT_EQ(SkinColorToRGB(clWindow, &s), p[pcEditBG]);
  EXPECT_EQ(SkinColorToRGB(clInactiveBorder, &s), p[pcBorder]);
  EXPECT_EQ(SkinColorToRGB(clBtnText, &s), p[pcLabelText]);
  EXPECT_EQ(SkinColorToRGB(clWindowText, &s), p[pcEditText]);
  EXPECT_EQ(SkinColorToRGB(SysColor(COLOR_MENUHILIGHT), &s), p[pcSelectionBG_Focused]);
  EXPECT_EQ(SkinColorToRGB(clHighlightText, &s), p[pcSelectionText_Focused]);
  EXPECT_EQ(SkinColorToRGB(clHotLight, &s), p[pcWebTextHot]);
  EXPECT_EQ(SkinColorToRGB(cl3DDkShadow, &s), MixColors(p[pcMainColor], clBlack, 180));
  EXPECT_EQ(SkinColorToRGB(cl3DLight, &s), MixColors(p[pcMainColor], clWhite, 180));
  EXPECT_EQ(SkinColorToRGB(clGrayText, &s), MixColors(p[pcMainColor], p[pcLabelText], 127));
  // Index 25 has no skin colour: the platform answers.
  EXPECT_EQ(SkinColorToRGB(SysColor(25), &s), ColorToRGB(SysColor(25)));
  // Without the sections, captions and hints fall back to the palette.
  EXPECT_EQ(SkinColorToRGB(clActiveCaption, &s), p[pcMainColor]);
  EXPECT_EQ(SkinColorToRGB(clCaptionText, &s), p[pcLabelText]);
  EXPECT_EQ(SkinColorToRGB(clInfoText, &s), p[pcEditText]);
  EXPECT_EQ(SkinColorToRGB(clInfoBk, &s), p[pcEditBG]);
}

TEST(TransformSysColor, NamedCodes) {
  const TacPaletteArray p = TestPalette();
  const TSkinColorSource s{&p, nullptr, nullptr};
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xF1000001u), &s), p[pcMainColor]);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF004C4Cu), &s), p[pcEditText_Warning]);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF0098C6u), &s), p[pcBtnYellowTextActive]);
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFFBAEFFFu), &s), p[pcBtnToneYellowActive]);
  // An unknown code goes to the platform's conversion.
  EXPECT_EQ(SkinColorToRGB(static_cast<TColor>(0xFF123456u), &s),
            ColorToRGB(static_cast<TColor>(0xFF123456u)));
}

TEST(TransformSysColor, CaptionAndHintSections) {
  const TacPaletteArray p = TestPalette();
  TsGeneralData title, hint;
  title.Props[0].Color = 0x000010;
  title.Props[1].Color = 0x000011;
  title.Props[0].FontColor.Color = 0x000020;
  title.Props[1].FontColor.Color = 0x000021;
  hint.Props[0].Color = 0x000030;
  hint.Props[0].FontColor.Color = 0x000031;
  const TSkinColorSource s{&p, &title, &hint};
  EXPECT_EQ(SkinColorToRGB(clActiveCaption, &s), 0x11);
  EXPECT_EQ(SkinColorToRGB(SysColor(COLOR_GRADIENTACTIVECAPTION), &s), 0x11);
  EXPECT_EQ(SkinColorToRGB(clInactiveCaption, &s), 0x10);
  EXPECT_EQ(SkinColorToRGB(SysColor(COLOR_GRADIENTINACTIVECAPTION), &s), 0x10);
  EXPECT_EQ(SkinColorToRGB(clCaptionText, &s), 0x21);
  EXPECT_EQ(SkinColorToRGB(clInactiveCaptionText, &s), 0x20);
  EXPECT_EQ(SkinColorToRGB(clInfoBk, &s), 0x30);
  EXPECT_EQ(SkinColorToRGB(clInfoText, &s), 0x31);
}

}  // namespace
}  // namespace qv
