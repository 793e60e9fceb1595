// The application object, its message loop and default exception handler,
// and the screen.
#include "platform/component/application.h"

#include <algorithm>

#include "platform/window/input.h"
#include "platform/window/message_box.h"
#include "platform/window/metrics.h"
#include "platform/window/queue.h"

namespace qv {

TApplication& Application() {
  static TApplication app;
  return app;
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

ustring ExceptionMessage(const std::exception& e) { return Utf8ToUtf16(e.what()); }

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() { DestroyComponents(); }

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == main_form_) main_form_ = nullptr;
}

ustring TApplication::ExceptionText(ustring_view message) {
  ustring text(message);
  // A message that ends in a letter or digit gets its full stop; one that
  // already ends in "." (or other punctuation up to it) does not. An empty
  // message stays empty.
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

void TApplication::ShowException(ustring_view message) {
  const HWND owner =
      main_form_ && main_form_->HandleAllocated() ? main_form_->WindowHandle() : HWND();
  MessageBox(owner, ExceptionText(message), Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(this, e);
    return;
  }
  ShowException(ExceptionMessage(e));
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (!GetMessage(msg)) {
    terminated_ = true;
    return false;
  }
  try {
    TranslateMessage(msg);
    DispatchMessage(msg);
  } catch (const std::exception& e) {
    HandleException(e);
  }
  return true;
}

void TApplication::Run() {
  if (!main_form_) return;
  terminated_ = false;
  if (!main_form_->Visible()) main_form_->Show();
  while (!terminated_ && main_form_ && HandleMessage()) {
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessage(msg, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      // Keep the quit request for the loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    try {
      TranslateMessage(msg);
      DispatchMessage(msg);
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
  PresentPending();
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

int TScreen::PixelsPerInch() const { return GetDpiForSystem(); }

TCustomForm* TScreen::ActiveForm() const {
  for (TCustomForm* f : forms_)
    if (f->Active()) return f;
  return nullptr;
}

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

}  // namespace qv
