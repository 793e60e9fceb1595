// Input state: mouse capture, keyboard focus, activation, key state, mouse
// leave tracking, cursor shapes and the translation of key presses into
// character messages.
#pragma once

#include <cstdint>

#include "platform/window/window.h"

namespace qv {

// All mouse input goes to the capture window until it is released.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();

// Focus: WM_KILLFOCUS to the old window, WM_SETFOCUS to the new; focusing a
// window of an inactive top-level window activates that first. Hidden or
// disabled windows are refused (null).
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// Activation of top-level windows: WM_NCACTIVATE and WM_ACTIVATE to the old
// and the new window, the activation hook before.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// Key state: the high bit (negative value) is set while the key is down.
std::int16_t GetKeyState(int vk);
std::int16_t GetAsyncKeyState(int vk);

// The last known pointer position in screen coordinates.
bool GetCursorPos(TPoint& p);

enum : UINT { TME_HOVER = 0x1, TME_LEAVE = 0x2, TME_NONCLIENT = 0x10, TME_CANCEL = 0x80000000 };
struct TRACKMOUSEEVENT {
  UINT dwFlags = 0;
  HWND hwndTrack;
  unsigned dwHoverTime = 0;
};
// Asks for one WM_MOUSELEAVE (WM_NCMOUSELEAVE with TME_NONCLIENT) when the
// pointer leaves the window's client (non-client) area.
bool TrackMouseEvent(TRACKMOUSEEVENT& tme);

HCURSOR LoadCursor(int id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Queues WM_CHAR / WM_SYSCHAR for key downs that produce a control character
// (Enter, Tab, Backspace, Escape, Ctrl+letter) or an Alt+letter; printable
// text arrives as character messages from text input.
bool TranslateMessage(const MSG& msg);

}  // namespace qv
