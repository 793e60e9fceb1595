// Synthetic mouse and keyboard driving of the window's controls.
#include "tools/snapshot/ui_drive.h"

#include "platform/controls/listpopup.h"
#include "platform/controls/trackbar.h"
#include "platform/window/keys.h"
#include "platform/window/queue.h"
#include "platform/window/window.h"

namespace qv::drive {

namespace {

TPoint MiddleOf(const TControl& c, const TRect& r) {
  return c.ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

std::string NameOf(const TControl& c) { return c.Name().empty() ? "the control" : c.Name(); }

// Screen point of the middle of a list row that is in view.
TPoint RowPoint(const TListPopup& p, int index) {
  const TRect a = p.ItemArea();
  TPoint pt{a.Left + 10, a.Top + (index - p.TopIndex()) * p.RowHeight() + p.RowHeight() / 2};
  ClientToScreen(p.Handle(), pt);
  return pt;
}

}  // namespace

TPoint CenterOf(const TControl& c) { return c.ClientToScreen({c.Width() / 2, c.Height() / 2}); }

TPoint GripPoint(const TControl& c) {
  if (const auto* t = dynamic_cast<const TTrackBar*>(&c)) return MiddleOf(c, t->ThumbRect());
  if (const auto* pc = dynamic_cast<const TPageControl*>(&c); pc && pc->TabIndex() >= 0)
    return MiddleOf(c, pc->TabRect(pc->TabIndex()));
  return CenterOf(c);
}

void ClickTab(THeadlessBackend& input, TPageControl& pages, int index) {
  TTabSheet* page = pages.Pages(index);
  if (page == nullptr) throw EDriveError("there is no page " + std::to_string(index + 1));
  if (!page->TabVisible() || page->TabIndex() < 0)
    throw EDriveError("page " + std::to_string(index + 1) + " has no visible tab");
  input.Click(MiddleOf(pages, pages.TabRect(page->TabIndex())));
  if (pages.ActivePage() != page)
    throw EDriveError("page " + std::to_string(index + 1) + " did not become active");
}

void PickItem(THeadlessBackend& input, TCustomComboBox& combo, int index) {
  const int count = combo.Items().Count();
  if (index < 0 || index >= count)
    throw EDriveError(NameOf(combo) + " has no item " + std::to_string(index) + " (it has " +
                      std::to_string(count) + ")");
  if (!combo.DroppedDown()) {
    const TRect button = combo.ButtonRect();
    const TPoint body = combo.IsEditable()
                            ? MiddleOf(combo, button)
                            : combo.ClientToScreen({button.Left / 2, combo.Height() / 2});
    input.Click(body);
  }
  TListPopup* p = combo.Popup();
  if (!combo.DroppedDown() || p == nullptr)
    throw EDriveError("the list of " + NameOf(combo) + " did not open");
  // Each notch moves the list by at least one row; the guard only stops a
  // list that no longer scrolls.
  for (int guard = 0; guard < count && index < p->TopIndex(); ++guard)
    input.Wheel(RowPoint(*p, p->TopIndex()), 1);
  for (int guard = 0; guard < count && index >= p->TopIndex() + p->Rows(); ++guard)
    input.Wheel(RowPoint(*p, p->TopIndex()), -1);
  if (index < p->TopIndex() || index >= p->TopIndex() + p->Rows())
    throw EDriveError("the list of " + NameOf(combo) + " does not scroll to item " +
                      std::to_string(index));
  input.Click(RowPoint(*p, index));
  if (combo.DroppedDown()) throw EDriveError("the list of " + NameOf(combo) + " stayed open");
  if (combo.ItemIndex() != index)
    throw EDriveError(NameOf(combo) + " did not take item " + std::to_string(index));
}

void Focus(THeadlessBackend& input, TWinControl& control) {
  if (control.Focused()) return;
  input.Click(GripPoint(control));
  if (auto* combo = dynamic_cast<TCustomComboBox*>(&control); combo && combo->DroppedDown()) {
    input.Click(GripPoint(control));
    if (combo->DroppedDown()) input.PressKey(VK_ESCAPE);
  }
  if (!control.Focused()) throw EDriveError(NameOf(control) + " did not take the focus");
}

char16_t TypedChar(const TKeyChord& chord) {
  if (chord.ctrl || chord.alt) return 0;
  if (chord.vk >= 'A' && chord.vk <= 'Z')
    return static_cast<char16_t>(chord.shift ? chord.vk : chord.vk - 'A' + 'a');
  if (chord.vk == VK_SPACE) return u' ';
  // What Shift makes of a digit depends on the layout.
  if (chord.vk >= '0' && chord.vk <= '9' && !chord.shift) return static_cast<char16_t>(chord.vk);
  return 0;
}

void PressChord(THeadlessBackend& input, const TKeyChord& chord) {
  if (chord.ctrl) input.KeyDown(VK_CONTROL);
  if (chord.shift) input.KeyDown(VK_SHIFT);
  if (chord.alt) input.KeyDown(VK_MENU);
  // As on a keyboard, the character comes between the key's down and up.
  input.KeyDown(chord.vk);
  if (const char16_t ch = TypedChar(chord)) input.TypeText(ustring(1, ch));
  input.KeyUp(chord.vk);
  if (chord.alt) input.KeyUp(VK_MENU);
  if (chord.shift) input.KeyUp(VK_SHIFT);
  if (chord.ctrl) input.KeyUp(VK_CONTROL);
}

void Drag(THeadlessBackend& input, TPoint from, int dx, int dy) {
  // A hand moves through the points between; controls that follow the pointer
  // (a thumb, a text selection) see the way, not only the end.
  constexpr int kSteps = 4;
  input.MouseDown(from);
  for (int i = 1; i <= kSteps; ++i)
    input.MoveMouse({from.X + dx * i / kSteps, from.Y + dy * i / kSteps});
  input.MouseUp({from.X + dx, from.Y + dy});
}

}  // namespace qv::drive
