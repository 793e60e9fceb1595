// The spin edit driven by synthetic input: buttons with auto-repeat, keys,
// wheel, the character filter, the text rules on leaving, the range rule,
// saturation at the ends of 64 bits, and the empty text that stays empty.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "platform/component/form.h"
#include "platform/controls/flat_look.h"
#include "platform/controls/spinedit.h"
#include "platform/window/headless.h"
#include "platform/window/keys.h"
#include "platform/window/shell.h"
#include "platform/window/system.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

class SpinTest : public test::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    spin_ = Place<TSpinEdit>(10, 10, 100, 21);
    spin_->OnChange = [this](TObject*) { ++changes_; };
    other_ = Place<TEdit>(10, 60, 100, 21);
    form_->Show();
  }
  TPoint Up() {
    const TRect r = spin_->UpButtonRect();
    return spin_->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TPoint Down() {
    const TRect r = spin_->DownButtonRect();
    return spin_->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TPoint Body() { return spin_->ClientToScreen({5, 10}); }
  void Leave() { headless_->Click(other_->ClientToScreen({5, 5})); }
  void Retype(ustring_view text) {
    headless_->Click(Body());
    Chord(VK_CONTROL, 'A');
    headless_->PressKey(VK_DELETE);
    headless_->TypeText(text);
  }

  TSpinEdit* spin_ = nullptr;
  TEdit* other_ = nullptr;
  int changes_ = 0;
};

TEST_F(SpinTest, NewShowsZeroAndAnEmptiedTextStaysEmptyReadingZero) {
  EXPECT_EQ(spin_->GetText(), u"0");
  Retype(u"");
  Leave();
  EXPECT_EQ(spin_->GetText(), u"");
  EXPECT_EQ(spin_->Value(), 0);
  spin_->SetText(u"");
  EXPECT_EQ(spin_->GetText(), u"");
  // A step from empty starts at 0.
  headless_->Click(Up());
  EXPECT_EQ(spin_->GetText(), u"1");
}

TEST_F(SpinTest, ButtonsButtonStatesAndOneStepPerClick) {
  headless_->MoveMouse(Up());
  EXPECT_EQ(spin_->UpState(), 1);
  EXPECT_EQ(spin_->DownState(), 0);
  headless_->MoveMouse(Down());
  EXPECT_EQ(spin_->UpState(), 0);
  EXPECT_EQ(spin_->DownState(), 1);
  headless_->MouseDown(Down());
  EXPECT_EQ(spin_->DownState(), 2);
  EXPECT_TRUE(spin_->Focused());
  EXPECT_EQ(spin_->GetText(), u"0");  // the step comes on release or by repeat
  headless_->MouseUp(Down());
  EXPECT_EQ(spin_->GetText(), u"-1");
  EXPECT_EQ(spin_->DownState(), 1);
  headless_->Click(Up());
  headless_->Click(Up());
  EXPECT_EQ(spin_->GetText(), u"1");
  // Released away from the pressed button: no step, both normal.
  headless_->MouseDown(Up());
  headless_->MoveMouse(Body());
  EXPECT_EQ(spin_->UpState(), 0);
  headless_->MouseUp(Body());
  EXPECT_EQ(spin_->GetText(), u"1");
  EXPECT_EQ(spin_->UpState(), 0);
  headless_->MoveMouse(form_->ClientToScreen({250, 100}));
  EXPECT_EQ(spin_->UpState() + spin_->DownState(), 0);
}

TEST_F(SpinTest, ButtonFacesFollowTheirStates) {
  const TFlatPalette p = FlatPalette();
  const HWND top = form_->WindowHandle();
  const TRect u = spin_->UpButtonRect(), d = spin_->DownButtonRect();
  // Corners of the faces, clear of the arrows and the separator.
  const TPoint up = spin_->ClientToScreen({u.Right - 2, u.Top + 1});
  const TPoint down = spin_->ClientToScreen({d.Right - 2, d.Bottom - 2});
  EXPECT_EQ(test::ScreenPixel(top, up), p.Face);
  headless_->MoveMouse(Up());
  EXPECT_EQ(test::ScreenPixel(top, up), p.FaceHot);
  EXPECT_EQ(test::ScreenPixel(top, down), p.Face);
  headless_->MouseDown(Down());
  EXPECT_EQ(test::ScreenPixel(top, up), p.Face);
  EXPECT_EQ(test::ScreenPixel(top, down), p.FacePressed);
  headless_->MouseUp(Down());
  EXPECT_EQ(test::ScreenPixel(top, down), p.FaceHot);
  spin_->SetEnabled(false);
  EXPECT_EQ(test::ScreenPixel(top, down), p.Face);
}

TEST_F(SpinTest, HoldingRepeatsAfterTheDelayThenEveryInterval) {
  int steps = 0;
  spin_->OnChange = [&](TObject*) { ++steps; };
  headless_->MouseDown(Up());
  headless_->AdvanceTime(kSpinRepeatDelayMs - 1);
  EXPECT_EQ(steps, 0);
  headless_->AdvanceTime(1);
  EXPECT_EQ(steps, 1);
  headless_->AdvanceTime(1000 - kSpinRepeatDelayMs);  // ticks at 380 ... 940
  EXPECT_EQ(steps, 9);
  headless_->MouseUp(Up());
  EXPECT_EQ(steps, 10);
  EXPECT_EQ(spin_->Value(), 10);
  headless_->AdvanceTime(1000);
  EXPECT_EQ(steps, 10);
  // Held but moved off the button: the repeat waits until it is back over it.
  headless_->MouseDown(Down());
  headless_->MoveMouse(Body());
  headless_->AdvanceTime(500);
  EXPECT_EQ(spin_->Value(), 10);
  headless_->MoveMouse(Down());
  headless_->AdvanceTime(100);  // the next tick comes 300 ms after the last
  EXPECT_EQ(spin_->Value(), 9);
  headless_->MouseUp(Down());
}

TEST_F(SpinTest, KeysAndWheelStepByIncrementAndSaturate) {
  spin_->SetIncrement(5);
  headless_->Click(Body());
  headless_->PressKey(VK_UP);
  headless_->PressKey(VK_UP);
  headless_->PressKey(VK_DOWN);
  EXPECT_EQ(spin_->Value(), 5);
  headless_->Wheel(Body(), 3);
  EXPECT_EQ(spin_->Value(), 20);
  headless_->Wheel(Body(), -1);
  EXPECT_EQ(spin_->Value(), 15);
  spin_->SetValue(kMax - 2);
  headless_->PressKey(VK_UP);
  EXPECT_EQ(spin_->Value(), kMax);
  EXPECT_EQ(spin_->GetText(), u"9223372036854775807");
  spin_->SetValue(kMin + 1);
  headless_->PressKey(VK_DOWN);
  headless_->Wheel(Body(), -100);
  EXPECT_EQ(spin_->Value(), kMin);
  spin_->SetIncrement(kMax);
  spin_->SetValue(0);
  headless_->Wheel(Body(), 4);
  EXPECT_EQ(spin_->Value(), kMax);
  // Read-only: nothing moves it.
  spin_->SetValue(3);
  spin_->SetReadOnly(true);
  headless_->PressKey(VK_UP);
  headless_->Wheel(Body(), 1);
  headless_->Click(Up());
  EXPECT_EQ(spin_->Value(), 3);
}

TEST_F(SpinTest, UpAndDownHandlersReplaceTheStep) {
  int ups = 0, downs = 0;
  spin_->OnUpClick = [&](TObject*) { ++ups; };
  spin_->OnDownClick = [&](TObject*) { ++downs; };
  headless_->Click(Up());
  headless_->PressKey(VK_DOWN);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(spin_->Value(), 0);
}

TEST_F(SpinTest, TypingIsFilteredAndSignsGoToTheFront) {
  Retype(u"1a2.3 ,x");
  EXPECT_EQ(spin_->GetText(), u"123");
  headless_->TypeText(u"-");  // caret at the end: the sign goes in front
  EXPECT_EQ(spin_->GetText(), u"-123");
  headless_->PressKey(VK_END);
  headless_->TypeText(u"-");
  EXPECT_EQ(spin_->GetText(), u"-123");
  headless_->PressKey(VK_END);
  headless_->TypeText(u"+");  // the opposite sign replaces it
  EXPECT_EQ(spin_->GetText(), u"+123");
  EXPECT_EQ(spin_->Value(), 123);
  spin_->SetAllowNegative(false);
  Retype(u"-5");
  EXPECT_EQ(spin_->GetText(), u"5");
  spin_->SetAllowNegative(true);
  spin_->SetMinValue(1);
  spin_->SetMaxValue(9);
  Retype(u"-5");
  EXPECT_EQ(spin_->GetText(), u"5");
  spin_->SetEditorEnabled(false);
  headless_->Click(Body());
  headless_->TypeText(u"7");
  headless_->PressKey(VK_BACK);
  headless_->PressKey(VK_DELETE);
  EXPECT_EQ(spin_->GetText(), u"5");
  headless_->PressKey(VK_UP);
  EXPECT_EQ(spin_->GetText(), u"6");
}

TEST_F(SpinTest, LeavingNormalisesSignsAndAppliesTheRange) {
  for (const ustring_view t : {u"-", u"+", u"-0", u"+0"}) {
    Retype(t);
    Leave();
    EXPECT_EQ(spin_->GetText(), u"0") << Utf16ToUtf8(t);
  }
  // Unbounded (MinValue = MaxValue = 0): negative text stays.
  Retype(u"-42");
  Leave();
  EXPECT_EQ(spin_->GetText(), u"-42");
  spin_->SetMinValue(0);
  spin_->SetMaxValue(10);
  Retype(u"-5");  // a bound of 0 means none on that side
  Leave();
  EXPECT_EQ(spin_->GetText(), u"-5");
  Retype(u"77");
  Leave();
  EXPECT_EQ(spin_->GetText(), u"10");
  spin_->SetMinValue(3);
  Retype(u"1");
  Leave();
  EXPECT_EQ(spin_->GetText(), u"3");
}

TEST_F(SpinTest, ValueRulesFromCode) {
  spin_->SetText(u"junk");
  spin_->SetMinValue(-7);
  EXPECT_EQ(spin_->Value(), -7);
  spin_->SetText(u"99999999999999999999");  // beyond 64 bits is not a number
  EXPECT_EQ(spin_->Value(), -7);
  spin_->SetMinValue(0);
  spin_->SetAllowNegative(false);
  spin_->SetValue(-3);
  EXPECT_EQ(spin_->GetText(), u"0");
  spin_->SetMinValue(2);
  spin_->SetMaxValue(8);
  spin_->SetValue(-3);
  EXPECT_EQ(spin_->GetText(), u"2");
  spin_->SetValue(12);
  EXPECT_EQ(spin_->GetText(), u"8");
  EXPECT_EQ(ParseInt64(u"-9223372036854775808"), kMin);
  EXPECT_EQ(ParseInt64(u"9223372036854775808"), std::nullopt);
  EXPECT_EQ(ParseInt64(u"+"), std::nullopt);
}

TEST_F(SpinTest, PasteOfANonNumberRestoresTheValue) {
  spin_->SetValue(12);
  headless_->Click(Body());
  headless_->PressKey(VK_END);
  SetClipboardText(u"x");
  headless_->KeyDown(VK_CONTROL);
  headless_->PressKey('V');
  headless_->KeyUp(VK_CONTROL);
  EXPECT_EQ(spin_->GetText(), u"12");
  SetClipboardText(u"34");
  headless_->KeyDown(VK_CONTROL);
  headless_->PressKey('V');
  headless_->KeyUp(VK_CONTROL);
  EXPECT_EQ(spin_->GetText(), u"1234");
}

}  // namespace
}  // namespace qv
