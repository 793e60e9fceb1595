// Fuzzes the window description reader: no input may crash it, and whatever it
// accepts must survive a write and a second read unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/stream/description.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const qv::TDescObject root = qv::ParseDescription(text, "fuzz");
    const std::string written = qv::WriteDescription(root);
    const qv::TDescObject again = qv::ParseDescription(written, "again");
    if (qv::WriteDescription(again) != written) std::abort();
  } catch (const qv::TDescriptionError&) {
  }
  return 0;
}
