// The joints every control has for painting: one hot tracking in the
// framework (entered, hot part) announced through StateChanged, the paint
// protocol's three parts, CM_HITTEST letting the mouse through a windowless
// control, and the broadcast that reaches every control of a form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

// Records the state changes and the order of its paint parts; the left and
// right halves are parts 0 and 1.
template <class Base>
class TRecorder : public Base {
 public:
  using Base::Base;
  using Base::HotPart;
  std::vector<std::string> log;
  int changes = 0;
  bool pass_mouse = false;

 protected:
  int PartAt(TPoint p) const override { return p.X < this->Width() / 2 ? 0 : 1; }
  void StateChanged() override {
    ++changes;
    Base::StateChanged();
  }
  void PaintFace(TCanvas& c, const TPaintState&) override {
    log.push_back("face");
    c.FillRect(this->ClientRect(), clRed);
  }
  void PaintContent(TCanvas&, const TPaintState& s) override {
    log.push_back(s.Hot ? "content hot" : "content");
  }
  void PaintFocus(TCanvas&, const TPaintState& s) override {
    log.push_back(s.Focused ? "focus shown" : "focus");
  }
  void CMHitTest(TMessage& m) override {
    if (pass_mouse)
      m.Result = HTNOWHERE;
    else
      Base::CMHitTest(m);
  }
};

using TWindowless = TRecorder<TGraphicControl>;
using TWindowed = TRecorder<TCustomControl>;

class PaintStateTest : public test::ControlsTest {};

TEST_F(PaintStateTest, OneHotTrackingForWindowlessAndWindowedControls) {
  auto* dot = Make<TWindowless>(form.get(), Bounds(10, 10, 40, 20));
  auto* box = Make<TWindowed>(form.get(), Bounds(100, 10, 40, 20));
  Show();
  auto check = [this](auto* c) {
    const int before = c->changes;
    MoveTo(c, {5, 5});
    EXPECT_TRUE(c->MouseInControl());
    EXPECT_TRUE(c->PaintState().Hot);
    EXPECT_EQ(c->HotPart(), 0);
    EXPECT_EQ(c->changes - before, 2) << "entered, then the left part";
    MoveTo(c, {6, 6});
    EXPECT_EQ(c->changes - before, 2) << "no change, no announcement";
    MoveTo(c, {30, 5});
    EXPECT_EQ(c->HotPart(), 1);
    EXPECT_EQ(c->changes - before, 3);
    MoveTo(form.get(), {300, 250});
    EXPECT_FALSE(c->MouseInControl());
    EXPECT_EQ(c->HotPart(), -1);
    EXPECT_EQ(c->changes - before, 4) << "leaving is one change";
  };
  check(dot);
  check(box);
  // Hot is what the control shows: never while disabled.
  MoveTo(box, {5, 5});
  box->SetEnabled(false);
  EXPECT_TRUE(box->MouseInControl());
  EXPECT_FALSE(box->PaintState().Hot);
  EXPECT_FALSE(box->PaintState().Enabled);
}

TEST_F(PaintStateTest, PaintRunsFaceContentAndFocusWithOneState) {
  auto* box = Make<TWindowed>(form.get(), Bounds(10, 10, 40, 20));
  box->SetTabStop(true);
  Show();
  box->log.clear();
  box->SetFocus();
  MoveTo(box, {5, 5});
  UpdateWindow(box->WindowHandle());
  ASSERT_GE(box->log.size(), 3u);
  const std::vector<std::string> last(box->log.end() - 3, box->log.end());
  EXPECT_EQ(last, (std::vector<std::string>{"face", "content hot", "focus shown"}));
  EXPECT_EQ(PixelAt(box, {20, 10}), clRed);
}

TEST_F(PaintStateTest, PrintingPaintsTheControlIntoTheGivenCanvas) {
  auto* box = Make<TWindowed>(form.get(), Bounds(10, 10, 40, 20));
  Show();
  TBitmap32 target(40, 20);
  target.Fill({0, 0, 0, 255});
  TCanvas canvas(target);
  SendMessage(box->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(&canvas),
              PRF_CLIENT | PRF_ERASEBKGND);
  EXPECT_EQ(canvas.GetPixel(20, 10), clRed);
  EXPECT_EQ(box->log.back(), "focus");
}

TEST_F(PaintStateTest, AWindowlessControlCanLetTheMouseThroughToWhatLiesUnder) {
  auto* under = Make<TWindowless>(form.get(), Bounds(10, 10, 60, 30));
  auto* over = Make<TWindowless>(form.get(), Bounds(10, 10, 60, 30));
  int under_clicks = 0, over_clicks = 0;
  under->OnClick = [&](TObject*) { ++under_clicks; };
  over->OnClick = [&](TObject*) { ++over_clicks; };
  Show();
  Click(over, {5, 5});
  EXPECT_EQ(over_clicks, 1);
  EXPECT_EQ(under_clicks, 0);
  over->pass_mouse = true;
  Click(over, {5, 5});
  EXPECT_EQ(over_clicks, 1);
  EXPECT_EQ(under_clicks, 1);
  EXPECT_EQ(form->ControlAtPos({15, 15}, false), under);
  EXPECT_FALSE(over->MouseInControl());
}

// Answers the test's message and counts it.
template <class Base>
class TListening : public Base {
 public:
  using Base::Base;
  int heard = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_BASE + 200) {
      ++heard;
      m.Result = 1;
      return;
    }
    Base::WndProc(m);
  }
};

using TListener = TListening<TGraphicControl>;
using TWindowedListener = TListening<TCustomControl>;

TEST_F(PaintStateTest, BroadcastAllReachesEveryControlWhateverTheyAnswer) {
  auto* a = Make<TListener>(form.get(), Bounds(0, 0, 10, 10));
  auto* group = Make<TWindowedListener>(form.get(), Bounds(20, 0, 100, 100));
  auto* inner = Make<TListener>(group, Bounds(0, 0, 10, 10));
  auto* inner_group = Make<TWindowedListener>(group, Bounds(20, 0, 50, 50));
  auto* deepest = Make<TListener>(inner_group, Bounds(0, 0, 10, 10));
  auto* b = Make<TListener>(form.get(), Bounds(0, 20, 10, 10));
  const TMessage m{CM_BASE + 200, 0, 0, 0};
  form->BroadcastAll(m);
  for (int heard :
       {a->heard, group->heard, inner->heard, inner_group->heard, deepest->heard, b->heard})
    EXPECT_EQ(heard, 1);

  // A windowed child the caller does not descend into hears it, its own do not.
  form->BroadcastAll(m, [group](TWinControl& w) { return &w != group; });
  EXPECT_EQ(group->heard, 2);
  EXPECT_EQ(inner->heard, 1);
  EXPECT_EQ(deepest->heard, 1);
  EXPECT_EQ(b->heard, 2);

  // The dialog-key broadcast still ends at the first taker.
  TMessage first{CM_BASE + 200, 0, 0, 0};
  form->Broadcast(first);
  EXPECT_EQ(a->heard, 3);
  EXPECT_EQ(b->heard, 2);
}

}  // namespace
}  // namespace qv
