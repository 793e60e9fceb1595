// The application object, its message loop and default exception handler,
// and the screen.
#include "platform/component/application.h"

#include <algorithm>

#include "platform/abort.h"
#include "platform/window/message_box.h"
#include "platform/window/message_loop.h"
#include "platform/window/metrics.h"
#include "platform/window/system.h"

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

void TApplication::Initialize() { Backend(); }

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == main_form_) main_form_ = nullptr;
}

ustring TApplication::ExceptionText(ustring_view message) { return ErrorBoxText(message); }

void TApplication::ShowException(ustring_view message) {
  const HWND owner =
      main_form_ && main_form_->HandleAllocated() ? main_form_->WindowHandle() : HWND();
  MessageBox(owner, ExceptionText(message), Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  if (OnException) {
    OnException(this, e);
    return;
  }
  ShowException(ExceptionMessage(e));
}

void TApplication::BindLoop() {
  TMessageLoop& loop = MessageLoop();
  loop.SetTitle(Title);
  loop.OnException = [this](const std::exception& e) { HandleException(e); };
}

void TApplication::Run() {
  if (!main_form_) return;
  BindLoop();
  if (!main_form_->Visible()) main_form_->Show();
  TMessageLoop& loop = MessageLoop();
  loop.Reset();
  loop.SetMainWindow(main_form_->Handle());
  loop.Run();
}

void TApplication::ProcessMessages() {
  BindLoop();
  MessageLoop().ProcessMessages();
}

void TApplication::Terminate() { MessageLoop().Terminate(); }

void TApplication::Shutdown() {
  DestroyComponents();
  main_form_ = nullptr;
}

bool TApplication::Terminated() const { return MessageLoop().Terminated(); }

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
