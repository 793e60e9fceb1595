// The "dump" of the automation mode: every control of a window as one JSON
// object per line (name, class, visibility, enabled state, text, and the
// checked state, item index, position or page index where the control has one,
// whether a combo box's list is open, and whether it has the keyboard focus).
#pragma once

#include <string>
#include <vector>

#include "platform/component/wincontrol.h"

namespace qv::script {

// A JSON string literal of the text, in UTF-8: quotes, backslashes and
// control characters escaped.
std::string JsonString(ustring_view text);

// The control's class as the program names it ("TComboBox").
std::string ClassNameOf(const TControl& c);

// The control and every control inside it, depth first in child order.
std::vector<const TControl*> ControlsOf(const TWinControl& root);

// One line of the dump, without its line break.
std::string DumpLine(const TControl& c);

}  // namespace qv::script
