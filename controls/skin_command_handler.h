// How every skinned control answers the skin engine's commands and the
// ordinary window notifications, on its binding: one common command handler
// and one common message handler. A control runs them from its window
// procedure (skinned_control.h) after its own handling.
#pragma once

#include "controls/common_data.h"
#include "platform/component/messages.h"

namespace qv {

// A SKIN_COMMAND_MSG: true when the command was handled (m.Result holds the
// answer); false for codes only controls or the frame answer, for unknown
// codes, and for commands that name another manager or lack their record.
bool CommonSkinCommand(TsCommonData& data, TMessage& m);

// An ordinary notification (moves, sizes, focus, enabling, visibility,
// hover, parent notification, density change, printing): true when the
// message is done with; false when the platform should still process it.
bool CommonMessage(TsCommonData& data, TMessage& m);

}  // namespace qv
