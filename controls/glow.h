// The hover glow: a soft halo drawn from the section's "GLOW0" element in a
// see-through (layered, per-pixel alpha) window around the control, faded in
// and out by changing the window's constant alpha only. Glows live in the
// registry (glow_registry.h); a binding keeps its glow's number in GlowID.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/ustring.h"
#include "platform/window/types.h"
#include "platform/window/window.h"

namespace qv {

class TsCommonData;
class TsSkinManager;
class TacThreadedTimer;

// One visible glow; the registry owns it.
class TacGlowEffect {
 public:
  TacGlowEffect() = default;
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;
  // Releases the glow window.
  ~TacGlowEffect();

  // Builds the picture for the screen rectangle r from the section's GLOW0
  // element and shows it in a new glow window at constant alpha `alpha`.
  // False (nothing shown) without layered windows, with the mouse captured
  // or without the element.
  bool Show(const TRect& r, ustring_view section, int alpha);

  int Margin = 0;
  int MaskIndex = -1;
  HWND Wnd;  // the glow window (class "TacGlowForm")
  TBitmap32 AlphaBmp;
  bool Destroyed = false;
  // The glow window keeps its class's own procedure, so there is nothing to restore.
  WNDPROC OldWndProc;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
};

// Shows or keeps the hover glow of a binding. refresh: leave a shown glow
// alone; wnd: the window of a binding without a control; skin_index: the
// section (-1: the binding's own); animate: fade it in (from alpha 0).
void ShowGlow(TsCommonData& data, bool refresh, HWND wnd, int skin_index, bool animate, int alpha);
// Fades the glow out (animate) or removes it at once; glow_id := -1 on
// removal (and for a number that names no glow).
void HideGlow(int& glow_id, bool animate);
// Shows the glow picture again with that constant alpha (0..255).
void SetGlowAlpha(int glow_id, int alpha);
// Removes every glow (their bindings forget them) and empties the registry.
// free_windows: the windows go at once (they always do here).
void RemoveAllGlows(bool free_windows = true);
// Whether the binding's glow is shown.
bool GlowShown(const TsCommonData& data);

// The step routine of glow-only fades: only the glow window's alpha moves.
bool GlowFadeStep(TacThreadedTimer& timer, int iteration);

// Removes one glow without touching its control's fade (the fade's own
// steps use it).
void RemoveGlow(int& glow_id);

}  // namespace qv
