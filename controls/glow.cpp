// The hover glow: its window, its picture and its fades.
#include "controls/glow.h"

namespace qv {

TacGlowEffect::~TacGlowEffect() {
  Destroyed = true;
  if (Wnd && IsWindow(Wnd)) {
    if (OldWndProc) SetWindowProc(Wnd, OldWndProc);
    DestroyWindow(Wnd);
  }
}

}  // namespace qv
