// The replaceable factory of GUI-thread timers.
#include "skin/gui_timer.h"

#include <utility>

namespace qv {

namespace {

TGuiTimerFactory& Factory() {
  static TGuiTimerFactory factory;
  return factory;
}

}  // namespace

TGuiTimerFactory SetGuiTimerFactory(TGuiTimerFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}

std::unique_ptr<TacGuiTimer> StartGuiTimer(int interval_ms, std::function<void()> tick) {
  if (!Factory()) return nullptr;
  return Factory()(interval_ms, std::move(tick));
}

}  // namespace qv
