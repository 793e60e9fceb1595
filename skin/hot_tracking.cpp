// Which window and control the mouse is over, for the skinned hot state.
#include "skin/hot_tracking.h"

#include "platform/window/input.h"
#include "platform/window/window.h"
#include "skin/skin_commands.h"

namespace qv {

namespace {

void Tell(HWND window, int command) {
  if (IsWindow(window)) SendMessage(window, SKIN_COMMAND_MSG, SkinCommandWParam(command), 0);
}

}  // namespace

TacHotTracker::TacHotTracker(std::function<bool()> paused) : paused_(std::move(paused)) {
  timer_ = StartGuiTimer(kCheckHotInterval, [this] { Check(); });
}

void TacHotTracker::LeaveGraph() {
  TControl* c = graph_;
  graph_ = nullptr;
  if (c) SendSkinCommand(c, scMouseLeave);
}

void TacHotTracker::SetActive(HWND window) {
  if (window == active_) return;
  LeaveGraph();
  const HWND old = active_;
  active_ = window;
  if (old && !(window && IsChild(old, window))) Tell(old, scMouseLeave);
  if (window) Tell(window, scMouseEnter);
}

void TacHotTracker::SetActiveGraph(TControl* control) {
  if (control == graph_) return;
  LeaveGraph();
  graph_ = control;
}

void TacHotTracker::Forget(const TComponent* component) {
  if (graph_ && static_cast<const TComponent*>(graph_) == component) graph_ = nullptr;
}

void TacHotTracker::Check() {
  if (paused_ && paused_()) return;
  TPoint p;
  if (!GetCursorPos(p)) return;
  if (active_) {
    TRect r;
    if (!IsWindow(active_) || !GetWindowRect(active_, r) || !r.Contains(p)) SetActive(HWND());
  }
  if (graph_) {
    const TPoint origin = graph_->ClientToScreen({0, 0});
    if (!Bounds(origin.X, origin.Y, graph_->Width(), graph_->Height()).Contains(p)) LeaveGraph();
  }
}

}  // namespace qv
