// Refreshing the key-colour corners of a control's painted border from its
// parent's current background.
#pragma once

#include "paint/compositing.h"
#include "paint/mask_element.h"

namespace qv {

// Corner set bits.
constexpr int kCornerTopLeft = 1;
constexpr int kCornerBottomLeft = 2;
constexpr int kCornerTopRight = 4;
constexpr int kCornerBottomRight = 8;

// In each requested corner of cache (the control's whole picture, bordered by
// e in the given state), every pixel whose border source pixel is the key
// colour takes the parent background: with bg.Bmp the pixel at its position
// plus (bg.X, bg.Y) when inside, else bg.FillColor as a pixel (its top byte
// the alpha). The margins are those the border was drawn with, and nothing is
// written outside cache. Elements without key holes (Cfg) are left alone.
void UpdateMaskCorners(TBitmap32& cache, const TMaskElement& e, int state, int corners,
                       const TCacheInfo& bg);

}  // namespace qv
