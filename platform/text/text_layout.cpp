// Line layout of the text-drawing routine. Each rule follows the classic
// platform's drawing routine as far as it can be reasoned out; the comments
// say what was chosen where that behaviour is not evident.
#include "platform/text/text_layout.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/text/bidi.h"

namespace qv::text {

namespace {

struct TItem {
  char32_t Char = 0;
  bool Prefixed = false;
};
using TItems = std::vector<TItem>;

bool IsBreakUnit(char16_t c) { return c == u'\r' || c == u'\n'; }

// Reads one code point at i and advances i.
char32_t NextCodePoint(ustring_view s, std::size_t& i) {
  const char16_t u = s[i++];
  if (u >= 0xD800 && u <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
    const char16_t low = s[i++];
    return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00);
  }
  if (u >= 0xD800 && u <= 0xDFFF) return 0xFFFD;
  return u;
}

struct TOptions {
  bool SingleLine = false;
  bool Wrap = false;
  bool Prefix = true;
  bool ExpandTabs = false;
  bool EditControl = false;
  bool Rtl = false;
  int TabWidth = 8;
  int Available = 0;  // the rectangle's width
};

// Splits text into paragraphs at CR, LF and CRLF (one break each) and takes
// out the accelerator prefixes: "&x" marks x (each marked character is
// underlined), "&&" is one "&", and a "&" with nothing
// after it on its line vanishes. A final break does not open an
// empty last line: "a\n" is one line, as the classic routine stops when no
// text is left.
std::vector<TItems> Paragraphs(ustring_view text, const TOptions& o) {
  std::vector<TItems> out;
  if (text.empty()) return out;
  out.emplace_back();
  bool mark_next = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const char16_t u = text[i];
    if (!o.SingleLine && IsBreakUnit(u)) {
      ++i;
      if (u == u'\r' && i < text.size() && text[i] == u'\n') ++i;
      mark_next = false;
      if (i < text.size()) out.emplace_back();
      continue;
    }
    if (o.Prefix && u == u'&') {
      ++i;
      if (i < text.size() && text[i] == u'&') {
        out.back().push_back({u'&', mark_next});
        mark_next = false;
        ++i;
      } else {
        mark_next = true;
      }
      continue;
    }
    out.back().push_back({NextCodePoint(text, i), mark_next});
    mark_next = false;
  }
  // Text that is nothing but prefixes (a lone "&") measures as empty text;
  // the labels depend on this and pad such captions themselves.
  if (out.size() == 1 && out[0].empty() && text.find_first_of(u"\r\n") == ustring_view::npos)
    out.clear();
  return out;
}

// x moved on by an advance, saturating far beyond any bitmap.
int Step(int x, int advance) { return std::min(x + advance, kMaxCoordinate); }

class TMeasure {
 public:
  TMeasure(TSizedFont& font, const TOptions& o) : font_(font), o_(o) {}

  // Advance of an item placed at x: an expanded tab runs to the next stop,
  // stops lying every TabWidth pixels from the line's left edge.
  int Advance(const TItem& it, int x) const {
    if (it.Char == U'\t' && o_.ExpandTabs) {
      const int t = o_.TabWidth;
      const int next = x < 0 ? t : (x / t + 1) * t;
      return next - x;
    }
    return font_.Advance(it.Char);
  }

  int Width(const TItems& items, std::size_t begin, std::size_t end, int x = 0) const {
    const int start = x;
    for (std::size_t i = begin; i < end; ++i) x = Step(x, Advance(items[i], x));
    return x - start;
  }

  bool IsSpace(char32_t c) const { return c == U' ' || (o_.ExpandTabs && c == U'\t'); }

 private:
  TSizedFont& font_;
  const TOptions& o_;
};

struct TSpan {
  std::size_t Begin = 0;
  std::size_t End = 0;
};

// Greedy word wrapping. Breaks fall at runs of spaces (and of tabs when they
// are expanded); the spaces at a break are neither drawn nor measured, and
// the next line starts at the following word. Spaces never push a line over
// the edge. A word wider than the line stays whole on a line of its own and
// overflows (so a measuring call widens the rectangle to it), except for the
// edit-control flavour, which breaks such a word between characters.
std::vector<TSpan> WrapParagraph(const TItems& p, const TMeasure& m, const TOptions& o) {
  std::vector<TSpan> lines;
  const std::size_t n = p.size();
  if (!o.Wrap || n == 0) {
    lines.push_back({0, n});
    return lines;
  }
  constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::size_t i = 0;
  while (i < n) {
    const std::size_t start = i;
    int x = 0;
    bool seen_word = false;
    std::size_t break_end = npos;  // start of the last space run after a word
    std::size_t word_start = start;
    std::size_t end = n, next = n;
    for (std::size_t j = start; j < n; ++j) {
      if (m.IsSpace(p[j].Char)) {
        if (seen_word && !m.IsSpace(p[j - 1].Char)) break_end = j;
        x = Step(x, m.Advance(p[j], x));
        continue;
      }
      if (j > start && m.IsSpace(p[j - 1].Char)) word_start = j;
      const int w = m.Advance(p[j], x);
      if (x + w > o.Available && j > start) {
        if (break_end != npos && word_start > break_end) {
          end = break_end;
          next = word_start;
        } else if (o.EditControl) {
          end = next = j;
        } else {
          std::size_t k = j;
          while (k < n && !m.IsSpace(p[k].Char)) ++k;
          end = k;
          next = k;
          while (next < n && m.IsSpace(p[next].Char)) ++next;
        }
        break;
      }
      x = Step(x, w);
      seen_word = true;
    }
    lines.push_back({start, end});
    if (next >= n) break;
    i = next;
  }
  return lines;
}

TItems Dots() { return TItems(3, TItem{U'.', false}); }

// Shortens a line that is wider than the rectangle. End ellipsis keeps as
// many characters as fit before "..."; word ellipsis keeps whole words when
// at least one fits (else it behaves as end ellipsis); path ellipsis keeps
// the last path component after "/" or "\" whole and shortens what comes
// before it. "..." is shown even when it alone does not fit.
TItems Ellipsize(const TItems& line, const TMeasure& m, const TOptions& o, unsigned flags) {
  const TItems dots = Dots();
  const std::size_t n = line.size();
  std::vector<int> pos(n + 1, 0);  // left edge of each item
  for (std::size_t i = 0; i < n; ++i) pos[i + 1] = Step(pos[i], m.Advance(line[i], pos[i]));
  // Right edge of the first k items, "..." and a tail. It never decreases
  // with k, which lets the searches below bisect.
  auto end_x = [&](std::size_t k, const TItems& tail) {
    int x = pos[k];
    x = Step(x, m.Width(dots, 0, dots.size(), x));
    return Step(x, m.Width(tail, 0, tail.size(), x));
  };
  auto longest = [&](std::size_t hi, const TItems& tail) {
    std::size_t lo = 0;  // end_x(0) may not fit either: "..." is shown anyway
    while (lo < hi) {
      const std::size_t mid = (lo + hi + 1) / 2;
      if (end_x(mid, tail) <= o.Available)
        lo = mid;
      else
        hi = mid - 1;
    }
    return lo;
  };
  auto join = [&](std::size_t k, const TItems& tail) {
    TItems out(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(k));
    out.insert(out.end(), dots.begin(), dots.end());
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
  };
  if (flags & DT_PATH_ELLIPSIS) {
    std::size_t sep = n;
    for (std::size_t i = n; i-- > 0;) {
      if (line[i].Char == U'\\' || line[i].Char == U'/') {
        sep = i;
        break;
      }
    }
    if (sep < n) {
      const TItems tail(line.begin() + static_cast<std::ptrdiff_t>(sep), line.end());
      return join(longest(sep, tail), tail);
    }
  } else if (flags & DT_WORD_ELLIPSIS) {
    for (std::size_t k = n; k > 0; --k) {
      // k ends a word: a space follows it, and what stays ends in a non-space.
      if (k < n && !m.IsSpace(line[k].Char)) continue;
      if (m.IsSpace(line[k - 1].Char)) continue;
      if (end_x(k, {}) <= o.Available) return join(k, {});
    }
  }
  return join(longest(n, {}), {});
}

TLaidLine Place(const TItems& items, const TMeasure& m, const TOptions& o) {
  TLaidLine line;
  std::vector<int> order;
  std::vector<bool> mirror;
  std::vector<char32_t> chars(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) chars[i] = items[i].Char;
  if (NeedsReordering(chars, o.Rtl)) {
    TVisualOrder v = VisualOrder(chars, o.Rtl);
    order = std::move(v.Order);
    mirror = std::move(v.Mirror);
  }
  int x = 0;
  line.Glyphs.reserve(items.size());
  for (std::size_t pos = 0; pos < items.size(); ++pos) {
    const std::size_t i = order.empty() ? pos : static_cast<std::size_t>(order[pos]);
    TLaidGlyph g;
    g.Char = (!mirror.empty() && mirror[i]) ? MirroredChar(items[i].Char) : items[i].Char;
    g.Prefixed = items[i].Prefixed;
    g.X = x;
    g.Advance = m.Advance(items[i], x);
    g.Visible = !(items[i].Char == U'\t' && o.ExpandTabs);
    x = Step(x, g.Advance);
    line.Glyphs.push_back(g);
  }
  line.Width = x;
  return line;
}

}  // namespace

std::vector<char32_t> DecodeUtf16(ustring_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) out.push_back(NextCodePoint(text, i));
  return out;
}

unsigned SplitTabStop(unsigned flags, int& tab_chars) {
  tab_chars = 8;
  if (!(flags & DT_TABSTOP)) return flags;
  const int size = static_cast<int>((flags >> 8) & 0xFF);
  if (size > 0) tab_chars = size;
  return flags & ~0xFF00u;
}

TLaidLine LayoutPlainLine(TSizedFont& font, ustring_view text) {
  TLaidLine line;
  int x = 0;
  for (std::size_t i = 0; i < text.size();) {
    TLaidGlyph g;
    g.Char = NextCodePoint(text, i);
    g.X = x;
    g.Advance = font.Advance(g.Char);
    x = Step(x, g.Advance);
    line.Glyphs.push_back(g);
  }
  line.Width = x;
  return line;
}

TRect ClampCoordinates(const TRect& r) {
  auto c = [](int v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); };
  return {c(r.Left), c(r.Top), c(r.Right), c(r.Bottom)};
}

TTextLayout LayoutDrawText(TSizedFont& font, ustring_view text, const TRect& given, unsigned flags,
                           bool measuring) {
  const TRect r = ClampCoordinates(given);
  const TFontMetrics& fm = font.Metrics();
  TOptions o;
  int tab_chars = 8;
  flags = SplitTabStop(flags, tab_chars);
  o.SingleLine = (flags & DT_SINGLELINE) != 0;
  o.Wrap = (flags & DT_WORDBREAK) && !o.SingleLine;
  o.Prefix = (flags & DT_NOPREFIX) == 0;
  o.ExpandTabs = (flags & DT_EXPANDTABS) != 0;
  o.EditControl = (flags & DT_EDITCONTROL) != 0;
  o.Rtl = (flags & DT_RTLREADING) != 0;
  o.TabWidth = std::max(1, tab_chars * fm.AveCharWidth);
  o.Available = r.Right - r.Left;
  const bool ellipsis = (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) != 0;
  const TMeasure m(font, o);

  TTextLayout out;
  out.LineHeight = fm.Height + ((flags & DT_EXTERNALLEADING) ? fm.ExternalLeading : 0);
  for (const TItems& p : Paragraphs(text, o)) {
    for (const TSpan& span : WrapParagraph(p, m, o)) {
      TItems items(p.begin() + static_cast<std::ptrdiff_t>(span.Begin),
                   p.begin() + static_cast<std::ptrdiff_t>(span.End));
      if (ellipsis && m.Width(items, 0, items.size()) > o.Available)
        items = Ellipsize(items, m, o, flags);
      out.Lines.push_back(Place(items, m, o));
    }
  }
  // The edit-control flavour does not show a partly visible last line.
  if (o.EditControl && !measuring) {
    const std::size_t fit =
        out.LineHeight > 0 ? static_cast<std::size_t>(std::max(0, r.Height()) / out.LineHeight) : 0;
    if (out.Lines.size() > fit) out.Lines.resize(fit);
  }
  for (const TLaidLine& l : out.Lines) out.Width = std::max(out.Width, l.Width);
  out.Height = static_cast<int>(std::min<long long>(
      static_cast<long long>(out.Lines.size()) * out.LineHeight, kMaxCoordinate));

  // Vertical alignment applies to single lines only, as on the classic
  // platform; centring truncates toward zero.
  int top = r.Top;
  const bool valign = o.SingleLine && (flags & (DT_VCENTER | DT_BOTTOM)) && !measuring;
  if (valign) {
    if (flags & DT_BOTTOM)
      top = r.Bottom - out.Height;
    else
      top = r.Top + (r.Height() - out.Height) / 2;
  }
  // DT_RTLREADING changes the reading order only: alignment stays as the
  // flags say, and right-to-left controls swap DT_LEFT and DT_RIGHT
  // themselves, as the classic controls do.
  int y = top;
  for (TLaidLine& l : out.Lines) {
    if (flags & DT_CENTER)
      l.X = r.Left + (o.Available - l.Width) / 2;
    else if (flags & DT_RIGHT)
      l.X = r.Right - l.Width;
    else
      l.X = r.Left;
    l.Y = y;
    y = Step(y, out.LineHeight);
  }
  // The return value is the text's height; with vertical alignment it is the
  // distance from the rectangle's top to the bottom of the text.
  out.Result = valign ? top - r.Top + out.Height : out.Height;
  out.Calc = {r.Left, r.Top, r.Left + out.Width, r.Top + out.Height};
  return out;
}

}  // namespace qv::text
