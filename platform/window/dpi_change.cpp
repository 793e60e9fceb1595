// A change of the desktop's pixels per inch: the system metrics follow, open
// menus close, and every top-level window gets WM_DPICHANGED with the new
// density in both words of wParam and a suggested window rectangle (the
// client area scaled, the frame at the new metrics, kept on the screen).
#include <algorithm>
#include <vector>

#include "platform/font.h"
#include "platform/window/internal.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv::win {

namespace {

TRect SuggestedRect(const TWindow& w, int old_dpi, int new_dpi) {
  if (w.maximized) return w.rect;
  TRect r = Rect(0, 0, MulDiv(w.client.Width(), new_dpi, old_dpi),
                 MulDiv(w.client.Height(), new_dpi, old_dpi));
  AdjustWindowRectEx(r, w.style, w.exstyle);
  const TSize screen = ScreenSize();
  int x = w.rect.Left;
  int y = w.rect.Top;
  // A window that fitted on the screen still does when it grows.
  if (w.rect.Right <= screen.cx && x + r.Width() > screen.cx)
    x = std::max(0, screen.cx - r.Width());
  if (w.rect.Bottom <= screen.cy && y + r.Height() > screen.cy) {
    y = std::max(0, screen.cy - r.Height());
  }
  return Bounds(x, y, r.Width(), r.Height());
}

}  // namespace

void ChangeSystemDpi(int dpi) {
  const int old_dpi = GetDpiForSystem();
  SetSystemDpi(dpi);
  if (GetDpiForSystem() == old_dpi) return;  // the same, or a value refused
  EndInputMode();                            // a menu is laid out for the old density
  for (HWND h : std::vector<HWND>(Sys().toplevels)) {
    TWindow* w = W(h);
    if (w == nullptr || w->destroying) continue;
    const TRect before = w->rect;
    TRect suggested = SuggestedRect(*w, old_dpi, dpi);
    Send(h, WM_DPICHANGED, MAKEWPARAM(static_cast<unsigned>(dpi), static_cast<unsigned>(dpi)),
         reinterpret_cast<LPARAM>(&suggested));
    if ((w = W(h)) == nullptr) continue;
    if (w->rect == before) {
      // Not resized by its procedure: the frame still follows the new metrics.
      SetWindowPos(h, HWND{}, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (IsWindow(h)) {
      RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
}

}  // namespace qv::win
