// Cookies that a page sets through <meta http-equiv="Set-Cookie">: since they
// come from page content, they are held to the host that was asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The libcurl cookie-list line (Netscape format) for one http-equiv Set-Cookie
// value received from host for requestPath at Unix time now, or nullopt when
// the cookie is refused: control characters anywhere, no name, a name or value
// over 4096 bytes, or a Domain attribute naming another host. The cookie never
// applies to sub-domains.
std::optional<std::string> MetaCookieLine(std::string_view setCookie, std::string_view host,
                                          std::string_view requestPath, std::int64_t now);

}  // namespace qv
