// Turning an http-equiv Set-Cookie value into a host-only cookie-list line.
#include "site/meta_cookie.h"

#include <curl/curl.h>

#include <charconv>
#include <limits>

#include "site/ascii.h"

namespace qv {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// RFC 6265 default path: the request path up to, not including, its last "/".
std::string DefaultPath(std::string_view requestPath) {
  if (requestPath.empty() || requestPath.front() != '/') return "/";
  const auto last = requestPath.rfind('/');
  return last == 0 ? "/" : std::string(requestPath.substr(0, last));
}

}  // namespace

std::optional<std::string> MetaCookieLine(std::string_view setCookie, std::string_view host,
                                          std::string_view requestPath, std::int64_t now) {
  for (unsigned char c : setCookie) {
    if (c < 0x20 || c == 0x7F) return std::nullopt;
  }
  if (host.empty()) return std::nullopt;

  std::string_view rest = setCookie;
  auto nextPart = [&rest]() {
    const auto semi = rest.find(';');
    const std::string_view part = rest.substr(0, semi);
    rest = semi == std::string_view::npos ? std::string_view{} : rest.substr(semi + 1);
    return Trim(part);
  };
  const std::string_view pair = nextPart();
  const auto eq = pair.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view name = Trim(pair.substr(0, eq));
  const std::string_view value = Trim(pair.substr(eq + 1));
  if (name.empty() || name.size() > 4096 || value.size() > 4096) return std::nullopt;

  std::string path = DefaultPath(requestPath);
  bool secure = false;
  std::int64_t expires = 0;  // a session cookie
  bool haveMaxAge = false;
  while (!rest.empty()) {
    const std::string_view attr = nextPart();
    const auto aeq = attr.find('=');
    const std::string_view key = Trim(attr.substr(0, aeq));
    const std::string_view val =
        aeq == std::string_view::npos ? std::string_view{} : Trim(attr.substr(aeq + 1));
    if (AsciiEqualsNoCase(key, "domain")) {
      std::string_view d = val;
      if (!d.empty() && d.front() == '.') d.remove_prefix(1);
      if (!d.empty() && !AsciiEqualsNoCase(d, host)) return std::nullopt;
    } else if (AsciiEqualsNoCase(key, "path")) {
      if (!val.empty() && val.front() == '/') path = std::string(val);
    } else if (AsciiEqualsNoCase(key, "secure")) {
      secure = true;
    } else if (AsciiEqualsNoCase(key, "max-age")) {
      std::int64_t seconds = 0;
      const auto [end, ec] = std::from_chars(val.data(), val.data() + val.size(), seconds);
      if (ec == std::errc{} && end == val.data() + val.size()) {
        haveMaxAge = true;
        // A non-positive age deletes the cookie: any time in the past does.
        if (seconds <= 0) {
          expires = 1;
        } else {
          expires = seconds > std::numeric_limits<std::int64_t>::max() - now
                        ? std::numeric_limits<std::int64_t>::max()
                        : now + seconds;
        }
      }
    } else if (AsciiEqualsNoCase(key, "expires") && !haveMaxAge) {
      const std::string date(val);
      const time_t t = curl_getdate(date.c_str(), nullptr);
      if (t != -1) expires = t <= 0 ? 1 : static_cast<std::int64_t>(t);
    }
  }
  // Fields: domain, include sub-domains, path, secure, expiry, name, value.
  std::string line(host);
  line += "\tFALSE\t";
  line += path;
  line += secure ? "\tTRUE\t" : "\tFALSE\t";
  line += std::to_string(expires);
  line += '\t';
  line += name;
  line += '\t';
  line += value;
  return line;
}

}  // namespace qv
