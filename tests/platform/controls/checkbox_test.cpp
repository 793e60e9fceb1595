// The check box on the headless window system: toggling by click and Space,
// the click rule, hot tracking, letting go on focus loss, the third state,
// which state changes fire OnClick, the mirrored layout and automatic size.
#include "platform/controls/checkbox.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

class CheckBoxTest : public ControlsTest {
 protected:
  TCheckBox* MakeBox() {
    auto* c = Make<TCheckBox>(form.get(), Bounds(10, 10, 120, 17));
    c->SetCaption(u"Прессинг");
    c->OnClick = [this](TObject*) { events.push_back("click"); };
    return c;
  }
};

TEST_F(CheckBoxTest, ClickAndSpaceToggleAndFireOnce) {
  TCheckBox* c = MakeBox();
  Show();
  Click(c, {5, 8});
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(c->Focused());  // a click focuses the box
  headless->KeyDown(VK_SPACE);
  EXPECT_TRUE(c->Pressed());
  EXPECT_TRUE(c->Checked());  // nothing until the key comes up
  headless->KeyUp(VK_SPACE);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(events.size(), 2u);

  // Pressed, moved off, released: no toggle.
  Press(c, {5, 8});
  EXPECT_TRUE(c->Pressed());
  MoveTo(c, {300, 200});
  EXPECT_FALSE(c->Pressed());
  Release(c, {300, 200});
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(CheckBoxTest, HotFollowsThePointerAndLosingFocusLetsGoOfSpace) {
  TCheckBox* c = MakeBox();
  auto* other = Make<TCheckBox>(form.get(), Bounds(10, 40, 120, 17));
  Show();
  MoveTo(c, {5, 8});
  EXPECT_TRUE(c->MouseInControl());
  MoveTo(c, {300, 200});
  EXPECT_FALSE(c->MouseInControl());

  c->SetFocus();
  headless->KeyDown(VK_SPACE);
  EXPECT_TRUE(c->Pressed());
  other->SetFocus();
  EXPECT_FALSE(c->Pressed());
  headless->KeyUp(VK_SPACE);
  EXPECT_FALSE(c->Checked());
  EXPECT_FALSE(other->Checked());  // its Space was never pressed
  EXPECT_TRUE(events.empty());
}

TEST_F(CheckBoxTest, CodeChangesFireOnClickOnlyWhenTheValueChanges) {
  TCheckBox* c = MakeBox();
  c->SetChecked(true);
  c->SetChecked(true);
  c->SetState(TCheckBoxState::cbChecked);
  EXPECT_EQ(events.size(), 1u);
  c->ClicksDisabled = true;
  c->SetChecked(false);
  EXPECT_EQ(events.size(), 1u);
  EXPECT_FALSE(c->Checked());
}

TEST_F(CheckBoxTest, GrayedIsInTheCycleOnlyWhenAllowed) {
  TCheckBox* c = MakeBox();
  Show();
  Click(c, {5, 8});
  Click(c, {5, 8});
  EXPECT_EQ(c->State(), TCheckBoxState::cbUnchecked);
  c->SetAllowGrayed(true);
  Click(c, {5, 8});
  Click(c, {5, 8});
  EXPECT_EQ(c->State(), TCheckBoxState::cbGrayed);
  Click(c, {5, 8});
  EXPECT_EQ(c->State(), TCheckBoxState::cbUnchecked);
}

TEST_F(CheckBoxTest, DisabledBoxIgnoresInput) {
  TCheckBox* c = MakeBox();
  Show();
  c->SetEnabled(false);
  Click(c, {5, 8});
  EXPECT_FALSE(c->Checked());
  EXPECT_TRUE(events.empty());
}

TEST_F(CheckBoxTest, TextOnTheLeftMirrorsBoxAndText) {
  TCheckBox* c = MakeBox();
  const TRect box = c->BoxRect();
  const TRect text = c->TextRect();
  EXPECT_EQ(box.Left, 0);
  EXPECT_GT(text.Left, box.Right);
  c->SetAlignment(TAlignment::taLeftJustify);
  EXPECT_EQ(c->BoxRect().Right, c->Width());
  EXPECT_LT(c->TextRect().Right, c->BoxRect().Left);
  EXPECT_EQ(c->TextRect().Width(), text.Width());
}

TEST_F(CheckBoxTest, AutoSizeFitsBoxAndText) {
  TCheckBox* c = MakeBox();
  c->SetAutoSize(true);
  const int with_text = c->Width();
  EXPECT_GT(with_text, TCustomCheckBox::kBoxSize + TCustomCheckBox::kTextIndent);
  c->SetCaption(u"Прессинг и ещё немного текста");
  EXPECT_GT(c->Width(), with_text);
  c->SetCaption(u"");
  EXPECT_EQ(c->Width(), TCustomCheckBox::kBoxSize);
}

}  // namespace
}  // namespace qv
