// The skin engine's modal messages through the window system's message box.
#include "skin/skin_dialogs.h"

#include <cstdio>
#include <utility>

#include "platform/component/application.h"
#include "platform/window/message_box.h"
#include "platform/window/system.h"

namespace qv {

namespace {

TSkinMessageHook& Hook() {
  static TSkinMessageHook hook;
  return hook;
}

UINT BoxType(TacMessageKind kind) {
  switch (kind) {
    case TacMessageKind::mkError:
      return MB_OK | MB_ICONERROR;
    case TacMessageKind::mkWarning:
      return MB_OK | MB_ICONWARNING;
    case TacMessageKind::mkPlain:
      break;
  }
  return MB_OK;
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
  if (HasBackend()) {
    MessageBox(HWND(), text, Application().Title, BoxType(kind));
    return;
  }
  const char* label = kind == TacMessageKind::mkError     ? "error"
                      : kind == TacMessageKind::mkWarning ? "warning"
                                                          : "message";
  std::fprintf(stderr, "%s: %s\n", label, Utf16ToUtf8(text).c_str());
}

}  // namespace qv
