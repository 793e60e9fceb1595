// Marker extraction over the 1-based Pos/Delete rules of the platform text type.
#include "site/ParseControl.h"

#include <algorithm>
#include <cstdint>

namespace qv {

ustring ExtractBetween(ustring text, ustring startMarker, ustring endMarker) {
  const int p = Pos(startMarker, text);
  // Widened so a marker near INT_MAX units cannot overflow the count.
  const std::int64_t count = std::int64_t{p} + static_cast<std::int64_t>(startMarker.size()) - 1;
  Delete(text, 1, static_cast<int>(std::min<std::int64_t>(count, INT32_MAX)));
  const int q = Pos(endMarker, text);
  Delete(text, q, static_cast<int>(text.size()));
  return text;
}

}  // namespace qv
