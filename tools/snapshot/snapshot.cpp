// The snapshot tool's rendering.
#include "tools/snapshot/snapshot.h"

#include <filesystem>

#include "app/app_icon.h"
#include "platform/component/application.h"
#include "platform/png_write.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv::snapshot {

THeadlessBackend& StartHeadless(int ppi) {
  auto backend = std::make_unique<THeadlessBackend>(TSize{2560, 2048}, ppi);
  THeadlessBackend& headless = *backend;
  InitWindowSystem(std::move(backend));
  Application().Title = u"Ballora Quorvane";
  return headless;
}

void StopHeadless() { ShutdownWindowSystem(); }

std::unique_ptr<TForm1> CreateMainWindow() {
  auto form = std::make_unique<TForm1>(nullptr);
  static const TAppIcon icon = LoadAppIcon();
  icon.ApplyTo(*form);
  form->Show();
  PumpPendingMessages();
  return form;
}

TBitmap32 RenderWindow(TForm1& form) {
  PumpPendingMessages();
  const TBitmap32* pixels = GetWindowPixels(form.WindowHandle());
  if (!pixels) return TBitmap32();
  TBitmap32 copy(pixels->Width(), pixels->Height());
  TCanvas canvas(copy);
  canvas.BitBlt(0, 0, pixels->Width(), pixels->Height(), *pixels, 0, 0);
  return copy;
}

std::vector<TBitmap32> RenderPages(TForm1& form) {
  std::vector<TBitmap32> pictures;
  TPageControl& pages = *form.sPageControl1;
  for (int i = 0; i < pages.PageCount(); ++i) {
    pages.SetActivePage(pages.Pages(i));
    pictures.push_back(RenderWindow(form));
  }
  return pictures;
}

std::vector<std::string> WritePages(const std::vector<TBitmap32>& pictures,
                                    const std::string& dir) {
  namespace fs = std::filesystem;
  fs::create_directories(dir);
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const std::string path = (fs::path(dir) / ("page" + std::to_string(i + 1) + ".png")).string();
    WritePng(pictures[i], path, TPngAlpha::Opaque);
    paths.push_back(path);
  }
  return paths;
}

}  // namespace qv::snapshot
