// Texture elements laid into a rectangle: tiled, stretched, along one edge or
// anchored at a corner, as a section background's texture layer and overlay.
#pragma once

#include "paint/compositing.h"
#include "paint/mask_element.h"

namespace qv {

// The rectangle value that says "everything was covered".
constexpr TRect kTextureCovered{-1, -1, -1, -1};

// Fills r with the texture element e in fill mode `mode` (an opaque element's
// DrawMode, or 10 for an overlay). The texture is the element's rectangle in
// its own image or the master bitmap; tiles start at r's own corner, and
// nothing is drawn outside r or the bitmap. On return r holds the part left
// uncovered (for the base colour), or kTextureCovered.
//
// Opaque elements (MaskType 0): 0 tiles; 1 stretched; 2 a row of tiles along
// the top (rest below left); 3 a column along the left (rest right); 4 and 5
// one stretched row or column; 6 a row along the bottom (rest above); 7 only
// the tiles' strip at the right edge (rest left); 10 whole rows of tiles;
// 11 rows each stretched to the width; 12 columns each stretched to the
// height; 13 tiles anchored at the bottom-right corner; any other mode tiles
// and leaves the right column of one tile width to the caller.
//
// Masked elements (MaskType >= 1; image above, mask below) mix each tile
// through its mask, d := (d * m + i * (256 - m)) >> 8, and show the parent
// through key-coloured image pixels. Mode 0 lays whole rows, mode 10 whole
// tiles; other modes paint nothing and leave r alone.
//
// Strips that whole tiles or rows cannot fill (modes 10, and masked 0) show
// the parent background: ci's bitmap when ready, else its fill colour; with
// no known parent they keep what the bitmap held.
void DrawTexture(TBitmap32& bmp, TRect& r, const TCacheInfo& ci, int mode, const TMaskElement& e);

}  // namespace qv
