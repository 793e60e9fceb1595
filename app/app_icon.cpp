// The application icon from the embedded images.
#include "app/app_icon.h"

#include "platform/acPNG.h"
#include "platform/resources.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace qv {

namespace {

TBitmap32 LoadIconImage(const char* name) {
  const auto bytes = FindResource(name);
  return bytes ? LoadPngImage(*bytes) : TBitmap32();
}

}  // namespace

TAppIcon LoadAppIcon() {
  return {LoadIconImage("icon/quorvane-16.png"), LoadIconImage("icon/quorvane-32.png"),
          LoadIconImage("icon/quorvane-48.png")};
}

void TAppIcon::ApplyTo(TCustomForm& form) const {
  const HWND window = form.Handle();
  if (!Small.Empty()) SendMessage(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&Small));
  const TBitmap32& big = Large.Empty() ? Medium : Large;
  if (!big.Empty()) SendMessage(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(&big));
}

}  // namespace qv
