// Timers on the GUI thread for the skin engine's paced work: the window
// system's timers, or a factory that tests install. Destroying a timer stops
// it. Without a window system paced work runs to its end at once.
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

// Replaces the window system's timers (nullptr goes back to them); returns the
// previous factory.
TGuiTimerFactory SetGuiTimerFactory(TGuiTimerFactory factory);
// nullptr when there is neither a factory nor a window system.
std::unique_ptr<TacGuiTimer> StartGuiTimer(int interval_ms, std::function<void()> tick);

}  // namespace qv
