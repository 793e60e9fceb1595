// Scaling of bitmap pieces: separable Mitchell–Netravali resampling and the
// platform's nearest-pixel stretch.
#pragma once

#include <vector>

#include "platform/bitmap.h"
#include "platform/geometry.h"

namespace qv {

// Resizes dst to new_width x new_height and fills it with src filtered by the
// Mitchell–Netravali filter (B = C = 1/3, radius 2, widened when shrinking):
// horizontally first, then vertically, all four bytes. Equal sizes copy.
// Returns false, leaving dst untouched, for a source smaller than 2 x 2 or an
// empty new size.
bool Resample(const TBitmap32& src, TBitmap32& dst, int new_width, int new_height);

// The same filtering with the plain scalar loops; the result is identical.
bool ResampleReference(const TBitmap32& src, TBitmap32& dst, int new_width, int new_height);

// The source index under each destination index from..to-1 of a nearest
// stretch of count source pixels (starting at first) to n: the pixel under
// the destination pixel's centre, first + floor((2i + 1) count / 2n).
void NearestMap(int first, int count, int n, int from, int to, std::vector<int>& map);

// Resizes out to width x height and fills it with the region of src (inside
// src) stretched to the nearest pixel, as the platform's COLORONCOLOR stretch.
void StretchNearest(const TBitmap32& src, const TRect& region, TBitmap32& out, int width,
                    int height);

}  // namespace qv
