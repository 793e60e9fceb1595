// The editing state of a single-line text field.
#include "platform/controls/edit_text.h"

#include <algorithm>

#include "platform/text/text.h"
#include "platform/window/keys.h"
#include "platform/window/shell.h"

namespace qv {

namespace {

bool IsWordChar(char16_t c) { return c > u' ' && c != 0x00A0; }

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

}  // namespace

void TEditText::SetText(ustring_view text) {
  text_ = ustring(text);
  caret_ = anchor_ = 0;
  scroll_ = 0;
}

void TEditText::SetSelection(int start, int length) {
  const int n = static_cast<int>(text_.size());
  start = Clamp(start, 0, n);
  anchor_ = start;
  caret_ = Clamp(start + std::max(length, 0), start, n);
}

void TEditText::MoveCaret(int pos, bool extend) {
  caret_ = Clamp(pos, 0, static_cast<int>(text_.size()));
  if (!extend) anchor_ = caret_;
}

void TEditText::SelectWordAt(int pos) {
  const int n = static_cast<int>(text_.size());
  if (n == 0) return;
  pos = Clamp(pos, 0, n);
  // Between two runs the one to the right counts, as at the end the one to the left.
  int probe = pos < n ? pos : n - 1;
  const bool word = IsWordChar(text_[probe]);
  int a = probe, b = probe + 1;
  while (a > 0 && IsWordChar(text_[a - 1]) == word) --a;
  while (b < n && IsWordChar(text_[b]) == word) ++b;
  anchor_ = a;
  caret_ = b;
}

bool TEditText::ReplaceSelection(ustring_view s, int max_length) {
  ustring insert(s.substr(0, std::min(s.find(u'\r'), s.find(u'\n'))));
  // Control characters have no place in a single line.
  std::erase_if(insert, [](char16_t c) { return c < u' ' || c == 0x7F; });
  const int start = SelStart();
  const int len = SelLength();
  if (max_length > 0) {
    const int room = max_length - (static_cast<int>(text_.size()) - len);
    if (room < static_cast<int>(insert.size())) insert.resize(std::max(room, 0));
  }
  if (insert.empty() && len == 0) return false;
  text_.replace(start, len, insert);
  caret_ = anchor_ = start + static_cast<int>(insert.size());
  return true;
}

bool TEditText::DeleteBackward() {
  if (SelLength() > 0) return ReplaceSelection(u"", 0);
  if (caret_ == 0) return false;
  text_.erase(caret_ - 1, 1);
  anchor_ = --caret_;
  return true;
}

bool TEditText::DeleteForward() {
  if (SelLength() > 0) return ReplaceSelection(u"", 0);
  if (caret_ >= static_cast<int>(text_.size())) return false;
  text_.erase(caret_, 1);
  return true;
}

bool TEditText::Copy() const {
  if (SelLength() == 0) return false;
  return SetClipboardText(SelText());
}

bool TEditText::Cut(bool read_only) {
  if (read_only || SelLength() == 0) return false;
  Copy();
  return ReplaceSelection(u"", 0);
}

bool TEditText::Paste(bool read_only, int max_length) {
  if (read_only) return false;
  return ReplaceSelection(GetClipboardText(), max_length);
}

TEditText::TResult TEditText::Key(std::uint16_t vk, TShiftState shift, bool read_only,
                                  int max_length) {
  const bool ext = (shift & ssShift) != 0;
  const bool ctrl = (shift & ssCtrl) != 0;
  const int n = static_cast<int>(text_.size());
  auto word_left = [&] {
    int p = caret_;
    while (p > 0 && !IsWordChar(text_[p - 1])) --p;
    while (p > 0 && IsWordChar(text_[p - 1])) --p;
    return p;
  };
  auto word_right = [&] {
    int p = caret_;
    while (p < n && IsWordChar(text_[p])) ++p;
    while (p < n && !IsWordChar(text_[p])) ++p;
    return p;
  };
  TResult r;
  r.handled = true;
  switch (vk) {
    case VK_LEFT:
      if (!ext && !ctrl && SelLength() > 0)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(ctrl ? word_left() : caret_ - 1, ext);
      break;
    case VK_RIGHT:
      if (!ext && !ctrl && SelLength() > 0)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(ctrl ? word_right() : caret_ + 1, ext);
      break;
    case VK_HOME:
      MoveCaret(0, ext);
      break;
    case VK_END:
      MoveCaret(n, ext);
      break;
    case VK_DELETE:
      if (read_only) break;
      if (ext)
        r.changed = Cut(read_only);
      else
        r.changed = DeleteForward();
      break;
    case VK_INSERT:
      if (ctrl)
        Copy();
      else if (ext)
        r.changed = Paste(read_only, max_length);
      else
        r.handled = false;
      break;
    default:
      r.handled = false;
      if (!ctrl || (shift & ssAlt)) break;
      r.handled = true;
      switch (vk) {
        case 'A':
          SelectAll();
          break;
        case 'C':
          Copy();
          break;
        case 'X':
          r.changed = Cut(read_only);
          break;
        case 'V':
          r.changed = Paste(read_only, max_length);
          break;
        default:
          r.handled = false;
          break;
      }
      break;
  }
  return r;
}

TEditText::TResult TEditText::Char(char16_t ch, bool read_only, int max_length) {
  TResult r;
  if (ch == u'\b') {
    r.handled = true;
    if (!read_only) r.changed = DeleteBackward();
    return r;
  }
  if (ch < u' ' || ch == 0x7F) return r;
  r.handled = true;
  if (!read_only) r.changed = ReplaceSelection(ustring_view(&ch, 1), max_length);
  return r;
}

ustring TEditText::Display(char16_t password_char) const {
  if (!password_char) return text_;
  return ustring(text_.size(), password_char == u'*' ? char16_t(0x25CF) : password_char);
}

int TEditText::PosX(const TFont& font, int i, char16_t password_char) const {
  if (i <= 0) return 0;
  const ustring shown = Display(password_char);
  return TextExtentOf(font, ustring_view(shown).substr(0, i)).cx;
}

int TEditText::HitTest(const TFont& font, int x, char16_t password_char) const {
  const ustring shown = Display(password_char);
  int prev = 0;
  for (int i = 1; i <= static_cast<int>(shown.size()); ++i) {
    const int cur = TextExtentOf(font, ustring_view(shown).substr(0, i)).cx;
    if (x < (prev + cur + 1) / 2) return i - 1;
    prev = cur;
  }
  return static_cast<int>(shown.size());
}

void TEditText::ScrollToCaret(const TFont& font, int width, char16_t password_char) {
  if (width <= 0) {
    scroll_ = 0;
    return;
  }
  const int x = PosX(font, caret_, password_char);
  const int total = PosX(font, static_cast<int>(text_.size()), password_char);
  // A quarter of the width jumps at once, so typing at the edge does not scroll every key.
  if (x < scroll_) scroll_ = std::max(0, x - width / 4);
  if (x >= scroll_ + width) scroll_ = x - width + 1 + width / 4;
  scroll_ = Clamp(scroll_, 0, std::max(0, total - width + 1));
}

void TEditText::Paint(TCanvas& canvas, const TRect& area, const TFont& font,
                      const TLook& look) const {
  if (area.IsEmpty()) return;
  const int saved = canvas.SaveDC();
  canvas.IntersectClipRect(area);
  canvas.Font = font;
  canvas.Font.Color = look.text;
  canvas.SetBkMode(TRANSPARENT);
  const ustring shown = Display(look.password_char);
  const int line = GetTextMetrics(font).Height;
  const int y = area.Top + (area.Height() - line) / 2;
  const int x0 = area.Left - scroll_;
  canvas.TextOut(x0, y, shown);
  if (look.show_selection && SelLength() > 0) {
    const int a = SelStart(), len = SelLength();
    const int xa = x0 + PosX(font, a, look.password_char);
    const int xb = x0 + PosX(font, a + len, look.password_char);
    canvas.FillRect({xa, y, xb, y + line}, look.selection);
    canvas.Font.Color = look.selection_text;
    canvas.TextOut(xa, y, ustring_view(shown).substr(a, len));
  }
  if (look.show_caret) {
    const int xc = x0 + PosX(font, caret_, look.password_char);
    canvas.FillRect({xc, y, xc + 1, y + line}, look.text);
  }
  canvas.RestoreDC(saved);
}

}  // namespace qv
