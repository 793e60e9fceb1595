// The window system's state, the installed backend, the raw input queue and
// the window hook chain.
#include "platform/window/system.h"

#include <stdexcept>

#include "platform/window/internal.h"
#include "platform/window/metrics.h"
#include "platform/window/sdl_backend.h"

namespace qv {

namespace win {

TSystem& Sys() {
  static TSystem sys;
  return sys;
}

TClock& Clock() { return Backend().Clock(); }

MSG MakeMsg(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = Now();
  m.pt = Sys().cursor_pos;
  return m;
}

std::uint64_t Now() { return HasBackend() ? Clock().Now() : 0; }

bool CallHooks(int code, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Sys().hooks;
  if (hooks.empty()) return false;
  const HOOKPROC proc = hooks.back().proc;  // a hook may unhook itself
  return proc && proc(code, wParam, lParam) != 0;
}

}  // namespace win

using win::Sys;

void ShutdownWindowSystem() {
  auto& sys = Sys();
  win::ResetMenus();
  // Hooks belong to a running desktop; their owners may be gone by now.
  sys.hooks.clear();
  for (int guard = 0; !sys.toplevels.empty() && guard < 100000; ++guard) {
    const HWND h = sys.toplevels.back();
    if (!DestroyWindow(h)) {
      // A hook refused: the window goes anyway.
      sys.toplevels.pop_back();
      sys.windows.erase(h.id);
    }
  }
  sys.windows.clear();
  sys.toplevels.clear();
  sys.posted.clear();
  sys.input.clear();
  sys.raw.clear();
  sys.timers.clear();
  sys.hooks.clear();
  sys.dcs.clear();
  sys.quit = false;
  sys.quit_code = 0;
  sys.focus = sys.active = sys.capture = sys.hover = sys.press_target = HWND{};
  sys.last_click_hwnd = sys.moving = HWND{};
  sys.mode = nullptr;
  sys.buttons = 0;
  sys.last_click_time = 0;
  sys.keys.fill(0);
  sys.cursor = IDC_ARROW;
  sys.backend.reset();
}

void InitWindowSystem(std::unique_ptr<TBackend> backend) {
  ShutdownWindowSystem();
  Sys().backend = std::move(backend);
  if (Sys().backend) SetSystemDpi(Sys().backend->Dpi());
}

TBackend& Backend() {
  auto& sys = Sys();
  if (!sys.backend) {
    sys.backend = CreateSdlBackend();
    SetSystemDpi(sys.backend->Dpi());
  }
  return *sys.backend;
}

bool HasBackend() { return Sys().backend != nullptr; }

void PostRawEvent(TRawEvent event) { Sys().raw.push_back(std::move(event)); }

TSize ScreenSize() { return Backend().ScreenSize(); }

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc) {
  if (idHook != WH_CBT || !proc) return 0;
  auto& sys = Sys();
  const HHOOK id = sys.next_hook++;
  sys.hooks.push_back({id, std::move(proc)});
  return id;
}

bool UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Sys().hooks;
  for (auto it = hooks.begin(); it != hooks.end(); ++it) {
    if (it->id == hook) {
      hooks.erase(it);
      return true;
    }
  }
  return false;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  auto& hooks = Sys().hooks;
  for (std::size_t i = hooks.size(); i-- > 0;) {
    if (hooks[i].id != hook) continue;
    if (i == 0) return 0;
    const HOOKPROC next = hooks[i - 1].proc;
    return next ? next(code, wParam, lParam) : 0;
  }
  return 0;
}

}  // namespace qv
