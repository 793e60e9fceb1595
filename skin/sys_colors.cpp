// System colours and named colour codes under a skin.
#include "skin/sys_colors.h"

#include <array>
#include <cstdint>
#include <utility>

#include "paint/compositing.h"
#include "skin/skin_data.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

// Named colour codes: top byte 0xFF (one of them 0xF1), above the system
// colour indexes; the low 24 bits are the colour shown without a skin.
constexpr std::array<std::pair<std::uint32_t, TacPaletteColors>, 23> kNamedCodes = {{
    {0xF1000001u, pcMainColor},           {0xFF003E0Au, pcEditText_Ok},
    {0xFF004C4Cu, pcEditText_Warning},    {0xFF00006Cu, pcEditText_Alert},
    {0xFFC9FFD2u, pcEditBG_Ok},           {0xFFBAFFFFu, pcEditBG_Warning},
    {0xFFDBDBFFu, pcEditBG_Alert},        {0xFFD5D5FFu, pcBtnToneRed},
    {0xFFBDBDFFu, pcBtnToneRedActive},    {0xFFE1FFD2u, pcBtnToneGreen},
    {0xFFCDFFB4u, pcBtnToneGreenActive},  {0xFFFFEDC9u, pcBtnToneBlue},
    {0xFFFFE9BEu, pcBtnToneBlueActive},   {0xFFCAF3FFu, pcBtnToneYellow},
    {0xFFBAEFFFu, pcBtnToneYellowActive}, {0xFF0000B4u, pcBtnRedText},
    {0xFF0000A2u, pcBtnRedTextActive},    {0xFF28851Au, pcBtnGreenText},
    {0xFF008E00u, pcBtnGreenTextActive},  {0xFFAE7400u, pcBtnBlueText},
    {0xFF916000u, pcBtnBlueTextActive},   {0xFF00A5D7u, pcBtnYellowText},
    {0xFF0098C6u, pcBtnYellowTextActive},
}};

enum TStateIndex { kNormal = 0, kHot = 1 };

TColor SectionColor(const TsGeneralData* s, TStateIndex st, TColor fallback) {
  return s ? s->Props[st].Color : fallback;
}
TColor SectionFont(const TsGeneralData* s, TStateIndex st, TColor fallback) {
  return s ? s->Props[st].FontColor.Color : fallback;
}

// The skin's answer for a system colour index, or false for the platform's.
bool SkinSysColor(int index, const TSkinColorSource& sk, TColor& out) {
  const TacPaletteArray& p = *sk.Palette;
  switch (index) {
    case COLOR_SCROLLBAR:
    case COLOR_BACKGROUND:
    case COLOR_MENU:
    case COLOR_APPWORKSPACE:
    case COLOR_BTNFACE:
    case COLOR_MENUBAR:
      out = p[pcMainColor];
      return true;
    case COLOR_ACTIVECAPTION:
    case COLOR_GRADIENTACTIVECAPTION:
      out = SectionColor(sk.FormTitle, kHot, p[pcMainColor]);
      return true;
    case COLOR_INACTIVECAPTION:
    case COLOR_GRADIENTINACTIVECAPTION:
      out = SectionColor(sk.FormTitle, kNormal, p[pcMainColor]);
      return true;
    case COLOR_WINDOW:
      out = p[pcEditBG];
      return true;
    case COLOR_WINDOWFRAME:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER:
      out = p[pcBorder];
      return true;
    case COLOR_MENUTEXT:
    case COLOR_BTNTEXT:
      out = p[pcLabelText];
      return true;
    case COLOR_WINDOWTEXT:
      out = p[pcEditText];
      return true;
    case COLOR_CAPTIONTEXT:
      out = SectionFont(sk.FormTitle, kHot, p[pcLabelText]);
      return true;
    case COLOR_HIGHLIGHT:
    case COLOR_MENUHILIGHT:
      out = p[pcSelectionBG_Focused];
      return true;
    case COLOR_HIGHLIGHTTEXT:
      out = p[pcSelectionText_Focused];
      return true;
    case COLOR_BTNSHADOW:
    case COLOR_3DDKSHADOW:
      out = MixColors(p[pcMainColor], clBlack, 180);
      return true;
    case COLOR_GRAYTEXT:
      out = MixColors(p[pcMainColor], p[pcLabelText], 127);
      return true;
    case COLOR_INACTIVECAPTIONTEXT:
      out = SectionFont(sk.FormTitle, kNormal, p[pcLabelText]);
      return true;
    case COLOR_BTNHIGHLIGHT:
      out = MixColors(p[pcMainColor], p[pcSelectionBG_Focused], 127);
      return true;
    case COLOR_3DLIGHT:
      out = MixColors(p[pcMainColor], clWhite, 180);
      return true;
    case COLOR_INFOTEXT:
      out = SectionFont(sk.Hint, kNormal, p[pcEditText]);
      return true;
    case COLOR_INFOBK:
      out = SectionColor(sk.Hint, kNormal, p[pcEditBG]);
      return true;
    case COLOR_HOTLIGHT:
      out = p[pcWebTextHot];
      return true;
    default:
      return false;
  }
}

}  // namespace

TSkinColorSource SkinColorSourceOf(const TacSkinData& sd, const TacSkinCommonInfo& ci,
                                   const TacPaletteArray& palette) {
  TSkinColorSource s;
  s.Palette = &palette;
  const int title = ci.Sections[ssFormTitle];
  const int hint = ci.Sections[ssHint];
  if (sd.IsValidSkinIndex(title)) s.FormTitle = &sd.gd[title];
  if (sd.IsValidSkinIndex(hint)) s.Hint = &sd.gd[hint];
  return s;
}

TColor SkinColorToRGB(TColor x, const TSkinColorSource* skin) {
  if (x >= 0) return x;
  const auto u = static_cast<std::uint32_t>(x);
  if (skin == nullptr || skin->Palette == nullptr) {
    if ((u & 0xFFFFFFu) > 100) return static_cast<TColor>(u & 0xFFFFFFu);
    return ColorToRGB(x);
  }
  for (const auto& [code, entry] : kNamedCodes)
    if (code == u) return (*skin->Palette)[entry];
  if ((u & 0xFF000000u) == static_cast<std::uint32_t>(clSystemColor) &&
      (u & 0xFFFFFFu) < COLOR_ENDCOLORS) {
    TColor out;
    if (SkinSysColor(static_cast<int>(u & 0xFFFFFFu), *skin, out)) return out;
  }
  return ColorToRGB(x);
}

TColor SkinColorToRGB(TColor x, const TsSkinManager* manager) {
  if (x >= 0) return x;
  const TsSkinManager* m = manager ? manager : TsSkinManager::DefaultManager();
  if (m == nullptr || !(m->IsActive() || (m->ManagerState & Bit(msSkinChanging))))
    return SkinColorToRGB(x, nullptr);
  TSkinColorSource source;
  source.Palette = &m->Palette;
  if (const TacSkinData* sd = m->SkinDataArray[0].get())
    source = SkinColorSourceOf(*sd, m->SkinCommonInfo, m->Palette);
  return SkinColorToRGB(x, &source);
}

}  // namespace qv
