// State fades of a skinned control on the manual clock: how many 12 ms
// steps hover, leave and press take, that every step shows the blend of the
// two state pictures at that step's weight, and when a change is shown at
// once instead.
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class StateFade : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    button = skin->AddSection(u"BUTTON", 0x00203040, 3, ssButton);
    skin->State(button, 1).Color = 0x00F0E0D0;
    skin->State(button, 2).Color = 0x00008000;
    c = Make<TsTestControl>(form.get(), Bounds(20, 20, 137, 25));
    Show();
    Activate();
  }

  // The control's pixels as painted into the form.
  TBitmap32 Snapshot() {
    const TBitmap32* px = GetWindowPixels(form->WindowHandle());
    TRect wr;
    GetWindowRect(form->WindowHandle(), wr);
    const TPoint o = At(c, {0, 0});
    TBitmap32 out(c->Width(), c->Height());
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x)
        out.Pixel(x, y) = px->Pixel(o.X - wr.Left + x, o.Y - wr.Top + y);
    return out;
  }
  static TBitmap32 Blend(const TBitmap32& from, const TBitmap32& to, int w) {
    TBitmap32 out = from;
    BlendBitmaps(out, to, static_cast<std::uint8_t>(w), {0, 0}, to.BoundsRect());
    return out;
  }

  // Frames: the first at once, then one per 12 ms until the timer stops.
  std::vector<TBitmap32> Run(const std::function<void()>& start) {
    std::vector<TBitmap32> frames;
    start();
    frames.push_back(Snapshot());
    for (int i = 0; i < 40 && c->SkinData()->Animating(); ++i) {
      headless->AdvanceTime(12);
      frames.push_back(Snapshot());
    }
    return frames;
  }

  int button = -1;
  TsTestControl* c = nullptr;
};

TEST_F(StateFade, AFirstHoverTakesSixStepsAndEachShowsTheBlendAtItsWeight) {
  const TBitmap32 normal = Snapshot();
  const std::uint64_t t0 = headless->ManualClock().Now();
  auto frames = Run([&] { MoveTo(c); });
  ASSERT_EQ(frames.size(), 7u) << "the step at once and six of 12 ms";
  EXPECT_EQ(headless->ManualClock().Now() - t0, 72u);
  const TBitmap32 hot = frames.back();
  EXPECT_EQ(ColorOf(hot.Pixel(60, 12)), ColorToRGB(skin->State(button, 1).Color));
  // Levels 42, 85, 128, 170, 212, 255, 255: the old picture weighs 255 - level.
  const int weights[7] = {213, 170, 127, 85, 43, 0, 0};
  for (int k = 0; k < 7; ++k)
    EXPECT_TRUE(SameColours(frames[static_cast<std::size_t>(k)], Blend(normal, hot, weights[k])))
        << "step " << k;
  EXPECT_EQ(c->SkinData()->AnimTimer->State, 1) << "idle, keeping its target";
  EXPECT_TRUE(SameColours(Snapshot(), hot));

  // Leaving takes eighteen steps back to the normal picture.
  auto back = Run([&] { MoveAway(); });
  EXPECT_EQ(back.size(), 19u);
  EXPECT_TRUE(SameColours(back.back(), normal));
  EXPECT_EQ(c->SkinData()->AnimTimer->State, -1) << "a finished fade to 0 is stopped";
  EXPECT_FALSE(c->SkinData()->AnimTimer->BmpOut) << "and its pictures freed";
  // Each step of the way out: the hot picture weighs the level.
  double level = 255;
  for (int k = 0; k < 18; ++k) {
    level -= 255.0 / 18;
    EXPECT_TRUE(
        SameColours(back[static_cast<std::size_t>(k)], Blend(hot, normal, FadeLevel(level))))
        << "step " << k;
  }
}

TEST_F(StateFade, APressTakesSixStepsOrThreeInFastModeAndReleasingGoesOnFromTheScreen) {
  Run([&] { MoveTo(c); });
  const TBitmap32 hot = Snapshot();
  auto press = Run([&] { c->Press(); });
  EXPECT_EQ(press.size(), 7u);
  EXPECT_EQ(ColorOf(press.back().Pixel(5, 5)), ColorToRGB(skin->State(button, 2).Color));

  // Back to hot after a press always takes six steps.
  auto release = Run([&] { c->Release(true); });
  EXPECT_EQ(release.size(), 7u);
  EXPECT_TRUE(SameColours(release.back(), hot));

  auto fast = Run([&] { c->Press(true); });
  EXPECT_EQ(fast.size(), 4u) << "fast: three steps";
  Run([&] { c->Release(true); });

  // Released half way through a press: the release starts from what is shown.
  c->Press();
  headless->AdvanceTime(24);
  const TBitmap32 shown = Snapshot();
  c->Release(false);
  const auto* t = c->SkinData()->AnimTimer.get();
  EXPECT_EQ(t->OldState, 2);
  ASSERT_TRUE(t->BmpFrom);
  EXPECT_TRUE(SameColours(*t->BmpFrom, shown))
      << "the release's first picture is the one on screen";
}

TEST_F(StateFade, ATransitionToTheTargetAlreadyHeadedForDoesNothing) {
  MoveTo(c);
  headless->AdvanceTime(24);
  const auto* t = c->SkinData()->AnimTimer.get();
  const int iteration = t->Iteration;
  const double level = t->Glow;
  DoStateTransition(*c->SkinData(), 1, false, false, true);
  EXPECT_EQ(t->Iteration, iteration);
  EXPECT_EQ(t->Glow, level);
  EXPECT_TRUE(c->SkinData()->Animating());
  EXPECT_FALSE(c->SkinData()->BGChanged) << "the cache stays current, so the next change fades";
  headless->AdvanceTime(100);
  c->Press();
  EXPECT_TRUE(c->SkinData()->Animating());
}

TEST_F(StateFade, AChangeShownAtOnceStopsAFadeStillRunning) {
  Run([&] { MoveTo(c); });
  MoveAway();  // a fade back to normal starts
  ASSERT_TRUE(c->SkinData()->Animating());
  c->AnimatEvents = 0;
  MoveTo(c);  // hot again, at once
  EXPECT_FALSE(c->SkinData()->Animating());
  headless->AdvanceTime(300);
  EXPECT_EQ(ColorOf(Snapshot().Pixel(5, 5)), ColorToRGB(skin->State(button, 1).Color))
      << "the old fade does not paint over the hot state";
}

TEST_F(StateFade, WithoutAnimationOrWithAStaleCacheTheChangeIsShownAtOnce) {
  skin->Manager().Effects.AllowAnimation = false;
  MoveTo(c);
  EXPECT_FALSE(c->SkinData()->AnimTimer);
  PumpPendingMessages();
  EXPECT_EQ(ColorOf(Snapshot().Pixel(5, 5)), ColorToRGB(skin->State(button, 1).Color));
  MoveAway();
  skin->Manager().Effects.AllowAnimation = true;
  PumpPendingMessages();

  c->SkinData()->BGChanged = true;  // e.g. the caption just changed
  MoveTo(c);
  EXPECT_FALSE(c->SkinData()->Animating());
  PumpPendingMessages();
  EXPECT_EQ(ColorOf(Snapshot().Pixel(5, 5)), ColorToRGB(skin->State(button, 1).Color));

  // A control whose events do not animate changes at once as well.
  MoveAway();
  headless->AdvanceTime(300);
  c->AnimatEvents = 0;
  MoveTo(c);
  EXPECT_FALSE(c->SkinData()->Animating());
}

TEST_F(StateFade, FinishingAFadeShowsItsLastPicture) {
  Run([&] { MoveTo(c); });
  c->Press();
  headless->AdvanceTime(12);
  FinishFade(*c->SkinData()->AnimTimer);
  EXPECT_FALSE(c->SkinData()->Animating());
  EXPECT_EQ(ColorOf(Snapshot().Pixel(5, 5)), ColorToRGB(skin->State(button, 2).Color))
      << "a press ends pressed, not near its start";
  c->Release(false);
  headless->AdvanceTime(12);
  FinishFade(*c->SkinData()->AnimTimer);
  EXPECT_EQ(ColorOf(Snapshot().Pixel(5, 5)), ColorToRGB(skin->State(button, 1).Color));
}

TEST_F(StateFade, AFadeToNormalThatCannotReachItsEndStopsAfterAFadesLength) {
  Run([&] { MoveTo(c); });
  MoveAway();
  auto& t = *c->SkinData()->AnimTimer;
  t.SetEnabled(false);
  // The last step with a level that a tiny step would take forever to empty.
  t.Iteration = t.Iterations;
  t.Glow = 200;
  t.GlowStep = 1e-6;
  EXPECT_FALSE(StateFadeStep(t, t.Iteration));
  EXPECT_EQ(t.State, -1) << "ended and stopped";
}

}  // namespace
}  // namespace qv::test
