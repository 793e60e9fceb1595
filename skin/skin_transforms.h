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
  TacSkinData* Data = nullptr;
  // Read for BIKeepHUE; its Shadow1Color is changed only with Palette given.
  TacSkinCommonInfo* Common = nullptr;
  TacPaletteArray* Palette = nullptr;
};

// Hue, then saturation, then brightness; a setting of 0 skips its step.
// Mask halves (of master areas and cached images) are kept as loaded.
void ApplySkinTransforms(const TSkinTransformSettings& s, const TSkinTransformTarget& t);

}  // namespace qv
