// Fuzzes the HTML label's markup engine with any caption, area, alignment,
// reading order and link states: laying out and drawing into a small bitmap
// must not crash or hang, the drawing pass must reproduce the measured size,
// link pieces must be real rectangles, and nothing may be written outside
// the canvas's clip.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "controls/html_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  const int left = static_cast<std::int8_t>(data[0]) / 4;
  const int width = data[1];  // 0: no wrapping
  const int font_bits = data[2];
  const int options = data[3];
  const int pressed = static_cast<std::int8_t>(data[4]) % 4;
  const int hot = static_cast<std::int8_t>(data[5]) % 4;
  const int ppi = 96 + 24 * (data[6] & 3);
  // Odd data[7]: one character a byte, so that tags form easily; even: UTF-16.
  qv::ustring text;
  if (data[7] & 1) {
    text.assign(data + 8, data + size);
  } else {
    text.resize((size - 8) / 2);
    std::memcpy(text.data(), data + 8, text.size() * 2);
  }

  const qv::TBGRA paper{1, 2, 3, 255};
  qv::TBitmap32 bmp(64, 48);
  bmp.Fill(paper);
  qv::TCanvas canvas(bmp);
  const qv::TRect clip{4, 4, 60, 44};
  canvas.SetClipRect(clip);
  canvas.Font.Height = -(6 + (font_bits & 15));
  canvas.Font.PixelsPerInch = ppi;
  canvas.Font.Style = static_cast<qv::TFontStyles>(font_bits >> 4) & 15;
  canvas.Font.Color = qv::clBlack;

  qv::TsHtml html;
  html.Alignment = static_cast<qv::TAlignment>(options % 3);
  html.RightToLeft = (options & 4) != 0;
  const qv::TRect area{left, 0, width == 0 ? 0 : left + width, 48};
  html.Init(canvas, text, pressed, hot, area);
  qv::TacLinks links;
  const qv::TRect measured = html.HTMLText(links, true);
  if (!links.empty()) std::abort();
  const qv::TRect drawn = html.HTMLText(links, false);
  if (measured != drawn || measured.Left != 0 || measured.Top != 0 || measured.Right < 0 ||
      measured.Bottom < 0)
    std::abort();
  for (const qv::TacLink& link : links)
    for (const qv::TRect& piece : link.Pieces)
      if (piece.IsEmpty()) std::abort();
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (!clip.Contains({x, y}) && !(bmp.Pixel(x, y) == paper)) std::abort();

  const qv::ustring plain = qv::StripMarkup(text);
  if (plain.size() > text.size()) std::abort();
  return 0;
}
