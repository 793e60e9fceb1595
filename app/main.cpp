// Entry point of Quorvane, the program's start-up: the application object,
// its title, the main window TForm1 (read from its stored description, which
// runs FormCreate), then the message loop until the main window closes.
#include <cstdio>
#include <exception>

#include "app/app_icon.h"
#include "app/form1.h"
#include "platform/component/application.h"

int main() {
  qv::TApplication& app = qv::Application();
  int status = 0;
  try {
    app.Initialize();
    app.Title = u"Ballora Quorvane";
    auto* form = app.CreateForm<qv::TForm1>();
    qv::LoadAppIcon().ApplyTo(*form);
    app.Run();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane: %s\n", e.what());
    status = 1;
  }
  app.Shutdown();
  return status;
}
