// Line layout of the text-drawing routine: line breaks, word wrapping, the
// "&" accelerator prefix, tab expansion, ellipses, reading order, alignment
// and the measured rectangle. Pure geometry: drawing is the painter's.
// DT_INTERNAL and DT_NOFULLWIDTHCHARBREAK change nothing here (there is no
// separate system font, and no full-width characters are broken specially).
#pragma once

#include <vector>

#include "platform/geometry.h"
#include "platform/text/sized_font.h"
#include "platform/ustring.h"

namespace qv::text {

struct TLaidGlyph {
  char32_t Char = 0;  // the character shown (mirrored when read right to left)
  int X = 0;          // from the line's left edge
  int Advance = 0;
  bool Prefixed = false;  // the accelerator character: underlined
  bool Visible = true;    // false for expanded tabs, which only move on
};

struct TLaidLine {
  std::vector<TLaidGlyph> Glyphs;
  int X = 0;  // left edge, logical coordinates
  int Y = 0;  // top of the line's cell
  int Width = 0;
};

struct TTextLayout {
  std::vector<TLaidLine> Lines;  // the lines to draw
  int LineHeight = 0;
  int Width = 0;   // the widest line
  int Height = 0;  // of all lines laid out
  int Result = 0;  // what the drawing routine returns
  TRect Calc;      // the rectangle a measuring call hands back
};

// With DT_TABSTOP the second byte of the flags (bits 8 to 15) is the tab
// size in characters and stands for none of the flags it would otherwise
// hold (DT_NOCLIP, DT_CALCRECT, DT_NOPREFIX ...). Returns the flags that
// remain and sets the tab size (8 without DT_TABSTOP or for a size of 0).
unsigned SplitTabStop(unsigned flags, int& tab_chars);

// Lays text out in r with DrawText flags (DT_*). measuring: for the
// rectangle only (DT_CALCRECT), which skips vertical alignment and the
// dropping of a partly visible last line.
TTextLayout LayoutDrawText(TSizedFont& font, ustring_view text, const TRect& r, unsigned flags,
                           bool measuring);
// One line of text as it stands: no prefixes, breaks or tab stops.
TLaidLine LayoutPlainLine(TSizedFont& font, ustring_view text);

// Coordinates beyond this are brought back to it, so that no sum of
// positions and widths can overflow.
inline constexpr int kMaxCoordinate = 1 << 28;
TRect ClampCoordinates(const TRect& r);

// Code points of UTF-16 text; a lone surrogate becomes U+FFFD.
std::vector<char32_t> DecodeUtf16(ustring_view text);

}  // namespace qv::text
