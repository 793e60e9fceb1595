// UTF-16 URL to the byte string handed to the HTTP library.
#include "site/url.h"

#include "site/IdException.h"

namespace qv {

namespace {

bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F); }

void AppendEscaped(std::string& out, unsigned char b) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[b >> 4];
  out += kHex[b & 0x0F];
}

}  // namespace

std::string UrlToWire(ustring_view url) {
  for (char16_t c : url) {
    if (IsControl(c)) throw EIdURIException(u"Invalid URL: it contains a control character.");
  }
  constexpr ustring_view kScheme = u"http://";
  bool schemeOk = url.size() >= kScheme.size();
  for (std::size_t i = 0; schemeOk && i < kScheme.size(); ++i) {
    schemeOk = LowCaseChar(url[i]) == kScheme[i];
  }
  if (!schemeOk) throw EIdURIException(u"Invalid URL: only http:// addresses can be fetched.");
  const ustring_view rest = url.substr(kScheme.size());
  if (rest.empty() || rest.front() == u'/' || rest.front() == u'?' || rest.front() == u'#' ||
      rest.front() == u':') {
    throw EIdURIException(u"Invalid URL: the host name is missing.");
  }

  std::string out;
  out.reserve(url.size() + 16);
  // Non-ASCII runs are converted together so surrogate pairs stay one character.
  std::size_t i = 0;
  while (i < url.size()) {
    const char16_t c = url[i];
    if (c < 0x80) {
      if (c == u' ') {
        out += "%20";
      } else if (c == u'#') {
        out += "%23";
      } else {
        out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < url.size() && url[j] >= 0x80) ++j;
    for (unsigned char b : Utf16ToUtf8(url.substr(i, j - i))) AppendEscaped(out, b);
    i = j;
  }
  return out;
}

}  // namespace qv
