// Painting laid-out text: background boxes, glyph coverage blended in the
// text colour, underline, strikeout and accelerator underlines, each write
// limited to the device's clip rectangles.
#pragma once

#include <optional>

#include "platform/text/text.h"
#include "platform/text/text_layout.h"

namespace qv::text {

enum class TPrefixShow { Normal, Hidden, Only };

struct TPaintStyle {
  TColor Color = clBlack;  // plain RGB
  bool Opaque = false;
  TColor BkColor = clWhite;  // plain RGB
  bool Underline = false;
  bool StrikeOut = false;
  TPrefixShow Prefix = TPrefixShow::Normal;
};

// clip: a further logical rectangle to stay within, when given.
void PaintLines(TTextDevice& device, TSizedFont& font, const std::vector<TLaidLine>& lines,
                const TPaintStyle& style, const std::optional<TRect>& clip);

}  // namespace qv::text
