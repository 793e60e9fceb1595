// Reading order of one line: a reduced bidirectional reordering. Characters
// are strong left-to-right (letters of left-to-right scripts, digits), strong
// right-to-left (Hebrew, Arabic and their neighbours) or neutral; neutrals
// between two strong characters of one direction take it, others take the
// paragraph's. Runs are then reversed from the deepest level up.
#pragma once

#include <vector>

namespace qv::text {

struct TVisualOrder {
  std::vector<int> Order;    // logical index of each visual position
  std::vector<bool> Mirror;  // per logical index: shown mirrored (brackets)
};

// True when the line must be reordered at all.
bool NeedsReordering(const std::vector<char32_t>& line, bool rtl_paragraph);
TVisualOrder VisualOrder(const std::vector<char32_t>& line, bool rtl_paragraph);
// The mirrored form of a bracket-like character; other characters unchanged.
char32_t MirroredChar(char32_t c);

}  // namespace qv::text
