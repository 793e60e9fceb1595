// What a window backend provides: native top-level windows that show the
// pixels painted into them, the events of the desktop turned into raw input,
// a clock, the screen, the clipboard and the desktop's URL handler.
#pragma once

#include <cstdint>
#include <string>

#include "platform/bitmap.h"
#include "platform/region.h"
#include "platform/ustring.h"
#include "platform/window/timer.h"
#include "platform/window/types.h"
#include "platform/window/window.h"

namespace qv {

// Input and window-manager events, in screen coordinates. The window system
// routes them into messages.
enum class TRawKind {
  MouseMove,
  MouseDown,
  MouseUp,
  Wheel,
  KeyDown,
  KeyUp,
  Text,
  Close,       // the window manager asks the window to close
  Activate,    // the desktop gave the window the focus
  Deactivate,  // the desktop took it away
  Moved,       // the window manager moved the window to pt
  Minimized,
  Restored,
  Exposed,      // the native window lost its pixels
  PointerLeft,  // the pointer left all windows of the program
  DpiChanged,   // the desktop's pixels per inch became dpi
};

enum class TRawMouseButton { Left, Right, Middle };

struct TRawEvent {
  TRawKind kind = TRawKind::MouseMove;
  HWND window;  // the top-level window the event belongs to (may be null for the pointer)
  TPoint pt;    // screen coordinates
  TRawMouseButton button = TRawMouseButton::Left;
  int vk = 0;
  int scancode = 0;
  bool repeat = false;
  int wheel = 0;  // in units of WHEEL_DELTA, positive away from the user
  int dpi = 0;
  ustring text;
};

class TBackend {
 public:
  virtual ~TBackend() = default;
  virtual const char* Name() const = 0;
  virtual TClock& Clock() = 0;
  virtual TSize ScreenSize() = 0;
  // Pixels per inch of the desktop now; a change comes as a DpiChanged event.
  virtual int Dpi() = 0;

  // Native windows exist for shown top-level windows.
  virtual void CreateNative(HWND hwnd, const TRect& screen, ustring_view title) = 0;
  virtual void DestroyNative(HWND hwnd) = 0;
  virtual void ShowNative(HWND hwnd, bool show) = 0;
  virtual void MoveNative(HWND hwnd, const TRect& screen) = 0;
  virtual void SetTitle(HWND hwnd, ustring_view title) = 0;
  virtual void SetIcon(HWND hwnd, const TBitmap32& icon) = 0;
  virtual void SetShape(HWND hwnd, const TRegion* region) = 0;  // window coordinates
  virtual void Minimize(HWND hwnd) = 0;
  virtual void Restore(HWND hwnd) = 0;
  virtual void Raise(HWND hwnd) = 0;
  // Shows the area (window coordinates) of the window's pixels.
  virtual void Present(HWND hwnd, const TBitmap32& pixels, const TRegion& area) = 0;
  // Starts a caption drag. True when the window manager moves the window
  // (the pointer then no longer reaches the program until released); false
  // when the program must move it itself.
  virtual bool BeginSystemMove(HWND hwnd, TPoint screen) = 0;
  virtual void SetMouseCapture(bool on) = 0;
  virtual void SetCursorShape(HCURSOR cursor) = 0;
  virtual void SetClipboardText(ustring_view text) = 0;
  virtual ustring GetClipboardText() = 0;
  // Hands an http(s) URL to the desktop (already checked by the caller).
  virtual void OpenURL(const std::string& url) = 0;
  // A backend may answer message boxes itself (headless records them); true
  // when it did, with the button in answer.
  virtual bool InterceptMessageBox(ustring_view title, ustring_view text, UINT type, int& answer) {
    (void)title, (void)text, (void)type, (void)answer;
    return false;
  }

  // Moves pending desktop events into the raw input queue, without waiting.
  virtual void Poll() = 0;
  // Waits until events may be there or timeout ms passed (-1: no limit).
  // False when nothing can ever arrive.
  virtual bool Wait(int timeout_ms) = 0;
};

}  // namespace qv
