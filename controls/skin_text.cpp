// Skinned captions.
#include "controls/skin_text.h"

#include <algorithm>
#include <array>

#include "controls/background.h"
#include "controls/common_data.h"
#include "paint/compositing.h"
#include "paint/glow.h"
#include "skin/color_transforms.h"
#include "skin/section_paint.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

// The first ten standard sections hand their text colours over to the
// section below them when they are mostly see-through.
bool HandsOver(TsCommonData& d) {
  TsSkinManager* m = d.SkinManager();
  if (m == nullptr) return false;
  for (int i = ssMenuItem; i <= ssButton; ++i)
    if (m->SkinCommonInfo.Sections[static_cast<std::size_t>(i)] == d.SkinIndex) return true;
  return false;
}

void DrawOnce(TCanvas& canvas, ustring_view text, TRect r, unsigned flags, TColor color,
              TPoint shift = {0, 0}) {
  canvas.Font.Color = color;
  r = r.Offset(shift.X, shift.Y);
  canvas.DrawText(text, r, flags);
}

void DrawPlain(TCanvas& canvas, ustring_view text, const TRect& r, unsigned flags, bool enabled) {
  if (enabled) {
    DrawOnce(canvas, text, r, flags, canvas.Font.Color);
    return;
  }
  DrawOnce(canvas, text, r, flags, clBtnHighlight, {1, 1});
  DrawOnce(canvas, text, r, flags, clBtnShadow);
}

}  // namespace

TColor AdjustTextColor(TsCommonData& d, TColor c) {
  TsSkinManager* m = d.SkinManager();
  c = ColorToRGB(SkinColorToRGB(c, m)) & 0xFFFFFF;
  if (d.FColorTone != clNone)
    c = PixelToColor(TonePixel(ColorToPixel(c, 255), ColorToRGB(SkinColorToRGB(d.FColorTone, m))));
  if (d.FHUEOffset != 0) c = HueColor(c, d.FHUEOffset) & 0xFFFFFF;
  if (d.FSaturation != 0) c = SaturationColor(c, d.FSaturation) & 0xFFFFFF;
  return c;
}

void DrawSkinText(TCanvas& canvas, ustring_view text, TRect r, unsigned flags, int s,
                  TsCommonData* d, bool enabled, bool glow) {
  if (text.empty()) return;
  const int saved = canvas.SaveDC();
  canvas.SetBkMode(TRANSPARENT);
  if (d == nullptr || !d->Skinned() || d->FCustomFont) {
    DrawPlain(canvas, text, r, flags, enabled);
    canvas.RestoreDC(saved);
    return;
  }
  TacSkinData& sd = *d->CommonSkinData();
  int index = d->SkinIndex;
  TControl* c = d->OwnerControl();
  const TsGeneralData& own = sd.gd[static_cast<std::size_t>(index)];
  const int own_state = SectionPaintState(own, s);
  if (c && c->Parent() && HandsOver(*d) &&
      (own_state < 0 || own.Props[static_cast<std::size_t>(own_state)].Transparency > 39)) {
    TacSectionInfo info{std::max(0, s), -1};
    index = SendSkinCommand(c->Parent(), scGetVisibleSection, reinterpret_cast<LPARAM>(&info)) == 1
                ? info.SkinIndex
                : -1;
  }
  const int st = sd.IsValidSkinIndex(index)
                     ? SectionPaintState(sd.gd[static_cast<std::size_t>(index)], s)
                     : -1;
  if (st < 0) {
    // No section to take colours from: the parent's font colour.
    DrawOnce(canvas, text, r, flags,
             c && c->Parent() ? c->Parent()->Font().Color : canvas.Font.Color);
    canvas.RestoreDC(saved);
    return;
  }
  const TsGeneralData& g = sd.gd[static_cast<std::size_t>(index)];
  const TsGenState& gs = g.Props[static_cast<std::size_t>(st)];
  TsSkinManager* m = d->SkinManager();
  if (index == (m ? m->SkinCommonInfo.Sections[ssWebBtn] : -2) && s > 0)
    canvas.Font.Style |= fsUnderline;
  if (glow && d->HasCache() && gs.GlowSize != 0) {
    if (!d->TextGlow) d->TextGlow = std::make_unique<TGlowPicture>();
    DrawTextGlow(canvas, text, r, *d->TextGlow, AdjustTextColor(*d, gs.GlowColor), gs.GlowSize,
                 kGlowAllSides, flags);
  }
  if (!enabled) {
    const TColor global = m ? ColorToRGB(m->GetGlobalColor()) : ColorToRGB(clBtnFace);
    DrawOnce(canvas, text, r, flags,
             MixColors(AdjustTextColor(*d, gs.FontColor.Color), global, 100) & 0xFFFFFF);
    canvas.RestoreDC(saved);
    return;
  }
  const std::array<std::pair<TColor, TPoint>, 4> sides = {{{gs.FontColor.Left, {-1, 0}},
                                                           {gs.FontColor.Top, {0, -1}},
                                                           {gs.FontColor.Right, {1, 0}},
                                                           {gs.FontColor.Bottom, {0, 1}}}};
  for (const auto& [color, shift] : sides)
    if (color != -1) DrawOnce(canvas, text, r, flags, AdjustTextColor(*d, color), shift);
  DrawOnce(canvas, text, r, flags, AdjustTextColor(*d, gs.FontColor.Color));
  canvas.RestoreDC(saved);
}

}  // namespace qv
