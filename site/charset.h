// Character sets of fetched pages: the Content-Type header's parts, the
// allow-list of decodable charset names, and decoding a body to system text.
#pragma once

#include <string>
#include <string_view>

#include "platform/ustring.h"

namespace qv {

struct TContentType {
  std::string mediaType;  // lower case, e.g. "text/html"; empty when none is given
  std::string charset;    // the charset parameter as written, quotes removed
};

TContentType ParseContentType(std::string_view value);

// True for media types whose body may carry meta declarations.
bool IsHtmlMediaType(std::string_view mediaType);

// The decoder's name of an allow-listed charset label (UTF-8, Windows-125x,
// KOI8-R/U, CP866, ISO-8859-x, US-ASCII and their usual aliases), or an empty
// string for any other label. Case and surrounding blanks do not matter.
std::string CanonicalCharset(std::string_view label);

// Decodes bytes in a canonical charset; invalid or truncated sequences become
// U+FFFD. An empty charset maps each byte to the code of the same value.
ustring DecodeBody(std::string_view bytes, std::string_view canonicalCharset);

}  // namespace qv
