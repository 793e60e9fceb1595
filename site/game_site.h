// The game's web site as this build knows it: its host (set at configure time
// with -DQV_GAME_HOST=host[:port]) and the address of a manager's profile page.
// Tests and the snapshot tool may point one run at a local server instead;
// the program itself never does.
#pragma once

#include "platform/ustring.h"

namespace qv {

ustring GameHost();
// Replaces the host for the rest of this run; an empty host restores the
// build's own.
void SetGameHostForRun(ustring host);

// "http://" + host + "/users/" + login, with every space replaced by "+" and
// nothing else escaped (the fetch puts the rest on the wire).
ustring ProfileUrl(ustring_view login);

}  // namespace qv
