// The combo box in its pick-list and editable styles.
#include "platform/controls/combobox.h"

#include <algorithm>

#include "platform/controls/flat_look.h"
#include "platform/text/text.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"

namespace qv {

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomControl(owner) {
  ControlStyle &= ~static_cast<unsigned>(csSetCaption | csDoubleClicks);
  ControlStyle |= csOpaque;
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
  items_.OnChange = [this] { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() {
  items_.OnChange = nullptr;
  StopCaret();
}

int TCustomComboBox::IndexOf(ustring_view s) const {
  const auto& v = items_.Strings();
  for (std::size_t i = 0; i < v.size(); ++i)
    if (v[i] == s) return static_cast<int>(i);
  return -1;
}

void TCustomComboBox::ItemsChanged() {
  if (item_index_ >= items_.Count()) item_index_ = -1;
  if (DroppedDown()) SetDroppedDown(false);
  Invalidate();
}

void TCustomComboBox::SetItemIndex(int index) {
  if (IsLoading()) {
    loaded_index_ = index;
    return;
  }
  if (index < -1 || index >= items_.Count()) index = -1;
  if (index == item_index_ && (!IsEditable() || index < 0 || edit_.Text() == items_.Get(index)))
    return;
  item_index_ = index;
  if (IsEditable()) {
    edit_.SetText(items_.Get(index));
    if (Focused()) edit_.SelectAll();
    CommitEdit();
  } else {
    TCustomControl::SetText(items_.Get(index));
  }
  Invalidate();
}

void TCustomComboBox::SetStyle(TComboBoxStyle s) {
  if (style_ == s) return;
  style_ = s;
  edit_.SetText(IsEditable() ? items_.Get(item_index_) : ustring());
  StopCaret();
  Invalidate();
}

ustring TCustomComboBox::GetText() const {
  return IsEditable() ? edit_.Text() : items_.Get(item_index_);
}

void TCustomComboBox::SetText(ustring_view text) {
  if (IsEditable()) {
    if (!committing_ && text != edit_.Text()) edit_.SetText(text);
    item_index_ = IndexOf(text);
    TCustomControl::SetText(edit_.Text());
  } else {
    // A pick list can only show one of its items.
    if (const int i = IndexOf(text); i >= 0) SetItemIndex(i);
  }
  Invalidate();
}

void TCustomComboBox::CommitEdit() {
  committing_ = true;
  TCustomControl::SetText(edit_.Text());
  committing_ = false;
  EditMoved();
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::UserSelect(int index) {
  if (index < 0 || index >= items_.Count()) return;
  const bool was = item_index_ == index;
  if (!was || (IsEditable() && edit_.Text() != items_.Get(index))) {
    item_index_ = -2;  // force the text to follow
    SetItemIndex(index);
  }
  if (IsEditable()) {
    edit_.SelectAll();
    EditMoved();
  }
  Select();
}

std::unique_ptr<TListPopup> TCustomComboBox::CreatePopup() {
  return std::make_unique<TListPopup>();
}

int TCustomComboBox::ActualItemHeight() const {
  return ItemHeight > 0 ? ItemHeight : GetTextMetrics(Font()).Height + 3;
}

void TCustomComboBox::SetDroppedDown(bool v) {
  if (v == DroppedDown()) return;
  if (!v) {
    popup_->Close();
    CloseUp();
    StateChanged();
    return;
  }
  if (!HandleAllocated() || items_.Count() == 0) return;
  DropDown();
  // The handler may have changed the items or closed the window.
  if (!HandleAllocated() || items_.Count() == 0) return;
  if (!popup_) {
    popup_ = CreatePopup();
    popup_->OnAccept = [this](int i) { Accept(i); };
    popup_->OnCancel = [this] { Cancel(); };
  }
  // The list holds the mouse from now on; the press that opened it is over for us.
  if (MouseCapture()) SetMouseCapture(false);
  ControlState &= ~static_cast<unsigned>(csClicked | csLButtonDown);
  selecting_ = false;
  const TPoint o = ClientToScreen({0, 0});
  popup_->Open(Bounds(o.X, o.Y, Width(), Height()), items_.Strings(), item_index_, DropDownCount,
               ActualItemHeight(), Font());
  StateChanged();
}

void TCustomComboBox::Accept(int index) {
  UserSelect(index);
  CloseUp();
  StateChanged();
}

void TCustomComboBox::Cancel() {
  CloseUp();
  StateChanged();
}

TRect TCustomComboBox::ButtonRect() const {
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  return {Width() - 1 - w, 1, Width() - 1, Height() - 1};
}

TRect TCustomComboBox::TextRect() const { return {4, 3, ButtonRect().Left - 2, Height() - 3}; }

int TCustomComboBox::TextXAt(int x) const {
  return edit_.HitTest(Font(), x - TextRect().Left + edit_.ScrollX(), 0);
}

void TCustomComboBox::RestartCaret() {
  if (HandleAllocated() && Focused() && IsEditable()) caret_.Restart(*this);
}

void TCustomComboBox::StopCaret() { caret_.Stop(*this); }

void TCustomComboBox::EditMoved() {
  edit_.ScrollToCaret(Font(), TextRect().Width(), 0);
  RestartCaret();
  Invalidate();
}

void TCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS |
                 (DroppedDown() ? LRESULT{DLGC_WANTALLKEYS} : LRESULT{0});
      return;
    case WM_TIMER:
      if (caret_.Tick(m)) {
        Invalidate();
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      mouse_focusing_ = true;
      TCustomControl::WndProc(m);
      mouse_focusing_ = false;
      return;
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      if (IsEditable() && !mouse_focusing_) edit_.SelectAll();
      EditMoved();
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      if (DroppedDown()) SetDroppedDown(false);
      StopCaret();
      selecting_ = false;
      Invalidate();
      return;
    case WM_CANCELMODE:
      if (DroppedDown()) SetDroppedDown(false);
      break;
    case WM_MOUSEWHEEL:
      if (IsEnabledInTree() && !DroppedDown() && items_.Count() > 0) {
        const int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / 120;
        const int base = item_index_ < 0 ? (notches > 0 ? items_.Count() : -1) : item_index_;
        const int i = std::clamp(base - notches, 0, items_.Count() - 1);
        if (notches != 0 && i != item_index_) UserSelect(i);
      }
      m.Result = 1;
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TCustomComboBox::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  const bool alt = (shift & ssAlt) != 0;
  // Alt+F4 is the window's (it closes it), not the list's.
  if ((key == VK_F4 && !alt) || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (DroppedDown()) {
      const int hot = popup_->HotIndex();
      popup_->Close();
      if (hot >= 0)
        Accept(hot);
      else
        Cancel();
    } else {
      SetDroppedDown(true);
    }
    key = 0;
    return;
  }
  if (DroppedDown()) {
    if (key == VK_RETURN || key == VK_ESCAPE) {
      const int hot = popup_->HotIndex();
      popup_->Close();
      if (key == VK_RETURN && hot >= 0)
        Accept(hot);
      else
        Cancel();
      key = 0;
      return;
    }
    const bool list_key = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                          (!IsEditable() && (key == VK_HOME || key == VK_END));
    if (list_key && popup_->Key(key)) {
      key = 0;
      return;
    }
  } else {
    const int last = items_.Count() - 1;
    const int page = std::max(DropDownCount - 1, 1);
    const int cur = item_index_;
    int target = -2;
    switch (key) {
      case VK_UP:
        target = cur < 0 ? 0 : cur - 1;
        break;
      case VK_DOWN:
        target = cur + 1;
        break;
      case VK_LEFT:
        if (!IsEditable()) target = cur < 0 ? 0 : cur - 1;
        break;
      case VK_RIGHT:
        if (!IsEditable()) target = cur + 1;
        break;
      case VK_PRIOR:
        target = cur < 0 ? 0 : cur - page;
        break;
      case VK_NEXT:
        target = cur + page;
        break;
      case VK_HOME:
        if (!IsEditable()) target = 0;
        break;
      case VK_END:
        if (!IsEditable()) target = last;
        break;
      default:
        break;
    }
    if (target != -2) {
      target = std::clamp(target, 0, std::max(last, 0));
      if (last >= 0 && target != cur) UserSelect(target);
      key = 0;
      return;
    }
  }
  if (IsEditable() && ApplyEdit(edit_.Key(key, shift, false, max_length_))) key = 0;
}

bool TCustomComboBox::ApplyEdit(TEditText::TResult r) {
  if (!r.handled) return false;
  if (r.changed) {
    item_index_ = IndexOf(edit_.Text());
    CommitEdit();
    Change();
  }
  EditMoved();
  return true;
}

void TCustomComboBox::KeyPress(char16_t& key) {
  TCustomControl::KeyPress(key);
  if (key == 0) return;
  if (key == u'\r' || key == 27) {
    // Enter and Esc already closed the list as keys; the characters are spent.
    if (DroppedDown()) key = 0;
    return;
  }
  if (IsEditable()) {
    if (ApplyEdit(edit_.Char(key, false, max_length_))) key = 0;
    return;
  }
  if (key < u' ') return;
  // The next item (wrapping) whose first letter matches, in either case.
  const char16_t up = UpCaseChar(key);
  const int n = items_.Count();
  const int from = DroppedDown() ? popup_->HotIndex() : item_index_;
  for (int k = 1; k <= n; ++k) {
    const int i = ((from < 0 ? -1 : from) + k) % n;
    const ustring& s = items_[i];
    if (s.empty() || UpCaseChar(s[0]) != up) continue;
    if (DroppedDown())
      popup_->SetHotIndex(i);
    else if (i != item_index_)
      UserSelect(i);
    break;
  }
  key = 0;
}

void TCustomComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  if (!IsEditable() || ButtonRect().Contains({x, y})) {
    SetDroppedDown(!DroppedDown());
    return;
  }
  edit_.MoveCaret(TextXAt(x), (shift & ssShift) != 0);
  if (shift & ssDouble) edit_.SelectWordAt(TextXAt(x));
  selecting_ = (shift & ssDouble) == 0;
  EditMoved();
}

int TCustomComboBox::PartAt(TPoint client) const {
  return ButtonRect().Contains(client) ? kButtonPart : -1;
}

void TCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (selecting_) {
    edit_.MoveCaret(TextXAt(x), true);
    EditMoved();
  }
}

void TCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbLeft) selecting_ = false;
}

void TCustomComboBox::CMEnabledChanged(TMessage& m) {
  if (!Enabled() && DroppedDown()) SetDroppedDown(false);
  TCustomControl::CMEnabledChanged(m);
}

void TCustomComboBox::Loaded() {
  TCustomControl::Loaded();
  if (loaded_index_ >= 0) SetItemIndex(loaded_index_);
  loaded_index_ = -1;
}

TPaintState TCustomComboBox::PaintState() const {
  TPaintState s = TCustomControl::PaintState();
  s.DroppedDown = DroppedDown();
  s.Pressed = s.DroppedDown && s.Enabled;
  return s;
}

void TCustomComboBox::PaintFace(TCanvas& c, const TPaintState& s) {
  DrawFlatFieldBox(c, ClientRect(), s, Color());
  PaintButton(c, ButtonRect(), s);
}

void TCustomComboBox::PaintContent(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TRect tr = TextRect();
  if (IsEditable()) {
    edit_.Paint(c, tr, Font(), FlatFieldLook(Font().Color, s, caret_.On()));
  } else {
    // The focused pick list shows its item selected, as the list would.
    const bool selected = s.Focused && !s.DroppedDown && s.Enabled;
    // One pixel clear of the border and the button all round.
    if (selected) c.FillRect({tr.Left - 2, tr.Top - 1, tr.Right + 1, tr.Bottom + 1}, p.Accent);
    const int saved = c.SaveDC();
    c.Font = Font();
    c.Font.Color = selected ? p.AccentText : FlatTextColor(Font().Color, s.Enabled);
    c.SetBkMode(TRANSPARENT);
    TRect text = tr;
    c.DrawText(GetText(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    c.RestoreDC(saved);
  }
}

void TCustomComboBox::PaintButton(TCanvas& c, const TRect& r, const TPaintState& s) {
  TPaintState b;
  b.Enabled = s.Enabled;
  // The whole body of a pick list is its button.
  b.Hot = s.Enabled && (ButtonHot() || (!IsEditable() && s.Hot));
  b.Pressed = s.Pressed;
  DrawFlatFieldButton(c, r, TFlatArrow::Down, b);
}

}  // namespace qv
