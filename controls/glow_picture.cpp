// The glow element drawn as a border mask.
#include "controls/glow_picture.h"

#include "paint/mask_draw.h"
#include "skin/mask_elements.h"

namespace qv {

void PaintGlowPicture(TBitmap32& pic, const TsMaskData& element, const TBitmap32* master) {
  pic.Fill({0, 0, 0, 0});
  DrawBorderMask(pic, pic.BoundsRect(), EmptyCacheInfo(), false, 0, MaskElementOf(element, master));
}

}  // namespace qv
