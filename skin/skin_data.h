// One loaded skin at one pixel density (sections, image elements, outer
// effects, cached indexes, scaled metrics) and the lookups that find sections
// and elements in it by name.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "skin/skin_scale.h"
#include "skin/skin_types.h"

namespace qv {

class TacSkinData {
 public:
  TacSkinData(TsSkinManager* owner, int ppi);
  TacSkinData(const TacSkinData&) = delete;
  TacSkinData& operator=(const TacSkinData&) = delete;
  ~TacSkinData() { Reset(); }

  std::unique_ptr<TBitmap32> rsta;
  std::unique_ptr<TBitmap32> rsti;
  bool Initializing = false;
  TsSkinManager* FOwner = nullptr;
  int ScaleValue = 0;
  int ScalePercent = 100;
  int PPI = 96;
  int Spacing = 4;
  int LineWidth = 2;
  int ArrowSize = 5;
  int SmallArrowSize = 4;
  int ScrollBtnLength = 16;
  int Shadow1Blur = -1;
  int Shadow1Offset = 0;
  int Shadow1Transparency = 0;
  int ExBorderWidth = 4;
  int ExTitleHeight = 30;
  int ExMaxHeight = 0;
  int ExContentOffs = 0;
  int ExCenterOffs = 0;
  int ExShadowOffs = 0;
  int ExShadowOffsR = 0;
  int ExShadowOffsT = 0;
  int ExShadowOffsB = 0;
  int BIRightMargin = 0;
  int BILeftMargin = 0;
  int BITopMargin = 0;
  int BISpacing = 0;
  int WndShadowRadius = 17;
  int WndShadowSize = 13;
  int WndShadowOffset = 2;
  TColor WndShadowColorN = 0x44000000;
  TColor WndShadowColorA = static_cast<TColor>(0x99000000u);
  int ExDrawMode = 0;
  int ComboBoxMargin = 2;
  int SliderMargin = 1;
  std::uint8_t TabsCovering = 0;
  std::uint8_t RibbonCovering = 0;
  std::array<TacConstElementData, 4> Scrolls;     // by TacSide
  std::array<TacConstElementData, 4> ScrollBtns;  // by TacSide
  std::array<TacConstElementData, 4> UpDownBtns;  // by TacSide
  std::array<TacConstElementData, 2> Sliders;     // [0] horizontal, [1] vertical
  TacConstElementData MenuItem;
  TacConstElementData ComboBtn;
  std::vector<TacBmpData> BmpArray;
  std::array<std::vector<int>, 7> TitleGlows;
  std::array<int, 7> GlowMargins{};
  std::array<int, 13> TitleGlyphs;  // by TacTitleGlyph
  std::array<int, 2> RadioButton;   // unchecked, checked
  std::array<int, 3> CheckBox;      // unchecked, checked, grayed
  std::array<int, 3> SmallCheckBox;
  std::array<TacTrackBarData, 2> TrackBar;                 // [0] vertical, [1] horizontal
  std::array<std::array<TacConstElementData, 4>, 4> Tabs;  // [TacTabLayout][TacSide]
  int ExBorder = -1;
  int GripVertical = -1;
  int GripHorizontal = -1;
  int GripRightBottom = -1;
  std::unique_ptr<TBitmap32> ShdaTemplate;
  std::unique_ptr<TBitmap32> ShdiTemplate;
  TRect FormShadowSize;
  std::vector<TsMaskData> ma;
  std::array<TacOutEffData, 2> oe;
  std::vector<TsGeneralData> gd;
  // The hue, saturation and brightness settings have reached the cached images
  // and section colours; they are not applied again until Reset.
  bool ColorsTransformed = false;

  // n x PPI div 96.
  int ScaleIntValue(int n) const { return ScaleByPPI(n, PPI); }
  // The skin's brightness limits ("BRIGHTMIN", "BRIGHTMAX" of its options);
  // -50 and 50 without an owning manager.
  int BrightMin() const;
  int BrightMax() const;
  // Frees element bitmaps and empties the arrays; the cached indexes return to none.
  void Reset();
  // Frees the bitmaps that elements own (not the master bitmap).
  void FreeBitmaps();
  void ClearBmpArray() { BmpArray.clear(); }

  bool IsValidSkinIndex(int i) const { return i >= 0 && i < static_cast<int>(gd.size()); }
  bool IsValidImgIndex(int i) const { return i >= 0 && i < static_cast<int>(ma.size()); }

 private:
  void ResetIndexes();
};

// The lookups; exact, case-sensitive names; -1 when nothing matches. Parent
// chains are followed through PARENTCLASS, never into a section already
// visited (a section naming itself has no parent).
int GetSkinIndex(const TacSkinData& sd, ustring_view section);
// The element PropName of SkinIndex or, when SkinIndex is a valid section whose
// parent is set and differs from SkinSection, of its parent chain.
int GetMaskIndex(const TacSkinData& sd, int skin_index, ustring_view skin_section,
                 ustring_view prop_name);
// The element PropName of SkinIndex or of the sections its ParentClass names.
int GetMaskIndex(const TacSkinData& sd, int skin_index, ustring_view prop_name);
// The first element of that section name and key; no parent chain.
int GetMaskIndex(const TacSkinData& sd, ustring_view skin_section, ustring_view prop_name);
// As the first GetMaskIndex, for texture elements, matching the section name too.
int GetTextureIndex(const TacSkinData& sd, int skin_index, ustring_view skin_section,
                    ustring_view prop_name);
// As the second GetMaskIndex, for texture elements.
int GetTextureIndex(const TacSkinData& sd, int skin_index, ustring_view prop_name);

}  // namespace qv
