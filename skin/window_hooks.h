// The skin manager's hooks into the window system: the window hook that lets
// forms activated without a skinned frame get one (and, with the system-colour
// option, answers the platform's system colours from the skin), and the hook
// of the application's main window that serves the live-preview channel.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/component/form.h"
#include "platform/window/hook.h"

namespace qv {

class TsSkinManager;

// What the frame code does for a form that is activated while a skin is
// active; installed by the frame code, absent until then.
using TFormFrameProvider = std::function<void(TCustomForm& form)>;
TFormFrameProvider SetFormFrameProvider(TFormFrameProvider provider);

// The system colours a skin gives while the option is on and the active form
// shows a window; nothing for every other index.
std::optional<TColor> SkinSysColor(const TsSkinManager& m, int index);

class TacWindowHooks {
 public:
  explicit TacWindowHooks(TsSkinManager& m) : m_(m) {}
  TacWindowHooks(const TacWindowHooks&) = delete;
  TacWindowHooks& operator=(const TacWindowHooks&) = delete;
  ~TacWindowHooks();

  void Install();
  void Uninstall();
  bool Installed() const { return hook_ != 0; }

  // Serves WM_COPYDATA (the live-preview record) and scApplyPreview on the
  // window; a window already served is left alone.
  void HookAppWindow(HWND window);
  HWND AppWindow() const { return app_window_; }

 private:
  TsSkinManager& m_;
  HHOOK hook_ = 0;
  HWND app_window_;
  std::shared_ptr<bool> app_alive_;
  bool receiving_ = false;
};

}  // namespace qv
