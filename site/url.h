// Putting a fetch URL on the wire: the caller's text is sent as it stands except
// for what HTTP cannot carry raw.
#pragma once

#include <string>

#include "platform/ustring.h"

namespace qv {

// Characters outside ASCII become UTF-8 percent-escapes, a space becomes %20 and
// "#" becomes %23 (a typed login must not turn into a fragment). Everything else,
// "%" included, is kept. Throws EIdURIException for a URL with control
// characters, one that is not an absolute "http://" URL, or one with no host.
std::string UrlToWire(ustring_view url);

}  // namespace qv
