// Charset names, Content-Type parsing and iconv decoding into UTF-16.
#include "site/charset.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <stdexcept>

#include "site/ascii.h"

namespace qv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Unquote(std::string_view s) {
  s = Trim(s);
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    s = Trim(s.substr(1, s.size() - 2));
  }
  return s;
}

// "1".."16" (without leading zeros) within [lo, hi]; 0 when not such a number.
int SmallNumber(std::string_view s, int lo, int hi) {
  if (s.empty() || s.size() > 2 || s.front() == '0') return 0;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n >= lo && n <= hi ? n : 0;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

TContentType ParseContentType(std::string_view value) {
  TContentType result;
  const auto semi = value.find(';');
  result.mediaType = AsciiLowerCopy(Trim(value.substr(0, semi)));
  if (semi == std::string_view::npos) return result;
  std::string_view params = value.substr(semi + 1);
  while (!params.empty()) {
    // A quoted value may hold ";", so the end of a parameter depends on quoting.
    std::size_t end = 0;
    bool quoted = false;
    for (; end < params.size(); ++end) {
      if (params[end] == '"') quoted = !quoted;
      if (params[end] == ';' && !quoted) break;
    }
    const std::string_view param = params.substr(0, end);
    params = end < params.size() ? params.substr(end + 1) : std::string_view{};
    const auto eq = param.find('=');
    if (eq == std::string_view::npos) continue;
    if (AsciiLowerCopy(Trim(param.substr(0, eq))) == "charset" && result.charset.empty()) {
      result.charset = std::string(Unquote(param.substr(eq + 1)));
    }
  }
  return result;
}

bool IsHtmlMediaType(std::string_view mediaType) {
  return mediaType == "text/html" || mediaType == "application/xhtml+xml";
}

std::string CanonicalCharset(std::string_view label) {
  const std::string s = AsciiLowerCopy(Unquote(label));
  if (s == "utf-8" || s == "utf8" || s == "unicode-1-1-utf-8") return "UTF-8";
  if (s == "us-ascii" || s == "ascii" || s == "iso646-us" || s == "ansi_x3.4-1968") {
    return "US-ASCII";
  }
  if (s == "koi8-r" || s == "koi8r" || s == "koi8" || s == "cskoi8r") return "KOI8-R";
  if (s == "koi8-u" || s == "koi8u") return "KOI8-U";
  if (s == "cp866" || s == "ibm866" || s == "866" || s == "csibm866") return "CP866";
  if (s == "latin1" || s == "l1") return "ISO-8859-1";
  for (std::string_view prefix : {"windows-", "cp", "x-cp", "win-"}) {
    if (!StartsWith(s, prefix)) continue;
    const std::string_view digits = std::string_view(s).substr(prefix.size());
    if (digits.size() == 4 && StartsWith(digits, "125") && digits[3] >= '0' && digits[3] <= '8') {
      return "WINDOWS-" + std::string(digits);
    }
  }
  for (std::string_view prefix : {"iso-8859-", "iso8859-", "iso_8859-", "iso8859"}) {
    if (!StartsWith(s, prefix)) continue;
    std::string_view rest = std::string_view(s).substr(prefix.size());
    if (const auto colon = rest.find(':'); colon != std::string_view::npos) {
      rest = rest.substr(0, colon);  // "iso_8859-5:1988"
    }
    const int n = SmallNumber(rest, 1, 16);
    if (n != 0 && n != 12) return "ISO-8859-" + std::to_string(n);
  }
  return {};
}

ustring DecodeBody(std::string_view bytes, std::string_view canonicalCharset) {
  ustring out;
  if (canonicalCharset.empty()) {
    out.reserve(bytes.size());
    for (unsigned char b : bytes) out += static_cast<char16_t>(b);
    return out;
  }
  const char* target = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
  const std::string from(canonicalCharset);
  iconv_t cd = iconv_open(target, from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Only allow-listed names reach here, and glibc knows them all.
    throw std::runtime_error("iconv cannot decode " + from);
  }
  struct Closer {
    iconv_t cd;
    ~Closer() { iconv_close(cd); }
  } closer{cd};

  out.reserve(bytes.size());
  std::array<char16_t, 4096> chunk;
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* dst = reinterpret_cast<char*>(chunk.data());
    std::size_t dstLeft = sizeof(chunk);
    const std::size_t r = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    out.append(chunk.data(), (sizeof(chunk) - dstLeft) / sizeof(char16_t));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ: one bad byte is replaced and skipped; EINVAL: a sequence cut off
    // by the end of the body.
    out += u'\uFFFD';
    if (errno == EINVAL) break;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

}  // namespace qv
