// The common command and message handlers of skinned controls.
#include "controls/skin_command_handler.h"

#include "controls/background.h"
#include "controls/glow.h"
#include "controls/skin_classes.h"
#include "controls/state_effects.h"
#include "platform/controls/label.h"
#include "platform/window/paint.h"
#include "skin/section_paint.h"
#include "skin/section_paint_outer.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

bool ForOwnManager(TsCommonData& d, const TMessage& m) {
  return m.LParam != 0 && reinterpret_cast<TsSkinManager*>(m.LParam) == d.SkinManager();
}

void StopAnimation(TsCommonData& d) {
  const bool was = d.Animating();
  StopFade(d);
  // The screen may hold a picture half way through the fade.
  if (was) d.Invalidate();
}

void ToChildren(TsCommonData& d, int command, LPARAM param = 0, int low = 0) {
  if (TWinControl* w = d.OwnerWindowed()) BroadcastToChildren(*w, command, param, low);
}

void RecalcFrame(TWinControl& w) {
  if (w.HandleAllocated())
    SetWindowPos(w.WindowHandle(), HWND{}, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FullyTransparent(const TsGeneralData& g) {
  return g.Props[0].Transparency == 100 && g.Props[1].Transparency == 100;
}

void RemoveSkin(TsCommonData& d) {
  d.ClearCommonSkinData();
  HideGlow(d.GlowID, false);
  if (d.SkinIndex < 0) return;
  d.SkinIndex = -1;
  StopFade(d);
  if (TsSkinManager* m = d.ExplicitSkinManager(); m && m->IsDestroying()) d.FSkinManager = nullptr;
  d.EmptyCache();
  d.BGChanged = true;
  TControl* c = d.OwnerControl();
  if (c == nullptr) return;
  if (kColorsFollowState.Has(d.COC)) {
    d.CtrlSkinState |= kcsFontChanging;
    if (!d.FCustomColor) c->SetColor(clWindow);
    if (!d.FCustomFont) c->ChangeFont([](TFont& f) { f.Color = clWindowText; });
    d.CtrlSkinState &= ~kcsFontChanging;
    if (TWinControl* w = d.OwnerWindowed()) RecalcFrame(*w);
  } else if (TWinControl* w = d.OwnerWindowed()) {
    for (TControl* child : w->Controls())
      if (dynamic_cast<TCustomLabel*>(child))
        child->ChangeFont([](TFont& f) { f.Color = clWindowText; });
  }
}

void RepaintMoved(TsCommonData& d, int low) {
  const bool moved_bg = d.RepaintIfMoved();
  if (moved_bg) d.BGChanged = true;
  StopFade(d);
  TWinControl* w = d.OwnerWindowed();
  if (w == nullptr) return;
  if (low == 1 && w->HandleAllocated())
    RedrawWindow(w->WindowHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE | RDW_FRAME);
  if (!moved_bg) return;
  for (TControl* child : std::vector<TControl*>(w->Controls()))
    if (w->ContainsControl(child) && !child->IsDestroying())
      SendSkinCommand(child, scRepaintMoved, 0, 1);
}

// The section is mostly see-through at the state: the one below shows.
LRESULT VisibleSection(TsCommonData& d, TacSectionInfo& info) {
  const TsGeneralData* g = d.Section();
  const int s = g ? SectionPaintState(*g, info.State) : -1;
  if (s >= 0 && g->Props[static_cast<std::size_t>(s)].Transparency <= 50) {
    info.SkinIndex = d.SkinIndex;
    return 1;
  }
  TControl* c = d.OwnerControl();
  if (c == nullptr || c->Parent() == nullptr) return 0;
  return SendSkinCommand(c->Parent(), scGetVisibleSection, reinterpret_cast<LPARAM>(&info));
}

void PaintOwnOuterEffect(TsCommonData& d, const TsBackgroundRequest& r) {
  TControl* c = d.OwnerControl();
  if (c == nullptr || r.Bitmap == nullptr || !d.Skinned()) return;
  if (!d.FOuterCache) d.FOuterCache = std::make_unique<TBitmap32>();
  PaintChildOuterEffect(d.PaintView(), c->BoundsRect(), *r.Bitmap, r.Offset, *d.FOuterCache);
}

// Sizes and moves that change what lies behind the children.
void ChildrenFollowResize(TsCommonData& d) {
  const bool width = (d.CtrlSkinState & kcsWidthChanged) && (d.BGType & kBgWidthBits);
  const bool height = (d.CtrlSkinState & kcsHeightChanged) && (d.BGType & kBgHeightBits);
  d.CtrlSkinState &= ~(kcsWidthChanged | kcsHeightChanged);
  if (width || height) ToChildren(d, scRepaintMoved, 0, 1);
}

// A control whose outer effect lies in its parent's picture has the parent
// paint it again when it moves or changes size.
void RefreshOuterEffect(TsCommonData& d) {
  TControl* c = d.OwnerControl();
  TsSkinManager* m = d.SkinManager();
  if (c == nullptr || c->Parent() == nullptr || m == nullptr || !m->Effects.AllowOuterEffects)
    return;
  if (d.OuterEffects().Visibility() == ovNone || !c->Visible()) return;
  SendSkinCommand(c->Parent(), scBackgroundChanged);
  SendSkinCommand(c->Parent(), scPrepareCache);
}

}  // namespace

bool CommonSkinCommand(TsCommonData& d, TMessage& m) {
  const int low = SkinCommandLow(m.WParam);
  m.Result = 0;
  switch (SkinCommandOf(m.WParam)) {
    case scSetNewSkin:
      if (!ForOwnManager(d, m)) return false;
      d.ClearCommonSkinData();
      // A glow drawn from the old skin goes with it.
      HideGlow(d.GlowID, false);
      StopFade(d);
      d.UpdateIndexes(true);
      d.EmptyCache();
      return true;
    case scRemoveSkin:
      if (ForOwnManager(d, m)) RemoveSkin(d);
      return false;
    case scRefreshSkin:
      if (!ForOwnManager(d, m)) return false;
      StopFade(d);
      d.BGChanged = true;
      d.FUpdating = false;
      d.UpdateColors(true);
      if (kFrameRefresh.Has(d.COC))
        if (TWinControl* w = d.OwnerWindowed()) RecalcFrame(*w);
      return true;
    case scEndParentUpdate:
      if (d.FUpdating && d.OwnerWindowed()) {
        d.FUpdating = false;
        if (d.Updating())
          d.FUpdating = true;
        else
          d.Invalidate(true);
      }
      ToChildren(d, scEndParentUpdate);
      return true;
    case scIsSkinned:
    case scIsSkinnedBackground:
      m.Result = 1;
      return true;
    case scSetUpdating:
      d.FUpdating = low == 1;
      return true;
    case scQueryBusy: {
      if (d.Updating()) {
        m.Result = 1;
        return true;
      }
      TWinControl* w = d.OwnerWindowed();
      if (w == nullptr || d.FCustomColor || !d.Skinned()) return true;
      if (!EnsureCache(d)) {
        m.Result = d.Cache().Empty() ? 1 : 0;
        return true;
      }
      m.Result = d.Cache().Width() != w->Width() || d.Cache().Height() != w->Height() ? 1 : 0;
      return true;
    }
    case scGetHalfVisible:
      m.Result = d.HalfVisible ? 1 : 0;
      return true;
    case scSectionChanged: {
      const auto* name = reinterpret_cast<const ustring*>(m.LParam);
      const TsGeneralData* g = d.Section();
      const ustring own = d.SkinSection().empty() && g ? UpperCase(g->ClassName) : d.SkinSection();
      if (name != nullptr && !own.empty() && UpperCase(*name) == own) d.Invalidate();
      return true;
    }
    case scSetSkinSection: {
      const auto* name = reinterpret_cast<const ustring*>(m.LParam);
      if (name == nullptr) return false;
      d.SetSkinSection(*name);
      m.Result = 1;
      return true;
    }
    case scStopAnimation:
      StopAnimation(d);
      ToChildren(d, scStopAnimation);
      return true;
    case scBackgroundChanged:
      d.BGChanged = true;
      ToChildren(d, scBackgroundChanged);
      return true;
    case scInvalidate:
      d.Invalidate(false);
      return true;
    case scRepaintMoved:
      RepaintMoved(d, low);
      return true;
    case scGetBackgroundColor:
      m.Result = static_cast<LRESULT>(BackgroundColorAnswer(d));
      return true;
    case scSetHalfVisible:
      d.HalfVisible = true;
      return true;
    case scPrepareCache:
      d.BGChanged = false;
      return true;
    case scGetSkinIndex: {
      auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam);
      if (info == nullptr) return false;
      info->SkinIndex = d.SkinIndex;
      return true;
    }
    case scReleaseCache:
      if (d.HasCache()) {
        if (TWinControl* w = d.OwnerWindowed())
          for (TControl* child : std::vector<TControl*>(w->Controls()))
            if (dynamic_cast<TWinControl*>(child)) SendSkinCommand(child, scReleaseCache);
        d.EmptyCache();
        d.BGChanged = true;
      }
      return true;
    case scGetBackground: {
      auto* r = reinterpret_cast<TsBackgroundRequest*>(m.LParam);
      if (r == nullptr) return false;
      const bool hot = d.HotState() > 0 && !kNoHoverGlow.Has(d.COC);
      AnswerBackground(d, *r, d.FFocused || hot ? 1 : 0);
      return true;
    }
    case scUpdateFontName:
      if (!ForOwnManager(d, m)) return false;
      d.BGChanged = true;
      if (d.OwnerControl()) d.SkinManager()->UpdateFontName(d.OwnerControl());
      ToChildren(d, scUpdateFontName, m.LParam);
      return true;
    case scGetSkinData:
      m.Result = reinterpret_cast<LRESULT>(&d);
      return true;
    case scSetPrintDC:
      d.PrintDC = reinterpret_cast<TCanvas*>(m.LParam);
      if (d.PrintDC)
        d.CtrlSkinState |= kcsPrinting;
      else
        d.CtrlSkinState &= ~kcsPrinting;
      return true;
    case scPaintOuterEffects: {
      const auto* r = reinterpret_cast<const TsBackgroundRequest*>(m.LParam);
      if (r == nullptr) return false;
      PaintOwnOuterEffect(d, *r);
      return true;
    }
    case scFrameChanged:
      if (TWinControl* w = d.OwnerWindowed()) {
        RecalcFrame(*w);
        ToChildren(d, scFrameChanged);
      }
      return true;
    case scGetVisibleSection: {
      auto* info = reinterpret_cast<TacSectionInfo*>(m.LParam);
      if (info == nullptr) return false;
      m.Result = VisibleSection(d, *info);
      return true;
    }
    case scScaleChanged:
      d.SetCurrentPPI(static_cast<int>(m.LParam));
      ToChildren(d, scScaleChanged, m.LParam);
      return false;
    case scGetPPI:
      m.Result = d.CurrentPPI;
      return true;
    case scGetBounds: {
      auto* r = reinterpret_cast<TRect*>(m.LParam);
      if (r == nullptr || d.OwnerControl() == nullptr) return false;
      *r = d.OwnerControl()->BoundsRect();
      m.Result = 1;
      return true;
    }
    case scPaintsWholeRect: {
      TsSkinManager* mgr = d.SkinManager();
      const TControl* c = d.OwnerControl();
      m.Result = (mgr && mgr->IsActive()) || c == nullptr || (c->ControlStyle & csOpaque) == 0;
      return true;
    }
    case scGetCommonSkinData:
      m.Result = reinterpret_cast<LRESULT>(d.CommonSkinData());
      return true;
    default:
      return false;
  }
}

bool CommonMessage(TsCommonData& d, TMessage& m) {
  TControl* c = d.OwnerControl();
  const bool skinned = d.Skinned();
  switch (m.Msg) {
    case WM_CREATE:
    case WM_NCCREATE:
      d.AttachWindow();
      return false;
    case WM_WINDOWPOSCHANGING: {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      TRect now;
      if (wp && (wp->flags & SWP_NOSIZE) == 0 && GetWindowRect(d.OwnerHandle(), now)) {
        if (wp->cx != now.Width()) d.CtrlSkinState |= kcsWidthChanged;
        if (wp->cy != now.Height()) d.CtrlSkinState |= kcsHeightChanged;
      }
      return false;
    }
    case WM_PARENTNOTIFY:
      if (c && LOWORD(m.WParam) == WM_CREATE && d.OwnerWindowed())
        if (TCustomForm* form = c->ParentForm(); form && form != c)
          SendSkinCommand(form, scAddControl, reinterpret_cast<LPARAM>(c));
      return false;
    default:
      break;
  }
  if (!skinned) {
    if (m.Msg == WM_PRINT && m.WParam != 0)
      if (TWinControl* w = d.OwnerWindowed()) {
        auto* dc = reinterpret_cast<TCanvas*>(m.WParam);
        const int shift =
            w->HandleAllocated() &&
                    (GetWindowLongPtr(w->WindowHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                ? 2
                : 0;
        const int saved = dc->SaveDC();
        dc->MoveViewportOrg(shift, shift);
        w->PaintControls(*dc, nullptr);
        dc->RestoreDC(saved);
      }
    return false;
  }
  switch (m.Msg) {
    case WM_MOVE:
      RefreshOuterEffect(d);
      if (d.RepaintIfMoved()) {
        d.BGChanged = true;
        TsSkinManager* mgr = d.SkinManager();
        if (!(mgr && (mgr->ManagerState & Bit(msSkinChanging))))
          d.SendToOwner(scRepaintMoved, 0, 1);
      }
      HideGlow(d.GlowID, false);
      return false;
    case WM_SIZE:
      d.BGChanged = true;
      RefreshOuterEffect(d);
      ChildrenFollowResize(d);
      if (!d.Animating()) HideGlow(d.GlowID, false);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      TWinControl* w = d.OwnerWindowed();
      const TsGeneralData* g = d.Section();
      if (w == nullptr || g == nullptr || !w->TabStop() || FullyTransparent(*g)) return false;
      const bool gained = m.Msg == WM_SETFOCUS;
      d.BGChanged = true;
      d.FFocused = gained;
      if (kColorsFollowState.Has(d.COC) && g->States > 1 && (gained || d.HotState() == 0)) {
        d.ApplyStateColors(gained ? 1 : 0, false);
        RecalcFrame(*w);
      }
      return false;
    }
    case WM_SHOWWINDOW:
      StopFade(d);
      return false;
    case CM_SHOWINGCHANGED:
      if (c && c->Visible()) d.Loaded(true);
      return false;
    case CM_ENABLEDCHANGED:
    case WM_FONTCHANGE:
      d.FMouseAbove = false;
      d.FFocused = false;
      d.BGChanged = true;
      if (c && !c->Enabled()) HideGlow(d.GlowID, false);
      return false;
    case CM_VISIBLECHANGED: {
      d.ClearCommonSkinData();
      const bool showing = m.WParam != 0 || (c && c->Visible());
      if (!showing) HideGlow(d.GlowID, false);
      TsSkinManager* mgr = d.SkinManager();
      if (mgr && mgr->Options.OptimizingPriority == opMemory) {
        if (!showing) {
          if (d.HasCache()) d.FCacheBmp = std::make_unique<TBitmap32>();
          if (TWinControl* w = d.OwnerWindowed()) {
            for (TControl* child : std::vector<TControl*>(w->Controls())) {
              if (auto* cw = dynamic_cast<TWinControl*>(child))
                SendSkinCommand(cw, scReleaseCache);
              else
                child->Perform(SKIN_COMMAND_MSG, SkinCommandWParam(scReleaseCache), 0);
            }
          }
        } else {
          d.FUpdating = false;
        }
      }
      d.BGChanged = true;
      if (d.OuterEffects().Visibility() == ovAlways && c && c->Parent())
        SendSkinCommand(c->Parent(), scInvalidate);
      return false;
    }
    case CM_MOUSEENTER:
      HoverEnter(d);
      return false;
    case CM_MOUSELEAVE:
      HoverLeave(d);
      return false;
    case WM_UPDATEUISTATE:
    case WM_THEMECHANGED:
      m.Result = 0;
      return true;
    case WM_DPICHANGED:
      d.ClearCommonSkinData();
      return false;
    default:
      return false;
  }
}

}  // namespace qv
