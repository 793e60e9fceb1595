// Fuzzes fonts registered from memory (a skin may carry any bytes as a font):
// registering, measuring and drawing with the face, and removing it must not
// crash, whatever the bytes. Inputs starting with an even byte are the font
// themselves; the others are patches (offset high, offset low, value) to a
// real small face, so that damage reaches deep into well-formed tables.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/text/text.h"

namespace {

const std::vector<std::uint8_t>& RealFace() {
  static const std::vector<std::uint8_t> bytes = [] {
    std::ifstream in("/usr/share/wine/fonts/webdings.ttf", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
  }();
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> font;
  if ((data[0] & 1) == 0 || RealFace().empty()) {
    font.assign(data, data + size);
  } else {
    font = RealFace();
    for (std::size_t i = 1; i + 2 < size; i += 3)
      font[((data[i] << 8) | data[i + 1]) % font.size()] = data[i + 2];
  }
  const int handle = qv::AddFontMemResource(std::move(font), u"Fuzzed Face");
  if (handle == 0) return 0;
  qv::TFont f;
  f.Name = u"Fuzzed Face";
  for (int height : {-11, 13, -40}) {
    f.Height = height;
    const qv::TTextMetrics m = qv::GetTextMetrics(f);
    if (m.Height < 0) std::abort();
    qv::TBitmap32 bmp(48, 24);
    qv::TTextDevice device(bmp);
    qv::TRect r{0, 0, 48, 24};
    qv::DrawTextTo(device, f, u"Ёж Aa &1\tW", r, qv::DT_WORDBREAK | qv::DT_EXPANDTABS);
    f.Style = qv::fsBold | qv::fsItalic;
  }
  if (!qv::RemoveFontMemResource(handle)) std::abort();
  return 0;
}
