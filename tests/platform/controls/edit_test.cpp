// The edit control driven by synthetic input: caret placement and blinking,
// selection by mouse and keys, typing (Cyrillic too), MaxLength, ReadOnly,
// the clipboard, and exactly when OnChange fires.
#include "platform/controls/edit.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/component/form.h"
#include "platform/controls/flat_look.h"
#include "platform/text/text.h"
#include "platform/window/headless.h"
#include "platform/window/keys.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/shell.h"
#include "platform/window/system.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

class EditTest : public test::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    edit_ = Place<TEdit>(10, 10, 150, 21);
    edit_->OnChange = [this](TObject*) { ++changes_; };
    form_->Show();
  }
  TPoint At(int x, int y = 10) { return edit_->ClientToScreen({x, y}); }
  // Client x of the boundary before text position i.
  int XOf(int i) { return 4 + TextExtentOf(edit_->Font(), edit_->GetText().substr(0, i)).cx; }
  // Pixels of the text area that are not the window colour.
  int Ink() {
    PumpPendingMessages();
    const TBitmap32* px = GetWindowPixels(form_->WindowHandle());
    TRect wr;
    GetWindowRect(form_->WindowHandle(), wr);
    const TPoint o = edit_->ClientToScreen({0, 0});
    const TBGRA bg = ColorToPixel(ColorToRGB(clWindow), 0);
    int n = 0;
    for (int y = 2; y < edit_->Height() - 2; ++y)
      for (int x = 2; x < edit_->Width() - 2; ++x) {
        const TBGRA p = px->ScanLine(o.Y - wr.Top + y)[o.X - wr.Left + x];
        n += p.R != bg.R || p.G != bg.G || p.B != bg.B;
      }
    return n;
  }

  TEdit* edit_ = nullptr;
  int changes_ = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndFiresChangePerCharacter) {
  headless_->Click(At(5));
  ASSERT_TRUE(edit_->Focused());
  headless_->TypeText(u"Привет");
  EXPECT_EQ(edit_->GetText(), u"Привет");
  EXPECT_EQ(changes_, 6);
  headless_->PressKey(VK_HOME);
  headless_->PressKey(VK_RIGHT);
  headless_->TypeText(u"x");
  EXPECT_EQ(edit_->GetText(), u"Пxривет");
  headless_->PressKey(VK_BACK);
  headless_->PressKey(VK_DELETE);
  EXPECT_EQ(edit_->GetText(), u"Пивет");
  EXPECT_EQ(changes_, 9);
  // Keys that change nothing fire nothing.
  headless_->PressKey(VK_HOME);
  headless_->PressKey(VK_BACK);
  headless_->PressKey(VK_END);
  headless_->PressKey(VK_DELETE);
  EXPECT_EQ(changes_, 9);
}

TEST_F(EditTest, ChangeFiresFromCodeOnlyWhenTheTextDiffers) {
  edit_->SetText(u"abc");
  edit_->SetText(u"abc");
  EXPECT_EQ(changes_, 1);
  edit_->SetText(u"");
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(edit_->GetText(), u"");
}

TEST_F(EditTest, ClickPlacesTheCaretAndShiftClickAndDragSelect) {
  edit_->SetText(u"hello world");
  headless_->Click(At(XOf(5) + 1));
  EXPECT_EQ(edit_->SelStart(), 5);
  EXPECT_EQ(edit_->SelLength(), 0);
  headless_->KeyDown(VK_SHIFT);
  headless_->Click(At(XOf(2)));
  headless_->KeyUp(VK_SHIFT);
  EXPECT_EQ(edit_->SelStart(), 2);
  EXPECT_EQ(edit_->SelLength(), 3);
  // Drag from 1 to 8, past the control's edge on the way: capture keeps it.
  headless_->MouseDown(At(XOf(1)));
  headless_->MoveMouse(At(XOf(8)));
  headless_->MoveMouse(At(XOf(8), 40));
  headless_->MouseUp(At(XOf(8), 40));
  EXPECT_EQ(edit_->SelStart(), 1);
  EXPECT_EQ(edit_->SelLength(), 7);
  EXPECT_EQ(edit_->SelText(), u"ello wo");
  // Moving after the release selects nothing more.
  headless_->MoveMouse(At(XOf(10)));
  EXPECT_EQ(edit_->SelLength(), 7);
}

TEST_F(EditTest, DoubleClickSelectsTheWord) {
  edit_->SetText(u"один два три");
  headless_->Click(At(XOf(6)));
  headless_->Click(At(XOf(6)));
  EXPECT_EQ(edit_->SelText(), u"два");
}

TEST_F(EditTest, ShiftKeysExtendAndCtrlAReplacesEverything) {
  edit_->SetText(u"abcdef");
  headless_->Click(At(XOf(6) + 3));
  EXPECT_EQ(edit_->SelStart(), 6);
  headless_->KeyDown(VK_SHIFT);
  headless_->PressKey(VK_LEFT);
  headless_->PressKey(VK_LEFT);
  headless_->KeyUp(VK_SHIFT);
  EXPECT_EQ(edit_->SelText(), u"ef");
  headless_->KeyDown(VK_SHIFT);
  headless_->PressKey(VK_HOME);
  headless_->KeyUp(VK_SHIFT);
  EXPECT_EQ(edit_->SelText(), u"abcdef");
  headless_->PressKey(VK_RIGHT);  // collapses to the selection's end
  EXPECT_EQ(edit_->SelStart(), 6);
  EXPECT_EQ(edit_->SelLength(), 0);
  Chord(VK_CONTROL, 'A');
  headless_->TypeText(u"z");
  EXPECT_EQ(edit_->GetText(), u"z");
}

TEST_F(EditTest, ClipboardCutCopyPaste) {
  edit_->SetText(u"copy me");
  headless_->Click(At(5));
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'C');
  EXPECT_EQ(GetClipboardText(), u"copy me");
  const int before = changes_;
  headless_->PressKey(VK_END);
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(edit_->GetText(), u"copy mecopy me");
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(edit_->GetText(), u"");
  EXPECT_EQ(GetClipboardText(), u"copy mecopy me");
  EXPECT_EQ(changes_, before + 2);
  // A pasted line break ends what a single line takes.
  SetClipboardText(u"first\r\nsecond");
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(edit_->GetText(), u"first");
}

TEST_F(EditTest, MaxLengthCutsTypingAndPasteButNotCode) {
  edit_->SetMaxLength(4);
  headless_->Click(At(5));
  headless_->TypeText(u"abcdef");
  EXPECT_EQ(edit_->GetText(), u"abcd");
  EXPECT_EQ(changes_, 4);
  headless_->PressKey(VK_HOME);
  SetClipboardText(u"XYZ");
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(edit_->GetText(), u"abcd");
  headless_->KeyDown(VK_SHIFT);
  headless_->PressKey(VK_RIGHT);
  headless_->PressKey(VK_RIGHT);
  headless_->KeyUp(VK_SHIFT);
  Chord(VK_CONTROL, 'V');  // the selection makes room for two
  EXPECT_EQ(edit_->GetText(), u"XYcd");
  edit_->SetText(u"longer than four");
  EXPECT_EQ(edit_->GetText(), u"longer than four");
}

TEST_F(EditTest, ReadOnlyRefusesEditsButKeepsSelectionAndCopy) {
  edit_->SetText(u"fixed");
  edit_->SetReadOnly(true);
  changes_ = 0;
  headless_->Click(At(5));
  headless_->TypeText(u"q");
  headless_->PressKey(VK_BACK);
  headless_->PressKey(VK_DELETE);
  SetClipboardText(u"paste");
  Chord(VK_CONTROL, 'V');
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(edit_->GetText(), u"fixed");
  EXPECT_EQ(changes_, 0);
  Chord(VK_CONTROL, 'C');
  EXPECT_EQ(GetClipboardText(), u"fixed");
}

TEST_F(EditTest, CaretBlinksWhileFocusedAndStopsOnLeaving) {
  auto* other = Place<TEdit>(10, 50, 100, 21);
  headless_->Click(At(5));
  EXPECT_TRUE(edit_->CaretShown());
  headless_->AdvanceTime(kCaretBlinkMs);
  EXPECT_FALSE(edit_->CaretShown());
  headless_->AdvanceTime(kCaretBlinkMs);
  EXPECT_TRUE(edit_->CaretShown());
  // Typing shows it at once again.
  headless_->AdvanceTime(kCaretBlinkMs);
  headless_->TypeText(u"a");
  EXPECT_TRUE(edit_->CaretShown());
  headless_->PressKey(VK_TAB);
  EXPECT_TRUE(other->Focused());
  EXPECT_FALSE(edit_->CaretShown());
  EXPECT_TRUE(other->CaretShown());
}

TEST_F(EditTest, TabbingInSelectsAllClickingInDoesNot) {
  auto* other = Place<TEdit>(10, 50, 100, 21);
  other->SetText(u"tabbed");
  headless_->Click(At(5));
  headless_->PressKey(VK_TAB);
  EXPECT_EQ(other->SelText(), u"tabbed");
  edit_->SetText(u"clicked");
  headless_->Click(At(XOf(3)));
  EXPECT_EQ(edit_->SelLength(), 0);
  EXPECT_EQ(edit_->SelStart(), 3);
}

TEST_F(EditTest, HintShowsOnlyWithoutFocusAndPasswordHidesText) {
  auto* other = Place<TEdit>(10, 50, 100, 21);
  other->SetFocus();  // the shown form gave the edit, then its only control, the focus
  edit_->SetTextHint(u"поиск");
  EXPECT_GT(Ink(), 20);
  headless_->Click(At(40));
  headless_->AdvanceTime(kCaretBlinkMs);  // caret off: nothing is drawn
  EXPECT_EQ(Ink(), 0);
  headless_->Click(other->ClientToScreen({5, 5}));
  EXPECT_GT(Ink(), 20);
  // The same width of dots for any text of the same length.
  edit_->SetTextHint(u"");
  edit_->SetPasswordChar(u'*');
  edit_->SetText(u"iiii");
  const int thin = Ink();
  edit_->SetText(u"WWWW");
  EXPECT_EQ(Ink(), thin);
  EXPECT_GT(thin, 0);
}

TEST_F(EditTest, FlatLookFollowsPointerFocusReadOnlyAndEnabled) {
  const TFlatPalette p = FlatPalette();
  const auto border = [this] { return test::ScreenPixel(form_->WindowHandle(), At(0)); };
  const auto inside = [this] { return test::ScreenPixel(form_->WindowHandle(), At(140, 3)); };
  // The shown form gave the edit, its only control, the focus.
  EXPECT_EQ(border(), p.Accent);
  Place<TEdit>(10, 50, 100, 21)->SetFocus();
  EXPECT_EQ(border(), p.Border);
  EXPECT_EQ(inside(), p.Window);
  headless_->MoveMouse(At(40));
  EXPECT_TRUE(edit_->MouseInControl());
  EXPECT_EQ(border(), p.BorderHot);
  headless_->MoveMouse(form_->ClientToScreen({250, 100}));
  EXPECT_FALSE(edit_->MouseInControl());
  EXPECT_EQ(border(), p.Border);
  edit_->SetFocus();
  EXPECT_EQ(border(), p.Accent);
  edit_->SetReadOnly(true);
  EXPECT_EQ(inside(), p.Face);
  edit_->SetEnabled(false);
  EXPECT_EQ(border(), p.Disabled);
}

}  // namespace
}  // namespace qv
