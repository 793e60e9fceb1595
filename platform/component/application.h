// The application object and the screen: the title, the main form, the
// message loop (platform/window/message_loop.h) until the main form is gone,
// processing of pending messages, termination, and the default exception
// handler that shows an error box and lets the window go on; the screen knows
// the forms in creation order, the pixel density and the cursor.
#pragma once

#include <exception>
#include <vector>

#include "platform/component/form.h"
#include "platform/density.h"
#include "platform/font.h"

namespace qv {

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  // Starts the desktop backend unless one is installed already.
  void Initialize();
  ustring Title;
  TCustomForm* MainForm() const { return main_form_; }
  bool Terminated() const;

  // Creates a form owned by the application; the first one becomes the main form.
  template <class F>
  F* CreateForm() {
    auto* form = new F(this);
    if (!main_form_) main_form_ = form;
    return form;
  }
  void SetMainForm(TCustomForm* form) { main_form_ = form; }

  // Shows the main form and runs the message loop until the application is
  // terminated or the main form is destroyed.
  void Run();
  // Handles every pending message without waiting.
  void ProcessMessages();
  void Terminate();
  // Frees the forms and every other component of the application. The
  // program calls it before main returns: the application object outlives
  // the platform's own statics (fonts, windows), which its forms still use
  // while they are freed.
  void Shutdown();

  // The default handler: nothing for an EAbort; else OnException when set, or
  // an error box titled with Title whose text is the error's message with "."
  // added when its last character is above '.'.
  void HandleException(const std::exception& e);
  void ShowException(ustring_view message);
  // The text of the error box for a message.
  static ustring ExceptionText(ustring_view message);
  std::function<void(TObject* Sender, const std::exception& e)> OnException;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // The message loop reports errors here and titles its boxes with Title.
  void BindLoop();

  TCustomForm* main_form_ = nullptr;
};

class TScreen {
 public:
  const std::vector<TCustomForm*>& Forms() const { return forms_; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  int PixelsPerInch() const;
  // A length designed at 96 pixels per inch, at the screen's density.
  int Scaled(int v) const { return ScaleDesigned(v, PixelsPerInch()); }
  int Cursor = 0;
  TCustomForm* ActiveForm() const;

  // Forms join when their construction starts and leave when destroyed.
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);

 private:
  std::vector<TCustomForm*> forms_;
};

TApplication& Application();
TScreen& Screen();

// Text of an exception for the user: UTF-8 messages of std::exception.
ustring ExceptionMessage(const std::exception& e);

}  // namespace qv
