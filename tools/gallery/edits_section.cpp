// The gallery's block of text-entry controls: edits, the combo box in both
// styles, the spin edit with either button under the pointer, and scenes of
// the drop-down list held open.
#include "platform/controls/combobox.h"
#include "platform/controls/edit.h"
#include "platform/controls/spinedit.h"
#include "platform/window/keys.h"
#include "platform/window/window.h"
#include "tools/gallery/gallery.h"

namespace qv::gallery {
namespace {

const std::vector<ustring> kTactics = {u"Атака", u"Контратака", u"Оборона", u"Прессинг"};

// Eighteen items: more than the sixteen rows a list shows, so it scrolls.
const std::vector<ustring> kFormations = {u"3-4-3", u"3-5-2",   u"3-6-1",   u"4-1-4-1", u"4-2-3-1",
                                          u"4-2-4", u"4-3-1-2", u"4-3-2-1", u"4-3-3",   u"4-4-1-1",
                                          u"4-4-2", u"4-5-1",   u"4-6-0",   u"5-2-3",   u"5-3-2",
                                          u"5-4-1", u"6-3-1",   u"6-4-0"};

// The screen point of row i of an open list (its middle, a little in from the left).
TPoint RowPoint(const TListPopup& list, int i) {
  const TRect a = list.ItemArea();
  TPoint p{a.Left + 12, a.Top + (i - list.TopIndex()) * list.RowHeight() + list.RowHeight() / 2};
  ClientToScreen(list.Handle(), p);
  return p;
}

void BuildEdits(TGalleryBlock& b) {
  auto* edit = b.Add<TEdit>("edit", 145, 21, {40, 10});
  edit->SetText(u"Спартак Москва");

  auto* hint = b.Add<TEdit>("edit with hint", 145, 21);
  hint->SetTextHint(u"Логин менеджера");

  auto* read_only = b.Add<TEdit>("read-only edit", 145, 21);
  read_only->SetText(u"Версия 1.2");
  read_only->SetReadOnly(true);

  auto* pick = b.Add<TComboBox>("pick list", 145, 21);
  pick->SetStyle(TComboBoxStyle::csDropDownList);
  pick->Items().Assign(kTactics);
  pick->SetItemIndex(1);

  auto* combo = b.Add<TComboBox>("combo box", 145, 21);
  combo->Items().Assign(kTactics);
  combo->SetItemIndex(2);
  const TRect button = combo->ButtonRect();
  b.SetPoint(combo, {(button.Left + button.Right) / 2, 10});  // on the button

  auto* spin_up = b.Add<TSpinEdit>("spin edit, up", 70, 21);
  spin_up->SetMaxValue(99);
  spin_up->SetValue(25);
  const TRect up = spin_up->UpButtonRect();
  b.SetPoint(spin_up, {(up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2});

  auto* spin_down = b.Add<TSpinEdit>("spin edit, down", 70, 21);
  spin_down->SetMaxValue(99);
  spin_down->SetValue(25);
  const TRect down = spin_down->DownButtonRect();
  b.SetPoint(spin_down, {(down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2});

  // Opened by a click on the body; the pointer then rests on another row.
  auto* open = b.AddScene<TComboBox>("pick list open, pointer on a row", 145, 21,
                                     [](TComboBox& c, TSceneInput& in) {
                                       in.Input.Click(in.At({40, 10}));
                                       if (c.DroppedDown())
                                         in.Input.MoveMouse(RowPoint(*c.Popup(), 2));
                                     });
  open->SetStyle(TComboBoxStyle::csDropDownList);
  open->Items().Assign(kTactics);
  open->SetItemIndex(0);

  // Opened from the keyboard, scrolled by the wheel, the pointer on a row.
  auto* scrolled = b.AddScene<TComboBox>(
      "18 items: scroll bar, wheel, pointer on a row", 145, 21, [](TComboBox& c, TSceneInput& in) {
        c.SetFocus();
        in.Input.KeyDown(VK_MENU);
        in.Input.PressKey(VK_DOWN);
        in.Input.KeyUp(VK_MENU);
        if (!c.DroppedDown()) return;
        in.Input.Wheel(RowPoint(*c.Popup(), 0), -1);
        in.Input.MoveMouse(RowPoint(*c.Popup(), c.Popup()->TopIndex() + 5));
      });
  scrolled->Items().Assign(kFormations);
  scrolled->SetItemIndex(10);
}

const TGallerySection kEdits{"edits", 20, BuildEdits};

}  // namespace
}  // namespace qv::gallery
