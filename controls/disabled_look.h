// The look of a disabled skinned control, applied to its finished cache:
// greyed (saturation lowered by 90 %) and/or blended with the background
// behind the control, so that it fades into its parent.
#pragma once

#include "paint/compositing.h"
#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace qv {

class TsCommonData;

enum TsDisabledKindItem { dkBlended, dkGrayed };
using TsDisabledKind = unsigned;  // bits 1 << TsDisabledKindItem
constexpr TsDisabledKind kDefaultDisabledKind = 1u << dkBlended;

// The saturation step of the greyed look on the 0..255 scale: -90 %.
constexpr int kDisabledSaturation = -229;

// Lowers the saturation of every pixel except key-coloured ones.
void GrayDisabled(TBitmap32& bmp);
// Each channel, alpha included: (pixel * 100 + parent * 155) >> 8, with the
// parent pixel behind bitmap pixel (x, y) at parent (offset.X + x,
// offset.Y + y). A parent pixel equal to the key colour 0x00FF00FF, or
// outside the parent, leaves the pixel unchanged.
void BlendDisabled(TBitmap32& bmp, const TBitmap32& parent, TPoint offset);
// The three colour channels: (pixel * 100 + colour * 155) >> 8; alpha kept.
void BlendDisabled(TBitmap32& bmp, TColor color);

// The disabled look of a binding's finished cache, by its owner's
// DisabledKind: greyed first, then blended with the parent's background at
// the control's place (a parent colour of 0xFF00FF is asked for again as the
// parent's background colour).
void ApplyDisabledLook(TsCommonData& data, TBitmap32& cache);
// The same with the parent's background already asked for (as the cache's
// preparation has it).
void ApplyDisabledLook(TsCommonData& data, TBitmap32& cache, const TCacheInfo& parent);

}  // namespace qv
