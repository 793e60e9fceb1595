// The modal messages of the skin engine: the window system's message box,
// titled with the application's title. A replaceable hook lets tests record
// them; without a window system they are written to standard error.
#pragma once

#include <functional>

#include "platform/ustring.h"

namespace qv {

enum class TacMessageKind {
  mkError,    // error icon, OK button
  mkWarning,  // warning icon, OK button
  mkPlain,    // no icon, OK button
};

using TSkinMessageHook = std::function<void(TacMessageKind kind, ustring_view text)>;

// Installs the hook (nullptr goes back to the message box) and returns the
// previous one.
TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook);
// Shows text modally and returns when the user has closed it.
void ShowSkinMessage(TacMessageKind kind, ustring_view text);
inline void ShowSkinError(ustring_view text) { ShowSkinMessage(TacMessageKind::mkError, text); }

}  // namespace qv
