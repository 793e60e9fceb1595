// The timer that drives a control's state fade: a window timer of the GUI
// thread (no thread of its own), the fade's levels and step counters, and the
// three pictures a fade blends between. One is made per control on its first
// fade; the step routine that runs on each tick is the fade's.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/bitmap.h"
#include "platform/component/component.h"
#include "platform/geometry.h"

namespace qv {

class TsCommonData;
class TControl;
class TacThreadedTimer;

// Kept for the published property only: ticks always come from the GUI thread.
enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest };

// One step of a fade: runs step `iteration` and answers whether to go on.
using TacAnimProc = std::function<bool(TacThreadedTimer& timer, int iteration)>;

// The period every fade ticks with.
constexpr unsigned kFadeInterval = 12;  // ms

class TacThreadedTimer {
 public:
  // Arms a window timer of Interval ms unless the application is terminating
  // (or there is no window system).
  explicit TacThreadedTimer(TObject* owner = nullptr);
  TacThreadedTimer(const TacThreadedTimer&) = delete;
  TacThreadedTimer& operator=(const TacThreadedTimer&) = delete;
  virtual ~TacThreadedTimer();

  bool Enabled() const { return FEnabled; }
  // Starts (from now) or stops the window timer.
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  // Re-arms a running timer with the new period.
  void SetInterval(unsigned value);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority value);

  // Plain timer use: called on each tick when no step routine is set.
  TNotifyEvent OnTimer;

  // Runs the current step once; when the step answers false the timer stops
  // and State becomes -1.
  virtual void TimeHandler();
  // One tick of the window timer (public so that a paced caller can drive it).
  void Tick();

  // Initialises a fade of data to state s and starts the timer: the level
  // steps, the step count (halved in fast mode), where the fade starts (hint:
  // the first step when nothing decides otherwise) and the step routine.
  void InitFade(TsCommonData* data, int s, bool fast, TacAnimProc proc, int hint);
  // The hint for a fade started on an existing timer: the steps the last fade
  // had left, at least 0.
  int ResumeHint() const;
  // Moves the fade level one step towards the target (down for states 0 and
  // 2, up for 1, by the step's place for any other) and answers it rounded
  // and clamped to 0..255. While Finishing, the level of the fade's end.
  int StepLevel();

  bool InHandler = false;
  bool Executing = false;
  TObject* FOwner = nullptr;
  double Glow = 0;
  double Value = 0;
  double GlowStep = 0;
  double ValueStep = 0;
  int State = -1;
  int Iteration = 0;
  int IntState = -1;
  int OldState = -1;
  int Iterations = 6;
  int ThreadType = 0;  // 0 state fade, 1 glow-only fade
  std::unique_ptr<TBitmap32> BmpTo;
  std::unique_ptr<TBitmap32> BmpOut;
  std::unique_ptr<TBitmap32> BmpFrom;
  TRect AnimRect{};
  TsCommonData* AnimData = nullptr;
  bool Destroyed = false;
  // FinishFade is showing the fade's last picture.
  bool Finishing = false;
  TControl* AnimControl = nullptr;
  TacAnimProc AnimProc;

 private:
  void Arm();
  void Disarm();

  bool FEnabled = false;
  unsigned FInterval = 1000;
  TThreadPriority FThreadPriority = TThreadPriority::tpNormal;
  std::uintptr_t FTimerThread = 0;  // the window timer's id; 0: none
  // Cleared on destruction, so that a step that frees its own timer is noticed.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Nearest integer, halves to even.
int RoundHalfEven(double v);
// Rounded to nearest (halves to even) and clamped to 0..255.
int FadeLevel(double glow);

}  // namespace qv
