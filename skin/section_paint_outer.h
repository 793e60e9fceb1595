// Outer effects of controls: a parent paints, into its own picture, the
// shadow or light outline of each child that shows one, just outside the
// child's bounds. The parent side picks the children; the child side picks
// its section's element (or the skin-wide effect) and draws it.
#pragma once

#include <functional>
#include <span>

#include "skin/control_paint_view.h"

namespace qv {

// What the parent side needs to know of one child.
struct TOuterEffectsChild {
  bool Visible = false;
  bool HasParent = false;
  bool Windowed = false;   // a control with a window of its own
  bool HasWindow = false;  // that window exists
  bool Creating = false;   // being created
  bool Reading = false;    // reading its stored description
  // Delivers the request to the child: the parent's picture and where the
  // parent's client origin lies in it.
  std::function<void(TBitmap32& cache, TPoint offset)> Paint;
};

// Asks every child that can paint, in order, to draw its outer effect into
// the parent's picture; nothing unless the parent is skinned and the skin
// allows outer effects.
void PaintOuterEffects(bool parent_skinned, bool allow_outer_effects, TBitmap32& cache,
                       TPoint offset, std::span<const TOuterEffectsChild> children);

// The child side. bounds is the child's rectangle in the parent's client
// coordinates, offset where that client origin lies in parent_cache. Nothing
// unless the child is skinned, shows outer effects and its section's
// OuterMode is at least 1. The element, offsets and opacity are the
// skin-wide effect of OuterMode 1 (light outline) or 2 (shadow) when the
// section has no element of its own, else the section's; an offset that the
// skin does not give counts as 0. outer_cache receives the parent's pixels
// under the grown rectangle (what the effect is drawn over), then the element
// is drawn there in state 0.
void PaintChildOuterEffect(const TControlPaintView& child, const TRect& bounds,
                           TBitmap32& parent_cache, TPoint offset, TBitmap32& outer_cache);

}  // namespace qv
