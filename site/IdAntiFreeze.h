// Keeps the window serviced while a fetch waits on the network: the fetch calls
// the installed hook (the window system's "process pending messages") at least
// every IdleTimeOut milliseconds. At most one exists per process.
#pragma once

#include <functional>
#include <thread>

#include "platform/component/component.h"

namespace qv {

class TIdAntiFreeze : public TComponent {
 public:
  // Throws EIdException when another one exists. The creating thread is taken
  // as the GUI thread; fetches on other threads are not serviced.
  explicit TIdAntiFreeze(TComponent* owner, std::function<void()> onProcess = {});
  ~TIdAntiFreeze() override;

  bool Active = true;
  // Half of the 50 ms the window may go unserviced, so that scheduling jitter
  // on a loaded machine stays inside that bound.
  int IdleTimeOut = 25;
  // What one round of servicing does; when empty, the application's hook.
  std::function<void()> OnProcess;

  // The window system installs its "process pending messages" here once, so
  // an anti-freeze read from the window description needs no wiring.
  static void SetApplicationHook(std::function<void()> hook);

  // The instance that services fetches on the calling thread, or nullptr.
  static TIdAntiFreeze* ForThisThread();
  // Runs OnProcess or the application's hook once (nothing when inactive).
  void Process();

 private:
  std::thread::id guiThread_;
};

}  // namespace qv
