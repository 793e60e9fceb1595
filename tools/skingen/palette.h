// The colours of the program's skin as the user sees them, and their
// authoring: the window shows the skin with a hue offset, so every chromatic
// colour is written into the skin with its hue turned back, found through the
// skin engine's own hue transform. Also the contrast ratio the text colours
// are held to.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace qv::skingen {

// The hue offset of the main window; the skin engine reduces it to 280 degrees.
constexpr int kShownHueOffset = 1000;

// 0xRRGGBB as written in colour pickers, as a colour value 0x00BBGGRR.
constexpr TColor Hex(std::uint32_t rrggbb) {
  return RGB(static_cast<int>((rrggbb >> 16) & 0xFF), static_cast<int>((rrggbb >> 8) & 0xFF),
             static_cast<int>(rrggbb & 0xFF));
}

// What the user sees, before authoring.
namespace shown {
constexpr TColor kWindow = Hex(0xF3F3F3);          // form client, inactive tabs
constexpr TColor kSurface = Hex(0xFFFFFF);         // pages, fields, group boxes
constexpr TColor kText = Hex(0x1B1B1B);            // captions, labels, field text
constexpr TColor kTextMuted = Hex(0x5F5F5F);       // secondary text, glyphs at rest
constexpr TColor kBorder = Hex(0xADADAD);          // buttons and fields at rest
constexpr TColor kBorderStrong = Hex(0x8A8A8A);    // check boxes, toggles: small parts
constexpr TColor kDivider = Hex(0xD9D9D9);         // group boxes, pane, tab edges
constexpr TColor kTrack = Hex(0xE5E5E5);           // progress and scroll tracks
constexpr TColor kAccent = Hex(0x107C10);          // selection, focus, active tab, title
constexpr TColor kAccentDark = Hex(0x0B5A0B);      // hot and pressed accent parts
constexpr TColor kAccentTint = Hex(0xE6F2E6);      // hot faces
constexpr TColor kAccentTintDeep = Hex(0xCCE4CC);  // pressed faces, unfocused selection
constexpr TColor kOnAccent = Hex(0xFFFFFF);        // text and glyphs on accent
constexpr TColor kTitleInactive = Hex(0x5C7A5C);   // title bar of an inactive window
constexpr TColor kThumb = Hex(0xC2C2C2);           // scroll thumb at rest
constexpr TColor kThumbHot = Hex(0xA6A6A6);
constexpr TColor kThumbPressed = Hex(0x7A7A7A);
constexpr TColor kLinkHot = Hex(0x0B5A0B);  // a hovered link (not hue-rotated)
// The close button keeps its hue (the skin's keep-hue switch).
constexpr TColor kCloseHot = Hex(0xE81123);
constexpr TColor kClosePressed = Hex(0xC50F1F);
}  // namespace shown

// The colour to write into the skin so that the window's hue offset shows
// `shown`: the hue turned back, then the nearest colour whose rotation comes
// closest (the transform works on whole degrees). Greys are their own.
TColor Authored(TColor shown);
TBGRA AuthoredPixel(TBGRA shown);

// The colour the window shows for an authored colour.
TColor Shown(TColor authored);

// The contrast ratio of two opaque colours (the WCAG formula), 1 to 21.
double ContrastRatio(TColor a, TColor b);

}  // namespace qv::skingen
