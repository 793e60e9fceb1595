// What a person sees of a window: its pixels with the popups it has open
// (drop-down lists, menus) drawn over it, as tools and tests capture it.
#pragma once

#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/window/types.h"

namespace qv {

// The visible top-level windows other than hwnd, topmost first: its popups.
std::vector<HWND> VisiblePopups(HWND hwnd);

// A screen area showing hwnd with its popups over it; background where no
// window is. Pending messages are dispatched first, so the pixels are current.
TBitmap32 CaptureScreen(HWND hwnd, const TRect& area, TColor background);

// The smallest screen rectangle holding area and every popup of hwnd.
TRect AreaWithPopups(HWND hwnd, TRect area);

}  // namespace qv
