// The options store of a skin: an in-memory INI text with case-sensitive
// section and key names, and the value readers the skin engine uses (text,
// decimal or hexadecimal integers, locale-independent decimals).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ustring.h"

namespace qv {

// Code units up to the space trimmed from both ends.
ustring TrimText(ustring_view s);

// Options integers: "0x"/"0X" or "$" introduce up to 32 bits of hexadecimal
// (so $FF000000 reads as a negative number), otherwise decimal with an optional
// sign. nullopt when the text does not convert.
std::optional<std::int32_t> TryParseSkinInt(ustring_view s);
std::optional<std::int64_t> TryParseSkinInt64(ustring_view s);
// A decimal number with "." as separator, whatever the user's locale.
std::optional<double> TryParseDecimal(ustring_view s);

// Lines of a text file: a byte-order mark selects UTF-8 or UTF-16 (either byte
// order); without one the bytes are in the 8-bit code page. CR LF, LF and CR
// all end a line.
std::vector<ustring> SplitTextLines(ustring_view text);
std::vector<ustring> TextLinesFromBytes(std::span<const std::uint8_t> bytes);

// Hash for maps keyed by system text that are searched with views.
struct TUStringHash {
  using is_transparent = void;
  std::size_t operator()(ustring_view s) const { return std::hash<ustring_view>{}(s); }
};
template <class V>
using TUStringMap = std::unordered_map<ustring, V, TUStringHash, std::equal_to<>>;

class TMemIniFile {
 public:
  struct TKeyValue {
    ustring Key;
    ustring Value;
  };

  // Replaces the content with the INI lines. A repeated section continues the
  // first one; of a repeated key the first value counts.
  void SetStrings(const std::vector<ustring>& lines);
  void LoadFromBytes(std::span<const std::uint8_t> bytes) { SetStrings(TextLinesFromBytes(bytes)); }
  void Clear();

  bool SectionExists(ustring_view section) const;
  bool ValueExists(ustring_view section, ustring_view key) const;
  // Section names in order of first appearance.
  std::vector<ustring> ReadSections() const;
  // The keys of a section in their order; empty for a missing section.
  const std::vector<TKeyValue>& SectionValues(ustring_view section) const;
  int SectionCount() const { return static_cast<int>(sections_.size()); }

  // The value, or def when the section or the key is missing.
  ustring ReadString(ustring_view section, ustring_view key, ustring_view def) const;
  // nullptr when missing; no copy.
  const ustring* FindValue(ustring_view section, ustring_view key) const;
  std::int32_t ReadInteger(ustring_view section, ustring_view key, std::int32_t def) const;
  std::int64_t ReadInt64(ustring_view section, ustring_view key, std::int64_t def) const;
  double ReadDecimal(ustring_view section, ustring_view key, double def) const;

  // Adds or replaces a value (sections and keys are appended when new).
  void WriteString(ustring_view section, ustring_view key, ustring_view value);

 private:
  struct TSection {
    ustring Name;
    std::vector<TKeyValue> Values;
    TUStringMap<std::size_t> Index;
  };
  TSection* FindSection(ustring_view name);
  const TSection* FindSection(ustring_view name) const;
  TSection& AddSection(ustring_view name);

  std::vector<TSection> sections_;
  TUStringMap<std::size_t> index_;
};

}  // namespace qv
