// Input: raw desktop events routed into messages (hit test first, then the
// non-client or client message to the right window), capture, double clicks,
// leave tracking, cursor, keyboard focus, activation and key translation.
#include "platform/window/input.h"

#include <cstdlib>

#include "platform/window/hook.h"
#include "platform/window/internal.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

namespace {

constexpr UINT kTrackClient = 1;
constexpr UINT kTrackNonClient = 2;

bool KeyDown(int vk) { return (Sys().keys[static_cast<std::size_t>(vk & 0xFF)] & 0x80) != 0; }

void SetKey(int vk, bool down) {
  auto& k = Sys().keys[static_cast<std::size_t>(vk & 0xFF)];
  if (down) {
    if ((k & 0x80) == 0) k ^= 0x01;  // toggle state, as Caps Lock has
    k |= 0x80;
  } else {
    k &= 0x7F;
  }
}

void UpdateModifier(int vk, bool down) {
  SetKey(vk, down);
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      SetKey(VK_SHIFT, KeyDown(VK_LSHIFT) || KeyDown(VK_RSHIFT));
      break;
    case VK_LCONTROL:
    case VK_RCONTROL:
      SetKey(VK_CONTROL, KeyDown(VK_LCONTROL) || KeyDown(VK_RCONTROL));
      break;
    case VK_LMENU:
    case VK_RMENU:
      SetKey(VK_MENU, KeyDown(VK_LMENU) || KeyDown(VK_RMENU));
      break;
    default:
      break;
  }
}

void PushInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  Sys().input.push_back(win::MakeMsg(h, msg, wParam, lParam));
}

unsigned KeyFlags() {
  auto& sys = Sys();
  unsigned k = sys.buttons;
  if (KeyDown(VK_SHIFT)) k |= MK_SHIFT;
  if (KeyDown(VK_CONTROL)) k |= MK_CONTROL;
  return k;
}

unsigned ButtonBit(TRawMouseButton b) {
  switch (b) {
    case TRawMouseButton::Right:
      return MK_RBUTTON;
    case TRawMouseButton::Middle:
      return MK_MBUTTON;
    case TRawMouseButton::Left:
    default:
      return MK_LBUTTON;
  }
}

int ButtonVk(TRawMouseButton b) {
  switch (b) {
    case TRawMouseButton::Right:
      return VK_RBUTTON;
    case TRawMouseButton::Middle:
      return VK_MBUTTON;
    case TRawMouseButton::Left:
    default:
      return VK_LBUTTON;
  }
}

// WM_xBUTTONDOWN of the button; up is +1, double click +2.
UINT ButtonDownMessage(TRawMouseButton b, bool nc) {
  const UINT base = nc ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN;
  switch (b) {
    case TRawMouseButton::Right:
      return base + 3;
    case TRawMouseButton::Middle:
      return base + 6;
    case TRawMouseButton::Left:
    default:
      return base;
  }
}

void UpdateHover(HWND target, bool nc) {
  auto& sys = Sys();
  const HWND prev = sys.hover;
  const bool prev_nc = sys.hover_nc;
  if (prev == target && prev_nc == nc) return;
  if (TWindow* p = W(prev)) {
    if (!prev_nc && (p->track & kTrackClient) != 0) {
      p->track &= ~kTrackClient;
      PushInput(prev, WM_MOUSELEAVE, 0, 0);
    }
    if (prev_nc && (p->track & kTrackNonClient) != 0) {
      p->track &= ~kTrackNonClient;
      PushInput(prev, WM_NCMOUSELEAVE, 0, 0);
    }
  }
  sys.hover = target;
  sys.hover_nc = nc;
}

// The window that a disabled (modal-blocked) top-level window defers to.
HWND EnabledPopupOf(HWND top) {
  const auto& t = Sys().toplevels;
  for (auto it = t.rbegin(); it != t.rend(); ++it) {
    TWindow* w = W(*it);
    if (w != nullptr && *it != top && w->Visible() && w->Enabled() && w->owner == top) return *it;
  }
  return {};
}

// The running input mode (an open menu, a keyboard move) takes the event.
bool TakenByMode(const TRawEvent& e) {
  win::TInputMode* mode = Sys().mode;
  return mode != nullptr && mode->Filter(e);
}

void RouteMouse(const TRawEvent& e) {
  auto& sys = Sys();
  sys.cursor_pos = e.pt;
  if (TakenByMode(e)) return;
  const bool down = e.kind == TRawKind::MouseDown;
  const bool up = e.kind == TRawKind::MouseUp;
  const bool wheel = e.kind == TRawKind::Wheel;
  const unsigned bit = ButtonBit(e.button);

  if (sys.moving) {
    // The program's own caption drag.
    if (e.kind == TRawKind::MouseMove) {
      SetWindowPos(sys.moving, HWND{}, e.pt.X - sys.move_offset.X, e.pt.Y - sys.move_offset.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (up && e.button == TRawMouseButton::Left) {
      const HWND h = sys.moving;
      sys.moving = HWND{};
      sys.buttons &= ~bit;
      sys.press_target = HWND{};
      SetKey(VK_LBUTTON, false);
      if (HasBackend()) Backend().SetMouseCapture(false);
      win::Send(h, WM_EXITSIZEMOVE);
    }
    return;
  }

  const bool grabbed =
      sys.press_target && sys.buttons != 0 && !down && !wheel && IsWindow(sys.press_target);
  if (down) {
    sys.buttons |= bit;
    SetKey(ButtonVk(e.button), true);
  } else if (up) {
    sys.buttons &= ~bit;
    SetKey(ButtonVk(e.button), false);
  }

  HWND target;
  bool nc = false;
  int hit = HTCLIENT;
  if (sys.capture) {
    target = sys.capture;
  } else if (grabbed) {
    if (!sys.press_nc) {
      target = sys.press_target;
    } else {
      target = sys.press_target;
      hit = static_cast<int>(win::Send(target, WM_NCHITTEST, 0, PointToLParam(e.pt)));
      nc = hit != HTCLIENT;
    }
  } else {
    const HWND top = win::TopLevelAt(e.pt);
    TWindow* tw = W(top);
    if (tw == nullptr) {
      UpdateHover(HWND{}, false);
      return;
    }
    if (!tw->Enabled()) {
      // A modal window is up: the click brings it forward instead.
      if (down) {
        const HWND popup = EnabledPopupOf(top);
        if (popup) win::ActivateWindow(popup, true);
      }
      UpdateHover(HWND{}, false);
      return;
    }
    hit = static_cast<int>(win::Send(top, WM_NCHITTEST, 0, PointToLParam(e.pt)));
    if (!IsWindow(top)) return;
    if (hit == HTNOWHERE || hit == HTERROR || hit == HTTRANSPARENT) {
      UpdateHover(HWND{}, false);
      return;
    }
    if (hit == HTCLIENT) {
      target = win::DeepestEnabledAt(top, e.pt);
    } else {
      target = top;
      nc = true;
    }
  }
  if (!IsWindow(target)) return;
  if (wheel) nc = false;

  // Enter/leave is about where the pointer is, whatever holds the mouse.
  if (sys.capture || grabbed) {
    const HWND top = win::TopLevelAt(e.pt);
    HWND under = top ? win::DeepestEnabledAt(top, e.pt) : HWND{};
    bool under_nc = false;
    if (under) {
      TPoint c = e.pt;
      ScreenToClient(under, c);
      TRect cr;
      GetClientRect(under, cr);
      under_nc = !cr.Contains(c);
    }
    UpdateHover(under, under_nc);
  } else {
    UpdateHover(target, nc);
  }

  UINT msg;
  if (wheel) {
    msg = WM_MOUSEWHEEL;
  } else if (e.kind == TRawKind::MouseMove) {
    msg = nc ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
  } else {
    msg = ButtonDownMessage(e.button, nc) + (up ? 1 : 0);
  }

  if (!sys.capture && !grabbed) {
    win::Send(target, WM_SETCURSOR, target.id,
              MAKELPARAM(nc ? hit : HTCLIENT, static_cast<int>(msg)));
    if (!IsWindow(target)) return;
  }

  if (down) {
    const HWND top = GetAncestor(target, GA_ROOT);
    if (top != sys.active) {
      const LRESULT ma = win::Send(target, WM_MOUSEACTIVATE, top.id,
                                   MAKELPARAM(nc ? hit : HTCLIENT, static_cast<int>(msg)));
      if (ma != 3 && ma != 4) win::ActivateWindow(top, true);  // MA_NOACTIVATE(ANDEAT)
      if (!IsWindow(target)) return;
    }
    const std::uint64_t now = win::Now();
    const int slop = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    const bool dbl = sys.last_click_hwnd == target && sys.last_click_msg == msg &&
                     now - sys.last_click_time <= GetDoubleClickTime() &&
                     std::abs(e.pt.X - sys.last_click_pt.X) <= slop &&
                     std::abs(e.pt.Y - sys.last_click_pt.Y) <= slop;
    TWindow* tw = W(target);
    if (dbl && (nc || (tw->cls->wc.style & CS_DBLCLKS) != 0)) {
      sys.last_click_time = 0;
      sys.last_click_hwnd = HWND{};
      msg += 2;
    } else {
      sys.last_click_time = now;
      sys.last_click_pt = e.pt;
      sys.last_click_hwnd = target;
      sys.last_click_msg = msg;
    }
    if (!sys.capture && !grabbed) {
      sys.press_target = target;
      sys.press_nc = nc;
    }
    if (HasBackend()) Backend().SetMouseCapture(true);
  }

  WPARAM wp;
  LPARAM lp;
  if (wheel) {
    wp = MAKEWPARAM(KeyFlags(), static_cast<unsigned>(e.wheel * WHEEL_DELTA));
    lp = PointToLParam(e.pt);
  } else if (nc) {
    wp = static_cast<WPARAM>(hit);
    lp = PointToLParam(e.pt);
  } else {
    TPoint c = e.pt;
    ScreenToClient(target, c);
    wp = KeyFlags();
    lp = PointToLParam(c);
  }
  PushInput(target, msg, wp, lp);

  if (up && sys.buttons == 0) {
    sys.press_target = HWND{};
    if (!sys.capture && HasBackend()) Backend().SetMouseCapture(false);
  }
}

void RouteKey(const TRawEvent& e) {
  auto& sys = Sys();
  const bool down = e.kind == TRawKind::KeyDown;
  const bool was_down = KeyDown(e.vk);
  UpdateModifier(e.vk, down);
  if (TakenByMode(e)) return;  // the key state still follows, so Alt is not left held
  HWND target = sys.focus ? sys.focus : sys.active;
  TWindow* w = W(target);
  if (w == nullptr || !IsWindowEnabled(GetAncestor(target, GA_ROOT))) return;
  const bool alt = KeyDown(VK_MENU);
  const bool sys_key = (alt && !KeyDown(VK_CONTROL)) || e.vk == VK_F10 || e.vk == VK_MENU ||
                       e.vk == VK_LMENU || e.vk == VK_RMENU;
  UINT msg = down ? (sys_key ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys_key ? WM_SYSKEYUP : WM_KEYUP);
  std::uint32_t lp = 1u | (static_cast<std::uint32_t>(e.scancode & 0xFF) << 16);
  if (alt) lp |= 1u << 29;
  if (!down || was_down || e.repeat) lp |= 1u << 30;
  if (!down) lp |= 1u << 31;
  int vk = e.vk;
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) vk = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) vk = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) vk = VK_MENU;
  PushInput(target, msg, static_cast<WPARAM>(vk), static_cast<LPARAM>(lp));
}

void RouteText(const TRawEvent& e) {
  auto& sys = Sys();
  if (TakenByMode(e)) return;
  // With Alt (and no Ctrl) held the letters become WM_SYSCHAR through TranslateMessage.
  if (KeyDown(VK_MENU) && !KeyDown(VK_CONTROL)) return;
  HWND target = sys.focus ? sys.focus : sys.active;
  if (!IsWindow(target) || !IsWindowEnabled(GetAncestor(target, GA_ROOT))) return;
  for (char16_t c : e.text) PushInput(target, WM_CHAR, c, 1);
}

}  // namespace

namespace win {

void RouteRawEvent(const TRawEvent& e) {
  auto& sys = Sys();
  switch (e.kind) {
    case TRawKind::MouseMove:
    case TRawKind::MouseDown:
    case TRawKind::MouseUp:
    case TRawKind::Wheel:
      RouteMouse(e);
      break;
    case TRawKind::PointerLeft:
      if (sys.buttons == 0 && !sys.capture && !sys.moving) UpdateHover(HWND{}, false);
      break;
    case TRawKind::KeyDown:
    case TRawKind::KeyUp:
      RouteKey(e);
      break;
    case TRawKind::Text:
      RouteText(e);
      break;
    case TRawKind::Close:
      if (IsWindow(e.window) && IsWindowEnabled(e.window)) {
        Send(e.window, WM_SYSCOMMAND, SC_CLOSE, PointToLParam(e.pt));
      }
      break;
    case TRawKind::Activate:
      if (TWindow* w = W(e.window); w != nullptr && (w->exstyle & WS_EX_NOACTIVATE) == 0) {
        if (!w->Enabled()) {
          const HWND popup = EnabledPopupOf(e.window);
          if (popup) ActivateWindow(popup, false);
        } else if (w->Visible() && !w->minimized) {
          ActivateWindow(e.window, false);
        }
      }
      break;
    case TRawKind::Deactivate:
      if (e.window == sys.active) DeactivateApp();
      break;
    case TRawKind::Moved:
      if (IsWindow(e.window)) {
        SetWindowPos(e.window, HWND{}, e.pt.X, e.pt.Y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | kSwpFromBackend);
      }
      break;
    case TRawKind::Minimized:
      if (IsWindow(e.window) && !IsIconic(e.window)) ShowWindow(e.window, SW_MINIMIZE);
      break;
    case TRawKind::Restored:
      if (IsWindow(e.window) && IsIconic(e.window)) ShowWindow(e.window, SW_RESTORE);
      break;
    case TRawKind::DpiChanged:
      ChangeSystemDpi(e.dpi);
      break;
    case TRawKind::Exposed:
      if (TWindow* w = W(e.window); w != nullptr && w->pixels) {
        w->present.Union(w->pixels->BoundsRect());
      }
      break;
  }
}

void EndInputMode() {
  if (TInputMode* m = Sys().mode) m->Cancel();
  Sys().mode = nullptr;
}

void EndInputModeOf(HWND h) {
  TInputMode* m = Sys().mode;
  if (m != nullptr && m->Owner() == h) EndInputMode();
}

void ForgetWindowInput(HWND h) {
  auto& sys = Sys();
  if (sys.hover == h) sys.hover = HWND{};
  if (sys.press_target == h) sys.press_target = HWND{};
  if (sys.last_click_hwnd == h) sys.last_click_hwnd = HWND{};
  if (sys.moving == h) sys.moving = HWND{};
  if (sys.capture == h) sys.capture = HWND{};
  if (sys.focus == h) sys.focus = HWND{};
  if (sys.active == h) sys.active = HWND{};
}

void ActivateWindow(HWND h, bool mouse) {
  auto& sys = Sys();
  TWindow* w = W(h);
  if (w == nullptr || !w->IsTopLevel() || h == sys.active || w->destroying) return;
  // A menu or keyboard move belongs to the active window and ends with it.
  EndInputMode();
  if (!IsWindow(h)) return;
  CBTACTIVATESTRUCT cbt{mouse, sys.active};
  if (CallHooks(HCBT_ACTIVATE, h.id, reinterpret_cast<LPARAM>(&cbt))) return;
  if (!IsWindow(h)) return;
  const HWND old = sys.active;
  if (IsWindow(old)) {
    Send(old, WM_NCACTIVATE, 0, static_cast<LPARAM>(h.id));
    Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
         static_cast<LPARAM>(h.id));
  }
  if (sys.focus && GetAncestor(sys.focus, GA_ROOT) != h) {
    const HWND f = sys.focus;
    sys.focus = HWND{};
    Send(f, WM_KILLFOCUS, 0, 0);
  }
  if (!IsWindow(h)) return;
  sys.active = h;
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Send(h, WM_NCACTIVATE, 1, static_cast<LPARAM>(old.id));
  Send(h, WM_ACTIVATE, MAKEWPARAM(mouse ? WA_CLICKACTIVE : WA_ACTIVE, IsIconic(h) ? 1 : 0),
       static_cast<LPARAM>(old.id));
}

void DeactivateApp() {
  auto& sys = Sys();
  const HWND old = sys.active;
  if (!old) return;
  EndInputMode();
  sys.active = HWND{};
  if (sys.focus) {
    const HWND f = sys.focus;
    sys.focus = HWND{};
    Send(f, WM_KILLFOCUS, 0, 0);
  }
  Send(old, WM_NCACTIVATE, 0, 0);
  Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), 0);
}

void ActivateNextAfter(HWND closing) {
  auto& sys = Sys();
  auto usable = [&](HWND h) {
    TWindow* w = W(h);
    return w != nullptr && h != closing && w->Visible() && w->Enabled() && !w->minimized &&
           !w->destroying && (w->exstyle & WS_EX_NOACTIVATE) == 0;
  };
  HWND next;
  if (TWindow* c = W(closing); c != nullptr && usable(c->owner)) next = c->owner;
  for (auto it = sys.toplevels.rbegin(); !next && it != sys.toplevels.rend(); ++it) {
    if (usable(*it)) next = *it;
  }
  if (next) {
    // Leave the closing window first so that it is not reactivated by the hook.
    if (sys.active == closing) DeactivateApp();
    ActivateWindow(next, false);
  } else {
    DeactivateApp();
  }
}

}  // namespace win

HWND SetCapture(HWND hwnd) {
  auto& sys = Sys();
  if (!IsWindow(hwnd)) return {};
  const HWND old = sys.capture;
  sys.capture = hwnd;
  if (old && old != hwnd) win::Send(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd.id));
  if (HasBackend()) Backend().SetMouseCapture(true);
  return old;
}

bool ReleaseCapture() {
  auto& sys = Sys();
  const HWND old = sys.capture;
  sys.capture = HWND{};
  if (old) win::Send(old, WM_CAPTURECHANGED, 0, 0);
  if (sys.buttons == 0 && HasBackend()) Backend().SetMouseCapture(false);
  return true;
}

HWND GetCapture() { return Sys().capture; }

HWND SetFocus(HWND hwnd) {
  auto& sys = Sys();
  const HWND old = sys.focus;
  if (!hwnd) {
    if (old) {
      sys.focus = HWND{};
      win::Send(old, WM_KILLFOCUS, 0, 0);
    }
    return old;
  }
  if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return {};
  if (hwnd == old) return old;
  if (win::CallHooks(HCBT_SETFOCUS, hwnd.id, static_cast<LPARAM>(old.id))) return {};
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  if (root != sys.active) {
    win::ActivateWindow(root, false);
    if (root != sys.active || !IsWindow(hwnd)) return {};
  }
  const HWND prev = sys.focus;  // activation may have moved it
  if (prev == hwnd) return old;
  sys.focus = hwnd;
  if (IsWindow(prev)) win::Send(prev, WM_KILLFOCUS, hwnd.id, 0);
  if (sys.focus == hwnd && IsWindow(hwnd)) {
    win::Send(hwnd, WM_SETFOCUS, prev.id, 0);
  }
  return old;
}

HWND GetFocus() { return Sys().focus; }

HWND SetActiveWindow(HWND hwnd) {
  const HWND old = Sys().active;
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!IsWindowEnabled(root)) return {};
  win::ActivateWindow(root, false);
  return old;
}

HWND GetActiveWindow() { return Sys().active; }

bool SetForegroundWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  SetActiveWindow(hwnd);
  return GetActiveWindow() == GetAncestor(hwnd, GA_ROOT);
}

HWND GetForegroundWindow() { return Sys().active; }

std::int16_t GetKeyState(int vk) {
  if (vk < 0 || vk > 255) return 0;
  const std::uint8_t k = Sys().keys[static_cast<std::size_t>(vk)];
  return static_cast<std::int16_t>(((k & 0x80) != 0 ? 0xFF80 : 0) | (k & 0x01));
}

std::int16_t GetAsyncKeyState(int vk) {
  return static_cast<std::int16_t>(GetKeyState(vk) & static_cast<std::int16_t>(0xFF80));
}

bool GetCursorPos(TPoint& p) {
  p = Sys().cursor_pos;
  return true;
}

bool TrackMouseEvent(TRACKMOUSEEVENT& tme) {
  TWindow* w = W(tme.hwndTrack);
  if (w == nullptr) return false;
  const bool nc = (tme.dwFlags & TME_NONCLIENT) != 0;
  const UINT bit = nc ? kTrackNonClient : kTrackClient;
  if ((tme.dwFlags & TME_CANCEL) != 0) {
    w->track &= ~bit;
    return true;
  }
  if ((tme.dwFlags & TME_LEAVE) == 0) return true;
  auto& sys = Sys();
  if (sys.hover == tme.hwndTrack && sys.hover_nc == nc) {
    w->track |= bit;
  } else {
    // Not over it now: the leave is due at once.
    PushInput(tme.hwndTrack, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
  }
  return true;
}

HCURSOR LoadCursor(int id) { return id; }

HCURSOR SetCursor(HCURSOR cursor) {
  auto& sys = Sys();
  const HCURSOR old = sys.cursor;
  if (cursor != old) {
    sys.cursor = cursor;
    if (HasBackend()) Backend().SetCursorShape(cursor);
  }
  return old;
}

HCURSOR GetCursor() { return Sys().cursor; }

bool TranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const int vk = static_cast<int>(msg.wParam);
  char16_t ch = 0;
  UINT out = WM_CHAR;
  if (msg.message == WM_SYSKEYDOWN) {
    if (vk >= 'A' && vk <= 'Z')
      ch = static_cast<char16_t>(vk - 'A' + 'a');
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
      ch = static_cast<char16_t>(vk);  // Alt+Space opens the system menu
    out = WM_SYSCHAR;
  } else if (vk == VK_BACK || vk == VK_TAB || vk == VK_ESCAPE) {
    ch = static_cast<char16_t>(vk);
  } else if (vk == VK_RETURN) {
    ch = KeyDown(VK_CONTROL) ? u'\n' : u'\r';
  } else if (KeyDown(VK_CONTROL) && !KeyDown(VK_MENU) && vk >= 'A' && vk <= 'Z') {
    ch = static_cast<char16_t>(vk - 'A' + 1);
  }
  if (ch == 0) return false;
  PostMessage(msg.hwnd, out, ch, msg.lParam);
  return true;
}

}  // namespace qv
