// The combo box driven by synthetic input in both styles: opening the list
// (click, button, F4, Alt+Down), hover, wheel, keys, Enter, Esc and outside
// clicks, the popup reaching past the form with a scroll bar beyond 16 rows,
// selection keys and first letters while closed, typing in the editable
// style, and exactly which changes fire the events.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/component/form.h"
#include "platform/component/reader.h"
#include "platform/controls/combobox.h"
#include "platform/controls/edit_classes.h"
#include "platform/controls/flat_look.h"
#include "platform/controls/spinedit.h"
#include "platform/window/headless.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/system.h"
#include "platform/window/window.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

class ComboTest : public test::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    combo_ = Place<TComboBox>(10, 10, 150, 21);
    combo_->SetStyle(TComboBoxStyle::csDropDownList);
    combo_->Items().Assign({u"Альфа", u"бета", u"Beta", u"гамма", u"Бор"});
    combo_->OnChange = [this](TObject*) { events_.push_back("change"); };
    combo_->OnDropDown = [this](TObject*) { events_.push_back("drop"); };
    combo_->OnCloseUp = [this](TObject*) { events_.push_back("close"); };
    form_->Show();
  }
  TPoint Body() { return combo_->ClientToScreen({20, 10}); }
  TPoint Button() {
    const TRect r = combo_->ButtonRect();
    return combo_->ClientToScreen({(r.Left + r.Right) / 2, 10});
  }
  // Screen point of row i of the open list.
  TPoint Row(int i) {
    TListPopup* p = combo_->Popup();
    const TRect a = p->ItemArea();
    TPoint pt{a.Left + 10, a.Top + (i - p->TopIndex()) * p->RowHeight() + p->RowHeight() / 2};
    ClientToScreen(p->Handle(), pt);
    return pt;
  }
  using Events = std::vector<std::string>;

  TComboBox* combo_ = nullptr;
  Events events_;
};

TEST_F(ComboTest, CodeSetsNoEventsAndTextFollowsTheIndex) {
  combo_->SetItemIndex(0);
  combo_->SetItemIndex(3);
  combo_->SetItemIndex(3);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(combo_->GetText(), u"гамма");
  combo_->SetItemIndex(-1);
  EXPECT_EQ(combo_->GetText(), u"");
  combo_->SetItemIndex(17);  // outside the list: no selection
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(combo_->Items().Get(17), u"");
  EXPECT_EQ(combo_->IndexOf(u"beta"), -1);  // exact, case-sensitive
  EXPECT_EQ(combo_->IndexOf(u"Beta"), 2);
  combo_->SetItemIndex(4);
  combo_->Items().Delete(4);  // the selected item goes: no selection
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_TRUE(events_.empty());
}

TEST_F(ComboTest, ClickOpensHoverAndClickPicksEvenTheSelectedItem) {
  combo_->SetItemIndex(1);
  headless_->Click(Body());
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_TRUE(combo_->Focused());
  EXPECT_EQ(combo_->Popup()->HotIndex(), 1);
  EXPECT_NE(GetActiveWindow(), combo_->Popup()->Handle());  // it takes no activation
  headless_->MoveMouse(Row(3));
  EXPECT_EQ(combo_->Popup()->HotIndex(), 3);
  headless_->Click(Row(3));
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 3);
  // The item already selected, picked again, still counts as a change.
  headless_->Click(Button());
  headless_->Click(Row(3));
  EXPECT_EQ(combo_->ItemIndex(), 3);
  EXPECT_EQ(events_, (Events{"drop", "change", "close", "drop", "change", "close"}));
}

TEST_F(ComboTest, PressDragReleaseOnAnItemPicksIt) {
  headless_->MouseDown(Body());
  ASSERT_TRUE(combo_->DroppedDown());
  headless_->MoveMouse(Row(2));
  headless_->MouseUp(Row(2));
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_FALSE(combo_->DroppedDown());
}

TEST_F(ComboTest, EscOutsideClickAndClickOnTheBoxCancel) {
  combo_->SetItemIndex(0);
  headless_->Click(Body());
  headless_->PressKey(VK_DOWN);
  headless_->PressKey(VK_ESCAPE);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 0);
  headless_->Click(Body());
  headless_->MoveMouse(Row(2));
  headless_->Click(form_->ClientToScreen({250, 100}));
  EXPECT_FALSE(combo_->DroppedDown());
  headless_->Click(Body());
  headless_->Click(Body());  // closes, does not reopen
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_EQ(events_, (Events{"drop", "close", "drop", "close", "drop", "close"}));
  // Esc with the list closed is the form's, not the combo's.
  headless_->PressKey(VK_ESCAPE);
  EXPECT_FALSE(combo_->DroppedDown());
}

TEST_F(ComboTest, KeysOpenNavigateAndAccept) {
  headless_->Click(form_->ClientToScreen({250, 100}));
  combo_->SetFocus();
  headless_->PressKey(VK_F4);
  ASSERT_TRUE(combo_->DroppedDown());
  headless_->PressKey(VK_DOWN);
  headless_->PressKey(VK_DOWN);
  headless_->PressKey(VK_END);
  headless_->PressKey(VK_UP);
  headless_->PressKey(VK_RETURN);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 3);
  Chord(VK_MENU, VK_DOWN);
  ASSERT_TRUE(combo_->DroppedDown());
  headless_->PressKey(VK_HOME);
  Chord(VK_MENU, VK_UP);  // closes, keeping the highlighted item
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_EQ(events_, (Events{"drop", "change", "close", "drop", "change", "close"}));
}

TEST_F(ComboTest, ClosedKeysAndWheelChangeTheSelectionFiringOnlyOnMoves) {
  combo_->SetFocus();
  headless_->PressKey(VK_DOWN);
  EXPECT_EQ(combo_->ItemIndex(), 0);
  headless_->PressKey(VK_END);
  EXPECT_EQ(combo_->ItemIndex(), 4);
  headless_->PressKey(VK_DOWN);  // at the end: nothing moves, nothing fires
  headless_->PressKey(VK_RIGHT);
  EXPECT_EQ(combo_->ItemIndex(), 4);
  headless_->PressKey(VK_PRIOR);
  EXPECT_EQ(combo_->ItemIndex(), 0);
  headless_->PressKey(VK_NEXT);
  EXPECT_EQ(combo_->ItemIndex(), 4);
  headless_->PressKey(VK_HOME);
  headless_->Wheel(Body(), -2);
  EXPECT_EQ(combo_->ItemIndex(), 2);
  headless_->Wheel(Body(), 1);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(events_, (Events(7, "change")));
  EXPECT_FALSE(combo_->DroppedDown());
}

TEST_F(ComboTest, FirstLetterCyclesThroughMatchesInEitherCase) {
  combo_->SetFocus();
  headless_->TypeText(u"б");  // "бета", then "Бор", then back
  EXPECT_EQ(combo_->ItemIndex(), 1);
  headless_->TypeText(u"Б");
  EXPECT_EQ(combo_->ItemIndex(), 4);
  headless_->TypeText(u"б");
  EXPECT_EQ(combo_->ItemIndex(), 1);
  headless_->TypeText(u"b");
  EXPECT_EQ(combo_->ItemIndex(), 2);
  headless_->TypeText(u"я");  // no match: nothing
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(events_, (Events(4, "change")));
}

TEST_F(ComboTest, OnSelectTakesTheUsersChangeInsteadOfOnChange) {
  int selects = 0;
  combo_->OnSelect = [&](TObject*) { ++selects; };
  combo_->SetFocus();
  headless_->PressKey(VK_DOWN);
  EXPECT_EQ(selects, 1);
  EXPECT_TRUE(events_.empty());
}

TEST_F(ComboTest, LongListsReachPastTheFormAndScrollBeyondSixteenRows) {
  std::vector<ustring> items;
  for (int i = 0; i < 18; ++i) items.push_back(u"item " + IntToStr(i));
  combo_->Items().Assign(items);
  headless_->Click(Body());
  TListPopup* p = combo_->Popup();
  ASSERT_TRUE(p->IsOpen());
  EXPECT_EQ(p->Rows(), 16);
  EXPECT_TRUE(p->HasScrollBar());
  TRect list, form;
  GetWindowRect(p->Handle(), list);
  GetWindowRect(form_->WindowHandle(), form);
  EXPECT_GT(list.Bottom, form.Bottom);
  headless_->Wheel(Row(5), -1);
  EXPECT_EQ(p->TopIndex(), 2);
  headless_->Wheel(Row(5), 1);
  EXPECT_EQ(p->TopIndex(), 0);
  // Keys keep the highlight visible.
  headless_->PressKey(VK_END);
  EXPECT_EQ(p->TopIndex(), 2);
  headless_->PressKey(VK_HOME);
  EXPECT_EQ(p->TopIndex(), 0);
  // The scroll bar's lower arrow scrolls one row and does not close the list.
  const TRect sb = p->ScrollBarRect();
  TPoint arrow{(sb.Left + sb.Right) / 2, sb.Bottom - 3};
  ClientToScreen(p->Handle(), arrow);
  headless_->Click(arrow);
  EXPECT_TRUE(p->IsOpen());
  EXPECT_EQ(p->TopIndex(), 1);
  headless_->Click(arrow);  // a quick second press counts as well
  EXPECT_EQ(p->TopIndex(), 2);
  headless_->Click(Row(17));
  EXPECT_EQ(combo_->ItemIndex(), 17);
}

TEST_F(ComboTest, ListOpensAboveWhenThereIsNoRoomBelow) {
  std::vector<ustring> items(10, u"x");
  combo_->Items().Assign(items);
  form_->SetTop(1024 - form_->Height() - 5);
  headless_->Click(Body());
  ASSERT_TRUE(combo_->DroppedDown());
  TRect list;
  GetWindowRect(combo_->Popup()->Handle(), list);
  EXPECT_EQ(list.Bottom, combo_->ClientToScreen({0, 0}).Y);
}

TEST_F(ComboTest, AltF4ClosesTheWindowNotTheList) {
  ASSERT_TRUE(combo_->Focused());
  headless_->PressKey(VK_F4);
  ASSERT_TRUE(combo_->DroppedDown());
  Chord(VK_MENU, VK_F4);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_FALSE(form_->Visible()) << "the window closed";
}

TEST_F(ComboTest, LosingTheFocusClosesTheList) {
  auto* other = Place<TComboBox>(10, 60, 100, 21);
  headless_->Click(Body());
  headless_->PressKey(VK_TAB);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_TRUE(other->Focused());
}

TEST_F(ComboTest, FlatLookShowsHotPressedAndTheHoveredRow) {
  // The shown form gave the combo, its only control, the focus: the plain
  // look is read with the focus elsewhere.
  Place<TComboBox>(10, 60, 100, 21)->SetFocus();
  const TFlatPalette p = FlatPalette();
  const HWND top = form_->WindowHandle();
  const TRect b = combo_->ButtonRect();
  const TPoint face = combo_->ClientToScreen({b.Left + 2, b.Top + 2});  // clear of the arrow
  const TPoint edge = combo_->ClientToScreen({0, 10});
  EXPECT_EQ(test::ScreenPixel(top, face), p.Face);
  EXPECT_EQ(test::ScreenPixel(top, edge), p.Border);
  // The whole body of a pick list is its button.
  headless_->MoveMouse(Body());
  EXPECT_EQ(test::ScreenPixel(top, face), p.FaceHot);
  EXPECT_EQ(test::ScreenPixel(top, edge), p.BorderHot);
  headless_->Click(Body());
  ASSERT_TRUE(combo_->DroppedDown());
  EXPECT_EQ(test::ScreenPixel(top, face), p.FacePressed);
  EXPECT_EQ(test::ScreenPixel(top, edge), p.Accent);
  headless_->MoveMouse(Row(2));
  const HWND list = combo_->Popup()->Handle();
  // Rows read at their right end, clear of the text.
  const TRect a = combo_->Popup()->ItemArea();
  const auto row_end = [&](int i) { return TPoint{Row(i).X + a.Width() - 14, Row(i).Y}; };
  EXPECT_EQ(test::ScreenPixel(list, row_end(2)), p.Accent);
  EXPECT_EQ(test::ScreenPixel(list, row_end(1)), p.Window);
  headless_->PressKey(VK_ESCAPE);
  // Closed and focused: the item shows selected.
  EXPECT_EQ(test::ScreenPixel(top, combo_->ClientToScreen({3, 3})), p.Accent);
  combo_->SetEnabled(false);
  EXPECT_EQ(test::ScreenPixel(top, edge), p.Disabled);
}

TEST_F(ComboTest, ADensityChangeClosesTheListInsteadOfResizingIt) {
  combo_->SetItemIndex(2);
  headless_->Click(Body());
  ASSERT_TRUE(combo_->DroppedDown());
  TRect before;
  GetWindowRect(combo_->Popup()->Handle(), before);
  headless_->ChangeDpi(144);
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 2);
  TRect after;
  GetWindowRect(combo_->Popup()->Handle(), after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(events_, (Events{"drop", "close"}));
}

class EditableComboTest : public ComboTest {
 protected:
  void SetUp() override {
    ComboTest::SetUp();
    combo_->SetStyle(TComboBoxStyle::csDropDown);
  }
};

TEST_F(EditableComboTest, TypingFiresChangeAndMatchesItems) {
  headless_->Click(Body());
  EXPECT_FALSE(combo_->DroppedDown());  // the body is a text field
  EXPECT_TRUE(combo_->CaretShown());
  headless_->TypeText(u"Beta");
  EXPECT_EQ(combo_->GetText(), u"Beta");
  EXPECT_EQ(combo_->ItemIndex(), 2);
  headless_->PressKey(VK_BACK);
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(events_, (Events(5, "change")));
  // Home and End belong to the text.
  headless_->PressKey(VK_HOME);
  EXPECT_EQ(combo_->EditText().Caret(), 0);
  EXPECT_EQ(combo_->ItemIndex(), -1);
  // Code sets text without events.
  combo_->SetText(u"гамма");
  EXPECT_EQ(combo_->ItemIndex(), 3);
  EXPECT_EQ(events_.size(), 5u);
}

TEST_F(EditableComboTest, ButtonOpensAndAPickReplacesTheText) {
  combo_->SetText(u"free text");
  headless_->Click(Button());
  ASSERT_TRUE(combo_->DroppedDown());
  headless_->Click(Row(0));
  EXPECT_EQ(combo_->GetText(), u"Альфа");
  EXPECT_EQ(combo_->EditText().SelLength(), 5);
  headless_->PressKey(VK_DOWN);  // arrows still walk the items
  EXPECT_EQ(combo_->GetText(), u"бета");
  EXPECT_EQ(events_, (Events{"drop", "change", "close", "change"}));
  combo_->SetItemIndex(3);
  EXPECT_EQ(combo_->GetText(), u"гамма");
  EXPECT_EQ(events_.size(), 4u);
}

TEST(ComboDescriptionTest, StoredIndexBeforeItemsAndSpinTextAreAppliedAfterReading) {
  InitWindowSystem(std::make_unique<THeadlessBackend>());
  RegisterEditControls();
  constexpr std::string_view text = R"(object Form1: TForm
  object Box: TComboBox
    Style = csDropDownList
    ItemIndex = 1
    Items.Strings = (
      'Вратарь'
      'Защитник')
    DropDownCount = 8
  end
  object Spin: TSpinEdit
    Text = '007'
    MinValue = -5
  end
  object Blank: TSpinEdit
    Text = ''
  end
  object Field: TEdit
    MaxLength = 3
    PasswordChar = '*'
    Text = 'abcdef'
  end
end
)";
  {
    TForm form(nullptr);
    TReader reader("Form1.qvd");
    reader.ReadRoot(ParseDescription(text, "Form1.qvd"), form);
    auto* box = dynamic_cast<TComboBox*>(form.FindComponent("Box"));
    auto* spin = dynamic_cast<TSpinEdit*>(form.FindComponent("Spin"));
    auto* blank = dynamic_cast<TSpinEdit*>(form.FindComponent("Blank"));
    auto* field = dynamic_cast<TEdit*>(form.FindComponent("Field"));
    ASSERT_TRUE(box && spin && blank && field);
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(box->GetText(), u"Защитник");
    EXPECT_EQ(box->DropDownCount, 8);
    EXPECT_EQ(spin->GetText(), u"7");
    EXPECT_EQ(spin->MinValue(), -5);
    EXPECT_EQ(blank->GetText(), u"0");
    EXPECT_EQ(field->GetText(), u"abcdef");
    EXPECT_EQ(field->PasswordChar(), u'*');
  }
  ShutdownWindowSystem();
}

}  // namespace
}  // namespace qv
