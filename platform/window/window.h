// Windows: classes, creation and destruction, the window tree in z-order,
// rectangles, styles, named properties, window procedures (replaceable and
// chainable), synchronous send and queued post of messages.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/region.h"
#include "platform/ustring.h"
#include "platform/window/messages.h"
#include "platform/window/styles.h"
#include "platform/window/types.h"

namespace qv {

// Cursor shapes (the platform's standard cursor ids).
using HCURSOR = int;
enum : int {
  IDC_ARROW = 32512,
  IDC_IBEAM = 32513,
  IDC_WAIT = 32514,
  IDC_CROSS = 32515,
  IDC_SIZENWSE = 32642,
  IDC_SIZENESW = 32643,
  IDC_SIZEWE = 32644,
  IDC_SIZENS = 32645,
  IDC_SIZEALL = 32646,
  IDC_NO = 32648,
  IDC_HAND = 32649,
};

struct WNDCLASS {
  std::uint32_t style = 0;        // CS_* bits
  WNDPROC lpfnWndProc;            // empty: DefWindowProc
  TColor hbrBackground = clNone;  // erase colour (system colours allowed); clNone: none
  HCURSOR hCursor = IDC_ARROW;
  ustring lpszClassName;
};

// A class name may be registered once; false for an empty or taken name.
bool RegisterClass(const WNDCLASS& wc);
bool UnregisterClass(ustring_view name);
bool GetClassInfo(ustring_view name, WNDCLASS& out);
ustring GetClassName(HWND hwnd);
// The class background colour is shared by all windows of the class.
TColor GetClassBackground(HWND hwnd);
bool SetClassBackground(HWND hwnd, TColor color);

// Creates a window of a registered class. Child windows (WS_CHILD) need a
// parent and are placed in its client coordinates, on top of their siblings;
// top-level windows use screen coordinates (CW_USEDEFAULT centres them).
// Fails (null) for an unknown class, a child without parent, or when the
// creation hook, WM_NCCREATE or WM_CREATE refuses.
HWND CreateWindowEx(std::uint32_t exStyle, ustring_view className, ustring_view windowName,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent,
                    LPARAM id = 0, void* param = nullptr);
// Destroys the window, its owned windows and its children (WM_DESTROY first
// to the window, then its children; WM_NCDESTROY last).
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Window procedures. SetWindowProc installs a new one and returns the old,
// which the new procedure may chain to with CallWindowProc.
WNDPROC GetWindowProc(HWND hwnd);
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Calls the window procedure at once; 0 for no window.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message; a null window posts a thread message. False when the
// window does not exist.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);

// Styles (GWL_STYLE, GWL_EXSTYLE; style changes send WM_STYLECHANGING and
// WM_STYLECHANGED), the id and the user data.
LPARAM GetWindowLongPtr(HWND hwnd, int index);
LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value);

// The tree. Children are listed top of the z-order first.
HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestor(HWND hwnd, UINT relation);
bool IsChild(HWND parent, HWND hwnd);
std::vector<HWND> GetChildWindows(HWND parent);
std::vector<HWND> GetTopLevelWindows();

// Rectangles: the window rectangle in screen coordinates, the client
// rectangle with its origin at (0, 0).
bool GetWindowRect(HWND hwnd, TRect& r);
bool GetClientRect(HWND hwnd, TRect& r);
bool ClientToScreen(HWND hwnd, TPoint& p);
bool ScreenToClient(HWND hwnd, TPoint& p);
// Converts points between client coordinates of two windows (null: screen).
void MapWindowPoints(HWND from, HWND to, TPoint* points, int count);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);

bool ShowWindow(HWND hwnd, int cmd);
// Visible: the window and all its ancestors are shown.
bool IsWindowVisible(HWND hwnd);
bool IsWindowEnabled(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);  // returns whether it was disabled
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);

bool SetWindowText(HWND hwnd, ustring_view text);
ustring GetWindowText(HWND hwnd);

// Named properties (SetProp replaces an existing value).
bool SetProp(HWND hwnd, ustring_view name, void* value);
void* GetProp(HWND hwnd, ustring_view name);
void* RemoveProp(HWND hwnd, ustring_view name);

// Deepest visible, enabled window at a screen point (a disabled child
// yields its parent).
HWND WindowFromPoint(TPoint screen);
// The visible child of parent at a point in parent client coordinates, or
// parent itself when no child is there; null outside parent.
HWND ChildWindowFromPoint(HWND parent, TPoint client);

// Window shape in window coordinates; nullptr removes it. The region is
// copied. Answers the region kind, ERROR_REGION for no window.
int SetWindowRgn(HWND hwnd, const TRegion* region, bool redraw);
int GetWindowRgn(HWND hwnd, TRegion& region);

// Layered (per-pixel alpha) windows: always, composited by the window
// system itself (layered.h).
bool IsLayeredWindowSupported();

// The window's icon (WM_SETICON carries a const TBitmap32*); null when none.
const class TBitmap32* GetWindowIcon(HWND hwnd, WPARAM kind = ICON_SMALL);

}  // namespace qv

namespace qv {
// Grows a client rectangle to the window rectangle a window of these styles
// needs (frame and caption from the system metrics).
bool AdjustWindowRectEx(TRect& r, std::uint32_t style, std::uint32_t exStyle);
}  // namespace qv
