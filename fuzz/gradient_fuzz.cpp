// Fuzzes the gradient description parser, then paints what it accepts, so
// that any stop array the parser can produce is painted safely.
#include <cstddef>
#include <cstdint>

#include "paint/gradient.h"
#include "platform/bitmap.h"
#include "platform/ustring.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the geometry; the rest is the description as UTF-8.
  const std::uint8_t g = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  qv::TsGradArray arr;
  try {
    qv::ParseGradient(qv::Utf8ToUtf16(text), arr);
  } catch (const qv::EGradientError&) {
    return 0;
  }
  qv::TBitmap32 bmp(1 + (g & 15), 1 + (g >> 4),
                    (g & 1) ? qv::TRowOrder::BottomUp : qv::TRowOrder::TopDown);
  const int shift = static_cast<int>(g % 7) - 3;
  const qv::TRect r = qv::Rect(shift, -shift, bmp.Width() + shift * 2, bmp.Height() - shift);
  qv::PaintGradient(bmp, r, arr);
  qv::TBitmap32 tex(3, 2);
  qv::PaintGradientTextured(bmp, r, arr, 255, g, qv::TRect{}, tex);
  return 0;
}
