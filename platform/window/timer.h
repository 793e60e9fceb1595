// Window timers and the clock they run on: real time in the program, a
// manual clock in tests.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/window/types.h"

namespace qv {

using TIMERPROC = std::function<void(HWND, UINT, std::uintptr_t id, std::uint64_t time)>;

// Starts or restarts timer id of the window: WM_TIMER (or proc) every
// elapse ms (at least 10). A window-less timer gets a fresh id. Returns the
// id, 0 on failure.
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, unsigned elapse, TIMERPROC proc = {});
bool KillTimer(HWND hwnd, std::uintptr_t id);

// Milliseconds on the window system's clock.
std::uint64_t GetTickCount64();

class TClock {
 public:
  virtual ~TClock() = default;
  virtual std::uint64_t Now() const = 0;
};

class TRealClock final : public TClock {
 public:
  std::uint64_t Now() const override;
};

class TManualClock final : public TClock {
 public:
  std::uint64_t Now() const override { return now_; }
  void Set(std::uint64_t now) { now_ = now; }
  void Advance(std::uint64_t ms) { now_ += ms; }

 private:
  std::uint64_t now_ = 1000;
};

}  // namespace qv
