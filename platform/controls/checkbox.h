// The check box: two or three states, toggled by a click (pressed and
// released over it) and by Space; setting State or Checked from code also
// fires OnClick when the value changes. Text on either side of the box,
// optional word wrap and automatic size. Paint draws the plain flat look;
// subclasses read Pressed, Hot and the geometry helpers.
#pragma once

#include "platform/component/wincontrol.h"
#include "platform/controls/alignment.h"
#include "platform/controls/flat_look.h"

namespace qv {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TCustomControl {
 public:
  explicit TCustomCheckBox(TComponent* owner);

  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool v);
  // Unchecked → checked → grayed (when allowed) → unchecked.
  virtual void Toggle();

  // taRightJustify: text right of the box (the default); taLeftJustify: left of it.
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);

  bool Hot() const { return hot_; }
  // The box is held by the mouse (pointer over it) or by Space.
  bool Pressed() const { return (mouse_down_ && mouse_over_) || key_down_; }
  TFlatState DrawState() const;

  // Geometry of the plain look: the box square and the text rectangle.
  static constexpr int kBoxSize = 13;
  static constexpr int kTextIndent = 5;
  TRect BoxRect() const;
  TRect TextRect() const;

  // While clicks are disabled, state changes from code fire nothing.
  bool ClicksDisabled = false;

  void WndProc(TMessage& m) override;

 protected:
  void Paint() override;
  virtual void StateChanged() { Invalidate(); }
  // Fits the size to box and text when AutoSize is on.
  virtual void AdjustSize();

  void Loaded() override;
  void MouseDown(TMouseButton b, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void CMMouseEnter(TMessage& m) override;
  void CMMouseLeave(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;

 private:
  TSize MeasureText(int max_width) const;

  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
  bool word_wrap_ = false;
  bool auto_size_ = false;
  bool hot_ = false;
  bool mouse_down_ = false;
  bool mouse_over_ = false;
  bool key_down_ = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace qv
