// Preparing the cache and painting from it.
#include "controls/cache_paint.h"

#include <algorithm>

#include "controls/background.h"
#include "paint/mask_corners.h"
#include "skin/mask_elements.h"
#include "skin/section_paint.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

void FillOwnColor(TBitmap32& cache, const TControl& c) {
  FillRectAlpha(cache, cache.BoundsRect(), ColorToRGB(c.Color()), 255);
}

}  // namespace

bool PrepareCache(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  if (c == nullptr) return false;
  TBitmap32& cache = d.Cache();
  const int w = std::max(0, c->Width()), h = std::max(0, c->Height());
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);

  TsBackgroundRequest r;
  r.Rect = c->ClientRect();
  if (AskBackground(*c, r) == bkNotReady) {
    d.FUpdating = true;
    return false;
  }
  const TCacheInfo ci = CacheInfoOf(r);
  // Disabled is not a state: a disabled control shows state 0, then its look.
  const int state = c->Enabled() ? d.CurrentState() : 0;
  const TsGeneralData* g = d.Section();
  if (g != nullptr && SectionPaintState(*g, state) >= 0)
    PaintControlSection(d.PaintView(), ci, true, cache, {c->Left(), c->Top()}, cache.BoundsRect(),
                        state);
  else
    FillOwnColor(cache, *c);
  // The content reads the state it is painted for here.
  d.CacheState = state;
  if (d.Hooks()) d.Hooks()->PaintSkinContent(cache, state);
  if (!c->Enabled()) ApplyDisabledLook(d, cache, ci);
  d.BGChanged = false;
  return true;
}

void RefreshCorners(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  const TsGeneralData* g = d.Section();
  TacSkinData* sd = d.CommonSkinData();
  TsSkinManager* m = d.SkinManager();
  if (c == nullptr || g == nullptr || sd == nullptr || !d.HasCache() || m == nullptr) return;
  if (!sd->IsValidImgIndex(g->BorderIndex)) return;
  const TsMaskData& e = sd->ma[static_cast<std::size_t>(g->BorderIndex)];
  if ((e.Cfg & (kCfgKeyInCorners | kCfgHugeButtonBorder)) == 0) return;
  TsBackgroundRequest r;
  r.Rect = c->ClientRect();
  if (AskBackground(*c, r) == bkNotReady) return;
  TCacheInfo bg = CacheInfoOf(r);
  bg.X += c->Left();
  bg.Y += c->Top();
  UpdateMaskCorners(d.Cache(), MaskElementOf(e, m->MasterBitmap.get()), std::max(0, d.CacheState),
                    kCornerTopLeft | kCornerBottomLeft | kCornerTopRight | kCornerBottomRight, bg);
}

void PaintFromCache(TsCommonData& d, TCanvas& dc) {
  if (d.Animating()) return;
  if (d.Updating()) {
    // Postponed: the end of the parent's update paints it (scEndParentUpdate).
    d.FUpdating = true;
    return;
  }
  const bool ready = (!d.BGChanged && d.HasCache() && !d.Cache().Empty()) || PrepareCache(d);
  if (!ready) return;
  RefreshCorners(d);
  const TBitmap32& cache = d.Cache();
  dc.BitBlt(0, 0, cache.Width(), cache.Height(), cache, 0, 0);
}

bool EraseFromCache(TsCommonData& d, TCanvas& dc) {
  if (d.BGChanged || !d.HasCache() || d.Cache().Empty() || d.Animating()) return false;
  const int saved = dc.SaveDC();
  // Windowed and windowless children alike paint their own areas.
  if (TWinControl* w = d.OwnerWindowed())
    for (TControl* child : w->Controls())
      if (child->Visible()) dc.ExcludeClipRect(child->BoundsRect());
  const TBitmap32& cache = d.Cache();
  dc.BitBlt(0, 0, cache.Width(), cache.Height(), cache, 0, 0);
  dc.RestoreDC(saved);
  return true;
}

}  // namespace qv
