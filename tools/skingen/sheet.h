// Pictures of the generated skin for looking at, painted from the package as
// the program will show it (hue offset applied): the contact sheet of one
// density (a window made of the skin's parts, every control's states, every
// element's frames at 1:1 and enlarged) and the package's preview image.
#pragma once

#include "platform/bitmap.h"
#include "skin/package.h"

namespace qv::skingen {

TBitmap32 RenderContactSheet(TByteView package, int ppi);

// The skin list's preview: 140 x 100 pixels.
constexpr int kPreviewWidth = 140;
constexpr int kPreviewHeight = 100;
TBitmap32 RenderPreview(TByteView package);

}  // namespace qv::skingen
