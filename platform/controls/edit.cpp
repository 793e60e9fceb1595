// The single-line edit control.
#include "platform/controls/edit.h"

#include <algorithm>

#include "platform/controls/flat_look.h"
#include "platform/text/text.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"

namespace qv {

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
  ControlStyle &= ~static_cast<unsigned>(csSetCaption);
  ControlStyle |= csOpaque;
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  Cursor = IDC_IBEAM;
  SetBounds(0, 0, 121, 21);
}

TCustomEdit::~TCustomEdit() { StopCaret(); }

void TCustomEdit::SetText(ustring_view text) {
  if (!committing_ && text != edit_.Text()) edit_.SetText(text);
  TCustomControl::SetText(edit_.Text());
}

void TCustomEdit::SetReadOnly(bool v) {
  if (read_only_ == v) return;
  read_only_ = v;
  Invalidate();
}

void TCustomEdit::SetPasswordChar(char16_t c) {
  if (password_char_ == c) return;
  password_char_ = c;
  Invalidate();
}

void TCustomEdit::SetTextHint(ustring_view s) {
  text_hint_ = ustring(s);
  Invalidate();
}

void TCustomEdit::SetBorderVisible(bool v) {
  if (border_ == v) return;
  border_ = v;
  Invalidate();
}

void TCustomEdit::SetSelStart(int v) {
  edit_.SetSelection(v, 0);
  CaretMoved();
}

void TCustomEdit::SetSelLength(int v) {
  edit_.SetSelection(edit_.SelStart(), v);
  CaretMoved();
}

void TCustomEdit::SetSelText(ustring_view s) {
  if (edit_.ReplaceSelection(s, 0)) CommitUserEdit();
  CaretMoved();
}

void TCustomEdit::SelectAll() {
  edit_.SelectAll();
  CaretMoved();
}

void TCustomEdit::ClearSelection() {
  if (edit_.SelLength() > 0 && edit_.ReplaceSelection(u"", 0)) CommitUserEdit();
  CaretMoved();
}

void TCustomEdit::CutToClipboard() {
  if (edit_.Cut(read_only_)) CommitUserEdit();
  CaretMoved();
}

void TCustomEdit::PasteFromClipboard() {
  if (edit_.Paste(read_only_, max_length_)) CommitUserEdit();
  CaretMoved();
}

bool TCustomEdit::UserReplace(ustring_view s) {
  if (read_only_) return false;
  const bool changed = edit_.ReplaceSelection(s, max_length_);
  if (changed) CommitUserEdit();
  CaretMoved();
  return changed;
}

void TCustomEdit::CommitUserEdit() {
  committing_ = true;
  TCustomControl::SetText(edit_.Text());
  committing_ = false;
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  CaretMoved();
  Change();
}

void TCustomEdit::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  CaretMoved();
}

void TCustomEdit::Resize() { CaretMoved(); }

TRect TCustomEdit::EditRect() const {
  const int b = border_ ? 1 : 0;
  // Three pixels of padding: edit, combo and list texts start at one x.
  return {b + 3, b, Width() - b - 3, Height() - b};
}

void TCustomEdit::RestartCaret() {
  if (HandleAllocated() && Focused()) caret_.Restart(*this);
}

void TCustomEdit::StopCaret() { caret_.Stop(*this); }

void TCustomEdit::CaretMoved() {
  edit_.ScrollToCaret(Font(), EditRect().Width(), password_char_);
  RestartCaret();
  Invalidate();
}

int TCustomEdit::TextXAt(int client_x) const {
  return edit_.HitTest(Font(), client_x - EditRect().Left + edit_.ScrollX(), password_char_);
}

void TCustomEdit::FocusChanged(bool focused) {
  if (focused) {
    // Tabbing in selects everything; a click places the caret instead.
    if (AutoSelect && !mouse_focusing_) edit_.SelectAll();
    CaretMoved();
  } else {
    StopCaret();
    selecting_ = false;
    Invalidate();
  }
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      return;
    case WM_TIMER:
      if (caret_.Tick(m)) {
        Invalidate();
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      mouse_focusing_ = true;
      TCustomControl::WndProc(m);
      mouse_focusing_ = false;
      return;
    }
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      FocusChanged(true);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      FocusChanged(false);
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TCustomEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  if (ApplyEdit(edit_.Key(key, shift, read_only_, max_length_))) key = 0;
}

void TCustomEdit::KeyPress(char16_t& key) {
  TCustomControl::KeyPress(key);
  if (key == 0) return;
  if (!AcceptChar(key)) {
    key = 0;
    return;
  }
  if (ApplyEdit(edit_.Char(key, read_only_, max_length_))) key = 0;
}

bool TCustomEdit::ApplyEdit(TEditText::TResult r) {
  if (!r.handled) return false;
  if (r.changed) CommitUserEdit();
  CaretMoved();
  return true;
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  if (shift & ssDouble) {
    edit_.SelectWordAt(TextXAt(x));
    selecting_ = false;
  } else {
    edit_.MoveCaret(TextXAt(x), (shift & ssShift) != 0);
    selecting_ = true;
  }
  CaretMoved();
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!selecting_) return;
  edit_.MoveCaret(TextXAt(x), true);
  CaretMoved();
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (button == TMouseButton::mbLeft) selecting_ = false;
}

TPaintState TCustomEdit::PaintState() const {
  TPaintState s = TCustomControl::PaintState();
  s.ReadOnly = read_only_;
  return s;
}

void TCustomEdit::PaintFace(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TRect r = ClientRect();
  // A read-only field keeps the face colour so it does not invite typing.
  const TColor fill = s.ReadOnly ? p.Face : Color();
  if (border_)
    DrawFlatFieldBox(c, r, s, fill);
  else
    c.FillRect(r, s.Enabled ? ColorToRGB(fill) : p.Face);
}

void TCustomEdit::PaintContent(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  const TFont font = Font();
  const TRect area = EditRect();
  if (edit_.Text().empty() && !text_hint_.empty() && !s.Focused) {
    const int saved = c.SaveDC();
    c.IntersectClipRect(area);
    c.Font = font;
    c.Font.Color = p.GrayText;
    c.SetBkMode(TRANSPARENT);
    TRect tr = area;
    c.DrawText(text_hint_, tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    c.RestoreDC(saved);
    return;
  }
  TEditText::TLook look = FlatFieldLook(font.Color, s, caret_.On());
  look.show_selection = s.Focused || !HideSelection;
  look.password_char = password_char_;
  edit_.Paint(c, area, font, look);
}

}  // namespace qv
