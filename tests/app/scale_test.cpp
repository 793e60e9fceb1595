// The main window on a screen of 144 pixels per inch: the designed layout
// grows by half, anchored buttons stay at the bottom edge, and labels fit
// their text at the larger font.
#include <gtest/gtest.h>

#include <memory>

#include "app/form1.h"
#include "platform/window/headless.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv {
namespace {

class ScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitWindowSystem(std::make_unique<THeadlessBackend>(TSize{1600, 1200}, 144));
    form = std::make_unique<TForm1>(nullptr);
    form->Show();
    PumpPendingMessages();
  }
  void TearDown() override {
    form.reset();
    ShutdownWindowSystem();
  }
  std::unique_ptr<TForm1> form;
};

TEST_F(ScaleTest, TheLayoutGrowsByHalf) {
  TRect client;
  GetClientRect(form->WindowHandle(), client);
  EXPECT_EQ(client.Width(), 774);
  EXPECT_EQ(client.Height(), 618);
  EXPECT_EQ(form->sPageControl1->BoundsRect(), Bounds(12, 12, 755, 543));
  // Anchored to the bottom (and right): where the design puts them, scaled.
  EXPECT_EQ(form->sBitBtn3->BoundsRect(), Bounds(24, 570, 206, 38));
  EXPECT_EQ(form->sBitBtn4->BoundsRect(), Bounds(642, 570, 113, 38));
  EXPECT_EQ(form->sBitBtn5->BoundsRect(), Bounds(240, 570, 146, 38));
  EXPECT_EQ(form->ComboBoxScheme->BoundsRect(), Bounds(120, 36, 80, 32));
  EXPECT_EQ(form->Font().Height, -17);
  EXPECT_EQ(form->sLabel54->Font().Height, -24);
  // Docked labels keep their scaled margins at the page's bottom.
  auto* hint = dynamic_cast<TControl*>(form->FindComponent("sLabel9"));
  ASSERT_NE(hint, nullptr);
  EXPECT_EQ(hint->Height(), 75);
  EXPECT_EQ(hint->Left(), 18);
  EXPECT_EQ(hint->Top() + hint->Height() + 18, form->sTabSheet1->ClientHeight());
}

TEST_F(ScaleTest, CheckBoxesDrawTheirBoxAtTheScreensDensity) {
  TCheckBox* box = form->sCheckBox3;  // 84 x 15 designed, 126 x 23 here
  ASSERT_EQ(box->Height(), 23);
  EXPECT_EQ(box->BoxRect(), Bounds(0, 1, 20, 20));  // 13 * 1.5, rounded
  EXPECT_EQ(box->TextRect().Left, 28);              // then 5 * 1.5 apart
}

TEST_F(ScaleTest, TheTrackBarsThumbGrowsWithItsBar) {
  TTrackBar* t = form->sTrackBar1;  // 137 x 25 designed: an 11 x 15 thumb
  ASSERT_EQ(t->Height(), 38);
  EXPECT_EQ(t->ThumbRect().Width(), 17);
  EXPECT_EQ(t->ThumbRect().Height(), 22);
}

TEST_F(ScaleTest, LabelsFitTheirTextAndBoundLabelsStayBesideTheirControls) {
  for (TComponent* c : form->Components()) {
    auto* label = dynamic_cast<TLabel*>(c);
    if (!label || !label->AutoSize()) continue;
    const TRect before = label->BoundsRect();
    label->AdjustBounds();
    EXPECT_EQ(label->BoundsRect(), before) << label->Name();
  }
  for (TControl* control : std::initializer_list<TControl*>{form->ComboBoxScheme, form->sSpinEdit2,
                                                            form->cbUserLogin}) {
    auto* label = dynamic_cast<TLabel*>(form->FindComponent(control->Name() + "Label"));
    ASSERT_NE(label, nullptr);
    const int gap = control->Left() - (label->Left() + label->Width());
    EXPECT_GE(gap, 5) << control->Name();
    EXPECT_LE(gap, 7) << control->Name();
  }
}

}  // namespace
}  // namespace qv
