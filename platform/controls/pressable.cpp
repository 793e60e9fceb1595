// The shared press state of push-style controls.
#include "platform/controls/pressable.h"

#include "platform/window/keys.h"

namespace qv {

TPaintState TPressableControl::PaintState() const {
  TPaintState s = TCustomControl::PaintState();
  s.Pressed = Held() && s.Enabled;
  return s;
}

void TPressableControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KILLFOCUS:
      key_down_ = false;
      [[fallthrough]];
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      StateChanged();
      return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
      mouse_down_ = key_down_ = false;
      TCustomControl::WndProc(m);
      StateChanged();
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

void TPressableControl::MouseDown(TMouseButton b, TShiftState shift, int x, int y) {
  if (b == TMouseButton::mbLeft && IsEnabledInTree()) {
    mouse_down_ = mouse_over_ = true;
    StateChanged();
  }
  TCustomControl::MouseDown(b, shift, x, y);
}

void TPressableControl::MouseMove(TShiftState shift, int x, int y) {
  if (mouse_down_) {
    const bool over = ClientRect().Contains({x, y});
    if (over != mouse_over_) {
      mouse_over_ = over;
      StateChanged();
    }
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TPressableControl::MouseUp(TMouseButton b, TShiftState shift, int x, int y) {
  if (b == TMouseButton::mbLeft && mouse_down_) {
    const bool over = ClientRect().Contains({x, y});
    mouse_down_ = mouse_over_ = false;
    StateChanged();
    Released(false, over);
  }
  TCustomControl::MouseUp(b, shift, x, y);
}

void TPressableControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE && !key_down_ && shift == 0) {
    key_down_ = true;
    StateChanged();
  }
  TCustomControl::KeyDown(key, shift);
}

void TPressableControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE && key_down_) {
    key_down_ = false;
    StateChanged();
    Released(true, true);
  }
  TCustomControl::KeyUp(key, shift);
}

void TPressableControl::CMEnabledChanged(TMessage& m) {
  if (!Enabled()) mouse_down_ = key_down_ = false;
  TCustomControl::CMEnabledChanged(m);
}

}  // namespace qv
