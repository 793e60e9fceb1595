// The window-procedure skeleton of skinned controls.
#include "controls/skinned_control.h"

#include "controls/glow.h"
#include "controls/skin_classes.h"
#include "controls/skin_command_handler.h"
#include "controls/state_effects.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

bool OwnManager(TsCommonData& d, const TMessage& m) {
  return m.LParam != 0 && reinterpret_cast<TsSkinManager*>(m.LParam) == d.SkinManager();
}

// Step 1: the commands every control answers itself. True when done.
bool OwnCommand(TsCommonData& d, TacSkinnedOwner& owner, TMessage& m) {
  const int command = SkinCommandOf(m.WParam);
  switch (command) {
    case scSetNewSkin:
    case scRemoveSkin:
    case scRefreshSkin:
      if (!OwnManager(d, m)) return false;
      CommonSkinCommand(d, m);
      owner.SkinChanged(command);
      // Broadcasts do not enter skinned containers: each passes them on.
      if (TWinControl* w = d.OwnerWindowed())
        BroadcastToChildren(*w, command, m.LParam, SkinCommandLow(m.WParam));
      return true;
    case scIsSkinned:
      m.Result = 1;
      return true;
    case scGetDefaultSkinIndex:
      m.Result = DefaultSkinIndexAnswer(d, owner.DefaultSkinSection());
      return true;
    case scPrepareCache:
      m.Result = PrepareCache(d) ? 1 : 0;
      return true;
    case scMouseEnter:
      HoverEnter(d);
      return true;
    case scMouseLeave:
      HoverLeave(d);
      return true;
    case scBeginUpdate:
    case scEndUpdate:
      m.Result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace

int SectionStateOf(const TPaintState& s, TsCommonData& d) {
  if (!s.Enabled) return 0;
  if (s.Pressed) return 2;
  const TsSkinManager* m = d.SkinManager();
  const bool hover = s.Hot && !(m && m->Options.NoMouseHover) && !kNeverHot.Has(d.COC) &&
                     (!kHotOnRequest.Has(d.COC) || HotEditsAllowed());
  if (s.Focused || hover) return 1;
  return s.Default ? 3 : 0;
}

LRESULT DefaultSkinIndexAnswer(TsCommonData& d, int section) {
  TsSkinManager* m = d.SkinManager();
  if (m == nullptr || section < 0 || section >= kStandardSectionCount) return 0;
  return m->SkinCommonInfo.Sections[static_cast<std::size_t>(section)] + 1;
}

void SkinnedWndProc(TsCommonData& d, TacSkinnedOwner& owner, TMessage& m,
                    const std::function<void(TMessage&)>& inherited) {
  if (m.Msg == SKIN_COMMAND_MSG) {
    if (OwnCommand(d, owner, m)) return;
    if (d.OwnerCanPaint() && CommonSkinCommand(d, m)) return;
    inherited(m);
    return;
  }
  TControl* c = d.OwnerControl();
  // A control made in code (not read from a description) binds when its
  // window is made.
  if (m.Msg == WM_CREATE && d.Loading && c && !c->IsLoading()) {
    inherited(m);
    d.Loaded(true);
    return;
  }
  if (!d.OwnerCanPaint()) {
    inherited(m);
    return;
  }
  const bool skinned = d.Skinned();
  switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      // The hover flags first: the framework's state change that follows
      // runs the transition, and the glow comes with it.
      if (skinned) CommonMessage(d, m);
      inherited(m);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      inherited(m);
      if (!skinned) return;
      CommonMessage(d, m);
      // Not every standard control announces its focus as a state change.
      owner.SkinStateChanged();
      return;
    default:
      break;
  }
  if (CommonMessage(d, m)) return;
  if (skinned) {
    switch (m.Msg) {
      case WM_ERASEBKGND:
        if (m.WParam) EraseFromCache(d, *reinterpret_cast<TCanvas*>(m.WParam));
        m.Result = 1;
        return;
      case WM_NCPAINT:
      case WM_ENABLE:
        m.Result = 0;
        return;
      default:
        break;
    }
  }
  inherited(m);
}

}  // namespace qv
