// The press state the push-style controls share: held by the left button
// (with capture, shown pressed only while the pointer stays over it) or by
// Space. Focus loss, cancel mode and disabling let go. Subclasses say what a
// release does and read the state through MouseDownOnIt, Held and PaintState.
#pragma once

#include "platform/component/wincontrol.h"

namespace qv {

class TPressableControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

  // Held by the left button (the pointer may have left it).
  bool MouseDownOnIt() const { return mouse_down_; }
  // Held by the mouse with the pointer over it, or by Space.
  bool Held() const { return (mouse_down_ && mouse_over_) || key_down_; }

  // Adds Pressed: held, while enabled.
  TPaintState PaintState() const override;

  void WndProc(TMessage& m) override;

 protected:
  // A hold ended by releasing Space (by_key) or the left button; over: the
  // pointer was over the control at the mouse release.
  virtual void Released(bool by_key, bool over) = 0;

  void MouseDown(TMouseButton b, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void KeyUp(std::uint16_t& key, TShiftState shift) override;
  void CMEnabledChanged(TMessage& m) override;

 private:
  bool mouse_down_ = false;
  bool mouse_over_ = false;
  bool key_down_ = false;
};

}  // namespace qv
