// Fuzzes the image-element notations: any value either converts into fields
// or raises the conversion error, and never reads outside its text.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/element_notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qv::ustring value =
      qv::UpperCase(qv::Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size)));
  if (!qv::IsElementValue(value)) return 0;
  try {
    const qv::TacElementFields f = qv::ParseCanonicalElement(qv::CanonicalElementText(value));
    if (f.ImageCount < 1 || f.ImgType > qv::itisaPngGlyph) std::abort();
  } catch (const qv::ESkinConvertError&) {
  }
  return 0;
}
