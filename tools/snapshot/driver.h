// Running a script's actions against the real main window on the headless
// backend. Every action goes through synthetic mouse and keyboard input, so
// hit testing, capture, focus and the controls' own handling all take part.
// Each action prints its line as it runs, followed by the URLs it opened
// ("url: …") and the message boxes it showed ("messagebox: TITLE | TEXT",
// answered with OK). An error raised by the window's handlers is shown in
// the application's error box, as the program's message loop shows it, and
// the script goes on.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/window/headless.h"
#include "tools/snapshot/script.h"

namespace qv::script {

class TScriptDriver {
 public:
  // Shots are written below out_dir, which is made when the first is taken.
  TScriptDriver(THeadlessBackend& input, TForm1& form, std::string out_dir, std::ostream& out);

  // Runs the actions in order; the first that cannot run throws EScriptError
  // naming its line, after the lines of the actions before it.
  void Run(const std::vector<TAction>& actions);
  void Run(const TAction& action);

 private:
  TControl& Find(const TAction& a) const { return Find(a.line, a.name); }
  TControl& Find(int line, const std::string& name) const;
  // The control, which must be on screen and, unless only looked at, enabled.
  TControl& Usable(const TAction& a, bool needs_enabled = true) const;
  TWinControl& Focusable(const TAction& a) const;
  void Shot(const TAction& a);
  void Dump(const TAction& a);
  // Prints the URLs and message boxes recorded since the last call.
  void ReportRecords();

  THeadlessBackend& input_;
  TForm1& form_;
  std::string out_dir_;
  std::ostream& out_;
  std::size_t urls_seen_ = 0;
  std::size_t boxes_seen_ = 0;
  bool closed_reported_ = false;
};

}  // namespace qv::script
