// The keyboard across every standard control on one form: the shown form
// starts on its first tab stop, Tab and Shift+Tab visit every focusable
// control once in tab order (a group box's children in place, a progress bar
// and a disabled control never), each shows its focus on screen, and the
// window's own keys, Alt+F4 and Alt+Space, reach the form from whichever
// control has the focus.
#include <algorithm>

#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/edit.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/spinedit.h"
#include "platform/controls/trackbar.h"
#include "platform/window/menu.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

class KeyboardTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pages = Make<TPageControl>(form.get(), Bounds(5, 5, 390, 120));
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pages);
    sheet->SetCaption(u"Страница");
    auto* group = Make<TGroupBox>(sheet, Bounds(5, 5, 370, 80));
    group->SetCaption(u"Группа");
    list = Make<TComboBox>(group, Bounds(10, 20, 100, 21));
    list->SetStyle(TComboBoxStyle::csDropDownList);
    list->Items().Assign({u"один", u"два"});
    list->SetItemIndex(0);
    check = Make<TCheckBox>(group, Bounds(120, 20, 100, 17));
    check->SetCaption(u"Флажок");
    track = Make<TTrackBar>(group, Bounds(230, 20, 130, 25));
    auto* bar = Make<TProgressBar>(sheet, Bounds(5, 88, 100, 10));
    bar->SetPosition(50);
    edit = Make<TEdit>(form.get(), Bounds(5, 135, 100, 21));
    edit->SetText(u"текст");
    spin = Make<TSpinEdit>(form.get(), Bounds(115, 135, 80, 21));
    combo = Make<TComboBox>(form.get(), Bounds(205, 135, 100, 21));
    combo->SetText(u"ввод");
    auto* disabled = Make<TButton>(form.get(), Bounds(5, 170, 75, 25));
    disabled->SetEnabled(false);
    button = Make<TButton>(form.get(), Bounds(90, 170, 75, 25));
    button->SetCaption(u"Кнопка");
    order = {pages, list, check, track, edit, spin, combo, button};
    const char* names[] = {"pages", "list", "check", "track", "edit", "spin", "combo", "button"};
    for (std::size_t i = 0; i < order.size(); ++i) order[i]->SetName(names[i]);
    closes = 0;
    form->OnCloseQuery = [this](TObject*, bool& can) {
      ++closes;
      can = false;
    };
    Show();
  }
  TWinControl* Focused() const {
    for (TWinControl* c : order)
      if (c->Focused()) return c;
    return nullptr;
  }
  // The control's pixels on the form, as last painted.
  std::vector<TColor> Pixels(TControl* c) {
    std::vector<TColor> out;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x) out.push_back(PixelAt(c, {x, y}));
    return out;
  }

  TPageControl* pages = nullptr;
  TComboBox* list = nullptr;
  TCheckBox* check = nullptr;
  TTrackBar* track = nullptr;
  TEdit* edit = nullptr;
  TSpinEdit* spin = nullptr;
  TComboBox* combo = nullptr;
  TButton* button = nullptr;
  std::vector<TWinControl*> order;
  int closes = 0;
};

TEST_F(KeyboardTest, TabAndShiftTabVisitEveryFocusableControlInOrder) {
  EXPECT_EQ(Focused(), pages) << "the form opens on its first tab stop";
  std::vector<TWinControl*> forward{Focused()}, backward;
  for (std::size_t i = 0; i < order.size(); ++i) {
    Key(VK_TAB);
    forward.push_back(Focused());
  }
  std::vector<TWinControl*> expected = order;
  expected.push_back(pages);  // round again
  EXPECT_EQ(forward, expected);
  for (std::size_t i = 0; i < order.size(); ++i) {
    KeyWith(VK_SHIFT, VK_TAB);
    backward.push_back(Focused());
  }
  std::reverse(expected.begin(), expected.end());
  expected.erase(expected.begin());
  EXPECT_EQ(backward, expected);
}

TEST_F(KeyboardTest, EveryControlShowsItsFocus) {
  for (TWinControl* c : order) {
    TWinControl* other = c == button ? static_cast<TWinControl*>(edit) : button;
    other->SetFocus();
    const std::vector<TColor> without = Pixels(c);
    c->SetFocus();
    ASSERT_TRUE(c->Focused()) << c->Name();
    EXPECT_TRUE(c->PaintState().Focused);
    EXPECT_NE(Pixels(c), without) << c->Name() << " looks the same with the focus";
  }
}

TEST_F(KeyboardTest, TheWindowsKeysReachTheFormFromEveryControl) {
  for (TWinControl* c : order) {
    c->SetFocus();
    const int before = closes;
    KeyWith(VK_MENU, VK_F4);
    EXPECT_EQ(closes, before + 1) << "Alt+F4 on " << c->Name();
    EXPECT_TRUE(c->Focused());
    KeyWith(VK_MENU, VK_SPACE);
    EXPECT_EQ(GetOpenMenuOwner(), form->WindowHandle()) << "Alt+Space on " << c->Name();
    Key(VK_ESCAPE);
    EXPECT_FALSE(GetOpenMenuOwner());
    EXPECT_TRUE(c->Focused()) << "the menu gave the keyboard back to " << c->Name();
  }
  // Nothing the keys went through was changed by them.
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(track->Position(), 0);
  EXPECT_EQ(edit->GetText(), u"текст");
  EXPECT_EQ(combo->GetText(), u"ввод");
}

}  // namespace
}  // namespace qv
