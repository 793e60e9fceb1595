// The meta declarations at the head of an HTML page that act as response
// headers: the page's charset and http-equiv Set-Cookie values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct TMetaHeaders {
  // Canonical name (see CanonicalCharset) of the first declaration whose charset
  // is on the allow-list; empty when there is none. Unknown names are passed
  // over, so they never replace a good header charset.
  std::string charset;
  // Contents of http-equiv="Set-Cookie" tags, in page order, at most kMaxCookies.
  std::vector<std::string> setCookies;
  static constexpr std::size_t kMaxCookies = 32;
};

// Scans the raw page bytes up to the end of its head ("</head" or "<body"),
// skipping comments. Both `<meta charset=…>` and `<meta http-equiv=
// "Content-Type" content="…; charset=…">` count. Never fails; linear in size.
TMetaHeaders ScanMetaHeaders(std::string_view html);

}  // namespace qv
