// The application object and its message loop.
#include "platform/window/application.h"

#include "platform/window/input.h"
#include "platform/window/message_box.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv {

TApplication& Application() {
  static TApplication app;
  return app;
}

void TApplication::Initialize() { Backend(); }

void TApplication::Reset() {
  main_ = HWND{};
  terminated_ = false;
}

bool TApplication::Dispatch(bool wait) {
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

void TApplication::Run() {
  if (!IsWindow(main_)) return;
  while (!terminated_ && IsWindow(main_)) Dispatch(true);
  terminated_ = true;
}

void TApplication::HandleMessage() { Dispatch(true); }

void TApplication::ProcessMessages() {
  // Bounded so that a window that keeps posting cannot hold the caller.
  for (int i = 0; i < 100000 && !terminated_ && Dispatch(false); ++i) {
  }
  PresentPending();
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(e);
    return;
  }
  ustring text = Utf8ToUtf16(e.what());
  if (!text.empty() && text.back() > u'.') text += u'.';
  MessageBox(HWND{}, text, title_, MB_OK | MB_ICONERROR);
}

}  // namespace qv
