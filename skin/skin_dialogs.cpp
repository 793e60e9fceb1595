// The replaceable hook behind the skin engine's modal messages.
#include "skin/skin_dialogs.h"

#include <cstdio>
#include <utility>

namespace qv {

namespace {

TSkinMessageHook& Hook() {
  static TSkinMessageHook hook;
  return hook;
}

}  // namespace

TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook) {
  return std::exchange(Hook(), std::move(hook));
}

void ShowSkinMessage(TacMessageKind kind, ustring_view text) {
  if (Hook()) {
    Hook()(kind, text);
    return;
  }
  const char* label = kind == TacMessageKind::mkError     ? "error"
                      : kind == TacMessageKind::mkWarning ? "warning"
                                                          : "message";
  std::fprintf(stderr, "%s: %s\n", label, Utf16ToUtf8(text).c_str());
}

}  // namespace qv
