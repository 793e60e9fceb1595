// The fade timer on the manual clock: where each kind of fade starts, how
// many 12 ms steps it takes, the level at every step (halves rounding to
// even), idle and stopped timers, and ticks that arrive at the wrong time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/state_effects.h"
#include "controls/threaded_timer.h"
#include "platform/window/headless.h"
#include "platform/window/system.h"
#include "skin/skin_manager.h"

namespace qv::test {
namespace {

class FadeTimer : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<THeadlessBackend>();
    backend = b.get();
    InitWindowSystem(std::move(b));
  }
  void TearDown() override { ShutdownWindowSystem(); }

  struct TStep {
    int iteration;
    int level;
    std::uint64_t at;
  };

  // A step routine that moves the level as the state fade does and records it.
  TacAnimProc Recorder() {
    return [this](TacThreadedTimer& t, int iteration) {
      steps.push_back({iteration, t.StepLevel(), backend->ManualClock().Now()});
      return iteration < t.Iterations;
    };
  }

  // Starts a fade as a control does: a new timer takes hint 0.
  void Fade(TacThreadedTimer& t, int s, bool fast = false, bool fresh = false) {
    steps.clear();
    start = backend->ManualClock().Now();
    t.InitFade(nullptr, s, fast, Recorder(), fresh ? 0 : t.ResumeHint());
    t.TimeHandler();
  }

  std::vector<int> Levels() const {
    std::vector<int> out;
    for (const auto& s : steps) out.push_back(s.level);
    return out;
  }

  THeadlessBackend* backend = nullptr;
  std::vector<TStep> steps;
  std::uint64_t start = 0;
};

TEST(FadeRounding, HalvesGoToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(127.5), 128);
  EXPECT_EQ(FadeLevel(297.5), 255);
  EXPECT_EQ(FadeLevel(-14.2), 0);
}

TEST(FadeEvents, TheControlsSetThenTheManagersDecide) {
  TsSkinManager manager(nullptr);
  const unsigned all =
      (1u << aeMouseEnter) | (1u << aeMouseLeave) | (1u << aeMouseDown) | (1u << aeMouseUp);
  EXPECT_TRUE(EventAnimated(kEventDown, 1u << aeMouseDown, nullptr));
  EXPECT_FALSE(EventAnimated(kEventDown, 1u << aeMouseUp, &manager)) << "no global default";
  for (int e = kEventEnter; e <= kEventUp; ++e)
    EXPECT_TRUE(EventAnimated(e, kDefaultAnimatEvents, &manager)) << "the manager's four";
  manager.AnimEffects.Buttons.Events = 1u << beMouseLeave;
  EXPECT_FALSE(EventAnimated(kEventEnter, kDefaultAnimatEvents, &manager));
  EXPECT_TRUE(EventAnimated(kEventLeave, kDefaultAnimatEvents, &manager));
  EXPECT_TRUE(EventAnimated(kEventEnter, kDefaultAnimatEvents | (1u << aeMouseEnter), &manager));
  EXPECT_FALSE(EventAnimated(kEventEnter, kDefaultAnimatEvents, nullptr));
  EXPECT_FALSE(EventAnimated(7, all, &manager));
}

TEST_F(FadeTimer, FirstHoverTakesSixStepsOfTwelveMilliseconds) {
  TacThreadedTimer t;
  Fade(t, 1, false, true);
  EXPECT_EQ(t.Iterations, 6);
  EXPECT_DOUBLE_EQ(t.GlowStep, 42.5);
  EXPECT_EQ(t.OldState, -1);
  EXPECT_EQ(t.State, 1);
  EXPECT_EQ(t.Interval(), 12u);
  ASSERT_EQ(steps.size(), 1u) << "the first step runs at once";
  EXPECT_EQ(steps[0].iteration, 0);

  backend->AdvanceTime(200);
  // 42.5 and 212.5 round down to even, 127.5 up.
  EXPECT_EQ(Levels(), (std::vector<int>{42, 85, 128, 170, 212, 255, 255}));
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps.back().iteration, 6);
  EXPECT_EQ(steps.back().at - start, 72u) << "six ticks of 12 ms";
  EXPECT_FALSE(t.Enabled()) << "idle after the last step";
  EXPECT_EQ(t.State, 1) << "an idle timer keeps its target";
}

TEST_F(FadeTimer, LeavingTakesEighteenStepsAndAPressSix) {
  TacThreadedTimer t;
  Fade(t, 1, false, true);
  backend->AdvanceTime(200);

  Fade(t, 0);
  EXPECT_EQ(t.OldState, 1);
  EXPECT_EQ(t.Iterations, 18);
  EXPECT_DOUBLE_EQ(t.GlowStep, 255.0 / 18) << "the level (297.5 after the hover) is clamped first";
  backend->AdvanceTime(400);
  ASSERT_EQ(steps.size(), 19u);
  EXPECT_EQ(steps.front().level, 241);
  EXPECT_EQ(steps[17].level, 0);
  EXPECT_EQ(steps.back().at - start, 18u * 12);

  // Hover again, then press: 6 steps (BmpOut stands for the picture on screen).
  Fade(t, 1);
  backend->AdvanceTime(200);
  t.BmpOut = std::make_unique<TBitmap32>(4, 4);
  Fade(t, 2);
  EXPECT_EQ(t.Iterations, 6);
  EXPECT_EQ(steps[0].iteration, 0);
  backend->AdvanceTime(200);
  EXPECT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps.back().at - start, 72u);
  EXPECT_EQ(Levels().back(), 0);

  // Fast mode halves it.
  Fade(t, 1);
  backend->AdvanceTime(200);
  Fade(t, 2, true);
  EXPECT_EQ(t.Iterations, 3);
  backend->AdvanceTime(200);
  EXPECT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps.back().at - start, 36u);
}

TEST_F(FadeTimer, APressedPictureOnScreenIsWhereAReleaseStarts) {
  TacThreadedTimer t;
  t.BmpOut = std::make_unique<TBitmap32>(2, 1);
  t.BmpOut->Pixel(0, 0) = {1, 2, 3, 4};
  t.BmpFrom = std::make_unique<TBitmap32>(2, 1);
  t.State = 1;
  Fade(t, 2);
  ASSERT_TRUE(t.BmpFrom);
  EXPECT_EQ(t.BmpFrom->Pixel(0, 0), (TBGRA{1, 2, 3, 4})) << "press goes on from the screen";
  backend->AdvanceTime(200);

  t.BmpOut->Pixel(0, 0) = {9, 9, 9, 9};
  Fade(t, 1);
  EXPECT_EQ(t.OldState, 2);
  EXPECT_EQ(t.Iterations, 6) << "after a press the release always takes 6";
  EXPECT_EQ(t.BmpFrom->Pixel(0, 0), (TBGRA{9, 9, 9, 9}));

  // A hover (not after a press) keeps the picture the caller put in BmpFrom.
  backend->AdvanceTime(200);
  Fade(t, 0);
  backend->AdvanceTime(400);
  t.BmpFrom->Pixel(0, 0) = {7, 7, 7, 7};
  Fade(t, 1);
  EXPECT_EQ(t.BmpFrom->Pixel(0, 0), (TBGRA{7, 7, 7, 7}));
}

TEST_F(FadeTimer, AnInterruptedFadeGoesOnFromItsLevel) {
  TacThreadedTimer t;
  Fade(t, 1, false, true);
  backend->AdvanceTime(24);  // levels 42.5, 85, 127.5
  ASSERT_DOUBLE_EQ(t.Glow, 127.5);

  // Leaving half way: 18 steps long, but it starts at the matching step.
  Fade(t, 0);
  EXPECT_EQ(t.Iterations, 18);
  EXPECT_DOUBLE_EQ(t.GlowStep, 127.5 / 18);
  EXPECT_EQ(steps[0].iteration, 9);
  backend->AdvanceTime(24);
  const double level = t.Glow;

  // Entering again from there: fewer steps, starting part way.
  Fade(t, 1);
  EXPECT_EQ(t.OldState, 0);
  EXPECT_EQ(t.Iterations, RoundHalfEven((255 - level) * 6 / 255));
  EXPECT_EQ(steps[0].iteration, RoundHalfEven(level * 6 / 255));
}

TEST_F(FadeTimer, HintsAndOtherTargets) {
  // No picture on screen yet: a fade on an existing timer starts where the
  // last one left off.
  TacThreadedTimer t;
  t.State = 1;
  t.Iteration = 4;
  EXPECT_EQ(t.ResumeHint(), 2);
  t.State = 0;
  EXPECT_EQ(t.ResumeHint(), 14);
  t.Iteration = 30;
  EXPECT_EQ(t.ResumeHint(), 0);
  t.State = 1;
  t.Iteration = 4;
  t.Glow = 255;
  Fade(t, 2);
  EXPECT_EQ(steps[0].iteration, 2);
  t.SetEnabled(false);

  // A target other than 0, 1 or 2 (the default button) follows the step's place.
  TacThreadedTimer d;
  d.Glow = 0;
  Fade(d, 3, false, true);
  backend->AdvanceTime(200);
  EXPECT_EQ(Levels(), (std::vector<int>{255, 212, 170, 128, 85, 42, 0}));

  // Fast leave: 9 steps.
  TacThreadedTimer f;
  f.Glow = 255;
  f.State = 1;
  Fade(f, 0, true);
  EXPECT_EQ(f.Iterations, 9);
}

TEST_F(FadeTimer, AStepAnsweringFalseAtOnceStopsAndForgetsTheTarget) {
  TacThreadedTimer t;
  t.InitFade(
      nullptr, 1, false, [](TacThreadedTimer&, int) { return false; }, 0);
  EXPECT_TRUE(t.Enabled());
  t.TimeHandler();
  EXPECT_FALSE(t.Enabled());
  EXPECT_EQ(t.State, -1);
}

TEST_F(FadeTimer, TicksDuringAStepAfterDestructionOrWhileStoppedDoNothing) {
  auto t = std::make_unique<TacThreadedTimer>();
  int calls = 0;
  t->InitFade(
      nullptr, 1, false,
      [&](TacThreadedTimer& self, int) {
        ++calls;
        self.Tick();  // a step that pumps messages meets its own tick
        return true;
      },
      0);
  backend->AdvanceTime(12);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(t->Iteration, 1);

  t->SetEnabled(false);
  t->Tick();
  EXPECT_EQ(calls, 1);

  // A step that frees its own timer: nothing touches it afterwards.
  t->InitFade(
      nullptr, 1, false,
      [&](TacThreadedTimer&, int) {
        ++calls;
        t.reset();
        return false;
      },
      0);
  backend->AdvanceTime(12);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(t);
  backend->AdvanceTime(100);
  EXPECT_EQ(calls, 2);
}

TEST_F(FadeTimer, WithoutAStepRoutineItIsAPlainTimer) {
  TacThreadedTimer t;
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 1000u);
  int ticks = 0;
  t.OnTimer = [&](TObject*) { ++ticks; };
  backend->AdvanceTime(3000);
  EXPECT_EQ(ticks, 3);
  t.SetInterval(100);
  backend->AdvanceTime(1000);
  EXPECT_EQ(ticks, 13);
  t.SetThreadPriority(TThreadPriority::tpHigher);
  EXPECT_EQ(t.ThreadPriority(), TThreadPriority::tpHigher);
  t.SetEnabled(false);
  backend->AdvanceTime(1000);
  EXPECT_EQ(ticks, 13);
}

}  // namespace
}  // namespace qv::test
