// The spin edit: an edit for a 64-bit integer with up and down buttons on
// its trailing side. Up/Down keys, the wheel and the buttons (with
// auto-repeat while held) step the value by Increment, saturating at the
// ends of the range; typing is filtered to what can make an integer. The
// text may be emptied from code or by the user and stays empty (it reads as 0).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/controls/edit.h"

namespace qv {

// Auto-repeat of a held spin button: the first step after this delay...
constexpr unsigned kSpinRepeatDelayMs = 300;
// ...then one step per interval.
constexpr unsigned kSpinRepeatIntervalMs = 80;

// A decimal 64-bit integer with an optional sign; nullopt otherwise (also on overflow).
std::optional<std::int64_t> ParseInt64(ustring_view s);

class TSpinEdit : public TCustomEdit {
 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  // 0 for empty text, MinValue for text that is not an integer.
  std::int64_t Value() const;
  // Range-checked (see CheckValue), written as decimal text.
  void SetValue(std::int64_t v);
  std::int64_t MinValue() const { return min_value_; }
  void SetMinValue(std::int64_t v) { min_value_ = v; }
  std::int64_t MaxValue() const { return max_value_; }
  void SetMaxValue(std::int64_t v) { max_value_ = v; }
  std::int64_t Increment() const { return increment_; }
  void SetIncrement(std::int64_t v) { increment_ = v; }
  bool AllowNegative() const { return allow_negative_; }
  void SetAllowNegative(bool v) { allow_negative_ = v; }
  // Off: the value changes only through the buttons, keys and wheel.
  bool EditorEnabled() const { return editor_enabled_; }
  void SetEditorEnabled(bool v) { editor_enabled_ = v; }
  // 0: the system's scroll-arrow width.
  int ButtonWidth() const { return button_width_; }
  void SetButtonWidth(int w);

  // The range rule: with MinValue = MaxValue no range, only the negative
  // rule; otherwise a bound of 0 means no bound on that side.
  std::int64_t CheckValue(std::int64_t v) const;

  // Button states, 0 normal, 1 hot, 2 pressed (held with the pointer over
  // it), from the press and the hot part (1 up, 2 down).
  int UpState() const { return ButtonState(kUpButton); }
  int DownState() const { return ButtonState(kDownButton); }
  static constexpr int kUpButton = 1;
  static constexpr int kDownButton = 2;
  TRect UpButtonRect() const;
  TRect DownButtonRect() const;

  // One step up or down as the buttons make it (OnUpClick/OnDownClick replace it).
  void StepUp() { Step(true); }
  void StepDown() { Step(false); }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  void WndProc(TMessage& message) override;

 protected:
  TRect EditRect() const override;
  bool AcceptChar(char16_t& ch) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void FocusChanged(bool focused) override;
  void Loaded() override;
  // The up and down buttons are hot parts.
  int PartAt(TPoint client) const override;

  // The field box and the two buttons.
  void PaintFace(TCanvas& canvas, const TPaintState& s) override;
  // One spin button of the plain flat look in its state.
  virtual void PaintSpinButton(TCanvas& canvas, const TRect& r, bool up, int state);

 private:
  int ActualButtonWidth() const;
  void Step(bool up);
  int ButtonState(int button) const;
  // The button held by the mouse (0: none).
  void SetPressed(int button);
  void StopRepeat();
  void Paste();

  std::int64_t min_value_ = 0;
  std::int64_t max_value_ = 0;
  std::int64_t increment_ = 1;
  bool allow_negative_ = true;
  bool editor_enabled_ = true;
  int button_width_ = 0;
  int pressed_ = 0;  // the button the mouse went down on
  bool repeating_ = false;
};

}  // namespace qv
