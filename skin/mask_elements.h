// The skin's image elements handed to the mask drawing, and rescaled
// elements taken back.
#pragma once

#include "paint/mask_element.h"
#include "skin/skin_types.h"

namespace qv {

// The drawing view of m; master is the master bitmap of m's skin (may be
// null when m has its own image). An empty R stands for the whole own image.
TMaskElement MaskElementOf(const TsMaskData& m, const TBitmap32* master);

// Rescales m to its MulPPi (see ScaleMaskData) and stores the new image,
// rectangle, frame size and margins in it. Elements marked to keep their
// size are left alone. Returns whether m was rescaled.
bool ScaleSkinElement(TsMaskData& m, const TBitmap32* master, TColor main_color, bool keep_key);

}  // namespace qv
