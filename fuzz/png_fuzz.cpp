// Fuzz target: PNG decoding must either succeed or throw EPngError. Mutated
// files almost never keep valid CRCs, so each input is also decoded once more
// with every chunk CRC rewritten, which lets the fuzzer reach the image data.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/acPNG.h"

namespace {

void Decode(std::span<const std::uint8_t> data, const qv::TPngLoadOptions& options) {
  try {
    const qv::TBitmap32 b = qv::LoadPngImage(data, options);
    // Touch every pixel so that a bad row address shows up here.
    unsigned sum = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) sum += b.Pixel(x, y).A;
    static_cast<void>(sum);
  } catch (const qv::EPngError&) {
  }
}

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// Rewrites the CRC of every whole chunk after the signature.
std::vector<std::uint8_t> WithValidCrcs(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> out(data, data + size);
  std::size_t pos = 8;
  while (pos + 12 <= out.size()) {
    const std::uint32_t length = Read32(&out[pos]);
    if (length > out.size() - pos - 12) break;
    const uLong crc = crc32(0, &out[pos + 4], length + 4);
    for (int i = 0; i < 4; ++i)
      out[pos + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    pos += 12 + length;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Decode(std::span<const std::uint8_t>(data, size), {});
  if (size == 0) return 0;
  // The last byte picks the output options for the second decoding.
  qv::TPngLoadOptions options;
  const std::uint8_t pick = data[size - 1];
  options.ApplyGamma = (pick & 1) != 0;
  options.PixelFormat = (pick & 2) != 0 ? qv::TPixelFormat::pf24bit : qv::TPixelFormat::pf32bit;
  if ((pick & 6) == 6) options.PixelFormat = qv::TPixelFormat::pf8bit;
  Decode(WithValidCrcs(data, size), options);
  return 0;
}
