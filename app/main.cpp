// Entry point of Quorvane, the program's start-up: the application object,
// its title, the main window TForm1 (read from its stored description, which
// runs FormCreate), then the message loop until the main window closes.
#include <cstdio>
#include <exception>

#include "app/app_icon.h"
#include "app/form1.h"
#include "platform/component/application.h"

int main() {
  try {
    qv::TApplication& app = qv::Application();
    app.Initialize();
    app.Title = u"Ballora Quorvane";
    auto* form = app.CreateForm<qv::TForm1>();
    const qv::TAppIcon icon = qv::LoadAppIcon();
    icon.ApplyTo(*form);
    app.Run();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane: %s\n", e.what());
    return 1;
  }
}
