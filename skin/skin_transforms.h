// The manager's hue, saturation and brightness settings applied to a skin
// right after it is loaded: master bitmap, cached images, section colours,
// the shadow colour and the palette.
#pragma once

#include "platform/bitmap.h"
#include "skin/skin_data.h"
#include "skin/skin_types.h"

namespace qv {

struct TSkinTransformSettings {
  int HueOffset = 0;   // degrees
  int Saturation = 0;  // percent
  int Brightness = 0;  // -100..100
  bool Empty() const { return HueOffset == 0 && Saturation == 0 && Brightness == 0; }
};

// What one load has just produced; each part is transformed exactly once, so
// a further load for another density passes only its own data (and no
// palette or common facts already transformed). Any part may be absent.
struct TSkinTransformTarget {
  TBitmap32* Master = nullptr;
  // Its cached images and section colours change only while its
  // ColorsTransformed is false; its elements always say where the master's
  // mask halves and kept glyphs lie.
  TacSkinData* Data = nullptr;
  // Read for BIKeepHUE; its Shadow1Color is changed only with Palette given.
  TacSkinCommonInfo* Common = nullptr;
  // Pass it only with the load that built it, and build it from colours not
  // yet transformed.
  TacPaletteArray* Palette = nullptr;
  // A further load (no Master) that cuts title glyphs kept by BIKeepHUE out of
  // an already transformed master gives them own copies of these pixels, the
  // master as read, so that they keep their colours at every density.
  const TBitmap32* MasterAsRead = nullptr;
};

// Hue, then saturation, then brightness; a setting of 0 skips its step. The
// hue reaches a state's gradient only when the state mixes one in
// (GradientPercent above 0). Mask halves (of master areas and cached images)
// are kept as loaded. Marks Data as transformed.
void ApplySkinTransforms(const TSkinTransformSettings& s, const TSkinTransformTarget& t);

}  // namespace qv
