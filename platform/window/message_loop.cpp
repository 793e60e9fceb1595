// The application object and its message loop.
#include "platform/window/message_loop.h"

#include "platform/abort.h"
#include "platform/window/input.h"
#include "platform/window/message_box.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv {

TMessageLoop& MessageLoop() {
  static TMessageLoop app;
  return app;
}

void TMessageLoop::Initialize() { Backend(); }

void TMessageLoop::Reset() {
  main_ = HWND{};
  terminated_ = false;
}

bool TMessageLoop::Dispatch(bool wait) {
  MSG msg;
  try {
    if (wait) {
      if (!GetMessage(msg)) {
        terminated_ = true;
        return false;
      }
    } else if (!PeekMessage(msg, PM_REMOVE)) {
      return false;
    }
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return false;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  } catch (const std::exception& e) {
    HandleException(e);
  }
  if (main_ && !IsWindow(main_)) terminated_ = true;
  return true;
}

void TMessageLoop::Run() {
  if (!IsWindow(main_)) return;
  while (!terminated_ && IsWindow(main_)) Dispatch(true);
  terminated_ = true;
}

void TMessageLoop::HandleMessage() { Dispatch(true); }

void TMessageLoop::ProcessMessages() {
  // Bounded so that a window that keeps posting cannot hold the caller.
  for (int i = 0; i < 100000 && !terminated_ && Dispatch(false); ++i) {
  }
  PresentPending();
}

void TMessageLoop::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TMessageLoop::HandleException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  if (OnException) {
    OnException(e);
    return;
  }
  MessageBox(HWND{}, ErrorBoxText(Utf8ToUtf16(e.what())), title_, MB_OK | MB_ICONERROR);
}

ustring ErrorBoxText(ustring_view message) {
  ustring text(message);
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

}  // namespace qv
