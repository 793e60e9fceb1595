// The editing state of a single-line text field: text, caret, selection and
// horizontal scroll, with the keys, characters and clipboard operations of a
// desktop edit. Shared by the edit control and the editable combo box, which
// each draw it with Paint into their own text area.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "platform/component/control.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/ustring.h"

namespace qv {

class TEditText {
 public:
  const ustring& Text() const { return text_; }
  // Replaces the whole text from code: the caret goes to the start, no selection.
  void SetText(ustring_view text);

  int Caret() const { return caret_; }
  int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
  ustring SelText() const { return text_.substr(SelStart(), SelLength()); }
  // Selects length units from start (both clamped); the caret ends the selection.
  void SetSelection(int start, int length);
  void MoveCaret(int pos, bool extend);
  void SelectAll() { SetSelection(0, static_cast<int>(text_.size())); }
  // The word (or run of blanks) around pos, for double clicks.
  void SelectWordAt(int pos);

  // Replaces the selection with s, cut at the first line break and to
  // max_length units in all (0: no limit). False when nothing changed.
  bool ReplaceSelection(ustring_view s, int max_length);
  bool DeleteBackward();
  bool DeleteForward();

  struct TResult {
    bool handled = false;  // the key was the editor's
    bool changed = false;  // the text changed
  };
  // Caret movement, selection, deletion and the clipboard keys.
  TResult Key(std::uint16_t vk, TShiftState shift, bool read_only, int max_length);
  // A typed character: printable ones replace the selection, backspace
  // deletes; other control characters are not the editor's.
  TResult Char(char16_t ch, bool read_only, int max_length);

  bool Copy() const;
  bool Cut(bool read_only);
  bool Paste(bool read_only, int max_length);

  // What is shown: the text, or the password character for every unit (an
  // asterisk shows as a black circle).
  ustring Display(char16_t password_char) const;
  // Pixel offset of position i from the text start, and the position nearest x.
  int PosX(const TFont& font, int i, char16_t password_char) const;
  int HitTest(const TFont& font, int x, char16_t password_char) const;

  struct TLook {
    TColor text = clWindowText;
    TColor selection = clHighlight;
    TColor selection_text = clHighlightText;
    bool show_selection = true;
    bool show_caret = false;
    char16_t password_char = 0;
  };
  // Scrolls so that the caret is inside an area width pixels wide.
  void ScrollToCaret(const TFont& font, int width, char16_t password_char);
  int ScrollX() const { return scroll_; }
  // Draws the text with selection and caret into area (vertically centred).
  void Paint(TCanvas& canvas, const TRect& area, const TFont& font, const TLook& look) const;

 private:
  ustring text_;
  int caret_ = 0;
  int anchor_ = 0;
  int scroll_ = 0;
};

}  // namespace qv
