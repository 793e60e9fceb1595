// The message loop of the program: it runs until the main window is
// destroyed, processes pending messages for long operations, terminates, and
// hands an error escaping a message handler to the default handler, which
// shows it in an error box. The application object of the component layer
// drives it.
#pragma once

#include <exception>
#include <functional>

#include "platform/ustring.h"
#include "platform/window/types.h"

namespace qv {

class TMessageLoop {
 public:
  // Starts the desktop backend unless one is installed already.
  void Initialize();

  const ustring& Title() const { return title_; }
  void SetTitle(ustring_view title) { title_ = ustring(title); }

  HWND MainWindow() const { return main_; }
  void SetMainWindow(HWND hwnd) { main_ = hwnd; }

  // Runs the message loop until the main window is gone or Terminate.
  void Run();
  // Handles one message, waiting for it.
  void HandleMessage();
  // Handles everything that is waiting, without waiting.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The default handler: nothing for an EAbort (platform/abort.h); else
  // OnException when set, or an error box titled with the application title whose text is the
  // message, with "." added when its last character is above '.' in code.
  void HandleException(const std::exception& e);
  std::function<void(const std::exception&)> OnException;

  // Forgets the main window and the terminated state (a new run, in tests).
  void Reset();

 private:
  bool Dispatch(bool wait);

  ustring title_;
  HWND main_;
  bool terminated_ = false;
};

TMessageLoop& MessageLoop();

// The text of the error box for an error's message: "." is added when the
// last character's code is above '.'; an empty message stays empty.
ustring ErrorBoxText(ustring_view message);

}  // namespace qv
