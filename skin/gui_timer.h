// Timers on the GUI thread for the skin engine's paced work. The window system
// supplies the factory; destroying a timer stops it. Without a factory paced
// work runs to its end at once.
#pragma once

#include <functional>
#include <memory>

namespace qv {

// A tick may stop its own timer by destroying it: the timer must then not call
// the tick again and must keep the tick function alive until it returns.
class TacGuiTimer {
 public:
  virtual ~TacGuiTimer() = default;
};

using TGuiTimerFactory =
    std::function<std::unique_ptr<TacGuiTimer>(int interval_ms, std::function<void()> tick)>;

TGuiTimerFactory SetGuiTimerFactory(TGuiTimerFactory factory);
// nullptr when no factory is installed.
std::unique_ptr<TacGuiTimer> StartGuiTimer(int interval_ms, std::function<void()> tick);

}  // namespace qv
