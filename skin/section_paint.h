// Section painting: one skin section in one state painted into a rectangle
// of a 32-bit bitmap over the parent's background - the background layers
// (colour, gradient, texture) mixed with the parent by the state's
// transparency, the corner images, the border element and, for a control,
// its colour tone, hue and saturation.
//
// Coordinates: P is where the bitmap's origin lies in the parent, so the
// parent pixel behind bitmap pixel (x, y) is ci.Bmp's pixel at
// (ci.X + P.X + x, ci.Y + P.Y + y). A control paints its whole cache
// (R at the origin), and P is its position.
//
// Invalid input paints nothing: no skin data, a skin index outside the
// sections, a section without states, an empty rectangle or (for the whole
// section) one that does not lie inside the bitmap.
#pragma once

#include "paint/compositing.h"
#include "skin/control_paint_view.h"

namespace qv {

// The state painted for a requested one: clamped to 0..min(2, States - 1);
// -1 for a section without states.
int SectionPaintState(const TsGeneralData& g, int state);

// The whole section by index: background (with the optional hot and normal
// texture overrides, -1 for none), corner images and border.
void PaintSection(int skin_index, const TCacheInfo& ci, int hot_texture, int texture,
                  const TSectionSkin& skin, TBitmap32& bmp, TPoint p, const TRect& r, int state);

// The whole section of a control, then its colour tone, hue offset and
// saturation over the whole bitmap (key-coloured pixels excepted). A section
// without a border drawn in this state gets them only when it is opaque.
void PaintControlSection(const TControlPaintView& c, const TCacheInfo& ci, bool update_corners,
                         TBitmap32& bmp, TPoint p, const TRect& r, int state);

// The background layers of a control's section, in its own colour when it keeps one.
void PaintControlBackground(const TControlPaintView& c, const TCacheInfo& ci, int state,
                            TBitmap32& bmp, TPoint p, const TRect& r);

// The background layers only. A custom colour (clKeyColor: none) replaces
// the layers and the transparency. Hot and pressed states without a texture
// overlay of their own show the normal state's.
void PaintSectionBackground(int skin_index, const TCacheInfo& ci, int state, TColor custom,
                            int hot_texture, int texture, const TSectionSkin& skin, TBitmap32& bmp,
                            TPoint p, const TRect& r);

// The shortcuts painting takes; tests and benchmarks switch them off to
// compare them with the plain composition of the same layers.
struct TSectionPaintPaths {
  // A tiled texture with a plain gradient in one pass, without a temporary bitmap.
  bool OnePass = true;
  // A plain colour over a ready parent mixed in place, without a temporary bitmap.
  bool DirectBlend = true;
};
void SetSectionPaintPaths(const TSectionPaintPaths& paths);
TSectionPaintPaths SectionPaintPaths();

}  // namespace qv
