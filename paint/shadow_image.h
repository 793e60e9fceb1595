// Soft rounded-rectangle pictures for shadows and light outlines: the
// computed shadow image (as a grey mask or as a premultiplied colour) and the
// coloured half that an outer-effect element shows through such a mask.
#pragma once

#include "platform/bitmap.h"
#include "platform/color.h"

namespace qv {

enum class TShadowForm {
  Mask,   // opaque grey: white outside, towards the colour's top byte inside
  Color,  // the colour premultiplied by a falling alpha, transparent outside
};

// The computed shadow image: a (2r + dw + 1) x (2r + dh + c + 1) picture of a
// quarter circle of radius r mirrored into four corners, the edges stretched
// by dw and dh, the first c rows left untouched. A blur of 0 or less spreads
// the fall-off over the whole radius. color's top byte is its strength.
// Negative radius, offset or extra sizes count as 0.
TBitmap32 ComputedShadowImage(TColor color, int radius, int offset, TShadowForm form, int blur,
                              int extra_width, int extra_height);

// Fills out (w x h), opaque, with an outer effect's colours: all of left when
// top is the key colour; otherwise top over the upper half and bottom below,
// with a left and a right triangle over them.
void OuterColorHalf(TBitmap32& out, int w, int h, TColor left, TColor top, TColor right,
                    TColor bottom);

}  // namespace qv
