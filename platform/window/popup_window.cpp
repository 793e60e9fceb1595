// The non-activating popup window.
#include "platform/window/popup_window.h"

#include <algorithm>
#include <utility>

#include "platform/window/input.h"
#include "platform/window/messages.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/styles.h"
#include "platform/window/window.h"

namespace qv {

namespace {

constexpr LRESULT kNoActivate = 3;  // MA_NOACTIVATE

}  // namespace

TPopupWindow::TPopupWindow(ustring class_name) : class_name_(std::move(class_name)) {}

TPopupWindow::~TPopupWindow() {
  open_ = false;
  if (!IsWindow(hwnd_)) return;
  // The subclass is gone already: no message may reach it any more.
  SetWindowProc(hwnd_, DefWindowProc);
  if (GetCapture() == hwnd_) ReleaseCapture();
  DestroyWindow(hwnd_);
}

TRect TPopupWindow::PlaceBelow(const TRect& anchor, TSize size) {
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  const int screen_h = GetSystemMetrics(SM_CYSCREEN);
  int y = anchor.Bottom;
  if (y + size.cy > screen_h && anchor.Top - size.cy >= 0) y = anchor.Top - size.cy;
  const int x = std::clamp(anchor.Left, 0, std::max(0, screen_w - size.cx));
  return Bounds(x, y, size.cx, size.cy);
}

bool TPopupWindow::OpenWindow(const TRect& r) {
  open_ = false;
  // The window of an earlier opening goes now, never from inside its own messages.
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  WNDCLASS wc;
  if (!GetClassInfo(class_name_, wc)) {
    wc.lpszClassName = class_name_;
    wc.hbrBackground = clNone;  // the popup paints every pixel
    wc.lpfnWndProc = DefWindowProc;
    RegisterClass(wc);
  }
  hwnd_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, class_name_, u"",
                         WS_POPUP, r.Left, r.Top, r.Width(), r.Height(), HWND{});
  if (!hwnd_) return false;
  SetWindowProc(hwnd_,
                [this](HWND hw, UINT m, WPARAM wp, LPARAM lp) { return Proc(hw, m, wp, lp); });
  open_ = true;
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  SetCapture(hwnd_);
  return IsWindow(hwnd_);
}

void TPopupWindow::CloseWindow() {
  if (!open_) return;
  open_ = false;
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (IsWindow(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void TPopupWindow::Redraw() {
  if (IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, false);
}

TRect TPopupWindow::ClientRect() const {
  TRect r;
  if (IsWindow(hwnd_)) GetClientRect(hwnd_, r);
  return r;
}

LRESULT TPopupWindow::Message(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT TPopupWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return kNoActivate;
    case WM_CAPTURECHANGED:
      // Without the mouse the popup cannot see presses elsewhere any more.
      if (open_ && GetCapture() != hwnd_) Cancel();
      return 0;
    case WM_DPICHANGED:
      // Laid out for the old density; it is not resized, it closes.
      if (open_) Cancel();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd, ps)) Paint(*dc);
      EndPaint(hwnd, ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return Message(hwnd, msg, wParam, lParam);
  }
}

}  // namespace qv
