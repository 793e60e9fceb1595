// System colours of the platform and their replaceable lookup.
#include "platform/color.h"

#include <array>
#include <utility>

namespace qv {

namespace {

// The classic palette of a desktop of this kind.
constexpr std::array<TColor, COLOR_ENDCOLORS> kClassic = {
    RGB(200, 200, 200),  // scroll bar
    RGB(0, 0, 0),        // background
    RGB(153, 180, 209),  // active caption
    RGB(191, 205, 219),  // inactive caption
    RGB(240, 240, 240),  // menu
    RGB(255, 255, 255),  // window
    RGB(100, 100, 100),  // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(0, 0, 0),        // caption text
    RGB(180, 180, 180),  // active border
    RGB(244, 247, 252),  // inactive border
    RGB(171, 171, 171),  // app workspace
    RGB(0, 120, 215),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(240, 240, 240),  // button face
    RGB(160, 160, 160),  // button shadow
    RGB(109, 109, 109),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(0, 0, 0),        // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(105, 105, 105),  // 3-D dark shadow
    RGB(227, 227, 227),  // 3-D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(0, 0, 0),        // (unused index 25)
    RGB(0, 102, 204),    // hot light
    RGB(185, 209, 234),  // gradient active caption
    RGB(215, 228, 242),  // gradient inactive caption
    RGB(0, 120, 215),    // menu highlight
    RGB(240, 240, 240),  // menu bar
};

TSysColorLookup& Lookup() {
  static TSysColorLookup lookup;
  return lookup;
}

}  // namespace

TColor DefaultSysColor(int index) {
  if (index < 0 || index >= COLOR_ENDCOLORS) return 0;
  return kClassic[static_cast<std::size_t>(index)];
}

void SetSysColorLookup(TSysColorLookup lookup) { Lookup() = std::move(lookup); }

TColor GetSysColor(int index) {
  const auto& lookup = Lookup();
  return lookup ? lookup(index) : DefaultSysColor(index);
}

TColor ColorToRGB(TColor c) {
  if (c < 0) return GetSysColor(c & 0xFF);
  return c;
}

}  // namespace qv
