// The section model: values through parent chains, states, elements with
// their scale variants, and the standard sections' stand-ins.
#include "skin/section_model.h"

#include <gtest/gtest.h>

#include "skin/element_notation.h"

namespace qv {
namespace {

TMemIniFile Ini(const std::vector<ustring>& lines) {
  TMemIniFile ini;
  ini.SetStrings(lines);
  return ini;
}

TEST(SectionModel, ValuesThroughTheParentChain) {
  const TMemIniFile ini =
      Ini({u"[BASE]", u"STATES=2", u"GLOW=300", u"NAME=base", u"FLAG=TRUE", u"[CHILD]",
           u"PARENTCLASS=BASE", u"GLOW=-4", u"NAME=?", u"FLAG=yes", u"[SELF]", u"PARENTCLASS=SELF",
           u"[A]", u"PARENTCLASS=B", u"[B]", u"PARENTCLASS=A", u"[Q]", u"PARENTCLASS=?"});
  const TacSectionReader r(ini);
  EXPECT_EQ(r.ReadInt(u"CHILD", u"STATES", 3), 2);
  // A negative value counts as missing; the limit caps what is found.
  EXPECT_EQ(r.ReadInt(u"CHILD", u"GLOW", 0, 255), 255);
  EXPECT_EQ(r.ReadInt(u"CHILD", u"MISSING", 7), 7);
  EXPECT_EQ(r.ReadInt(u"CHILD", u"MISSING", 7, 255, true), -1);
  EXPECT_EQ(r.ReadString(u"CHILD", u"NAME", u"d"), u"base");
  EXPECT_FALSE(r.ReadBool(u"CHILD", u"FLAG", true));
  EXPECT_TRUE(r.ReadBool(u"BASE", u"FLAG", false));
  EXPECT_EQ(r.ParentOf(u"CHILD"), u"BASE");
  EXPECT_EQ(r.ParentOf(u"Q"), u"");
  EXPECT_EQ(r.ReadInt(u"SELF", u"STATES", 3), 3);
  EXPECT_EQ(r.ReadInt(u"A", u"STATES", 3), 3);  // a cycle ends
  EXPECT_EQ(r.ReadString(u"B", u"NAME", u"none"), u"none");
}

TEST(SectionModel, StatesStartFromTheTemplate) {
  const TMemIniFile ini =
      Ini({u"[PANEL]", u"COLOR=0x123456", u"FONTCOLOR=255", u"TCLEFT=1", u"GRADIENTDATA=abc",
           u"[BUTTON]", u"PARENTCLASS=PANEL", u"STATES=3", u"HOTFONTCOLOR=5", u"USESTATE2=1",
           u"COLOR2=7", u"[ONE]", u"STATES=1", u"COLOR=9", u"HOTCOLOR=10"});
  const TacSectionReader r(ini);
  const TsGeneralData b = ReadGeneralData(r, u"BUTTON", 96, false, nullptr);
  EXPECT_EQ(b.ParentClass, u"PANEL");
  EXPECT_EQ(b.Props[0].Color, 0x123456);
  EXPECT_EQ(b.Props[0].FontColor, (TsFontColor{255, 1, -1, -1, -1}));
  EXPECT_EQ(b.Props[1].Color, 0xFFFFFF);  // the template, not state 0
  EXPECT_EQ(b.Props[1].FontColor.Color, 5);
  EXPECT_TRUE(b.UseState2);
  EXPECT_EQ(b.Props[2].Color, 7);
  EXPECT_EQ(b.Props[2].TextureIndex, -1);
  const TsGeneralData one = ReadGeneralData(r, u"ONE", 96, false, nullptr);
  EXPECT_EQ(one.Props[1].Color, 9);  // one state: hot copies normal
  EXPECT_EQ(one.Props[2].Color, 9);
  EXPECT_EQ(one.OuterMode, 2);
  EXPECT_EQ(one.OuterOpacity, 200);
  EXPECT_EQ(one.OuterOffset, (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(one.OuterBlur, 9);
}

TEST(SectionModel, GradientTextsAreParsedIntoStops) {
  const ustring button = u"16777215;15461355;97;0;0;15461355;15461355;0;0;0";
  const TMemIniFile ini =
      Ini({u"[BASE]", u"GRADIENTDATA=" + button, u"HOTGRADIENTDATA=" + button, u"[CHILD]",
           u"PARENTCLASS=BASE", u"HOTGRADIENTDATA=N/A", u"GRADIENTDATA2=255;0;1;65280;100;16;B",
           u"USESTATE2=1", u"[FOUR]", u"PARENTCLASS=BASE", u"GRADIENTDATA=1;2A"});
  const TacSectionReader r(ini);
  const TsGeneralData child = ReadGeneralData(r, u"CHILD", 96, false, nullptr);
  // Inherited through the parent: white (made opaque) at 0 %, 0xEBEBEB moved to 100 %.
  const TsGradArray& a = child.Props[0].GradientArray;
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Color, (TsColor{255, 255, 255, 255}));
  EXPECT_EQ(a[0].Percent, 0);
  EXPECT_EQ(a[1].Color, (TsColor{0xEB, 0xEB, 0xEB, 255}));
  EXPECT_EQ(a[1].Percent, 100);
  EXPECT_EQ(static_cast<int>(a[1].Index), 1);  // a packed field: read, not bound
  // Three characters found in the section itself: no gradient, not the parent's.
  EXPECT_TRUE(child.Props[1].GradientArray.empty());
  // The newer format keeps alpha and marks the first stop.
  const TsGradArray& p = child.Props[2].GradientArray;
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].Color.Value(), 255u);
  EXPECT_EQ(p[1].Color.Value(), 65280u);
  EXPECT_EQ(static_cast<int>(p[1].Mode), 16);
  EXPECT_EQ(static_cast<int>(p[0].Mode) & gmHasAlpha, gmHasAlpha);
  // Exactly four characters is parsed, and yields no stops.
  EXPECT_TRUE(ReadGeneralData(r, u"FOUR", 96, false, nullptr).Props[0].GradientArray.empty());

  // A malformed text stops the reading and names where it is.
  for (const char16_t* bad :
       {u"GRADIENTDATA=x;1;2;0;0", u"GRADIENTDATA=12;34;5", u"HOTGRADIENTDATA=1;2;3;4;0;1;2;C"}) {
    const TMemIniFile broken = Ini({u"[GLOBALINFO]", u"[PANEL]", bad});
    TacSkinData sd(nullptr, 96);
    TacSkinCommonInfo info;
    try {
      BuildSectionModel(broken, sd, info);
      ADD_FAILURE() << Utf16ToUtf8(bad);
    } catch (const EGradientError& e) {
      EXPECT_NE(std::string(e.what()).find("Section [PANEL], key "), std::string::npos) << e.what();
    }
  }
}

TEST(SectionModel, ElementsWithScaleVariantsInFileOrder) {
  const TMemIniFile ini = Ini({
      u"[GLOBALINFO]",
      u"MASTERBITMAP=MASTER COPY.PNG",
      u"BOXCHECKED=@0026@0011@0039@0024@1@0",
      u"BOXCHECKED*200=&0052002200780048" + ustring(16, u'0') + u"10200000000",
      u"VERSION=14.01",
      u"FADINGENABLED=1",
      u"[DIVIDER]",
      u"IMGTOPLEFT=",
      u"BORDERSMASK=^0057^0001^0060^0002^0001^0000^0000^0000^1^0^1^1",
      u"[BUTTON_HUGE]",
      u"BORDERSMASK=!buttonhuge.bmp!3!1!0!0031!0031!0031!0031!5",
      u"[DIALOG]",
      u"PATTERN=~0136~0000~0137~0120~02~0",
  });
  TacSkinData sd(nullptr, 96);
  TacSkinCommonInfo info;
  BuildSectionModel(ini, sd, info);
  ASSERT_EQ(sd.ma.size(), 4u);
  EXPECT_EQ(sd.ma[0].PropertyName, u"BOXCHECKED");
  EXPECT_EQ(sd.ma[0].R, Rect(26, 11, 39, 24));
  EXPECT_EQ(sd.ma[0].DivPPI, 96);
  EXPECT_EQ(sd.ma[0].ImgType, itisaGlyph);
  EXPECT_EQ(sd.ma[1].ClassName, u"DIVIDER");
  EXPECT_EQ(sd.ma[1].SkinIndex, 1);
  EXPECT_EQ(sd.ma[1].DrawMode, 1);
  EXPECT_EQ(sd.ma[2].ImageCount, 3);
  EXPECT_EQ(sd.ma[3].ImgType, itisaTexture);
  EXPECT_EQ(GetMaskIndex(sd, 3, u"PATTERN"), 3);

  TacSkinData big(nullptr, 192);
  BuildSectionModel(ini, big, info);
  EXPECT_EQ(big.ma[0].DivPPI, 192);
  EXPECT_EQ(big.ma[0].MulPPi, 192);
  EXPECT_EQ(big.ma[0].R, Rect(52, 22, 78, 48));
  // Between design scales the next larger variant is preferred.
  EXPECT_EQ(ChooseScaleVariant(ini, u"GLOBALINFO", u"BOXCHECKED", 150)->DivPPI, 192);
  EXPECT_EQ(ChooseScaleVariant(ini, u"GLOBALINFO", u"BOXCHECKED", 250)->DivPPI, 192);
  EXPECT_EQ(ChooseScaleVariant(ini, u"GLOBALINFO", u"NONE", 96), std::nullopt);

  EXPECT_THROW(BuildSectionModel(Ini({u"[X]",
                                      u"BORDERSMASK=^00A0^0000^0000^0000^0000^0000^0000^"
                                      u"0000^1^0^1"}),
                                 sd, info),
               ESkinConvertError);
}

TEST(SectionModel, StandardSectionsAndStandIns) {
  const TMemIniFile ini = Ini({u"[GLOBALINFO]", u"[FORMTITLE]", u"COLOR=5", u"[BUTTON]",
                               u"PARENTCLASS=PANEL", u"COLOR=6", u"[TOOLBAR]"});
  TacSkinData sd(nullptr, 96);
  TacSkinCommonInfo info;
  BuildSectionModel(ini, sd, info);
  EXPECT_EQ(info.IndexGlobalInfo, 0);
  EXPECT_EQ(info.Sections[ssFormTitle], 1);
  EXPECT_EQ(info.Sections[ssButton], 2);
  EXPECT_EQ(info.Sections[ssDialogTitle], 1);
  EXPECT_EQ(info.Sections[ssColHeaderR], 2);
  EXPECT_EQ(info.Sections[ssMenuCaption], 3);
  EXPECT_EQ(info.Sections[ssMenuLine], -1);
  EXPECT_EQ(info.Sections[ssTBTab], -1);  // TABTOP is missing too
  std::vector<ustring> appended;
  for (std::size_t i = 4; i < sd.gd.size(); ++i) appended.push_back(sd.gd[i].ClassName);
  // The default sections come before the stand-ins.
  EXPECT_EQ(appended,
            (std::vector<ustring>{u"TRANSPARENT", u"MAINCOLOR", u"MENUCAPTION", u"DIALOGTITLE",
                                  u"MENUBTN", u"TB_BTN", u"TB_TAB", u"COLHEADER", u"COLHEADERA",
                                  u"COLHEADERL", u"COLHEADERR", u"SLIDER_OFF", u"SLIDER_ON"}));
  const TsGeneralData& dialog = sd.gd[static_cast<std::size_t>(GetSkinIndex(sd, u"DIALOGTITLE"))];
  EXPECT_EQ(dialog.Props[0].Color, 5);
  const TsGeneralData& col = sd.gd[static_cast<std::size_t>(GetSkinIndex(sd, u"COLHEADERA"))];
  EXPECT_EQ(col.Props[0].Color, 6);
  EXPECT_EQ(col.ParentClass, u"");
  const TsGeneralData& tab = sd.gd[static_cast<std::size_t>(GetSkinIndex(sd, u"TB_TAB"))];
  EXPECT_EQ(tab.States, -1);
  EXPECT_EQ(tab.Props[1].Color, -1);
}

}  // namespace
}  // namespace qv
