// Outer-effect elements (a shadow or light outline around a control) laid
// into the parent's picture around the control's rectangle grown by the
// effect's offsets.
#pragma once

#include <cstdint>

#include "paint/compositing.h"
#include "paint/mask_element.h"

namespace qv {

// Lays the element's frame for state around r as a nine-slice border does
// (corners copied, edges and with kMaskFillCentre the centre tiled or
// stretched, margins shrunk for small rectangles), with two differences:
// every piece is drawn at the constant opacity, and the left, top, right and
// bottom edges are only as thick as offsets.Left, Top, Right, Bottom allow
// (their outer part). Elements with per-pixel alpha scale it by the opacity;
// masked and key-colour elements are drawn whole and then mixed over what
// the target held, d := (o (drawn - d) + 256 d) >> 8 (opacity 255: drawn as
// it is), so pixels no piece changes keep the target; key pixels of keyed
// corners keep it too when no parent is known. Nothing is drawn for
// a rectangle narrower or lower than 2 pixels, an element with kMaskNoNormal,
// or one that cannot be drawn.
void DrawOuterMask(TBitmap32& dst, const TRect& r, const TCacheInfo& ci, std::uint8_t opacity,
                   const TRect& offsets, int state, const TMaskElement& e);

}  // namespace qv
