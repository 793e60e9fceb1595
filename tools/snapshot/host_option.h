// The snapshot tool's --game-host value: "host" or "host:port", as the look-up
// puts it into a profile address.
#pragma once

#include <string_view>

namespace qv::script {

// Letters, digits, '.' and '-' (not first), optionally ":" and a port from 1
// to 65535; nothing else, so that the value cannot change the address's path.
bool ValidGameHost(std::string_view host);

}  // namespace qv::script
