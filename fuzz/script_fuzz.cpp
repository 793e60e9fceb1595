// Fuzzes the reader of automation scripts: no input may crash it, every
// action it accepts carries a line within the text (and its keys, where it
// presses some), and a rejected script names a line within it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/snapshot/script.h"

namespace {

// A relative path none of whose parts climbs out.
bool InsideFolder(std::string_view f) {
  if (f.empty() || f.front() == '/') return false;
  const std::string s = "/" + std::string(f) + "/";
  return s.find("/../") == std::string::npos && s.find("/./") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  try {
    for (const qv::script::TAction& a : qv::script::ParseScript(text)) {
      if (a.line < 1 || a.line > lines) std::abort();
      if (a.kind == qv::script::TActionKind::Shot && !InsideFolder(a.file)) std::abort();
      // Key actions carry keys; press aims at no control.
      const bool keyed =
          a.kind == qv::script::TActionKind::Key || a.kind == qv::script::TActionKind::Press;
      if (keyed && a.keys.empty()) std::abort();
      if (a.kind == qv::script::TActionKind::Press && !a.name.empty()) std::abort();
    }
  } catch (const qv::script::EScriptError& e) {
    if (e.Line() < 1 || e.Line() > lines) std::abort();
  }
  return 0;
}
