// Drawing of skin image elements: nine-slice borders around a rectangle and
// single state frames at a point.
#pragma once

#include "paint/compositing.h"
#include "paint/mask_element.h"

namespace qv {

// The nine-slice margins actually used for a target of width x height: the
// element's margins, shrunk evenly (the odd pixel from the right or bottom)
// when the target is smaller than both together, and never more than it.
struct TSliceMargins {
  int L = 0, T = 0, R = 0, B = 0;
};
TSliceMargins FitMargins(const TMaskElement& e, int width, int height);

// The frame shown for a state: min(state, ImageCount - 1), never below 0.
int MaskFrame(const TMaskElement& e, int state);

// Lays the element's frame for state around r: corners copied, edges (and
// with kMaskFillCentre the centre) tiled or stretched. Key-colour holes of
// the corners show ci when update_corners is set and the element's Cfg says
// its corners have holes. An element that cannot be drawn leaves dst alone.
void DrawBorderMask(TBitmap32& dst, const TRect& r, const TCacheInfo& ci, bool update_corners,
                    int state, const TMaskElement& e);

// One frame of the element unscaled with its top-left corner at p; parts left
// of or above the bitmap are cut off. mode 1 draws normally, others faded.
void DrawMaskImage(TBitmap32& dst, TPoint p, int state, const TCacheInfo& ci, const TMaskElement& e,
                   int mode);

}  // namespace qv
