// Layered windows: top-level windows (extended style WS_EX_LAYERED) that show
// a picture with per-pixel alpha, times a constant alpha, over whatever lies
// below them. They need no compositing desktop: the window system blends
// each one into the pictures of the program's own top-level windows beneath
// it before those are presented, so a layered window shows only where one of
// them lies under it and is clipped at their edges. A layered window takes
// no input: the pointer reaches what lies below, and it is never activated.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/window/types.h"

namespace qv {

// Shows the picture (colour bytes premultiplied by the pixel's alpha, as a
// picture drawn over transparent black is; copied) at the screen point with the
// constant alpha. A null position keeps the window's place; a null picture
// keeps the one shown (only the constant alpha changes). The window takes
// the picture's size. False for a window that is not a layered top-level
// window.
bool UpdateLayeredWindow(HWND hwnd, const TPoint* screen_pos, const TBitmap32* pixels,
                         std::uint8_t alpha);
// The picture a layered window shows and its constant alpha (null: none yet).
const TBitmap32* GetLayeredWindowPicture(HWND hwnd, std::uint8_t* alpha = nullptr);

// The mix of one premultiplied picture pixel over one window pixel at
// constant alpha c: with w = (a c + 127) div 255, each colour byte becomes
// min(255, (s c + d (255 - w) + 127) div 255); the window pixel's alpha stays.
TBGRA BlendLayeredPixel(TBGRA dst, TBGRA src, std::uint8_t alpha);

}  // namespace qv
