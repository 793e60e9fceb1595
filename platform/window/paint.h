// The paint cycle: update regions, invalidation and validation, redraw-now,
// BeginPaint/EndPaint with a canvas clipped to the update region, and device
// contexts for the client area or the whole window.
#pragma once

#include "platform/canvas.h"
#include "platform/region.h"
#include "platform/window/types.h"

namespace qv {

// r / region in client coordinates; nullptr means the whole client area.
bool InvalidateRect(HWND hwnd, const TRect* r, bool erase);
bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase);
bool ValidateRect(HWND hwnd, const TRect* r);
bool ValidateRgn(HWND hwnd, const TRegion* region);
// RDW_* flags: invalidate or validate (with erase, frame, children), and with
// RDW_UPDATENOW / RDW_ERASENOW paint at once.
bool RedrawWindow(HWND hwnd, const TRect* r, const TRegion* region, UINT flags);
// Paints the window at once when it has something to paint.
bool UpdateWindow(HWND hwnd);
// Bounds of the update region; false when it is empty.
bool GetUpdateRect(HWND hwnd, TRect* r, bool erase);
int GetUpdateRgn(HWND hwnd, TRegion& region, bool erase);

// Begins painting: sends a pending WM_NCPAINT and WM_ERASEBKGND, validates the
// update region and returns a canvas clipped to it (client coordinates).
HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps);
// Canvases on the client area or on the whole window (window coordinates),
// clipped to what of the window is visible; release with ReleaseDC.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);

// A device context released on scope exit.
class TWindowDC {
 public:
  TWindowDC(HWND hwnd, bool wholeWindow) : hwnd_(hwnd) {
    dc_ = wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd);
  }
  ~TWindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_ = nullptr;
};

// The pixels of a top-level window as last painted (window coordinates), or
// null; tests and the message box read them.
const TBitmap32* GetWindowPixels(HWND topLevel);

}  // namespace qv
