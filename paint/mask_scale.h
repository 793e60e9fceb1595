// Rescaling of a skin image element to another pixels-per-inch value.
#pragma once

#include "paint/mask_element.h"
#include "platform/color.h"

namespace qv {

// Resamples the element's frames from DivPPI to MulPPi into a new own bitmap
// and scales its size and margins. Key-colour pixels are first replaced by
// main_color (alpha 0) so the filter does not smear magenta, and restored by
// alpha afterwards unless keep_key (or the element's own alpha) says not to.
// Returns false, leaving the element as it was, when there is nothing to
// scale, the element is too small or its rectangle is not inside its source.
bool ScaleMaskData(TMaskElement& e, TColor main_color, bool keep_key);

}  // namespace qv
