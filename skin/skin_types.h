// The records of a loaded skin: image elements, section states and sections,
// outer effects, constant elements, one skin at one pixel density, and the
// scale-independent facts of the skin; the standard sections and the palette.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "paint/gradient.h"
#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/ustring.h"
#include "skin/options_store.h"

namespace qv {

class TsSkinManager;

enum TacImgType : std::uint8_t {
  itisaBorder = 0,
  itisaTexture = 1,
  itisaGlyph = 2,
  itisaGlow = 3,
  itisaPngGlyph = 4,
};

// DrawMode bits that are not painting options.
constexpr int kDrawNoRescale = 8;  // never rescaled for resolution
constexpr int kDrawKeepKey = 16;   // rescaling leaves key-colour pixels alone
// Cfg bits.
constexpr int kCfgKeyInCorners = 1;
constexpr int kCfgHugeButtonBorder = 2;

// One image element.
struct TsMaskData {
  std::shared_ptr<TBitmap32> Bmp;  // absent: cut from the master bitmap
  ustring ClassName;
  ustring PropertyName;
  TRect R;  // empty: the whole of Bmp
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t DrawMode = 0;
  TacImgType ImgType = itisaBorder;
  TsSkinManager* Manager = nullptr;
  std::int16_t WL = 0;
  std::int16_t WT = 0;
  std::int16_t WR = 0;
  std::int16_t WB = 0;
  std::int32_t Cfg = 0;
  std::int32_t MulPPi = 96;
  std::int32_t DivPPI = 96;
  std::int32_t SkinIndex = -1;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// A text colour with an outline colour per side (-1: none on that side).
struct TsFontColor {
  TColor Color = 0;
  TColor Left = -1;
  TColor Top = -1;
  TColor Right = -1;
  TColor Bottom = -1;
  friend bool operator==(const TsFontColor&, const TsFontColor&) = default;
};

// The look of a section in one state; the defaults are the state template.
struct TsGenState {
  int GlowSize = 0;
  int ImagePercent = 0;
  int TextureIndex = -1;
  int Transparency = 0;
  int GradientPercent = 0;
  TColor Color = 0xFFFFFF;
  TColor GlowColor = 0xFFFFFF;
  TsFontColor FontColor;
  TsGradArray GradientArray;  // empty: no gradient
};

// Normal, hot, pressed.
using TsProps = std::array<TsGenState, 3>;

// One section of the options.
struct TsGeneralData {
  ustring ParentClass;
  ustring ClassName;
  TsProps Props;
  bool UseState2 = false;
  bool GiveOwnFont = false;
  bool ShiftOnClick = false;
  bool ReservedBoolean = false;
  int States = 3;
  int ScrollBorderOffset = 0;
  int GlowCount = 0;
  int GlowMargin = 0;
  int GlowSize = 0;
  int HotGlowSize = 0;
  int BorderIndex = -1;
  int ImgTL = -1;
  int ImgTR = -1;
  int ImgBL = -1;
  int ImgBR = -1;
  TColor HotGlowColor = 0;
  TColor GlowColor = 0;
  int OuterMode = 2;
  int OuterMask = -1;
  int OuterOpacity = 200;
  TRect OuterOffset;
  int OuterBlur = 9;
  int OuterRadius = 9;
  TColor OuterColorL = 0;
  TColor OuterColorT = 0;
  TColor OuterColorR = 0;
  TColor OuterColorB = 0;
  // The application's common sections took this section's border away; it
  // keeps BorderIndex -1 whatever its parents hold.
  bool BorderRemoved = false;
};

// One outer effect: [0] the light outline, [1] the shadow.
struct TacOutEffData {
  TColor ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
  int Blur = 0;
  int Radius = 0;
  int Mask = -1;
  int Source = 0;  // 0 none, 1 mask image from the options, 2 computed
  int Opacity = 0;
};

// Cached indexes of one constant element.
struct TacConstElementData {
  int SkinIndex = -1;
  int MaskIndex = -1;                     // its BORDERSMASK
  int GlyphIndex = -1;                    // its GLYPHMASK
  std::array<int, 2> BGIndex = {-1, -1};  // PATTERN, HOTPATTERN
  ustring SkinSection;
};

enum TacSide { asLeft, asTop, asRight, asBottom };
enum TacTabLayout { tlFirst, tlLast, tlMiddle, tlSingle };
enum TacTitleGlyph {
  tgCloseAlone,
  tgClose,
  tgMax,
  tgMin,
  tgNormal,
  tgHelp,
  tgSmallClose,
  tgSmallMax,
  tgSmallMin,
  tgSmallNormal,
  tgSmallHelp,
  tgUser,
  tgNone,
};
enum TacArrowsStyle { arsSolid1, arsLines1, arsSolid2, arsLines2, arsDefault };

// A rescaled or file image kept for reuse while a skin is loaded.
struct TacBmpData {
  int MulPPI = 96;
  int DivPPI = 96;
  int MaskType = 0;
  ustring Path;
  ustring FileName;
  std::shared_ptr<TBitmap32> Bmp;
  TRect R;
  TRect SrcRect;
};

// Indexes of the track bar's parts: [0] vertical, [1] horizontal.
struct TacTrackBarData {
  int SkinIndex = -1;
  int MaskIndex = -1;        // BORDERSMASK
  int SliderIndex = -1;      // SLIDERVMASK (vertical) or SLIDERMASK
  int PatternIndex = -1;     // PATTERN
  int HotPatternIndex = -1;  // HOTPATTERN
  int TickIndex = -1;        // TICKVERT / TICKHORZ
  int ProgIndex = -1;        // PROGVERT / PROGHORZ
  int ChannelIndex = -1;     // SLIDERCHANNEL
};

// The standard sections, in order.
enum TacSection {
  ssMenuItem,
  ssCheckBox,
  ssSpeedButton,
  ssSpeedButton_Small,
  ssToolButton,
  ssTransparent,
  ssGroupBox,
  ssDivider,
  ssWebBtn,
  ssButton,
  ssComboNoEdit,
  ssButtonHuge,
  ssToolBar,
  ssEdit,
  ssGauge,
  ssSelection,
  ssStatusBar,
  ssPanel,
  ssPanelLow,
  ssTrackBar,
  ssProgressV,
  ssDragBar,
  ssGripH,
  ssGripV,
  ssProgressH,
  ssTabSheet,
  ssUpDown,
  ssComboBox,
  ssCaption,
  ssMainMenu,
  ssSplitter,
  ssComboBtn,
  ssFormTitle,
  ssHint,
  ssDividerV,
  ssPageControl,
  ssTabTop,
  ssBarPanel,
  ssBarTitle,
  ssMenuCaption,
  ssDialogTitle,
  ssMenuButton,
  ssMenuLine,
  ssFormHeader,
  ssTBBtn,
  ssTBMenuBtn,
  ssTBTab,
  ssColHeader,
  ssColHeaderA,
  ssColHeaderL,
  ssColHeaderR,
  ssSlider_Off,
  ssSlider_On,
};
constexpr int kStandardSectionCount = 53;
using TacIntSections = std::array<int, kStandardSectionCount>;

// The section name each standard section stands for.
extern const std::array<const char16_t*, kStandardSectionCount> kStandardSectionNames;
// The section whose index a missing standard section takes (and of which a
// copy is added under the missing name); -1 when it stays missing.
int StandardSectionFallback(TacSection s);

// The derived colours of a skin.
enum TacPaletteColors {
  pcMainColor,
  pcLabelText,
  pcWebText,
  pcWebTextHot,
  pcEditText,
  pcEditBG,
  pcSelectionBG,
  pcSelectionText,
  pcSelectionBG_Focused,
  pcSelectionText_Focused,
  pcEditBG_Inverted,
  pcEditText_Inverted,
  pcEditBG_OddRow,
  pcEditBG_EvenRow,
  pcEditText_Ok,
  pcEditText_Warning,
  pcEditText_Alert,
  pcEditText_Caution,
  pcEditText_Bypassed,
  pcEditBG_Ok,
  pcEditBG_Warning,
  pcEditBG_Alert,
  pcEditBG_Caution,
  pcEditBG_Bypassed,
  pcEditText_Highlight1,
  pcEditText_Highlight2,
  pcEditText_Highlight3,
  pcBtnColor1Active,
  pcBtnColor2Active,
  pcBtnColor1Normal,
  pcBtnColor2Normal,
  pcBtnColor1Pressed,
  pcBtnColor2Pressed,
  pcBtnBorderActive,
  pcBtnBorderNormal,
  pcBtnBorderPressed,
  pcBtnFontActive,
  pcBtnFontNormal,
  pcBtnFontPressed,
  pcBtnToneRed,
  pcBtnToneGreen,
  pcBtnToneBlue,
  pcBtnToneYellow,
  pcBtnToneRedActive,
  pcBtnToneGreenActive,
  pcBtnToneBlueActive,
  pcBtnToneYellowActive,
  pcBtnRedText,
  pcBtnGreenText,
  pcBtnBlueText,
  pcBtnYellowText,
  pcBtnRedTextActive,
  pcBtnGreenTextActive,
  pcBtnBlueTextActive,
  pcBtnYellowTextActive,
  pcBorder,
  pcGrid,
  pcHintBG,
  pcHintText,
};
constexpr int kPaletteCount = 59;
static_assert(pcHintText + 1 == kPaletteCount);
using TacPaletteArray = std::array<TColor, kPaletteCount>;

// Scale-independent facts of the loaded skin, kept once by the manager.
struct TacSkinCommonInfo {
  bool Active = false;
  bool UseAeroBluring = false;
  double Version = 0;
  ustring Author;
  ustring SkinPath;
  ustring MainFont;
  ustring Description;
  TColor FXColor = 0;
  TColor Shadow1Color = 0;
  TColor SysInactiveBorderColor = 0;
  TacArrowsStyle ArrowStyle = arsSolid1;
  int BIVAlign = 0;
  int BIKeepHUE = 0;
  int BrightMin = -50;
  int BrightMax = 50;
  int IndexGlobalInfo = -1;
  TacIntSections Sections;
  std::unique_ptr<TMemIniFile> OptionsDat = std::make_unique<TMemIniFile>();

  TacSkinCommonInfo() { Sections.fill(-1); }
};

}  // namespace qv
