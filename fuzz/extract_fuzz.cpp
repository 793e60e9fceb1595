// Fuzz target: marker extraction on arbitrary text and markers. The result is
// always one contiguous piece of the text, and an absent start marker drops
// exactly its length less one units.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "site/ParseControl.h"

namespace {

// Splits the input at the first two 0xFFFF units into text, start and end marker.
void Split(const char16_t* units, std::size_t n, qv::ustring (&parts)[3]) {
  int part = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (units[i] == 0xFFFF && part < 2) {
      ++part;
      continue;
    }
    parts[part] += units[i];
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t n = size / 2;
  qv::ustring units(n, u'\0');
  if (n > 0) std::memcpy(units.data(), data, n * 2);
  qv::ustring parts[3];
  Split(units.data(), n, parts);
  const qv::ustring& text = parts[0];
  const qv::ustring& start = parts[1];
  const qv::ustring& end = parts[2];

  const qv::ustring result = qv::ExtractBetween(text, start, end);
  if (result.size() > text.size()) __builtin_trap();
  if (!result.empty() && text.find(result) == qv::ustring::npos) __builtin_trap();
  const bool found = !start.empty() && text.find(start) != qv::ustring::npos;
  if (!found && start.size() >= 1) {
    const std::size_t drop = start.size() - 1;
    const qv::ustring rest = drop >= text.size() ? qv::ustring() : text.substr(drop);
    if (rest.compare(0, result.size(), result) != 0) __builtin_trap();
  }
  return 0;
}
