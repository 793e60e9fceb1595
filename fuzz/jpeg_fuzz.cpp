// Fuzz target: JPEG decoding must either succeed or throw EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/image_jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const qv::TBitmap32 b = qv::DecodeJpeg(std::span<const std::uint8_t>(data, size));
    unsigned sum = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) sum += b.Pixel(x, y).G;
    static_cast<void>(sum);
  } catch (const qv::EInvalidGraphic&) {
  }
  return 0;
}
