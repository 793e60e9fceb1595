// Loading synthetic skins: the order and indexes of sections, elements with
// their images, scale variants and reuse, corner flags, outer effects, the
// palette, dropped elements, errors, and the bounds put on the options.
#include <gtest/gtest.h>

#include "paint/compositing.h"
#include "skin/element_notation.h"
#include "skin/skin_palette.h"
#include "tests/skin/skin_fixture.h"

namespace qv {
namespace {

using namespace qv::test;

// A 64 x 64 master: green borders at the top left (one magenta corner pixel
// in the first), a grey edit border below, glyphs to the right; red elsewhere.
TBitmap32 Master() {
  TBitmap32 m = Solid(64, 64, kRedPixel);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x) m.Pixel(x, y) = kGreenPixel;
  m.Pixel(0, 0) = kOpaqueMagenta;
  for (int y = 10; y < 16; ++y)
    for (int x = 0; x < 12; ++x) m.Pixel(x, y) = {0x80, 0x80, 0x80, 0xFF};
  return m;
}

// Three frames of 12 x 12 over their masks.
TBytes HugeButton() { return BmpBytes(Solid(36, 24, {0x40, 0x80, 0xC0, 0xFF})); }

const char* kOptions =
    "[GLOBALINFO]\r\n"
    "VERSION=14.01\r\n"
    "MASTERBITMAP=MASTER.PNG\r\n"
    "COLOR=0x203040\r\n"
    "FONTCOLOR=0x0000AA\r\n"
    "FADINGENABLED=1\r\n"
    "PREVIEW=yes\r\n"
    "BOXCHECKED=@0020@0020@0030@0030@1@0\r\n"
    "BOXCHECKED*150=@0020@0040@0040@0060@1@0\r\n"
    "BOXBAD=@0060@0060@0090@0090@1@0\r\n"
    "BOXFILE=!MISSING.BMP!1!0!2\r\n"
    "[DIVIDER]\r\n"
    "IMGTOPLEFT=\r\n"
    "BORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^1^1\r\n"
    "[EDIT]\r\n"
    "COLOR=0xF0F0F0\r\n"
    "FONTCOLOR=0x101010\r\n"
    "BORDERSMASK=^0000^0010^0012^0016^0001^0001^0001^0001^2^0^1^1\r\n"
    "[PANEL]\r\n"
    "PARENTCLASS=PANEL\r\n"
    "STATES=3\r\n"
    "COLOR=0x00FF00\r\n"
    "BORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^1^1\r\n"
    "[BUTTON_HUGE]\r\n"
    "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0004!0004!0004!0004!5\r\n"
    "[BUTTON]\r\n"
    "BORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0004!0004!0004!0004!5\r\n"
    "[FORMTITLE]\r\n"
    "COLOR=0x111111\r\n"
    "HOTCOLOR=0x222222\r\n"
    "[COLHEADER]\r\n"
    "COLOR=0x333333\r\n"
    "[MENUITEM]\r\n"
    "HOTCOLOR=0x445566\r\n"
    "HOTFONTCOLOR=0x778899\r\n"
    "[ZERO]\r\n"
    "GLYPHMASK=&0000000000120006000000000000000000000000000\r\n"
    "SHARED=!BUTTONHUGE.BMP!0!1!0!0000!0000!0000!0000!5\r\n"
    "WIDE=^0000^0000^0012^0006^0099^0099^0099^0099^2^0^1^1\r\n";

TSyntheticSkin Skin(std::string options = kOptions) {
  TSyntheticSkin s{std::move(options), {}};
  s.Add("MASTER.PNG", EncodePng(Master())).Add("BUTTONHUGE.BMP", HugeButton());
  return s;
}

class SkinLoaderTest : public SkinEnvTest {
 protected:
  void SetUp() override {
    SkinEnvTest::SetUp();
    m_ = std::make_unique<TsSkinManager>(nullptr);
  }
  void TearDown() override {
    m_.reset();
    SkinEnvTest::TearDown();
  }
  // Loads the skin as a stored skin named "S".
  TacSkinData& Load(const TSyntheticSkin& skin) {
    Store(*m_, u"S", skin.Package());
    m_->SetSkinName(u"S");
    return m_->CommonSkinData(96);
  }
  const TsGeneralData& Section(const TacSkinData& sd, ustring_view name) {
    const int i = GetSkinIndex(sd, name);
    EXPECT_GE(i, 0) << Utf16ToUtf8(name);
    return sd.gd.at(static_cast<std::size_t>(i < 0 ? 0 : i));
  }
  const TsMaskData& Element(const TacSkinData& sd, ustring_view section, ustring_view prop) {
    const int i = GetMaskIndex(sd, section, prop);
    EXPECT_GE(i, 0) << Utf16ToUtf8(section) << "/" << Utf16ToUtf8(prop);
    return sd.ma.at(static_cast<std::size_t>(i < 0 ? 0 : i));
  }

  std::unique_ptr<TsSkinManager> m_;
};

TEST_F(SkinLoaderTest, SectionsInFileOrderThenDefaultsThenStandIns) {
  const TacSkinData& sd = Load(Skin());
  ASSERT_TRUE(m_->IsActive());
  EXPECT_TRUE(texts_.empty());
  std::vector<ustring> names;
  for (const TsGeneralData& g : sd.gd) names.push_back(g.ClassName);
  const std::vector<ustring> expected = {
      u"GLOBALINFO",  u"DIVIDER",     u"EDIT",       u"PANEL",    u"BUTTON_HUGE", u"BUTTON",
      u"FORMTITLE",   u"COLHEADER",   u"MENUITEM",   u"ZERO",     u"TRANSPARENT", u"MAINCOLOR",
      u"MENUCAPTION", u"DIALOGTITLE", u"MENUBTN",    u"TB_BTN",   u"TB_TAB",      u"COLHEADERA",
      u"COLHEADERL",  u"COLHEADERR",  u"SLIDER_OFF", u"SLIDER_ON"};
  EXPECT_EQ(names, expected);
  const TacSkinCommonInfo& ci = m_->SkinCommonInfo;
  EXPECT_EQ(ci.IndexGlobalInfo, 0);
  EXPECT_EQ(ci.Sections[ssTransparent], 10);
  EXPECT_EQ(ci.Sections[ssDialogTitle], 6);  // stands in with FORMTITLE's index
  EXPECT_EQ(ci.Sections[ssColHeaderL], 7);
  EXPECT_EQ(ci.Sections[ssFormHeader], -1);
  EXPECT_EQ(ci.Sections[ssToolBar], -1);
  // A copy takes the look, not the elements, and no parent.
  const TsGeneralData& dialog = Section(sd, u"DIALOGTITLE");
  EXPECT_EQ(dialog.Props[1].Color, 0x222222);
  EXPECT_EQ(dialog.BorderIndex, -1);
  EXPECT_TRUE(dialog.ParentClass.empty());
  // A stand-in of a missing section is empty.
  EXPECT_EQ(Section(sd, u"MENUCAPTION").States, -1);
  // Elements keep the position of their section in the file.
  EXPECT_EQ(Element(sd, u"EDIT", u"BORDERSMASK").SkinIndex, 2);
  EXPECT_EQ(m_->SkinInfo(), u"14.01");
}

TEST_F(SkinLoaderTest, KeysAndStatesReadAsTheSkinMeansThem) {
  const TacSkinData& sd = Load(Skin());
  // An empty value makes no element; unknown keys are no elements either.
  EXPECT_EQ(Section(sd, u"DIVIDER").ImgTL, -1);
  EXPECT_EQ(GetMaskIndex(sd, u"GLOBALINFO", u"FADINGENABLED"), -1);
  EXPECT_EQ(GetMaskIndex(sd, u"GLOBALINFO", u"PREVIEW"), -1);
  // A section that names itself as parent has none; a missing hot colour is
  // the template's white, not the normal colour.
  const TsGeneralData& panel = Section(sd, u"PANEL");
  EXPECT_EQ(panel.Props[0].Color, 0x00FF00);
  EXPECT_EQ(panel.Props[1].Color, 0xFFFFFF);
  EXPECT_EQ(panel.BorderIndex, GetMaskIndex(sd, u"PANEL", u"BORDERSMASK"));
  // Scroll-border offsets: none without a border, -1 for a thin edit border.
  EXPECT_EQ(Section(sd, u"FORMTITLE").ScrollBorderOffset, -2);
  EXPECT_EQ(Section(sd, u"EDIT").ScrollBorderOffset, -1);
  EXPECT_EQ(Section(sd, u"DIVIDER").ScrollBorderOffset, 0);
  // The default sections carry this skin's colours.
  EXPECT_EQ(Section(sd, u"TRANSPARENT").Props[0].FontColor.Color, 0xAA);
  EXPECT_EQ(Section(sd, u"TRANSPARENT").Props[2].Transparency, 100);
  EXPECT_EQ(Section(sd, u"MAINCOLOR").Props[0].Color, 0x203040);
}

TEST_F(SkinLoaderTest, ElementsTheirImagesFramesAndCornerFlags) {
  const TacSkinData& sd = Load(Skin());
  // Outside the master bitmap or without its file: dropped, the rest stays.
  EXPECT_EQ(GetMaskIndex(sd, u"GLOBALINFO", u"BOXBAD"), -1);
  EXPECT_EQ(GetMaskIndex(sd, u"GLOBALINFO", u"BOXFILE"), -1);
  const TsMaskData& box = Element(sd, u"GLOBALINFO", u"BOXCHECKED");
  EXPECT_EQ(box.R, Rect(20, 20, 30, 30));
  EXPECT_FALSE(box.Bmp);
  EXPECT_EQ(sd.CheckBox[1], GetMaskIndex(sd, u"GLOBALINFO", u"BOXCHECKED"));
  // Corner areas: a magenta pixel sets bit 1; the huge button's border is 2.
  EXPECT_EQ(Element(sd, u"DIVIDER", u"BORDERSMASK").Cfg, kCfgKeyInCorners);
  EXPECT_EQ(Element(sd, u"EDIT", u"BORDERSMASK").Cfg, 0);
  const TsMaskData& huge = Element(sd, u"BUTTON_HUGE", u"BORDERSMASK");
  EXPECT_EQ(huge.Cfg, kCfgHugeButtonBorder);
  ASSERT_TRUE(huge.Bmp);
  EXPECT_EQ(huge.Width, 12);
  EXPECT_EQ(huge.Height, 12);
  EXPECT_EQ(huge.Bmp->Pixel(0, 0), (TBGRA{0x40, 0x80, 0xC0, 0xFF}));  // made opaque
  // The same file is read once and shared.
  EXPECT_EQ(Element(sd, u"BUTTON", u"BORDERSMASK").Bmp, huge.Bmp);
  // No frame count given: one frame, and the margins follow from its size.
  const TsMaskData& zero = Element(sd, u"ZERO", u"GLYPHMASK");
  EXPECT_EQ(zero.ImageCount, 1);
  EXPECT_EQ(zero.Width, 12);
  EXPECT_EQ(zero.Height, 6);
  EXPECT_EQ(zero.WL, 5);
  EXPECT_EQ(zero.WR, 5);
  EXPECT_EQ(zero.WT, 2);
  EXPECT_EQ(zero.WB, 2);
  // The same for an image shared with another element: nothing divides by 0.
  const TsMaskData& shared = Element(sd, u"ZERO", u"SHARED");
  EXPECT_EQ(shared.Bmp, huge.Bmp);
  EXPECT_EQ(shared.Width, 36);
  EXPECT_EQ(shared.WL, 17);
  EXPECT_EQ(shared.WT, 2);
  // Margins wider than the frame: the corner scan stays inside it.
  EXPECT_EQ(Element(sd, u"ZERO", u"WIDE").Cfg, kCfgKeyInCorners);
  // The master's magenta became transparent.
  ASSERT_TRUE(m_->MasterBitmap);
  EXPECT_EQ(m_->MasterBitmap->Pixel(0, 0), kKeyPixel);
}

TEST_F(SkinLoaderTest, ScaleVariantsRescaledPiecesAndTheirReuse) {
  Load(Skin());
  const TacSkinData& big = m_->CommonSkinData(144);
  EXPECT_EQ(big.PPI, 144);
  EXPECT_EQ(big.ScaleValue, 2);
  ASSERT_EQ(m_->SkinDataArray[2].get(), &big);
  // The 150 % variant is taken as designed.
  const TsMaskData& box = Element(big, u"GLOBALINFO", u"BOXCHECKED");
  EXPECT_EQ(box.DivPPI, 144);
  EXPECT_EQ(box.R, Rect(20, 40, 40, 60));
  EXPECT_FALSE(box.Bmp);
  // A piece of the master is rescaled once and shared by the same rectangle.
  const TsMaskData& divider = Element(big, u"DIVIDER", u"BORDERSMASK");
  ASSERT_TRUE(divider.Bmp);
  EXPECT_EQ(divider.Width, 9);
  EXPECT_EQ(divider.WL, 3);
  EXPECT_EQ(Element(big, u"PANEL", u"BORDERSMASK").Bmp, divider.Bmp);
  const auto cached =
      std::count_if(big.BmpArray.begin(), big.BmpArray.end(),
                    [](const TacBmpData& b) { return b.Path == u"DIVIDER-BORDERSMASK"; });
  EXPECT_EQ(cached, 1);
  EXPECT_EQ(Element(big, u"BUTTON_HUGE", u"BORDERSMASK").Width, 18);
  // Metrics follow the density.
  EXPECT_EQ(big.Spacing, 6);
  EXPECT_EQ(m_->CommonSkinData(96).Spacing, 4);
}

TEST_F(SkinLoaderTest, OuterEffectsComputeTheirMasks) {
  const TacSkinData& sd = Load(Skin());
  const TacOutEffData& shadow = sd.oe[1];
  EXPECT_EQ(shadow.Source, 2);
  ASSERT_TRUE(sd.IsValidImgIndex(shadow.Mask));
  const TsMaskData& sm = sd.ma[static_cast<std::size_t>(shadow.Mask)];
  // The default shadow at 96 PPI: a 25 x 26 picture under its colour half.
  EXPECT_EQ(sm.Width, 25);
  EXPECT_EQ(sm.Height, 26);
  EXPECT_EQ(sm.R, Rect(0, 0, 25, 52));
  EXPECT_EQ(sm.MaskType, 1);
  EXPECT_EQ(sm.DrawMode, 1);
  EXPECT_EQ(shadow.WidthL, 12);
  EXPECT_EQ(shadow.WidthR, 12);
  EXPECT_EQ(shadow.WidthT, 11);
  EXPECT_EQ(shadow.WidthB, 14);
  EXPECT_EQ(sm.WB, 14);
  const TacOutEffData& light = sd.oe[0];
  ASSERT_TRUE(sd.IsValidImgIndex(light.Mask));
  EXPECT_EQ(sd.ma[static_cast<std::size_t>(light.Mask)].Width, 23);
  EXPECT_EQ(sd.ma[static_cast<std::size_t>(light.Mask)].Height, 25);
  // At 150 % radius, blur and offsets grow with the scale.
  const TacSkinData& big = m_->CommonSkinData(144);
  const TsMaskData& bm = big.ma[static_cast<std::size_t>(big.oe[1].Mask)];
  EXPECT_EQ(bm.Width, 2 * 13 + 4 + 4 + 1);
  EXPECT_EQ(bm.Height, 2 * 13 + 3 + 7 + 1);
}

TEST_F(SkinLoaderTest, OuterMasksOfSourceOneAndOfSections) {
  const std::string options =
      std::string(kOptions) +
      "[GLOBALINFO]\r\nSH_SOURCE=1\r\n"
      "SH_MASK=^0000^0000^0012^0006^0002^0002^0002^0002^1^0^1\r\n"
      "LO_SOURCE=0\r\n"
      "[OUTER]\r\nOUTERMODE=3\r\nOUTOFFSL=2\r\nOUTOFFSR=4\r\nOUTRADIUS=3\r\n"
      "OUTBLUR=1\r\n";
  // A repeated section continues the first one, so the keys reach GLOBALINFO.
  const TacSkinData& sd = Load(Skin(options));
  ASSERT_TRUE(m_->IsActive());
  const TsMaskData& sh = sd.ma.at(static_cast<std::size_t>(sd.oe[1].Mask));
  EXPECT_EQ(sh.ClassName, u"GLOBALINFO");
  EXPECT_EQ(sh.R, Rect(0, 0, 12, 6));
  EXPECT_EQ(sh.WL, 2);
  EXPECT_EQ(sd.oe[0].Mask, -1);
  const TsGeneralData& outer = Section(sd, u"OUTER");
  ASSERT_TRUE(sd.IsValidImgIndex(outer.OuterMask));
  const TsMaskData& om = sd.ma[static_cast<std::size_t>(outer.OuterMask)];
  EXPECT_EQ(om.Width, 2 * 3 + 2 + 4 + 1);
  EXPECT_EQ(om.WL, (om.Width + 2 - 4) / 2);
  EXPECT_EQ(om.WR, (om.Width + 4 - 2) / 2);
  // The upper half is the section's colour, the lower its mask.
  EXPECT_EQ(om.Bmp->Pixel(0, 0), (TBGRA{0, 0, 0, 255}));
}

TEST_F(SkinLoaderTest, PaletteFromSectionsAndDefaults) {
  Load(Skin());
  const TacPaletteArray& p = m_->Palette;
  EXPECT_EQ(p[pcMainColor], 0x203040);
  EXPECT_EQ(p[pcLabelText], 0xAA);
  EXPECT_EQ(p[pcWebText], 0xFF0000);
  EXPECT_EQ(p[pcWebTextHot], 0x0000FF);
  EXPECT_EQ(p[pcEditBG], 0xF0F0F0);
  EXPECT_EQ(p[pcEditText], 0x101010);
  EXPECT_EQ(p[pcEditBG_Inverted], 0x101010);
  EXPECT_EQ(p[pcEditBG_EvenRow], MixColors(0x101010, 0xF0F0F0, 13));
  EXPECT_EQ(p[pcGrid], MixColors(0x101010, 0xF0F0F0, 30));
  // No SELECTION: the menu item's hot state stands in.
  EXPECT_EQ(p[pcSelectionBG], 0x445566);
  EXPECT_EQ(p[pcSelectionBG_Focused], 0x445566);
  EXPECT_EQ(p[pcSelectionText], 0x778899);
  EXPECT_EQ(p[pcSelectionText_Focused], 0x778899);
  EXPECT_EQ(static_cast<std::uint32_t>(p[pcBtnColor1Active]),
            0xFF000000u | static_cast<std::uint32_t>(MixColors(0x203040, 0xFFFFFF, 177)));
  EXPECT_EQ(static_cast<std::uint32_t>(p[pcBtnColor2Normal]),
            0xFF000000u | static_cast<std::uint32_t>(MixColors(0x203040, 0, 244)));
  EXPECT_EQ(p[pcBtnBorderNormal], 0);
  EXPECT_EQ(p[pcBtnFontPressed], 0xAA);
  EXPECT_EQ(p[pcEditText_Caution], 0x00006C);
  EXPECT_EQ(p[pcBtnToneBlueActive], 0xFFEDC9);
  EXPECT_EQ(p[pcHintBG], DefaultSysColor(COLOR_INFOBK));
  EXPECT_EQ(m_->Brushes[pcEditBG].Color, 0xF0F0F0);
  EXPECT_EQ(m_->SkinCommonInfo.BrightMin, -50);
  EXPECT_EQ(m_->CommonSkinData(96).BrightMax(), 50);
}

TEST_F(SkinLoaderTest, ButtonColoursAreNumbersOrTheLoadStops) {
  TMemIniFile ini;
  ini.SetStrings({u"[GLOBALINFO]", u"BTNCOLOR1NORMAL=0x1FF00FF00", u"BTNCOLOR2NORMAL=blue"});
  TacSkinData sd(nullptr, 96);
  EXPECT_THROW(BuildPalette(ini, sd), ESkinConvertError);
  ini.SetStrings({u"[GLOBALINFO]", u"BTNCOLOR1NORMAL=0x1FF00FF00"});
  // 64 bits read, 32 kept.
  EXPECT_EQ(static_cast<std::uint32_t>(BuildPalette(ini, sd)[pcBtnColor1Normal]), 0xFF00FF00u);
}

TEST_F(SkinLoaderTest, LabelColourOfTheDefaultSectionsIsThisSkins) {
  Load(Skin());
  // A second skin without FONTCOLOR: its see-through section's text is black,
  // not the first skin's colour.
  TSyntheticSkin plain{"[GLOBALINFO]\r\nVERSION=14\r\n[PANEL]\r\nCOLOR=1\r\n", {}};
  Store(*m_, u"Plain", plain.Package());
  m_->SetSkinName(u"Plain");
  const TacSkinData& sd = m_->CommonSkinData(96);
  EXPECT_EQ(Section(sd, u"TRANSPARENT").Props[0].FontColor.Color, 0);
  EXPECT_EQ(m_->Palette[pcLabelText], 0);
}

TEST_F(SkinLoaderTest, APackedSkinReadsOnlyItsOwnEntries) {
  TSyntheticSkin skin{"[GLOBALINFO]\r\nEXTRA=!EXTRA.BMP!1!0!2\r\nOWN=!OWN.BMP!1!0!2\r\n", {}};
  skin.Add("OWN.BMP", BmpBytes(Solid(4, 4, kRedPixel)));
  // A file of that name in the current folder is not the skin's.
  WriteFile(root_ / "cwd" / "EXTRA.BMP", BmpBytes(Solid(4, 4, kRedPixel)));
  const TacSkinData& sd = Load(skin);
  EXPECT_EQ(GetMaskIndex(sd, u"GLOBALINFO", u"EXTRA"), -1);
  EXPECT_GE(GetMaskIndex(sd, u"GLOBALINFO", u"OWN"), 0);
}

TEST_F(SkinLoaderTest, FolderSkinsReadTheirFilesFromTheirFolder) {
  Skin().WriteFolder(UserSkins() / "Folder");
  m_->SetSkinName(u"Folder");
  ASSERT_TRUE(m_->IsActive());
  EXPECT_FALSE(m_->SkinIsPacked);
  const TacSkinData& sd = m_->CommonSkinData(96);
  EXPECT_TRUE(Element(sd, u"BUTTON_HUGE", u"BORDERSMASK").Bmp);
  EXPECT_EQ(m_->SkinSourceFile(), Utf8ToUtf16((UserSkins() / "Folder" / "Options.dat").string()));
}

TEST_F(SkinLoaderTest, ScaledElementStartsAtTheFirstDesignAtOrAboveTheRequest) {
  TSyntheticSkin skin = Skin(
      "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.PNG\r\nX=@0000@0000@0010@0010@1@0\r\n"
      "X*125=@0010@0010@0022@0022@1@0\r\nX*150=@0020@0020@0035@0035@1@0\r\n"
      "Y*200=@00Z0@0000@0004@0004@1@0\r\n");
  Load(skin);
  TsMaskData md;
  ASSERT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"X", md, 120), 0);
  EXPECT_EQ(md.DivPPI, 120);
  EXPECT_EQ(md.Width, 12);
  ASSERT_TRUE(md.Bmp);  // its own pixels, as painted now
  ASSERT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"X", md, 100), 0);
  EXPECT_EQ(md.DivPPI, 120);
  EXPECT_EQ(md.MulPPi, 100);
  EXPECT_EQ(md.Width, 10);  // 12 frames' pixels rescaled to 100 PPI
  ASSERT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"X", md, 96), 0);
  EXPECT_EQ(md.DivPPI, 96);
  EXPECT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"NONE", md, 96), -1);
  EXPECT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"Y", md, 192), -1);
  m_->SetActive(false);
  EXPECT_EQ(m_->GetScaledMaskData(u"GLOBALINFO", u"X", md, 96), -1);
}

TEST_F(SkinLoaderTest, NumbersFromTheOptionsAreBounded) {
  const std::string options = std::string(kOptions) +
                              "[GLOBALINFO]\r\nSH_RADIUS_OE=2000000000\r\nSH_BLUR_OE=-7\r\n"
                              "SH_OFFSETL=99999999\r\nBICONCLOSEGLOW=99999999\r\n"
                              "WSHRAD=99999999\r\nWSHSIZE=99999999\r\nFontCount=2000000000\r\n"
                              "[BIG]\r\nOUTERMODE=4\r\nOUTRADIUS=99999\r\nOUTBLUR=99999\r\n"
                              "STATES=99999\r\nGLOW=99999\r\n";
  m_->ExtendedBorders = true;
  const TacSkinData& sd = Load(Skin(options));
  ASSERT_TRUE(m_->IsActive());
  const TsMaskData& sh = sd.ma.at(static_cast<std::size_t>(sd.oe[1].Mask));
  EXPECT_LE(sh.Width, 2 * kMaxEffectRadius + 2 * kMaxEffectRadius + 1);
  EXPECT_EQ(sd.TitleGlows[1].size(), static_cast<std::size_t>(kMaxTitleGlows));
  EXPECT_EQ(sd.WndShadowRadius, kMaxEffectRadius);
  ASSERT_TRUE(sd.rsta);
  EXPECT_LE(sd.rsta->Width(), 2 * kMaxEffectRadius + 2 * kMaxEffectRadius + 1);
  const TsGeneralData& big = Section(sd, u"BIG");
  EXPECT_EQ(big.OuterRadius, 30);
  EXPECT_EQ(big.States, 255);
  EXPECT_EQ(big.GlowCount, 255);
  EXPECT_TRUE(m_->EmbeddedFonts.Items().empty());
}

TEST_F(SkinLoaderTest, WindowShadowTemplatesOnlyWithExtendedBorders) {
  Load(Skin());
  EXPECT_FALSE(m_->CommonSkinData(96).ShdaTemplate);
  EXPECT_EQ(m_->CommonSkinData(96).FormShadowSize, TRect{});
  m_->ExtendedBorders = true;
  m_->SetSkinName(u"S");
  const TacSkinData& sd = m_->CommonSkinData(96);
  ASSERT_TRUE(sd.ShdaTemplate && sd.ShdiTemplate && sd.rsta);
  // Radius 17, offset 2, sizes 2 x 13 wider and higher.
  EXPECT_EQ(sd.rsta->Width(), 2 * 17 + 26 + 1);
  EXPECT_EQ(sd.rsta->Height(), 2 * 17 + 26 + 2 + 1);
  EXPECT_EQ(sd.FormShadowSize, (TRect{13, 11, 13, 15}));
  // The active shadow is stronger than the inactive one.
  const TBGRA a = sd.rsta->Pixel(30, 30), i = sd.rsti->Pixel(30, 30);
  EXPECT_GT(a.A, i.A);
}

}  // namespace
}  // namespace qv
