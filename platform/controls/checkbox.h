// The check box: two or three states, toggled by a click (pressed and
// released over it) and by Space; setting State or Checked from code also
// fires OnClick when the value changes. Text on either side of the box,
// optional word wrap and automatic size. The flat look paints the
// background (PaintFace), box and text (PaintContent) and the focus frame
// (PaintFocus); subclasses replace a part and read PaintState and the
// geometry helpers.
#pragma once

#include "platform/component/wincontrol.h"
#include "platform/controls/alignment.h"
#include "platform/controls/pressable.h"

namespace qv {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TPressableControl {
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

  // The box is held by the mouse (pointer over it) or by Space.
  bool Pressed() const { return Held(); }
  // Adds Checked: the check state.
  TPaintState PaintState() const override;

  // Geometry of the plain look: the box square and the gap before the text
  // (kBoxSize and kTextIndent at 96 pixels per inch; BoxSize() and
  // TextIndent() at the screen's density), and the text rectangle.
  static constexpr int kBoxSize = 13;
  static constexpr int kTextIndent = 5;
  static int BoxSize();
  static int TextIndent();
  TRect BoxRect() const;
  TRect TextRect() const;

  // While clicks are disabled, state changes from code fire nothing.
  bool ClicksDisabled = false;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  void PaintFocus(TCanvas& c, const TPaintState& s) override;
  // Fits the size to box and text when AutoSize is on.
  virtual void AdjustSize();

  void Loaded() override;
  // Scaled bounds, then fitted to the scaled font.
  void ChangeScale(int m, int d) override;
  // Space, or a mouse release over the control, toggles.
  void Released(bool by_key, bool over) override;
  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;

 private:
  TSize MeasureCaption(int max_width) const;

  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allow_grayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
  bool word_wrap_ = false;
  bool auto_size_ = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

}  // namespace qv
