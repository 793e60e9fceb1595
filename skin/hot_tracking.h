// Hot tracking for the skin manager: the window (and the windowless control)
// under the mouse is told when the mouse comes and goes, and a 100 ms check
// ends the hot state of what the mouse has left without saying so.
#pragma once

#include <memory>

#include "platform/component/control.h"
#include "platform/window/types.h"
#include "skin/gui_timer.h"

namespace qv {

constexpr int kCheckHotInterval = 100;  // ms

class TacHotTracker {
 public:
  // paused: whether the check is to wait (while forms are scaled in animation).
  explicit TacHotTracker(std::function<bool()> paused);

  HWND Active() const { return active_; }
  // The old window hears scMouseLeave unless the new one is its child (it
  // stays hot around it); the new one hears scMouseEnter. A windowless
  // control that was hot hears scMouseLeave first.
  void SetActive(HWND window);
  TControl* ActiveGraph() const { return graph_; }
  void SetActiveGraph(TControl* control);
  // The component is being freed: forget it without telling it.
  void Forget(const TComponent* component);
  // Clears what the cursor has left.
  void Check();

 private:
  void LeaveGraph();

  std::function<bool()> paused_;
  HWND active_;
  TControl* graph_ = nullptr;
  std::unique_ptr<TacGuiTimer> timer_;
};

}  // namespace qv
