// Section and element lookups, with parent chains, self-parents and cycles.
#include <gtest/gtest.h>

#include "skin/skin_data.h"

namespace qv {
namespace {

void AddSection(TacSkinData& sd, ustring name, ustring parent = {}) {
  TsGeneralData g;
  g.ClassName = std::move(name);
  g.ParentClass = std::move(parent);
  sd.gd.push_back(g);
}

void AddElement(TacSkinData& sd, int skin_index, ustring prop, TacImgType type = itisaBorder) {
  TsMaskData m;
  m.SkinIndex = skin_index;
  m.ClassName = sd.gd[static_cast<std::size_t>(skin_index)].ClassName;
  m.PropertyName = std::move(prop);
  m.ImgType = type;
  sd.ma.push_back(m);
}

TEST(Lookup, SkinIndexIsExactAndCaseSensitive) {
  TacSkinData sd(nullptr, 96);
  AddSection(sd, u"GLOBALINFO");
  AddSection(sd, u"BUTTON");
  AddSection(sd, u"BUTTON");
  EXPECT_EQ(GetSkinIndex(sd, u"BUTTON"), 1);
  EXPECT_EQ(GetSkinIndex(sd, u"Button"), -1);
  EXPECT_EQ(GetSkinIndex(sd, u""), -1);
  EXPECT_EQ(GetSkinIndex(sd, u"NONE"), -1);
}

TEST(Lookup, MaskIndexFollowsParentsOnce) {
  TacSkinData sd(nullptr, 96);
  AddSection(sd, u"BASE");
  AddSection(sd, u"CHILD", u"BASE");
  AddSection(sd, u"GRANDCHILD", u"CHILD");
  AddSection(sd, u"SELF", u"SELF");
  AddElement(sd, 0, u"BORDERSMASK");
  AddElement(sd, 0, u"PATTERN", itisaTexture);
  AddElement(sd, 1, u"GLYPHMASK", itisaGlyph);
  EXPECT_EQ(GetMaskIndex(sd, 2, u"GRANDCHILD", u"BORDERSMASK"), 0);
  EXPECT_EQ(GetMaskIndex(sd, 2, u"BORDERSMASK"), 0);
  EXPECT_EQ(GetMaskIndex(sd, 2, u"GLYPHMASK"), 2);
  EXPECT_EQ(GetMaskIndex(sd, -1, u"BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 99, u"X", u"BORDERSMASK"), -1);
  // The by-name lookup has no parent chain.
  EXPECT_EQ(GetMaskIndex(sd, u"GRANDCHILD", u"BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, u"BASE", u"BORDERSMASK"), 0);
  // A parent equal to the caller's section name ends the chain.
  EXPECT_EQ(GetMaskIndex(sd, 1, u"BASE", u"BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 3, u"SELF", u"BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 3, u"BORDERSMASK"), -1);
  // Textures only match texture elements.
  EXPECT_EQ(GetTextureIndex(sd, 2, u"GRANDCHILD", u"PATTERN"), 1);
  EXPECT_EQ(GetTextureIndex(sd, 2, u"PATTERN"), 1);
  EXPECT_EQ(GetTextureIndex(sd, 2, u"BORDERSMASK"), -1);
  EXPECT_EQ(GetTextureIndex(sd, 2, u"", u"PATTERN"), -1);
}

TEST(Lookup, ParentCyclesEnd) {
  TacSkinData sd(nullptr, 96);
  AddSection(sd, u"A", u"B");
  AddSection(sd, u"B", u"C");
  AddSection(sd, u"C", u"A");
  AddSection(sd, u"D", u"MISSING");
  AddElement(sd, 3, u"OTHER");
  EXPECT_EQ(GetMaskIndex(sd, 0, u"A", u"BORDERSMASK"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 0, u"BORDERSMASK"), -1);
  EXPECT_EQ(GetTextureIndex(sd, 1, u"B", u"PATTERN"), -1);
  EXPECT_EQ(GetTextureIndex(sd, 1, u"PATTERN"), -1);
  EXPECT_EQ(GetMaskIndex(sd, 3, u"BORDERSMASK"), -1);
}

TEST(Lookup, StandardSectionNamesAndFallbacks) {
  EXPECT_EQ(ustring(kStandardSectionNames[ssMenuItem]), u"MENUITEM");
  EXPECT_EQ(ustring(kStandardSectionNames[ssButtonHuge]), u"BUTTON_HUGE");
  EXPECT_EQ(ustring(kStandardSectionNames[ssUpDown]), u"UPDOWNBTN");
  EXPECT_EQ(ustring(kStandardSectionNames[ssSlider_On]), u"SLIDER_ON");
  EXPECT_EQ(StandardSectionFallback(ssColHeaderL), ssColHeader);
  EXPECT_EQ(StandardSectionFallback(ssMenuLine), -1);
  EXPECT_EQ(StandardSectionFallback(ssButton), -1);
  int with_fallback = 0;
  for (int s = 0; s < kStandardSectionCount; ++s)
    with_fallback += StandardSectionFallback(static_cast<TacSection>(s)) >= 0;
  EXPECT_EQ(with_fallback, 11);
}

}  // namespace
}  // namespace qv
