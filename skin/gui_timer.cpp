// GUI-thread timers: the window system's window-less timers, or a replacement.
#include "skin/gui_timer.h"

#include <utility>

#include "platform/window/system.h"
#include "platform/window/timer.h"

namespace qv {

namespace {

TGuiTimerFactory& Factory() {
  static TGuiTimerFactory factory;
  return factory;
}

// A window-less timer of the window system; the queue calls a copy of the
// procedure, so the tick may destroy its own timer.
class TWindowSystemTimer final : public TacGuiTimer {
 public:
  TWindowSystemTimer(int interval_ms, std::function<void()> tick) {
    id_ = SetTimer(HWND(), 0, static_cast<unsigned>(interval_ms),
                   [tick = std::move(tick)](HWND, UINT, std::uintptr_t, std::uint64_t) { tick(); });
  }
  ~TWindowSystemTimer() override {
    if (id_ != 0 && HasBackend()) KillTimer(HWND(), id_);
  }
  bool Started() const { return id_ != 0; }

 private:
  std::uintptr_t id_ = 0;
};

}  // namespace

TGuiTimerFactory SetGuiTimerFactory(TGuiTimerFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}

std::unique_ptr<TacGuiTimer> StartGuiTimer(int interval_ms, std::function<void()> tick) {
  if (Factory()) return Factory()(interval_ms, std::move(tick));
  if (!HasBackend()) return nullptr;
  auto timer = std::make_unique<TWindowSystemTimer>(interval_ms, std::move(tick));
  if (!timer->Started()) return nullptr;
  return timer;
}

}  // namespace qv
