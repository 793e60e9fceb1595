// Host of the game site, taken from the build configuration.
#include "site/game_site.h"

#include <utility>

#ifndef QV_GAME_HOST
#error "QV_GAME_HOST must be defined by the build"
#endif

namespace qv {

namespace {
ustring& RunHost() {
  static ustring host;
  return host;
}
}  // namespace

ustring GameHost() { return RunHost().empty() ? Utf8ToUtf16(QV_GAME_HOST) : RunHost(); }

void SetGameHostForRun(ustring host) { RunHost() = std::move(host); }

ustring ProfileUrl(ustring_view login) {
  ustring url = u"http://" + GameHost() + u"/users/" + ustring(login);
  for (char16_t& c : url) {
    if (c == u' ') c = u'+';
  }
  return url;
}

}  // namespace qv
