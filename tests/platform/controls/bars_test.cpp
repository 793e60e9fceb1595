// Progress and track bars: clamping and the fill rectangle, which position
// changes fire OnChange, and the track bar's keys, wheel, thumb drag with
// capture and channel paging with auto-repeat.
#include "platform/controls/progressbar.h"
#include "platform/controls/trackbar.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

using BarsTest = ControlsTest;

TEST_F(BarsTest, ProgressClampsAndFillsRoundedToEven) {
  auto* p = Make<TProgressBar>(form.get(), Bounds(10, 10, 145, 17));
  p->SetMax(25);
  p->SetSmooth(true);
  p->SetPosition(12);
  EXPECT_EQ(p->FillRect(), (TRect{0, 0, 70, 17}));  // round(145 * 12 / 25) = 69.6
  p->SetPosition(25);
  EXPECT_EQ(p->FillRect().Right, 145);
  p->SetPosition(-3);
  EXPECT_EQ(p->Position(), 0);
  EXPECT_TRUE(p->FillRect().IsEmpty());
  p->SetPosition(1000);
  EXPECT_EQ(p->Position(), 25);
  // Halves go to the even neighbour: 10 * 1 / 4 = 2.5 -> 2.
  p->SetBounds(10, 10, 10, 17);
  p->SetMax(4);
  p->SetPosition(1);
  EXPECT_EQ(p->FillRect().Right, 2);
  // A range that shrinks pulls the position with it; min = max fills nothing.
  p->SetRange(5, 5);
  EXPECT_EQ(p->Position(), 5);
  EXPECT_TRUE(p->FillRect().IsEmpty());
  p->SetStep(INT32_MAX);
  p->SetRange(0, 100);
  p->StepIt();
  p->StepIt();
  EXPECT_EQ(p->Position(), 100);  // no overflow past the end
  // Vertical bars fill from the bottom.
  p->SetBounds(10, 10, 17, 100);
  p->SetOrientation(TProgressBarOrientation::pbVertical);
  p->SetPosition(25);
  EXPECT_EQ(p->FillRect(), (TRect{0, 75, 17, 100}));
}

class TrackTest : public ControlsTest {
 protected:
  TTrackBar* MakeTrack() {
    auto* t = Make<TTrackBar>(form.get(), Bounds(10, 10, 200, 33));
    t->SetRange(0, 100);
    t->SetPageSize(10);
    t->OnChange = [this](TObject*) { events.push_back("change"); };
    // Chained, not calling t->WndProc: messages still arrive while the
    // control is torn down, when it is no longer a track bar.
    t->WindowProc = [this, inherited = t->WindowProc](TMessage& m) {
      if (m.Msg == WM_HSCROLL) codes.push_back(static_cast<int>(m.WParam));
      inherited(m);
    };
    return t;
  }
  std::vector<int> codes;
};

TEST_F(TrackTest, PositionFromCodeClampsAndFiresOnlyOnChange) {
  TTrackBar* t = MakeTrack();
  t->SetPosition(500);
  EXPECT_EQ(t->Position(), 100);
  t->SetPosition(100);
  EXPECT_EQ(events.size(), 1u);
  t->SetMax(50);  // the range pulls the position in, which is a change
  EXPECT_EQ(t->Position(), 50);
  EXPECT_EQ(events.size(), 2u);
  EXPECT_TRUE(codes.empty());  // code changes are not the user's scrolling
}

TEST_F(TrackTest, KeysAndWheelStepAndSaturate) {
  TTrackBar* t = MakeTrack();
  Show();
  t->SetFocus();
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(t->Position(), 2);
  Key(VK_NEXT);
  EXPECT_EQ(t->Position(), 12);
  Key(VK_PRIOR);
  Key(VK_LEFT);
  EXPECT_EQ(t->Position(), 1);
  Key(VK_END);
  EXPECT_EQ(t->Position(), 100);
  Key(VK_RIGHT);  // already at the end: nothing changes, nothing fires
  EXPECT_EQ(events.size(), 6u);
  Key(VK_HOME);
  EXPECT_EQ(t->Position(), 0);
  headless->Wheel(At(t, {50, 10}), -3);
  EXPECT_EQ(t->Position(), 3);
  EXPECT_EQ(codes, (std::vector<int>{TB_LINEDOWN, TB_LINEDOWN, TB_PAGEDOWN, TB_PAGEUP, TB_LINEUP,
                                     TB_BOTTOM, TB_LINEDOWN, TB_TOP, TB_LINEDOWN}));
  EXPECT_TRUE(t->Focused());  // arrows stayed with the bar
  t->SetLineSize(INT32_MAX);
  Key(VK_RIGHT);
  EXPECT_EQ(t->Position(), 100);
}

TEST_F(TrackTest, ThumbDragKeepsCaptureOutsideAndPressedLook) {
  TTrackBar* t = MakeTrack();
  Show();
  const TRect th = t->ThumbRect();
  const TPoint grab{(th.Left + th.Right) / 2, (th.Top + th.Bottom) / 2};
  Press(t, grab);
  EXPECT_TRUE(t->ThumbPressed());
  MoveTo(t, {grab.X + 500, grab.Y + 200});  // far outside: the end
  EXPECT_EQ(t->Position(), 100);
  EXPECT_TRUE(t->ThumbPressed());
  const TPoint mid{t->TickPos(0) + (t->TickPos(t->TickCount() - 1) - t->TickPos(0)) / 2, grab.Y};
  MoveTo(t, mid);
  EXPECT_EQ(t->Position(), 50);
  Release(t, mid);
  EXPECT_FALSE(t->ThumbPressed());
  EXPECT_EQ(t->Position(), 50);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[codes.size() - 2], TB_THUMBPOSITION);
  EXPECT_EQ(codes.back(), TB_ENDTRACK);
}

TEST_F(TrackTest, ChannelPressPagesAndRepeatsUntilTheThumbArrives) {
  TTrackBar* t = MakeTrack();
  Show();
  const int y = (t->ThumbRect().Top + t->ThumbRect().Bottom) / 2;
  Press(t, {t->Width() - 20, y});
  EXPECT_EQ(t->Position(), 10);
  headless->AdvanceTime(400);
  EXPECT_EQ(t->Position(), 20);
  headless->AdvanceTime(300);
  EXPECT_EQ(t->Position(), 50);
  headless->AdvanceTime(5000);  // stops when the thumb is under the pointer
  const int stopped = t->Position();
  EXPECT_GE(stopped, 80);
  EXPECT_LE(stopped, 100);
  Release(t, {t->Width() - 20, y});
  headless->AdvanceTime(1000);
  EXPECT_EQ(t->Position(), stopped);
}

}  // namespace
}  // namespace qv
