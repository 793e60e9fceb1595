// The in-memory INI store of skin options and its value readers.
#include "skin/options_store.h"

#include <charconv>
#include <limits>

namespace qv {

namespace {

bool IsBlank(char16_t c) { return c <= u' '; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Hexadecimal digits after the prefix; at most `bits` significant bits.
std::optional<std::uint64_t> ParseHex(ustring_view digits, int bits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t v = 0;
  const std::uint64_t limit = bits >= 64 ? ~0ull : (1ull << bits) - 1;
  for (char16_t c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    if (v > (limit >> 4)) return std::nullopt;
    v = (v << 4) | static_cast<unsigned>(d);
  }
  return v;
}

std::optional<std::int64_t> ParseDecimal64(ustring_view s) {
  std::string ascii;
  ascii.reserve(s.size());
  for (char16_t c : s) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  std::size_t start = 0;
  if (!ascii.empty() && ascii[0] == '+') start = 1;
  if (start < ascii.size() && start == 1 && ascii[1] == '-') return std::nullopt;
  std::int64_t v = 0;
  const char* first = ascii.data() + start;
  const char* last = ascii.data() + ascii.size();
  if (first == last) return std::nullopt;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc{} || ptr != last) return std::nullopt;
  return v;
}

ustring_view HexBody(ustring_view s) {
  if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) return s.substr(2);
  if (!s.empty() && s[0] == u'$') return s.substr(1);
  return ustring_view(nullptr, 0);
}

bool IsHex(ustring_view s) {
  return (!s.empty() && s[0] == u'$') ||
         (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X'));
}

const std::vector<TMemIniFile::TKeyValue> kNoValues;

}  // namespace

ustring TrimText(ustring_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return ustring(s.substr(b, e - b));
}

std::optional<std::int32_t> TryParseSkinInt(ustring_view s) {
  if (IsHex(s)) {
    const auto v = ParseHex(HexBody(s), 32);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*v));
  }
  const auto v = ParseDecimal64(s);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
      *v > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

std::optional<std::int64_t> TryParseSkinInt64(ustring_view s) {
  if (IsHex(s)) {
    const auto v = ParseHex(HexBody(s), 64);
    if (!v) return std::nullopt;
    return static_cast<std::int64_t>(*v);
  }
  return ParseDecimal64(s);
}

std::optional<double> TryParseDecimal(ustring_view s) {
  std::string ascii;
  for (char16_t c : s) {
    // Only plain decimal notation: digits, one sign, one point, an exponent.
    if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+' || c == u'e' ||
          c == u'E'))
      return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  std::size_t start = !ascii.empty() && ascii[0] == '+' ? 1 : 0;
  if (start == 1 && ascii.size() > 1 && ascii[1] == '-') return std::nullopt;
  double v = 0;
  const char* first = ascii.data() + start;
  const char* last = ascii.data() + ascii.size();
  if (first == last) return std::nullopt;
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc{} || ptr != last) return std::nullopt;
  return v;
}

std::vector<ustring> TextLinesFromBytes(std::span<const std::uint8_t> bytes) {
  ustring text;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    text = Utf8ToUtf16(
        std::string_view(reinterpret_cast<const char*>(bytes.data() + 3), bytes.size() - 3));
  } else if (bytes.size() >= 2 &&
             ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
    const bool little = bytes[0] == 0xFF;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned lo = little ? bytes[i] : bytes[i + 1];
      const unsigned hi = little ? bytes[i + 1] : bytes[i];
      text.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
  } else {
    text = AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  return SplitTextLines(text);
}

std::vector<ustring> SplitTextLines(ustring_view text) {
  std::vector<ustring> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

void TMemIniFile::Clear() {
  sections_.clear();
  index_.clear();
}

TMemIniFile::TSection* TMemIniFile::FindSection(ustring_view name) {
  const auto it = index_.find(name);
  return it == index_.end() ? nullptr : &sections_[it->second];
}

const TMemIniFile::TSection* TMemIniFile::FindSection(ustring_view name) const {
  const auto it = index_.find(name);
  return it == index_.end() ? nullptr : &sections_[it->second];
}

TMemIniFile::TSection& TMemIniFile::AddSection(ustring_view name) {
  if (TSection* s = FindSection(name)) return *s;
  index_.emplace(ustring(name), sections_.size());
  sections_.push_back(TSection{ustring(name), {}, {}});
  return sections_.back();
}

void TMemIniFile::SetStrings(const std::vector<ustring>& lines) {
  Clear();
  std::size_t current = static_cast<std::size_t>(-1);
  for (const ustring& raw : lines) {
    const ustring line = TrimText(raw);
    if (line.empty() || line[0] == u';') continue;
    if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
      const ustring name = TrimText(ustring_view(line).substr(1, line.size() - 2));
      AddSection(name);
      current = index_.find(name)->second;
      continue;
    }
    if (current == static_cast<std::size_t>(-1)) continue;
    TSection& section = sections_[current];
    const std::size_t eq = line.find(u'=');
    ustring key = eq == ustring::npos ? line : TrimText(ustring_view(line).substr(0, eq));
    ustring value = eq == ustring::npos ? ustring() : TrimText(ustring_view(line).substr(eq + 1));
    if (section.Index.contains(key)) continue;
    section.Index.emplace(key, section.Values.size());
    section.Values.push_back({std::move(key), std::move(value)});
  }
}

bool TMemIniFile::SectionExists(ustring_view section) const {
  return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(ustring_view section, ustring_view key) const {
  return FindValue(section, key) != nullptr;
}

std::vector<ustring> TMemIniFile::ReadSections() const {
  std::vector<ustring> names;
  names.reserve(sections_.size());
  for (const TSection& s : sections_) names.push_back(s.Name);
  return names;
}

const std::vector<TMemIniFile::TKeyValue>& TMemIniFile::SectionValues(ustring_view section) const {
  const TSection* s = FindSection(section);
  return s ? s->Values : kNoValues;
}

const ustring* TMemIniFile::FindValue(ustring_view section, ustring_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  const auto it = s->Index.find(key);
  return it == s->Index.end() ? nullptr : &s->Values[it->second].Value;
}

ustring TMemIniFile::ReadString(ustring_view section, ustring_view key, ustring_view def) const {
  const ustring* v = FindValue(section, key);
  return v ? *v : ustring(def);
}

std::int32_t TMemIniFile::ReadInteger(ustring_view section, ustring_view key,
                                      std::int32_t def) const {
  const ustring* v = FindValue(section, key);
  return v ? TryParseSkinInt(*v).value_or(def) : def;
}

std::int64_t TMemIniFile::ReadInt64(ustring_view section, ustring_view key,
                                    std::int64_t def) const {
  const ustring* v = FindValue(section, key);
  return v ? TryParseSkinInt64(*v).value_or(def) : def;
}

double TMemIniFile::ReadDecimal(ustring_view section, ustring_view key, double def) const {
  const ustring* v = FindValue(section, key);
  return v ? TryParseDecimal(*v).value_or(def) : def;
}

void TMemIniFile::WriteString(ustring_view section, ustring_view key, ustring_view value) {
  TSection& s = AddSection(section);
  const auto it = s.Index.find(key);
  if (it != s.Index.end()) {
    s.Values[it->second].Value = ustring(value);
    return;
  }
  s.Index.emplace(ustring(key), s.Values.size());
  s.Values.push_back({ustring(key), ustring(value)});
}

}  // namespace qv
