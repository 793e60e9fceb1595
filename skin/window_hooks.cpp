// The window hook, the system colours under a skin and the live-preview hook.
#include "skin/window_hooks.h"

#include <utility>

#include "paint/compositing.h"
#include "platform/component/application.h"
#include "platform/window/window.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {

namespace {

TFormFrameProvider& Provider() {
  static TFormFrameProvider provider;
  return provider;
}

// Palette entries may name system colours themselves: those take the
// platform's own value, never the skin's answer again.
TColor Plain(TColor c) { return c < 0 ? DefaultSysColor(c & 0xFF) : c; }

bool ActiveFormShowing() {
  TCustomForm* f = Screen().ActiveForm();
  return f && f->HandleAllocated() && IsWindowVisible(f->WindowHandle());
}

}  // namespace

TFormFrameProvider SetFormFrameProvider(TFormFrameProvider provider) {
  return std::exchange(Provider(), std::move(provider));
}

std::optional<TColor> SkinSysColor(const TsSkinManager& m, int index) {
  if (!m.Options.ChangeSysColors || !m.IsActive() || !ActiveFormShowing()) return std::nullopt;
  const TacPaletteArray& p = m.Palette;
  const TColor main = Plain(p[pcMainColor]);
  // Pens and brushes take system colours by index here, so one table serves
  // them: a plain colour value is never taken for a system colour.
  switch (index) {
    case COLOR_WINDOW:
      return Plain(p[pcEditBG]);
    case COLOR_WINDOWFRAME:
      return Plain(p[pcBorder]);
    case COLOR_WINDOWTEXT:
      return Plain(p[pcEditText]);
    case COLOR_INACTIVEBORDER:
      return Plain(m.SkinCommonInfo.SysInactiveBorderColor);
    case COLOR_HIGHLIGHT:
      return Plain(p[pcSelectionBG_Focused]);
    case COLOR_HIGHLIGHTTEXT:
      return Plain(p[pcSelectionText_Focused]);
    case COLOR_BTNFACE:
      return main;
    case COLOR_BTNSHADOW:
    case COLOR_3DDKSHADOW:
      return MixColors(main, clBlack, 205);
    case COLOR_3DLIGHT:
      return MixColors(main, clWhite, 205);
    default:
      return std::nullopt;
  }
}

TacWindowHooks::~TacWindowHooks() {
  Uninstall();
  if (app_alive_) *app_alive_ = false;
}

void TacWindowHooks::Install() {
  if (hook_ != 0) return;
  hook_ = SetWindowsHookEx(WH_CBT, [this](int code, WPARAM w, LPARAM l) -> LRESULT {
    if (code == HCBT_ACTIVATE) m_.HookApplicationWindow();
    if (code == HCBT_ACTIVATE && Provider() && m_.IsActive())
      if (auto* form = dynamic_cast<TCustomForm*>(FindControl(HWND{static_cast<std::uint32_t>(w)})))
        Provider()(*form);
    return CallNextHookEx(hook_, code, w, l);
  });
  SetSysColorLookup([this](int index) {
    const auto c = SkinSysColor(m_, index);
    return c ? *c : DefaultSysColor(index);
  });
}

void TacWindowHooks::Uninstall() {
  if (hook_ == 0) return;
  UnhookWindowsHookEx(hook_);
  hook_ = 0;
  SetSysColorLookup(nullptr);
}

void TacWindowHooks::HookAppWindow(HWND window) {
  if (!window || (window == app_window_ && IsWindow(window))) return;
  if (app_alive_) *app_alive_ = false;
  app_alive_ = std::make_shared<bool>(true);
  app_window_ = window;
  const WNDPROC old = GetWindowProc(window);
  SetWindowProc(
      window, [this, old, alive = app_alive_](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        if (*alive) {
          if (msg == WM_COPYDATA && l != 0) {
            const auto* cd = reinterpret_cast<const COPYDATASTRUCT*>(l);
            if (cd->dwData == kSkinEditorCopyData && cd->lpData != nullptr && !receiving_) {
              receiving_ = true;
              const bool taken = m_.ReceivePreview(
                  TByteView(static_cast<const std::uint8_t*>(cd->lpData), cd->cbData));
              receiving_ = false;
              if (taken) return 1;
            }
          } else if (msg == SKIN_COMMAND_MSG && SkinCommandOf(w) == scApplyPreview) {
            m_.ApplyPreview();
            return 1;
          }
        }
        return CallWindowProc(old, h, msg, w, l);
      });
}

}  // namespace qv
