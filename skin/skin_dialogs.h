// The modal messages of the skin engine. They go through one replaceable hook
// so that the window system can show them as message boxes and tests can
// record them; without a hook they are written to standard error.
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

// Installs the hook (nullptr restores the default) and returns the previous one.
TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook);
// Shows text modally and returns when the user has closed it.
void ShowSkinMessage(TacMessageKind kind, ustring_view text);
inline void ShowSkinError(ustring_view text) { ShowSkinMessage(TacMessageKind::mkError, text); }

}  // namespace qv
