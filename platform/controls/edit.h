// The single-line edit: a windowed control that keeps its text in a
// TEditText and answers the mouse (click to place the caret, drag and double
// click to select), the keys and typed characters, the clipboard, MaxLength
// and ReadOnly, with a blinking caret while focused. OnChange fires on every
// change of the text, also from code. The flat look paints the field box
// (PaintFace) and the text or hint with selection and caret (PaintContent);
// a subclass replaces a part and reads PaintState and the accessors.
#pragma once

#include <cstdint>

#include "platform/component/wincontrol.h"
#include "platform/controls/edit_text.h"
#include "platform/controls/text_field.h"

namespace qv {

class TCustomEdit : public TCustomControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

  ustring GetText() const override { return edit_.Text(); }
  void SetText(ustring_view text) override;

  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n) { max_length_ = n < 0 ? 0 : n; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v);
  char16_t PasswordChar() const { return password_char_; }
  void SetPasswordChar(char16_t c);
  const ustring& TextHint() const { return text_hint_; }
  void SetTextHint(ustring_view s);
  bool AutoSelect = true;
  bool HideSelection = true;
  bool BorderVisible() const { return border_; }
  void SetBorderVisible(bool v);

  int SelStart() const { return edit_.SelStart(); }
  int SelLength() const { return edit_.SelLength(); }
  void SetSelStart(int v);
  void SetSelLength(int v);
  ustring SelText() const { return edit_.SelText(); }
  // Replaces the selection (from code: MaxLength does not apply).
  void SetSelText(ustring_view s);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard() const { edit_.Copy(); }
  void CutToClipboard();
  void PasteFromClipboard();

  // Whether the caret is drawn right now (it blinks while focused).
  bool CaretShown() const { return caret_.On() && Focused(); }
  const TEditText& EditText() const { return edit_; }
  // Adds ReadOnly.
  TPaintState PaintState() const override;

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  // Fires OnChange; every change of the text comes here.
  virtual void Change();
  // Where the text goes: the client area inside the border and padding.
  virtual TRect EditRect() const;
  // Whether a typed character goes in (a spin edit filters digits).
  virtual bool AcceptChar(char16_t& ch) {
    (void)ch;
    return true;
  }
  // Replaces the selection as the user does; true when the text changed.
  bool UserReplace(ustring_view s);
  // Edits made through the editing state are committed here.
  void CommitUserEdit();

  // The field box: frame and background.
  void PaintFace(TCanvas& canvas, const TPaintState& s) override;
  // The text or the hint, the selection and the caret.
  void PaintContent(TCanvas& canvas, const TPaintState& s) override;

  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void Resize() override;
  // The window gained or lost the keyboard focus.
  virtual void FocusChanged(bool focused);

  TEditText edit_;

 private:
  void RestartCaret();
  void StopCaret();
  void CaretMoved();
  // Commits and shows what a key or character did; true when it was the editor's.
  bool ApplyEdit(TEditText::TResult r);
  int TextXAt(int client_x) const;

  int max_length_ = 0;
  bool read_only_ = false;
  char16_t password_char_ = 0;
  ustring text_hint_;
  bool border_ = true;
  TCaretBlink caret_;
  bool selecting_ = false;
  bool mouse_focusing_ = false;
  bool committing_ = false;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

}  // namespace qv
