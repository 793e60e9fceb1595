// The skin manager's published option objects: effects, animations, button,
// label, scroll-bar and menu support, general options, fonts and the class
// lists of third-party controls, each with its defaults.
#pragma once

#include <array>
#include <string_view>

#include "platform/font.h"
#include "platform/ustring.h"
#include "skin/skin_types.h"

namespace qv {

struct TacSkinEffects {
  bool AllowGlowing = true;
  bool AllowAnimation = true;
  bool AllowAeroBluring = true;
  bool DiscoloredGlyphs = false;
  bool AllowOuterEffects = true;
};

enum TacAnimType { atFading, atAero };

struct TacAnimEffectData {
  bool Active = true;
  int Time = 0;
  TacAnimType Mode = atAero;
};

struct TacBlendOnMoving {
  bool Active = false;
  int BlendValue = 170;
  int Time = 1000;
};

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };

struct TacBtnEffects {
  unsigned Events = 1u << beMouseEnter | 1u << beMouseLeave | 1u << beMouseDown | 1u << beMouseUp;
};

struct TacAnimEffects {
  TacAnimEffectData DialogShow;
  TacAnimEffectData FormShow;
  TacAnimEffectData FormHide;
  TacAnimEffectData DialogHide;
  TacAnimEffectData PageChange;
  TacAnimEffectData Minimizing{true, 80, atAero};
  TacAnimEffectData SkinChanging{true, 100, atFading};
  TacBlendOnMoving BlendOnMoving;
  TacBtnEffects Buttons;
};

enum TacModalButtonsColoring { bcGlyph, bcBackground };

struct TacButtonsSupport {
  bool ShowFocusRect = true;
  bool ShiftContentOnClick = true;
  unsigned ModalButtonsColoring = 1u << bcGlyph;
  bool AllowRTLSysButtons = true;
};

struct TacLabelsSupport {
  bool TransparentAlways = true;
};

struct TacScrollBarsSupport {
  int ScrollSize = -1;
  int ButtonsSize = -1;
};

struct TacMenuSupport {
  // The section that paints the icon column; "ICOLINE" when left empty.
  ustring IcoLineSkin;
  bool UseExtraLine = false;
  int ExtraLineWidth = 32;
  TFont ExtraLineFont;
  bool AlignToInt = true;
};

enum TacOptimizingPriority { opSpeed, opMemory };
// The design scale (sm100 … sm200), the screen's scale at start (smAuto), no
// scaling (smOldMode), each window at its own density (smVCL) or PixelsPerInch.
enum TacScaleMode { sm100, sm125, sm150, sm200, smAuto, smOldMode, smVCL, smCustomPPI };

struct TacOptions {
  bool ChangeSysColors = false;
  bool CheckEmptyAlpha = false;
  bool DrawNonClientArea = true;
  bool NativeBordersMaximized = false;
  bool NoMouseHover = false;
  bool StdGlyphsOrder = false;
  bool StdImgTransparency = false;
  TacArrowsStyle ArrowsStyle = arsDefault;
  TacOptimizingPriority OptimizingPriority = opSpeed;
  TacScaleMode ScaleMode = smVCL;
  int PixelsPerInch = 96;
};

enum TacFontMode { fmDefault, fmFromSkin, fmCustom };

// The class names of other controls to skin as one of the kinds, a line each.
constexpr int kThirdPartyKinds = 23;
extern const std::array<const char*, kThirdPartyKinds> kThirdPartyNames;
struct TsThirdPartyList {
  std::array<ustring, kThirdPartyKinds> Lists;
  // Each empty list takes its default: a single space, "TButton" for the buttons.
  void FillDefaults();
  // The index of a list by its property name ("ThirdEdits" …); -1.
  static int IndexOf(std::string_view name);
};

}  // namespace qv
