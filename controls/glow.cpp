// The hover glow: its window, its picture, showing, hiding and its fades.
#include "controls/glow.h"

#include <algorithm>

#include "controls/common_data.h"
#include "controls/glow_picture.h"
#include "controls/glow_registry.h"
#include "controls/skin_classes.h"
#include "controls/state_effects.h"
#include "controls/threaded_timer.h"
#include "platform/component/application.h"
#include "platform/component/form.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/layered.h"
#include "skin/color_transforms.h"
#include "skin/skin_manager.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

constexpr char16_t kGlowClass[] = u"TacGlowForm";

// Glow windows never take the mouse or the focus: clicks pass through.
LRESULT GlowWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return 3;  // MA_NOACTIVATE
    default:
      return DefWindowProc(h, msg, w, l);
  }
}

void EnsureGlowClass() {
  WNDCLASS wc;
  if (GetClassInfo(kGlowClass, wc)) return;
  wc.lpszClassName = kGlowClass;
  wc.lpfnWndProc = GlowWndProc;
  wc.hbrBackground = clNone;
  RegisterClass(wc);
}

// The part of the control visible on screen: its rectangle clipped by the
// client areas of its parents.
TRect VisibleScreenRect(const TControl& c) {
  const TPoint o = c.ClientToScreen({0, 0});
  TRect r = Bounds(o.X, o.Y, c.Width(), c.Height());
  for (const TWinControl* p = c.Parent(); p != nullptr; p = p->Parent()) {
    const TPoint po = p->ClientToScreen({0, 0});
    r = IntersectRect(r, Bounds(po.X, po.Y, p->ClientWidth(), p->ClientHeight()));
  }
  return r;
}

TRect VisibleScreenRect(HWND h) {
  TRect r;
  if (!GetWindowRect(h, r)) return {};
  for (HWND p = GetParent(h); p; p = GetParent(p)) {
    TRect c;
    GetClientRect(p, c);
    TPoint o{0, 0};
    ClientToScreen(p, o);
    r = IntersectRect(r, c.Offset(o.X, o.Y));
  }
  return r;
}

// The window above which a control's glow lies (its form's; a form placed
// in another control: that control's window).
HWND GlowAnchor(const TControl* c) {
  TCustomForm* form = c ? c->ParentForm() : nullptr;
  if (form == nullptr || !form->HandleAllocated()) return {};
  if (form->Parent() && form->Parent()->HandleAllocated()) return form->Parent()->WindowHandle();
  return form->WindowHandle();
}

// Creates a glow for the binding over r; its number, or -1.
int CreateGlow(TsCommonData& d, const TRect& r, const ustring& section, int alpha) {
  auto glow = std::make_unique<TacGlowEffect>();
  glow->SkinData = &d;
  glow->SkinManager = d.SkinManager();
  if (!glow->Show(r, section, alpha)) return -1;
  // Above the form's window, or above everything for a topmost form or a
  // binding without a control.
  const HWND anchor = GlowAnchor(d.OwnerControl());
  HWND after = HWND_TOPMOST;
  if (anchor && (GetWindowLongPtr(anchor, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 && d.FOwnerObject) {
    const HWND above = GetWindow(anchor, GW_HWNDPREV);
    after = above && above != glow->Wnd ? above : HWND_TOP;
  }
  SetWindowPos(
      glow->Wnd, after, 0, 0, 0, 0,
      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
  return GlowRegistry().Add(std::move(glow));
}

}  // namespace

// ---------------------------------------------------------------------------
// The effect

TacGlowEffect::~TacGlowEffect() {
  Destroyed = true;
  if (Wnd && IsWindow(Wnd)) DestroyWindow(Wnd);
}

bool TacGlowEffect::Show(const TRect& r, ustring_view section, int alpha) {
  TsSkinManager* m = SkinManager;
  if (!IsLayeredWindowSupported() || GetCapture() || m == nullptr || SkinData == nullptr)
    return false;
  TacSkinData* sd = SkinData->CommonSkinData();
  if (sd == nullptr) return false;
  MaskIndex = GetMaskIndex(*sd, section, u"GLOW0");
  if (!sd->IsValidImgIndex(MaskIndex)) return false;
  const int si = GetSkinIndex(*sd, section);
  Margin = sd->IsValidSkinIndex(si) ? sd->gd[static_cast<std::size_t>(si)].GlowMargin : 0;
  const TsMaskData& e = sd->ma[static_cast<std::size_t>(MaskIndex)];
  const int w = r.Width() + e.WL + e.WR - 2 * Margin;
  const int h = r.Height() + e.WT + e.WB - 2 * Margin;
  if (w <= 0 || h <= 0) return false;

  AlphaBmp.SetSize(w, h);
  PaintGlowPicture(AlphaBmp, e, m->MasterBitmap.get());
  TColor tint = SkinData->Hooks() ? SkinData->Hooks()->SkinGlowTint() : clNone;
  if (tint == clNone) tint = SkinData->FColorTone;
  if (tint != clNone)
    ApplyToBitmap(AlphaBmp, TPixelOp::Tone, static_cast<int>(SkinColorToRGB(tint, m)));
  if (SkinData->FHUEOffset != 0) ApplyToBitmap(AlphaBmp, TPixelOp::Hue, SkinData->FHUEOffset);
  if (SkinData->FSaturation != 0)
    ApplyToBitmap(AlphaBmp, TPixelOp::Saturation, SkinData->FSaturation);

  EnsureGlowClass();
  const HWND owner = GlowAnchor(SkinData->OwnerControl());
  Wnd = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                       kGlowClass, u"", WS_POPUP, r.Left + Margin - e.WL, r.Top + Margin - e.WT, w,
                       h, owner);
  if (!Wnd) return false;
  const TPoint at{r.Left + Margin - e.WL, r.Top + Margin - e.WT};
  UpdateLayeredWindow(Wnd, &at, &AlphaBmp, static_cast<std::uint8_t>(std::clamp(alpha, 0, 255)));
  return true;
}

// ---------------------------------------------------------------------------
// Showing and hiding

bool GlowShown(const TsCommonData& d) {
  return d.GlowID >= 0 && GlowRegistry().Find(d.GlowID) != nullptr;
}

void ShowGlow(TsCommonData& d, bool refresh, HWND wnd, int skin_index, bool animate, int alpha) {
  TsSkinManager* m = d.SkinManager();
  if (m == nullptr || !m->Effects.AllowGlowing || m->Options.NoMouseHover || GetCapture()) return;
  TacSkinData* sd = d.CommonSkinData();
  const int si = skin_index < 0 ? d.SkinIndex : skin_index;
  if (sd == nullptr || !sd->IsValidSkinIndex(si)) return;
  const TsGeneralData& g = sd->gd[static_cast<std::size_t>(si)];
  if (g.GlowCount < 1) return;
  if (d.GlowID >= 0 && !GlowShown(d)) d.GlowID = -1;

  TControl* c = d.OwnerControl();
  if (c == nullptr) {
    const HWND h = wnd ? wnd : d.FSWHandle;
    if (d.FMouseAbove && !refresh) {
      if (d.GlowID < 0 && h) d.GlowID = CreateGlow(d, VisibleScreenRect(h), d.FSkinSection, alpha);
    } else if (!d.FMouseAbove) {
      HideGlow(d.GlowID, false);
    }
    return;
  }
  if (!d.FMouseAbove) {
    HideGlow(d.GlowID, animate);
    return;
  }
  if (c->MouseCapture() && GetKeyState(VK_LBUTTON) < 0) return;
  if (refresh && d.GlowID >= 0) return;
  if (!m->Effects.AllowAnimation) animate = false;
  if (animate) alpha = 0;
  if (d.GlowID < 0) {
    const TWinControl* w = d.OwnerWindowed();
    const TRect r =
        w && w->HandleAllocated() ? VisibleScreenRect(w->WindowHandle()) : VisibleScreenRect(*c);
    d.GlowID = CreateGlow(d, r, g.ClassName, alpha);
  }
  if (animate && d.GlowID >= 0) {
    d.BGChanged = false;
    DoStateTransition(d, 1, GlowFadeStep, false, false, true);
    if (d.AnimTimer) d.AnimTimer->ThreadType = 1;
  }
}

void RemoveGlow(int& glow_id) {
  const int id = glow_id;
  glow_id = -1;
  std::unique_ptr<TacGlowEffect> glow = GlowRegistry().Take(id);
  if (glow && glow->SkinData && glow->SkinData->GlowID == id) glow->SkinData->GlowID = -1;
}

void HideGlow(int& glow_id, bool animate) {
  TacGlowEffect* glow = GlowRegistry().Find(glow_id);
  if (glow == nullptr) {
    glow_id = -1;
    return;
  }
  TsCommonData* d = glow->SkinData;
  TsSkinManager* m = d ? d->SkinManager() : nullptr;
  const bool can_fade = animate && m && m->Effects.AllowAnimation && !Application().Terminated() &&
                        (!d->AnimTimer || d->AnimTimer->ThreadType == 1);
  if (can_fade) {
    if (!d->AnimTimer) d->AnimTimer = std::make_unique<TacThreadedTimer>(d->OwnerControl());
    TacThreadedTimer& t = *d->AnimTimer;
    if (t.State == 0 && t.Enabled()) return;
    const int hint = t.ResumeHint();
    t.InitFade(d, 0, false, GlowFadeStep, hint);
    t.ThreadType = 1;
    t.TimeHandler();
    return;
  }
  RemoveGlow(glow_id);
  if (d && d->AnimTimer) StopFade(*d);
}

void SetGlowAlpha(int glow_id, int alpha) {
  TacGlowEffect* glow = GlowRegistry().Find(glow_id);
  if (glow == nullptr || !glow->Wnd) return;
  UpdateLayeredWindow(glow->Wnd, nullptr, nullptr,
                      static_cast<std::uint8_t>(std::clamp(alpha, 0, 255)));
}

void RemoveAllGlows(bool free_windows) {
  (void)free_windows;
  auto all = GlowRegistry().TakeAll();
  for (auto& [id, glow] : all)
    if (glow->SkinData && glow->SkinData->GlowID == id) glow->SkinData->GlowID = -1;
}

bool GlowFadeStep(TacThreadedTimer& t, int iteration) {
  TsCommonData* d = t.AnimData;
  if (d == nullptr) return false;
  if (iteration >= t.Iterations) {
    // The last step shows the glow's final strength before it stays or goes.
    if (t.State == 1) {
      SetGlowAlpha(d->GlowID, 255);
    } else {
      RemoveGlow(d->GlowID);
      if (t.State == 0) StopFade(*d);
    }
    return false;
  }
  if (!GlowShown(*d)) return true;
  t.Glow += t.State == 1 ? t.GlowStep : -t.GlowStep;
  SetGlowAlpha(d->GlowID, FadeLevel(t.Glow));
  return true;
}

}  // namespace qv
