// Reduced bidirectional reordering of one line.
#include "platform/text/bidi.h"

#include <algorithm>

namespace qv::text {

namespace {

enum class TDir { L, R, N };

TDir Direction(char32_t c) {
  if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
      (c >= 0xFE70 && c <= 0xFEFF) || (c >= 0x10800 && c <= 0x10FFF) ||
      (c >= 0x1E800 && c <= 0x1EFFF))
    return TDir::R;
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return TDir::L;
  if (c >= 0x00C0 && c <= 0x058F && c != 0x00D7 && c != 0x00F7) return TDir::L;
  if ((c >= 0x0900 && c <= 0x1FFF) || (c >= 0x2C00 && c <= 0x2DFF) ||
      (c >= 0x3040 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFB1C) || c >= 0x10000)
    return TDir::L;
  return TDir::N;
}

}  // namespace

char32_t MirroredChar(char32_t c) {
  switch (c) {
    case '(':
      return ')';
    case ')':
      return '(';
    case '[':
      return ']';
    case ']':
      return '[';
    case '{':
      return '}';
    case '}':
      return '{';
    case '<':
      return '>';
    case '>':
      return '<';
    case 0x00AB:
      return 0x00BB;
    case 0x00BB:
      return 0x00AB;
    default:
      return c;
  }
}

bool NeedsReordering(const std::vector<char32_t>& line, bool rtl_paragraph) {
  if (rtl_paragraph) return !line.empty();
  return std::any_of(line.begin(), line.end(), [](char32_t c) { return Direction(c) == TDir::R; });
}

TVisualOrder VisualOrder(const std::vector<char32_t>& line, bool rtl_paragraph) {
  const int n = static_cast<int>(line.size());
  const TDir para = rtl_paragraph ? TDir::R : TDir::L;
  std::vector<TDir> dir(n);
  for (int i = 0; i < n; ++i) dir[i] = Direction(line[i]);
  // Neutral runs take the direction of equal neighbours, else the paragraph's.
  for (int i = 0; i < n;) {
    if (dir[i] != TDir::N) {
      ++i;
      continue;
    }
    int j = i;
    while (j < n && dir[j] == TDir::N) ++j;
    const TDir before = i > 0 ? dir[i - 1] : para;
    const TDir after = j < n ? dir[j] : para;
    const TDir resolved = before == after ? before : para;
    for (int k = i; k < j; ++k) dir[k] = resolved;
    i = j;
  }
  // Levels: even for left-to-right, odd for right-to-left, above the paragraph's.
  std::vector<int> level(n);
  for (int i = 0; i < n; ++i) {
    if (rtl_paragraph)
      level[i] = dir[i] == TDir::R ? 1 : 2;
    else
      level[i] = dir[i] == TDir::R ? 1 : 0;
  }
  TVisualOrder out;
  out.Order.resize(n);
  out.Mirror.resize(n);
  for (int i = 0; i < n; ++i) {
    out.Order[i] = i;
    out.Mirror[i] = (level[i] & 1) != 0;
  }
  const int top = n ? *std::max_element(level.begin(), level.end()) : 0;
  for (int l = top; l >= 1; --l) {
    for (int i = 0; i < n;) {
      if (level[out.Order[i]] < l) {
        ++i;
        continue;
      }
      int j = i;
      while (j < n && level[out.Order[j]] >= l) ++j;
      std::reverse(out.Order.begin() + i, out.Order.begin() + j);
      i = j;
    }
  }
  return out;
}

}  // namespace qv::text
