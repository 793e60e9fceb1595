// The hover glow: its window and picture around the control, its alpha
// following the hover fade, when none is shown, its removal, and glow
// numbers that are never given twice.
#include "controls/glow_registry.h"
#include "platform/window/input.h"
#include "platform/window/layered.h"
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class Glow : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    button = skin->AddSection(u"BUTTON", 0x00203040, 3, ssButton);
    check = skin->AddSection(u"CHECKBOX", 0x00203040, 3, ssCheckBox);
    auto halo = std::make_shared<TBitmap32>(12, 12);
    halo->Fill({0, 200, 0, 255});
    for (int s : {button, check}) {
      skin->AddElement(skin->Section(s).ClassName, u"GLOW0", Bounds(0, 0, 12, 12), 4, 0x14, halo,
                       itisaGlow);
      skin->Section(s).GlowCount = 1;
    }
    c = Make<TsTestControl>(form.get(), Bounds(40, 40, 80, 24));
    Show();
    Activate();
  }
  TacGlowEffect* GlowOf(TsTestControl* t) { return GlowRegistry().Find(t->SkinData()->GlowID); }
  int Alpha(TsTestControl* t) {
    std::uint8_t a = 0;
    TacGlowEffect* g = GlowOf(t);
    return g && GetLayeredWindowPicture(g->Wnd, &a) ? a : -1;
  }
  int button = -1, check = -1;
  TsTestControl* c = nullptr;
};

TEST_F(Glow, AHoverShowsAHaloAroundTheControlRisingWithTheFade) {
  MoveTo(c);
  TacGlowEffect* g = GlowOf(c);
  ASSERT_NE(g, nullptr);
  TRect wr;
  GetWindowRect(g->Wnd, wr);
  const TPoint o = At(c, {0, 0});
  EXPECT_EQ(wr, Bounds(o.X - 4, o.Y - 4, 88, 32)) << "grown by the element's margins";
  std::vector<int> alphas{Alpha(c)};
  for (int i = 0; i < 6; ++i) {
    headless->AdvanceTime(12);
    alphas.push_back(Alpha(c));
  }
  EXPECT_EQ(alphas, (std::vector<int>{42, 85, 128, 170, 212, 255, 255}));
  // The halo shows on the form just outside the control (its alpha is 254
  // after the element's 8-bit blend).
  const TBGRA halo = Shown(c, {-2, 10});
  EXPECT_LE(halo.R, 1);
  EXPECT_EQ(halo.G, 200);

  // Leaving: the glow goes once its alpha is below 10; the fade goes on.
  MoveAway();
  int removed_at = -1;
  for (int step = 1; step <= 18; ++step) {
    headless->AdvanceTime(12);
    if (removed_at < 0 && GlowOf(c) == nullptr) removed_at = step;
  }
  EXPECT_EQ(removed_at, 17) << "levels 255 - 14.17 k: below 10 at the 17th tick";
  EXPECT_EQ(c->SkinData()->GlowID, -1);
  EXPECT_NE(Shown(c, {-2, 10}).G, 200);
}

TEST_F(Glow, WithoutAnimationTheHaloComesAtFullStrength) {
  skin->Manager().Effects.AllowAnimation = false;
  MoveTo(c);
  EXPECT_EQ(Alpha(c), 255);
  MoveAway();
  EXPECT_EQ(GlowOf(c), nullptr) << "and goes at once";
}

TEST_F(Glow, NoHaloWithoutGlowingHoverLayeredElementOrWhileTheMouseIsCaptured) {
  skin->Manager().Effects.AllowGlowing = false;
  MoveTo(c);
  EXPECT_EQ(GlowOf(c), nullptr);
  MoveAway();
  headless->AdvanceTime(300);
  skin->Manager().Effects.AllowGlowing = true;

  skin->Manager().Options.NoMouseHover = true;
  MoveTo(c);
  EXPECT_EQ(GlowOf(c), nullptr);
  EXPECT_FALSE(c->SkinData()->FMouseAbove);
  skin->Manager().Options.NoMouseHover = false;
  MoveAway();

  SetCapture(form->WindowHandle());
  MoveTo(c);
  EXPECT_EQ(GlowOf(c), nullptr);
  ReleaseCapture();
  MoveAway();
  headless->AdvanceTime(300);

  skin->Section(button).GlowCount = 0;
  MoveTo(c);
  EXPECT_EQ(GlowOf(c), nullptr);
}

TEST_F(Glow, ClassesOutsideTheNoGlowSetGetTheGenericHaloWithItsOwnFade) {
  // A control whose state does not change under the mouse: only the glow fades.
  struct TSteady : TsTestControl {
    using TsTestControl::TsTestControl;
    int SkinState() override { return 0; }
    void SkinStateChanged() override {}
  };
  auto* box = Make<TSteady>(form.get(), Bounds(40, 100, 80, 24), kCocCheckBox, ssCheckBox);
  PumpPendingMessages();
  MoveTo(box);
  ASSERT_NE(GlowOf(box), nullptr);
  ASSERT_TRUE(box->SkinData()->AnimTimer);
  EXPECT_EQ(box->SkinData()->AnimTimer->ThreadType, 1);
  EXPECT_EQ(Alpha(box), 42);
  headless->AdvanceTime(72);
  EXPECT_EQ(Alpha(box), 255) << "the glow fade ends at full strength";
  MoveAway();
  headless->AdvanceTime(400);
  EXPECT_EQ(GlowOf(box), nullptr) << "faded out and removed";
}

TEST_F(Glow, SizeChangesDisablingAndHidingRemoveIt) {
  skin->Manager().Effects.AllowAnimation = false;
  MoveTo(c);
  ASSERT_NE(GlowOf(c), nullptr);
  c->SetBounds(c->Left(), c->Top(), 90, 24);
  EXPECT_EQ(GlowOf(c), nullptr);

  MoveAway();
  MoveTo(c);
  ASSERT_NE(GlowOf(c), nullptr);
  c->SetEnabled(false);
  EXPECT_EQ(GlowOf(c), nullptr);
  c->SetEnabled(true);

  MoveAway();
  MoveTo(c);
  ASSERT_NE(GlowOf(c), nullptr);
  skin->Announce(*form);
  EXPECT_EQ(GlowOf(c), nullptr) << "a new skin takes the old one's glow";

  MoveAway();
  MoveTo(c);
  ASSERT_NE(GlowOf(c), nullptr);
  c->Hide();
  EXPECT_EQ(GlowOf(c), nullptr);
}

TEST_F(Glow, NumbersAreNeverGivenTwiceAndRemovingAllFreesEveryBinding) {
  skin->Manager().Effects.AllowAnimation = false;
  auto* other = Make<TsTestControl>(form.get(), Bounds(40, 100, 80, 24));
  PumpPendingMessages();
  MoveTo(c);
  const int first = c->SkinData()->GlowID;
  ASSERT_GE(first, 0);
  RemoveAllGlows();
  EXPECT_EQ(c->SkinData()->GlowID, -1);
  EXPECT_EQ(GlowRegistry().Count(), 0);

  MoveTo(other);
  const int second = other->SkinData()->GlowID;
  EXPECT_GT(second, first) << "a new glow takes a new number";
  // A stale number names nothing, so hiding it cannot take another's glow.
  int stale = first;
  HideGlow(stale, false);
  EXPECT_EQ(stale, -1);
  EXPECT_NE(GlowOf(other), nullptr);
  SetGlowAlpha(first, 10);
  EXPECT_EQ(Alpha(other), 255);

  // The registry does not grow with hovers.
  for (int i = 0; i < 20; ++i) {
    MoveTo(c);
    MoveTo(other);
  }
  EXPECT_LE(GlowRegistry().Count(), 1);
}

}  // namespace
}  // namespace qv::test
