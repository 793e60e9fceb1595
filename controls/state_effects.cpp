// State fades, their end and stop, and hover tracking.
#include "controls/state_effects.h"

#include <algorithm>

#include "controls/glow.h"
#include "controls/skin_classes.h"
#include "paint/compositing.h"
#include "platform/window/input.h"
#include "platform/window/paint.h"
#include "platform/window/window.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

bool SkinChanging(const TsSkinManager* m) {
  return m && (m->ManagerState & (Bit(msSkinChanging) | Bit(msSkinRemoving))) != 0;
}

// Copies src over dst where both exist (dst keeps its size).
void CopyInto(TBitmap32& dst, const TBitmap32& src) {
  const int w = std::min(dst.Width(), src.Width());
  const int h = std::min(dst.Height(), src.Height());
  for (int y = 0; y < h; ++y) std::copy_n(src.ScanLine(y), w, dst.ScanLine(y));
}

// The windowless children of a windowed owner painted over the picture,
// their areas only.
void PaintChildrenInto(TWinControl& owner, TBitmap32& pic) {
  bool any = false;
  for (TControl* c : owner.Controls())
    any = any || (c->Visible() && dynamic_cast<TWinControl*>(c) == nullptr);
  if (!any) return;
  TBitmap32 copy = pic;
  TCanvas canvas(copy);
  owner.PaintControls(canvas, nullptr);
  for (TControl* c : owner.Controls()) {
    if (!c->Visible() || dynamic_cast<TWinControl*>(c) != nullptr) continue;
    const TRect r = IntersectRect(c->BoundsRect(), pic.BoundsRect());
    for (int y = r.Top; y < r.Bottom; ++y)
      std::copy_n(copy.ScanLine(y) + r.Left, r.Width(), pic.ScanLine(y) + r.Left);
  }
}

// The picture on the whole window (non-client area included) at (0, 0).
void ShowOnWindow(HWND h, const TBitmap32& pic) {
  TWindowDC dc(h, true);
  if (dc) dc.get()->BitBlt(0, 0, pic.Width(), pic.Height(), pic, 0, 0);
}

// One picture of a state fade at the timer's current level.
int PaintFadeStep(TacThreadedTimer& t, TsCommonData& d, HWND h) {
  const TBitmap32& cache = d.Cache();
  if (!t.BmpOut) t.BmpOut = std::make_unique<TBitmap32>();
  if (t.BmpOut->Width() != cache.Width() || t.BmpOut->Height() != cache.Height())
    t.BmpOut->SetSize(cache.Width(), cache.Height());
  if (t.BmpFrom) CopyInto(*t.BmpOut, *t.BmpFrom);
  const int g = t.StepLevel();
  if (t.BmpTo) {
    const auto w = static_cast<std::uint8_t>(t.State == 1 ? 255 - g : g);
    BlendBitmaps(*t.BmpOut, *t.BmpTo, w, {0, 0}, t.BmpTo->BoundsRect());
  }
  if (TWinControl* w = d.OwnerWindowed()) PaintChildrenInto(*w, *t.BmpOut);
  ShowOnWindow(h, *t.BmpOut);
  return g;
}

}  // namespace

bool EventAnimated(int event, TacAnimatEvents events, const TsSkinManager* manager) {
  if (event < 0 || event > 3) return false;
  if (events & (1u << event)) return true;
  if ((events & (1u << aeGlobalDef)) == 0 || manager == nullptr) return false;
  return (manager->AnimEffects.Buttons.Events & (1u << event)) != 0;
}

bool EventAnimated(int event, TsCommonData& data) {
  const TacAnimatEvents events =
      data.Hooks() ? data.Hooks()->SkinAnimatEvents() : kDefaultAnimatEvents;
  return EventAnimated(event, events, data.SkinManager());
}

bool StateFadeStep(TacThreadedTimer& t, int iteration) {
  (void)iteration;
  TsCommonData* d = t.AnimData;
  const HWND h = d ? d->OwnerHandle() : HWND();
  if (d == nullptr || !h || !IsWindow(h)) return false;
  int g = PaintFadeStep(t, *d, h);
  if (t.Iteration < t.Iterations) {
    if (d->GlowID >= 0) {
      if (t.State == 0 && g < 10) {
        HideGlow(d->GlowID, false);
        t.Glow = 0;
      } else {
        SetGlowAlpha(d->GlowID, g);
      }
    }
    return true;
  }
  // A fade to 0 that started part way has not reached its end picture at
  // its last step: the remaining steps run at once, at most a fade's length.
  if (t.State == 0) {
    for (int reruns = 0; g != 0 && reruns < t.Iterations; ++reruns) {
      if (d->GlowID >= 0) SetGlowAlpha(d->GlowID, g);
      g = PaintFadeStep(t, *d, h);
    }
  }
  const int target = t.State;
  if (target != 1 && d->GlowID >= 0) HideGlow(d->GlowID, false);
  if (target == 0) StopFade(*d);
  return false;
}

void StopFade(TsCommonData& data) {
  TacThreadedTimer* t = data.AnimTimer.get();
  if (t == nullptr) return;
  t->SetEnabled(false);
  t->State = -1;
  t->BmpTo.reset();
  t->BmpFrom.reset();
  t->BmpOut.reset();
}

void FinishFade(TacThreadedTimer& timer) {
  if (timer.Destroyed) return;
  timer.Iteration = timer.Iterations - 1;
  // The level of the fade's last picture: up to 255 towards the hot state,
  // down to 0 towards every other (a press fades its level down as well).
  timer.Glow = timer.State == 1 ? 255 : 0;
  timer.Finishing = true;
  timer.SetEnabled(false);
  timer.TimeHandler();
  timer.Finishing = false;
  timer.BmpOut.reset();
}

void DoStateTransition(TsCommonData& d, int new_state, const TacAnimProc& step, bool glow,
                       bool fast, bool event_animated) {
  if (!d.Skinned()) {
    d.Invalidate();
    return;
  }
  TsSkinManager* m = d.SkinManager();
  const bool cache_valid = d.HasCache() && !d.Cache().Empty() && !d.BGChanged;
  if (event_animated && !SkinChanging(m) && cache_valid && m && m->Effects.AllowAnimation) {
    // Already heading there: nothing changes (the cache stays current, so
    // the next change can fade too).
    if (d.AnimTimer && d.AnimTimer->State != -1 && d.AnimTimer->State == new_state) return;
    if (glow && new_state < 100 && d.GlowID < 0) ShowGlow(d, false, HWND(), -1, false, 0);
    d.BGChanged = true;
    const bool fresh = !d.AnimTimer;
    if (fresh) d.AnimTimer = std::make_unique<TacThreadedTimer>(d.OwnerControl());
    TacThreadedTimer& t = *d.AnimTimer;
    const int hint = fresh ? 0 : t.ResumeHint();
    TBitmap32& cache = d.Cache();
    if (t.BmpOut && (t.BmpOut->Width() != cache.Width() || t.BmpOut->Height() != cache.Height()))
      t.BmpOut.reset();
    t.BmpFrom = std::make_unique<TBitmap32>(cache);
    d.SendToOwner(scPrepareCache);
    t.BmpTo = std::make_unique<TBitmap32>(d.Cache());
    t.ThreadType = 0;
    t.InitFade(&d, new_state, fast, step, hint);
    t.TimeHandler();
    return;
  }
  // A fade still running would paint its old target over the new state.
  if (d.Animating() && d.AnimTimer->ThreadType == 0) StopFade(d);
  d.BGChanged = true;
  d.Invalidate();
  if (!glow) return;
  if (d.HotState() > 0) {
    if (new_state < 100 && d.GlowID < 0) ShowGlow(d, false, HWND(), -1, false, 255);
  } else if (d.GlowID >= 0) {
    HideGlow(d.GlowID, false);
  }
}

void SkinTransition(TsCommonData& d, int new_state, int event, bool fast) {
  if (new_state == d.CacheState && !d.BGChanged) return;
  DoStateTransition(d, new_state, true, fast, event >= 0 && EventAnimated(event, d));
}

// ---------------------------------------------------------------------------
// Hover

namespace {

bool FullyTransparent(const TsGeneralData& g) {
  return g.Props[0].Transparency == 100 && g.Props[1].Transparency == 100;
}

// The pointer is still over the control's visible client area (a child of
// it, or its own scroll bar).
bool PointerStillInside(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  if (c == nullptr) return false;
  TPoint p;
  if (!GetCursorPos(p)) return false;
  const TPoint local = c->ScreenToClient(p);
  if (!c->ClientRect().Contains(local)) return false;
  if (TWinControl* w = d.OwnerWindowed(); w && w->HandleAllocated()) {
    const HWND under = WindowFromPoint(p);
    return under == w->WindowHandle() || IsChild(w->WindowHandle(), under);
  }
  return true;
}

}  // namespace

void HoverEnter(TsCommonData& d) {
  TsSkinManager* m = d.SkinManager();
  if (!d.Skinned() || d.FMouseAbove || m == nullptr || m->Options.NoMouseHover) return;
  const TsGeneralData* g = d.Section();
  TWinControl* w = d.OwnerWindowed();
  if (g && !FullyTransparent(*g) && w && w->Parent()) {
    // A sibling that missed its leave lets go of its hot state now.
    for (TControl* s : std::vector<TControl*>(w->Parent()->Controls())) {
      auto* sw = dynamic_cast<TWinControl*>(s);
      if (s == w || sw == nullptr || !sw->HandleAllocated()) continue;
      if (TsCommonData* sd = TsCommonData::FromWindow(sw->WindowHandle()); sd && sd->FMouseAbove)
        SendSkinCommand(s, scMouseLeave);
    }
  }
  if (!kNeverHot.Has(d.COC)) d.FMouseAbove = true;
  if (w && w->HandleAllocated())
    m->SetActiveControl(w->WindowHandle());
  else if (d.OwnerControl())
    m->SetActiveGraphControl(d.OwnerControl());
  if (!kNoHoverGlow.Has(d.COC) && d.GlowID < 0) ShowGlow(d, false, HWND(), -1, true, 255);
  const bool follow =
      kColorsFollowState.Has(d.COC) && (!kHotOnRequest.Has(d.COC) || HotEditsAllowed());
  if (follow && g && g->States >= 2) d.ApplyStateColors(1, true);
}

void HoverLeave(TsCommonData& d) {
  TsSkinManager* m = d.SkinManager();
  if (m == nullptr || m->Options.NoMouseHover || !d.FMouseAbove) return;
  if (PointerStillInside(d)) return;
  d.FMouseAbove = false;
  // A state fade takes the glow down with it; without one it fades alone.
  if (!kNoHoverGlow.Has(d.COC) && d.GlowID >= 0 && !d.Animating()) HideGlow(d.GlowID, true);
  if (kColorsFollowState.Has(d.COC) && d.HotState() == 0) d.ApplyStateColors(0, true);
}

}  // namespace qv
