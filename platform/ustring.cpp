// UTF-16 text helpers of the platform.
#include "platform/ustring.h"

#include <array>
#include <charconv>
#include <limits>

namespace qv {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendUtf16(ustring& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Windows-1251 bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kCp1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

}  // namespace

ustring Utf8ToUtf16(std::string_view s) {
  ustring out;
  out.reserve(s.size());
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
      len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    int got = 1;
    while (got < len && i + got < n && (static_cast<unsigned char>(s[i + got]) & 0xC0) == 0x80) {
      cp = (cp << 6) | (static_cast<unsigned char>(s[i + got]) & 0x3F);
      ++got;
    }
    if (got < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // A broken sequence counts as one bad unit; its continuation bytes are re-read.
      out.push_back(kReplacement);
      i += got < len ? got : len;
      continue;
    }
    AppendUtf16(out, cp);
    i += len;
  }
  return out;
}

std::string Utf16ToUtf8(ustring_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

ustring AnsiToUtf16(std::string_view s) {
  ustring out;
  out.reserve(s.size());
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(b < 0x80 ? b : kCp1251[b - 0x80]);
  }
  return out;
}

std::string Utf16ToAnsi(ustring_view s) {
  std::string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char byte = '?';
    for (std::size_t i = 0; i < kCp1251.size(); ++i) {
      if (kCp1251[i] == c && c != kReplacement) {
        byte = static_cast<char>(0x80 + i);
        break;
      }
    }
    out.push_back(byte);
  }
  return out;
}

int Pos(ustring_view needle, ustring_view haystack) {
  if (needle.empty() || haystack.empty()) return 0;
  const auto at = haystack.find(needle);
  return at == ustring_view::npos ? 0 : static_cast<int>(at) + 1;
}

ustring Copy(ustring_view s, int index, int count) {
  if (index < 1) index = 1;
  const auto len = static_cast<std::int64_t>(s.size());
  if (count <= 0 || index > len) return {};
  const std::int64_t n = std::min<std::int64_t>(count, len - index + 1);
  return ustring(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(n)));
}

void Delete(ustring& s, int index, int count) {
  const auto len = static_cast<std::int64_t>(s.size());
  if (index < 1 || index > len || count <= 0) return;
  const std::int64_t n = std::min<std::int64_t>(count, len - index + 1);
  s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(n));
}

ustring IntToStr(std::int64_t v) {
  const std::string digits = std::to_string(v);
  return ustring(digits.begin(), digits.end());
}

std::optional<std::int32_t> TryStrToInt(ustring_view s) {
  std::string ascii;
  for (char16_t c : s) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  std::size_t start = ascii.empty() || ascii[0] != '+' ? 0 : 1;
  if (start == 1 && (ascii.size() == 1 || ascii[1] == '-')) return std::nullopt;
  std::int32_t value = 0;
  const char* first = ascii.data() + start;
  const char* last = ascii.data() + ascii.size();
  if (first == last) return std::nullopt;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc{} || ptr != last) return std::nullopt;
  return value;
}

std::int32_t StrToIntDef(ustring_view s, std::int32_t def) { return TryStrToInt(s).value_or(def); }

char16_t UpCaseChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 0x50);
  return c;
}

char16_t LowCaseChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 0x50);
  return c;
}

ustring UpperCase(ustring_view s) {
  ustring out(s);
  for (auto& c : out) c = UpCaseChar(c);
  return out;
}

ustring LowerCase(ustring_view s) {
  ustring out(s);
  for (auto& c : out) c = LowCaseChar(c);
  return out;
}

}  // namespace qv
