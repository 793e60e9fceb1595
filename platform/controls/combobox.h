// The combo box in its two styles: the pick list (csDropDownList), whose
// body shows the selected item, and the editable box (csDropDown), whose
// body is a text field. The list opens as a popup (TListPopup) by a click on
// the body or the button, F4 or Alt+Down; while closed, the arrows, Home,
// End, PgUp, PgDn, the wheel and (pick list) the first letter of an item
// change the selection. A change made by the user fires OnSelect, or
// OnChange when OnSelect is not assigned, also for the item already
// selected; setting ItemIndex from code fires nothing. Typing in the
// editable box fires OnChange. The flat look paints the field box and the
// button (PaintFace, PaintButton) and the item or the text field
// (PaintContent); a subclass replaces a part and reads PaintState (Pressed
// and DroppedDown while the list is open) and ButtonHot, the button being a
// hot part.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/component/classes.h"
#include "platform/component/wincontrol.h"
#include "platform/controls/edit_text.h"
#include "platform/controls/listpopup.h"
#include "platform/controls/text_field.h"

namespace qv {

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TCustomComboBox : public TCustomControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  TStringList& Items() { return items_; }
  const TStringList& Items() const { return items_; }
  // Exact, case-sensitive; -1 when absent.
  int IndexOf(ustring_view s) const;

  int ItemIndex() const { return item_index_; }
  // From code: selects (and shows) the item, fires nothing.
  void SetItemIndex(int index);

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  bool IsEditable() const { return style_ == TComboBoxStyle::csDropDown; }

  // The pick list shows the selected item's text (empty without one); the
  // editable box its own text.
  ustring GetText() const override;
  void SetText(ustring_view text) override;

  int DropDownCount = 16;
  // Height of a list row; 0: from the font.
  int ItemHeight = 0;
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int n) { max_length_ = n < 0 ? 0 : n; }

  bool DroppedDown() const { return popup_ && popup_->IsOpen(); }
  void SetDroppedDown(bool v);
  // The pointer is over the button (the hot part kButtonPart).
  bool ButtonHot() const { return HotPart() == kButtonPart; }
  static constexpr int kButtonPart = 1;
  TRect ButtonRect() const;
  // Where the item text or the text field sits.
  virtual TRect TextRect() const;
  const TEditText& EditText() const { return edit_; }
  bool CaretShown() const { return caret_.On() && Focused() && IsEditable(); }
  TListPopup* Popup() const { return popup_.get(); }
  // Adds Pressed and DroppedDown while the list is open.
  TPaintState PaintState() const override;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void WndProc(TMessage& message) override;

 protected:
  // A user's selection: OnSelect, else OnChange.
  virtual void Select();
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  // The list window; a skinned combo gives its own.
  virtual std::unique_ptr<TListPopup> CreatePopup();
  int ActualItemHeight() const;

  // The field box and the button.
  void PaintFace(TCanvas& canvas, const TPaintState& s) override;
  // The selected item (pick list) or the text field.
  void PaintContent(TCanvas& canvas, const TPaintState& s) override;
  // The drop-down button at r, for the control in state s.
  virtual void PaintButton(TCanvas& canvas, const TRect& r, const TPaintState& s);
  int PartAt(TPoint client) const override;

  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMEnabledChanged(TMessage& m) override;
  void Loaded() override;

 private:
  void ItemsChanged();
  // A selection made by the user; fires even when it is the same item.
  void UserSelect(int index);
  void CommitEdit();
  void EditMoved();
  // Commits and shows what a key or character did to the editable text;
  // true when it was the editor's.
  bool ApplyEdit(TEditText::TResult r);
  void RestartCaret();
  void StopCaret();
  void Accept(int index);
  void Cancel();
  int TextXAt(int x) const;

  TStringList items_;
  int item_index_ = -1;
  int loaded_index_ = -1;  // stored before the items: applied once all is read
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  TEditText edit_;
  int max_length_ = 0;
  std::unique_ptr<TListPopup> popup_;
  TCaretBlink caret_;
  bool selecting_ = false;
  bool mouse_focusing_ = false;
  bool committing_ = false;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

}  // namespace qv
