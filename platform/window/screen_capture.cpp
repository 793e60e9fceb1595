// Capturing a window with its popups from the window system's pixels.
#include "platform/window/screen_capture.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/window.h"

namespace qv {

std::vector<HWND> VisiblePopups(HWND hwnd) {
  std::vector<HWND> out;
  for (HWND h : GetTopLevelWindows())
    if (h != hwnd && IsWindowVisible(h)) out.push_back(h);
  return out;
}

TBitmap32 CaptureScreen(HWND hwnd, const TRect& area, TColor background) {
  PumpPendingMessages();
  TBitmap32 out(area.Width(), area.Height());
  TCanvas canvas(out);
  canvas.FillRect({0, 0, area.Width(), area.Height()}, background);
  std::vector<HWND> windows = VisiblePopups(hwnd);
  windows.push_back(hwnd);
  // Bottom first, so that each popup covers what lies under it.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    const TBitmap32* px = GetWindowPixels(*it);
    TRect wr;
    if (!px || !GetWindowRect(*it, wr)) continue;
    canvas.BitBlt(wr.Left - area.Left, wr.Top - area.Top, wr.Width(), wr.Height(), *px, 0, 0);
  }
  return out;
}

TRect AreaWithPopups(HWND hwnd, TRect area) {
  PumpPendingMessages();
  for (HWND h : VisiblePopups(hwnd)) {
    TRect wr;
    if (!GetWindowRect(h, wr)) continue;
    area = {std::min(area.Left, wr.Left), std::min(area.Top, wr.Top),
            std::max(area.Right, wr.Right), std::max(area.Bottom, wr.Bottom)};
  }
  return area;
}

}  // namespace qv
