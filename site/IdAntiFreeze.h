// Keeps the window serviced while a fetch waits on the network: the fetch calls
// the installed hook (the window system's "process pending messages") at least
// every IdleTimeOut milliseconds. At most one exists per process.
#pragma once

#include <functional>
#include <thread>

namespace qv {

class TIdAntiFreeze {
 public:
  // Throws EIdException when another one exists. The creating thread is taken
  // as the GUI thread; fetches on other threads are not serviced.
  explicit TIdAntiFreeze(std::function<void()> onProcess = {});
  ~TIdAntiFreeze();
  TIdAntiFreeze(const TIdAntiFreeze&) = delete;
  TIdAntiFreeze& operator=(const TIdAntiFreeze&) = delete;

  bool Active = true;
  // Half of the 50 ms the window may go unserviced, so that scheduling jitter
  // on a loaded machine stays inside that bound.
  int IdleTimeOut = 25;
  std::function<void()> OnProcess;

  // The instance that services fetches on the calling thread, or nullptr.
  static TIdAntiFreeze* ForThisThread();
  // Runs the hook once (nothing when inactive or when none is installed).
  void Process();

 private:
  std::thread::id guiThread_;
};

}  // namespace qv
