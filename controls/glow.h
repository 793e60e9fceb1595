// The hover glow: a soft halo drawn from the section's "GLOW0" element in a
// see-through (layered, per-pixel alpha) window around the control, faded in
// and out by changing the window's constant alpha only.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/window/types.h"
#include "platform/window/window.h"

namespace qv {

class TsCommonData;
class TsSkinManager;

// One visible glow; the registry owns it.
class TacGlowEffect {
 public:
  TacGlowEffect() = default;
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;
  // Releases the glow window.
  ~TacGlowEffect();

  int Margin = 0;
  int MaskIndex = -1;
  HWND Wnd;
  TBitmap32 AlphaBmp;
  bool Destroyed = false;
  WNDPROC OldWndProc;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
};

}  // namespace qv
