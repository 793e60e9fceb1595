// The picture of a hover glow: the section's glow element laid as a border
// around the whole picture over transparent black. (A unit of its own: the
// mask drawing's names must not meet the control framework's.)
#pragma once

#include "platform/bitmap.h"
#include "skin/skin_types.h"

namespace qv {

// pic keeps its size; master is the skin's master bitmap (for elements
// without an image of their own).
void PaintGlowPicture(TBitmap32& pic, const TsMaskData& element, const TBitmap32* master);

}  // namespace qv
