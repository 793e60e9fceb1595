// The fade timer: window-timer ticks on the GUI thread and the arithmetic
// that starts a fade.
#include "controls/threaded_timer.h"

#include <algorithm>
#include <cmath>

#include "platform/component/application.h"
#include "platform/window/system.h"
#include "platform/window/timer.h"

namespace qv {

int RoundHalfEven(double v) {
  // The default floating-point rounding mode rounds halves to even.
  return static_cast<int>(std::nearbyint(v));
}

int FadeLevel(double glow) { return std::clamp(RoundHalfEven(glow), 0, 255); }

TacThreadedTimer::TacThreadedTimer(TObject* owner) : FOwner(owner) {
  if (!Application().Terminated()) SetEnabled(true);
}

TacThreadedTimer::~TacThreadedTimer() {
  Destroyed = true;
  *alive_ = false;
  Disarm();
}

void TacThreadedTimer::Arm() {
  if (!HasBackend()) return;
  std::weak_ptr<bool> alive = alive_;
  FTimerThread = SetTimer(HWND(), FTimerThread, FInterval,
                          [this, alive](HWND, UINT, std::uintptr_t, std::uint64_t) {
                            if (auto a = alive.lock(); a && *a) Tick();
                          });
}

void TacThreadedTimer::Disarm() {
  if (FTimerThread != 0 && HasBackend()) KillTimer(HWND(), FTimerThread);
  FTimerThread = 0;
}

void TacThreadedTimer::SetEnabled(bool value) {
  FEnabled = value;
  if (value)
    Arm();
  else
    Disarm();
}

void TacThreadedTimer::SetInterval(unsigned value) {
  FInterval = value;
  if (FEnabled) Arm();
}

void TacThreadedTimer::SetThreadPriority(TThreadPriority value) {
  FThreadPriority = value;
  if (FEnabled) Arm();
}

void TacThreadedTimer::TimeHandler() {
  if (Destroyed || !AnimProc) return;
  const std::shared_ptr<bool> alive = alive_;
  const TacAnimProc proc = AnimProc;  // the step may start another fade
  const bool go_on = proc(*this, Iteration);
  if (!*alive || go_on) return;
  SetEnabled(false);
  State = -1;
}

void TacThreadedTimer::Tick() {
  if (Executing || Destroyed || !FEnabled) return;
  if (!AnimProc) {
    if (OnTimer) OnTimer(FOwner);
    return;
  }
  ++Iteration;
  if (Iteration > Iterations) {
    SetEnabled(false);
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  const TacAnimProc proc = AnimProc;
  Executing = true;
  const bool go_on = proc(*this, Iteration);
  if (!*alive) return;
  Executing = false;
  // The last step has run: the timer goes idle, keeping its state and pictures.
  if (!go_on && FEnabled && AnimProc) SetEnabled(false);
}

int TacThreadedTimer::ResumeHint() const { return std::max(0, (State == 0 ? 18 : 6) - Iteration); }

int TacThreadedTimer::StepLevel() {
  if (Finishing)
    Glow = State == 1 ? 255 : 0;
  else if (State == 0 || State == 2)
    Glow -= GlowStep;
  else if (State == 1)
    Glow += GlowStep;
  else
    Glow = 255 - static_cast<double>(Iteration) / Iterations * 255;
  return FadeLevel(Glow);
}

void TacThreadedTimer::InitFade(TsCommonData* data, int s, bool fast, TacAnimProc proc, int hint) {
  SetEnabled(false);
  AnimData = data;
  Value = 0;
  Glow = std::clamp(Glow, 0.0, 255.0);
  const int previous = State;

  Iterations = fast ? 3 : 6;
  if (s == 0) {
    Iterations *= 3;
    GlowStep = Glow / Iterations;
  } else if (s == 2) {
    GlowStep = Glow / Iterations;
  } else {
    Iterations = previous <= 0 ? RoundHalfEven((255 - Glow) * 6 / 255) : 6;
    Iterations = std::max(Iterations, 1);
    GlowStep = (255 - Glow) / Iterations;
  }
  ValueStep = (255 - Value) / Iterations;

  // Pressing, and releasing after a press, go on from what is on screen.
  if ((s == 2 || (s == 1 && previous == 2)) && BmpOut)
    BmpFrom = std::make_unique<TBitmap32>(*BmpOut);

  if (s == 1 && previous <= 0)
    Iteration = RoundHalfEven(Glow * 6 / 255);
  else if (s == 0 && previous == 1)
    Iteration = Glow != 0 ? RoundHalfEven((255 - Glow) * Iterations / 255) : 0;
  else
    Iteration = BmpOut ? 0 : hint;

  FInterval = kFadeInterval;
  AnimProc = std::move(proc);
  OldState = State;
  State = s;
  SetEnabled(true);
}

}  // namespace qv
