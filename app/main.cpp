// Entry point of Quorvane: the application object, the main window and the
// message loop. The window's pages and their logic arrive with the main
// window's description; until then the window is the empty main window.
#include <cstdio>
#include <exception>

#include "platform/acPNG.h"
#include "platform/component/application.h"
#include "platform/resources.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace {

// The icon bitmaps must outlive the window that shows them.
qv::TBitmap32 LoadIcon(const char* name) {
  const auto bytes = qv::FindResource(name);
  return bytes ? qv::LoadPngImage(*bytes) : qv::TBitmap32();
}

}  // namespace

int main() {
  try {
    qv::TApplication& app = qv::Application();
    app.Initialize();
    app.Title = u"Ballora Quorvane";
    auto* form = app.CreateForm<qv::TForm>();
    form->SetBorderStyle(qv::TFormBorderStyle::bsSingle);
    form->SetBorderIcons((1u << qv::biSystemMenu) | (1u << qv::biMinimize));
    form->Position = qv::TPosition::poScreenCenter;
    form->SetCaption(u"Ballora Quorvane [Версия 1.2]");
    form->SetClientSize(516, 412);
    const qv::TBitmap32 small_icon = LoadIcon("icon/quorvane-16.png");
    const qv::TBitmap32 big_icon = LoadIcon("icon/quorvane-32.png");
    const qv::HWND window = form->Handle();
    if (!small_icon.Empty())
      qv::SendMessage(window, qv::WM_SETICON, qv::ICON_SMALL,
                      reinterpret_cast<qv::LPARAM>(&small_icon));
    if (!big_icon.Empty())
      qv::SendMessage(window, qv::WM_SETICON, qv::ICON_BIG,
                      reinterpret_cast<qv::LPARAM>(&big_icon));
    app.Run();
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane: %s\n", e.what());
    return 1;
  }
}
