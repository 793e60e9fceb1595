// Fuzzes fonts registered from memory (a skin may carry any bytes as a font):
// registering, measuring and drawing with the face, and removing it must not
// crash, whatever the bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int handle =
      qv::AddFontMemResource(std::vector<std::uint8_t>(data, data + size), u"Fuzzed Face");
  if (handle == 0) return 0;
  qv::TFont font;
  font.Name = u"Fuzzed Face";
  for (int height : {-11, 13, -40}) {
    font.Height = height;
    const qv::TTextMetrics m = qv::GetTextMetrics(font);
    if (m.Height < 0) std::abort();
    qv::TBitmap32 bmp(48, 24);
    qv::TTextDevice device(bmp);
    qv::TRect r{0, 0, 48, 24};
    qv::DrawTextTo(device, font, u"Ёж Aa &1\tW", r, qv::DT_WORDBREAK | qv::DT_EXPANDTABS);
    font.Style = qv::fsBold | qv::fsItalic;
  }
  if (!qv::RemoveFontMemResource(handle)) std::abort();
  return 0;
}
