// Skin data at one pixel density, and the section and element lookups.
#include "skin/skin_data.h"

#include <algorithm>

#include "skin/skin_manager.h"

namespace qv {

TacSkinData::TacSkinData(TsSkinManager* owner, int ppi)
    : FOwner(owner), ScaleValue(ScaleIndexOfPPI(ppi)), ScalePercent(ppi * 100 / 96), PPI(ppi) {
  ResetIndexes();
}

int TacSkinData::BrightMin() const { return FOwner ? FOwner->SkinCommonInfo.BrightMin : -50; }
int TacSkinData::BrightMax() const { return FOwner ? FOwner->SkinCommonInfo.BrightMax : 50; }

void TacSkinData::ResetIndexes() {
  for (auto* group : {&Scrolls, &ScrollBtns, &UpDownBtns}) group->fill(TacConstElementData{});
  Sliders.fill(TacConstElementData{});
  MenuItem = {};
  ComboBtn = {};
  for (auto& row : Tabs) row.fill(TacConstElementData{});
  TitleGlyphs.fill(-1);
  RadioButton.fill(-1);
  CheckBox.fill(-1);
  SmallCheckBox.fill(-1);
  TrackBar.fill(TacTrackBarData{});
  for (auto& g : TitleGlows) g.clear();
  GlowMargins.fill(0);
  ExBorder = GripVertical = GripHorizontal = GripRightBottom = -1;
}

void TacSkinData::FreeBitmaps() {
  for (TsMaskData& m : ma) m.Bmp.reset();
}

void TacSkinData::Reset() {
  FreeBitmaps();
  ClearBmpArray();
  gd.clear();
  ma.clear();
  oe = {};
  rsta.reset();
  rsti.reset();
  ShdaTemplate.reset();
  ShdiTemplate.reset();
  FormShadowSize = {};
  ColorsTransformed = false;
  ResetIndexes();
}

int GetSkinIndex(const TacSkinData& sd, ustring_view section) {
  if (section.empty()) return -1;
  for (std::size_t i = 0; i < sd.gd.size(); ++i)
    if (sd.gd[i].ClassName == section) return static_cast<int>(i);
  return -1;
}

namespace {

using TMatch = bool (*)(const TsMaskData&);
bool AnyKind(const TsMaskData&) { return true; }
bool IsTexture(const TsMaskData& m) { return m.ImgType == itisaTexture; }

// The first element of the section (by name when match_name, else by index).
int FindElement(const TacSkinData& sd, int skin_index, ustring_view section, ustring_view prop,
                TMatch match, bool match_name) {
  for (std::size_t i = 0; i < sd.ma.size(); ++i) {
    const TsMaskData& m = sd.ma[i];
    if ((match_name ? m.ClassName == section : m.SkinIndex == skin_index) &&
        m.PropertyName == prop && match(m))
      return static_cast<int>(i);
  }
  return -1;
}

// Follows ParentClass from skin_index while the parent is new. `named` keeps
// the caller's section name so that a parent equal to it stops the chain, and
// `match_name` asks the element's section name to match as well.
int SearchChain(const TacSkinData& sd, int skin_index, ustring_view section, ustring_view prop,
                TMatch match, bool match_name, bool parent_differs_from_caller) {
  std::vector<int> visited;
  while (skin_index >= 0) {
    const int found = FindElement(sd, skin_index, section, prop, match, match_name);
    if (found >= 0) return found;
    if (!sd.IsValidSkinIndex(skin_index)) return -1;
    visited.push_back(skin_index);
    const TsGeneralData& g = sd.gd[static_cast<std::size_t>(skin_index)];
    if (g.ParentClass.empty()) return -1;
    if (parent_differs_from_caller ? g.ParentClass == section : g.ParentClass == g.ClassName)
      return -1;
    const int parent = GetSkinIndex(sd, g.ParentClass);
    if (parent < 0 || std::find(visited.begin(), visited.end(), parent) != visited.end()) return -1;
    skin_index = parent;
    section = g.ParentClass;
  }
  return -1;
}

}  // namespace

int GetMaskIndex(const TacSkinData& sd, int skin_index, ustring_view skin_section,
                 ustring_view prop_name) {
  return SearchChain(sd, skin_index, skin_section, prop_name, AnyKind, false, true);
}

int GetMaskIndex(const TacSkinData& sd, int skin_index, ustring_view prop_name) {
  return SearchChain(sd, skin_index, {}, prop_name, AnyKind, false, false);
}

int GetMaskIndex(const TacSkinData& sd, ustring_view skin_section, ustring_view prop_name) {
  for (std::size_t i = 0; i < sd.ma.size(); ++i)
    if (sd.ma[i].ClassName == skin_section && sd.ma[i].PropertyName == prop_name)
      return static_cast<int>(i);
  return -1;
}

int GetTextureIndex(const TacSkinData& sd, int skin_index, ustring_view skin_section,
                    ustring_view prop_name) {
  if (skin_index < 0 || sd.ma.empty() || skin_section.empty()) return -1;
  return SearchChain(sd, skin_index, skin_section, prop_name, IsTexture, true, true);
}

int GetTextureIndex(const TacSkinData& sd, int skin_index, ustring_view prop_name) {
  return SearchChain(sd, skin_index, {}, prop_name, IsTexture, false, false);
}

}  // namespace qv
