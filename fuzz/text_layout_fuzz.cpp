// Fuzzes the text-drawing routine with any text, flags and rectangle: it must
// not crash or hang, measuring must agree with drawing, and nothing may be
// written outside the clip.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  std::uint32_t flags = 0;
  std::memcpy(&flags, data, 4);
  const int w = static_cast<std::int8_t>(data[4]);
  const int h = static_cast<std::int8_t>(data[5]);
  const int font_bits = data[6];
  const int shift = static_cast<std::int8_t>(data[7]) / 4;
  qv::ustring text((size - 8) / 2, u'\0');
  std::memcpy(text.data(), data + 8, text.size() * 2);

  qv::TFont font;
  font.Height = -(6 + (font_bits & 15));
  font.Style = static_cast<qv::TFontStyles>(font_bits >> 4) & 15;
  if (font_bits & 0x80) font.Quality = qv::TFontQuality::fqNonAntialiased;

  qv::TRect calc{shift, shift, shift + w, shift + h};
  const int measured = qv::MeasureDrawText(font, text, calc, flags);
  if (calc.Left != shift || calc.Top != shift || calc.Right < calc.Left || measured < 0)
    std::abort();

  const qv::TBGRA paper{1, 2, 3, 255};
  qv::TBitmap32 bmp(64, 48);
  bmp.Fill(paper);
  qv::TTextDevice device(bmp);
  const qv::TRect clip{8, 8, 56, 40};
  device.Clip = {clip};
  device.Origin = {shift, -shift};
  qv::TRect r{0, 0, w, h};
  qv::DrawTextTo(device, font, text, r, flags & ~static_cast<std::uint32_t>(qv::DT_CALCRECT),
                 {qv::OPAQUE, qv::clWhite});
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (!clip.Contains({x, y}) && !(bmp.Pixel(x, y) == paper)) std::abort();
  return 0;
}
