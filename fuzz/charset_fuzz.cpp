// Fuzz target: the Content-Type parser, the charset allow-list, the meta
// scanner of page heads, page-set cookies and body decoding.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "site/charset.h"
#include "site/html_meta.h"
#include "site/meta_cookie.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qv::TMetaHeaders meta = qv::ScanMetaHeaders(bytes);
  if (meta.setCookies.size() > qv::TMetaHeaders::kMaxCookies) __builtin_trap();
  // A scanned charset is always one the decoder accepts.
  if (!meta.charset.empty() && qv::CanonicalCharset(meta.charset) != meta.charset) {
    __builtin_trap();
  }
  for (const std::string& c : meta.setCookies) {
    if (auto line = qv::MetaCookieLine(c, "example.test", "/users/x", 1'700'000'000)) {
      // Netscape lines hold exactly six tabs; a seventh would forge a field.
      std::size_t tabs = 0;
      for (char ch : *line) tabs += ch == '\t';
      if (tabs != 6) __builtin_trap();
    }
  }
  const qv::TContentType ct = qv::ParseContentType(bytes.substr(0, 256));
  (void)qv::CanonicalCharset(ct.charset);
  static const char* const kCharsets[] = {"",         "UTF-8",  "WINDOWS-1251",
                                          "KOI8-R",   "CP866",  "ISO-8859-5",
                                          "US-ASCII", "KOI8-U", "ISO-8859-1"};
  const char* charset = kCharsets[size % (sizeof kCharsets / sizeof kCharsets[0])];
  const qv::ustring text = qv::DecodeBody(bytes, charset);
  if (text.size() > size) __builtin_trap();  // never more units than bytes
  return 0;
}
