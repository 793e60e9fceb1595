// Key names of scripts: "Right", "PageUp", "Ctrl+Tab", "Shift+Home", "A", "F5".
// Names are matched without regard to letter case.
#pragma once

#include <optional>
#include <string_view>

#include "tools/snapshot/ui_drive.h"

namespace qv::script {

// The chord a name stands for; nothing for an unknown key or modifier, a
// modifier without a key, or a modifier given twice.
std::optional<drive::TKeyChord> ParseKeyChord(std::string_view text);

}  // namespace qv::script
