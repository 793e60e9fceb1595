// State shared by the window system's own files: the window records, the
// queues, timers, input state and the helpers that walk the window tree.
// Not for use outside platform/window.
#pragma once

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/region.h"
#include "platform/window/backend.h"
#include "platform/window/hook.h"
#include "platform/window/input.h"
#include "platform/window/menu.h"
#include "platform/window/timer.h"
#include "platform/window/window.h"

namespace qv::win {

struct TClassData {
  WNDCLASS wc;
  std::shared_ptr<const WNDPROC> proc;
};

struct TWindow {
  HWND handle;
  std::shared_ptr<TClassData> cls;
  ustring text;
  std::uint32_t style = 0;
  std::uint32_t exstyle = 0;
  HWND parent;                 // null for top-level windows
  HWND owner;                  // top-level windows owned by another (message boxes)
  std::vector<HWND> children;  // bottom of the z-order first
  TRect rect;                  // parent client coordinates, screen for top-level windows
  TRect client;                // client area in window coordinates
  std::shared_ptr<const WNDPROC> proc;
  std::vector<std::pair<ustring, void*>> props;
  LPARAM id = 0;
  LPARAM user_data = 0;

  // Painting.
  TRegion update;  // client coordinates
  bool erase = false;
  bool nc_dirty = false;
  bool redraw_off = false;
  std::optional<TRegion> shape;  // window coordinates

  // The system menu as the program left it (made on first use).
  std::vector<TMenuEntry> sysmenu;
  bool sysmenu_made = false;

  bool minimized = false;
  bool maximized = false;
  TRect restore_rect;
  bool destroying = false;
  bool created = false;
  int nc_pressed = 0;  // default frame: the caption button held down
  bool frame_active = false;
  UINT track = 0;  // TME_LEAVE / TME_NONCLIENT requests

  // Top-level windows: the pixels of the whole window and what of them is
  // still to be shown.
  std::unique_ptr<TBitmap32> pixels;
  TRegion present;
  bool native = false;
  std::unique_ptr<TBitmap32> icon_small;
  std::unique_ptr<TBitmap32> icon_big;
  // Layered windows: the picture shown and its constant alpha. Windows with
  // layered windows above them: what was last presented.
  std::unique_ptr<TBitmap32> layered;
  std::uint8_t layered_alpha = 255;
  std::unique_ptr<TBitmap32> composed;

  bool IsTopLevel() const { return !parent; }
  bool Visible() const { return (style & WS_VISIBLE) != 0; }
  bool Enabled() const { return (style & WS_DISABLED) == 0; }
};

struct TTimer {
  HWND hwnd;
  std::uintptr_t id = 0;
  unsigned elapse = 0;
  std::uint64_t due = 0;
  TIMERPROC proc;
  bool posted = false;
};

struct THook {
  HHOOK id = 0;
  HOOKPROC proc;
};

// A modal input state of the window system's own (an open menu, a keyboard
// move or size): it sees key, text and mouse events before they are routed.
class TInputMode {
 public:
  virtual ~TInputMode() = default;
  virtual HWND Owner() const = 0;
  // True when the event was taken.
  virtual bool Filter(const TRawEvent& e) = 0;
  // Ends the mode without a result (activation moved, the window went).
  virtual void Cancel() = 0;
};

struct TLiveDC {
  HWND hwnd;
  std::unique_ptr<TCanvas> canvas;
  TRect device_bounds;  // what it may have touched, top-level window coordinates
};

struct TSystem {
  std::unique_ptr<TBackend> backend;
  std::unordered_map<std::uint32_t, std::unique_ptr<TWindow>> windows;
  std::uint32_t next_id = 16;   // below: the special insert-after values
  std::vector<HWND> toplevels;  // bottom of the z-order first
  std::unordered_map<ustring, std::shared_ptr<TClassData>> classes;

  std::deque<MSG> posted;
  std::deque<MSG> input;
  std::deque<TRawEvent> raw;
  std::vector<TTimer> timers;
  std::uintptr_t next_timer_id = 0x7F00;
  std::vector<THook> hooks;
  HHOOK next_hook = 1;
  std::vector<TLiveDC> dcs;
  int quit_code = 0;
  bool quit = false;

  HWND focus;
  HWND active;
  HWND capture;
  HCURSOR cursor = IDC_ARROW;

  // Pointer state.
  TPoint cursor_pos;
  HWND hover;
  bool hover_nc = false;
  HWND press_target;
  bool press_nc = false;
  unsigned buttons = 0;  // MK_LBUTTON | MK_RBUTTON | MK_MBUTTON held
  std::uint64_t last_click_time = 0;
  TPoint last_click_pt;
  HWND last_click_hwnd;
  UINT last_click_msg = 0;
  HWND moving;  // a caption drag the program carries out itself
  TPoint move_offset;
  TInputMode* mode = nullptr;

  std::array<std::uint8_t, 256> keys{};
};

TSystem& Sys();
TWindow* W(HWND h);
TClock& Clock();
std::uint64_t Now();

// Offset of the window's top-left corner inside its top-level window.
TPoint WindowOffset(const TWindow& w);
// The top-level window of a window.
TWindow* Root(TWindow& w);
// The window's visible part (window rectangle or client area) in top-level
// window coordinates, clipped by ancestors, siblings above with
// WS_CLIPSIBLINGS and (for the client) children with WS_CLIPCHILDREN.
TRegion VisibleRegion(const TWindow& w, bool client);
bool ReallyVisible(const TWindow& w);

// Layered windows (layered.cpp): a layered top-level window, the area it
// covered before a change (screen coordinates) to present again under it,
// and a top-level window's pixels with the layered windows above it blended
// in over the area (its own pixels when none lies there).
bool IsLayered(const TWindow& w);
void LayeredAreaChanged(const TWindow& w, const TRect& old_rect);
const TBitmap32& ComposeLayered(TWindow& top, const TRegion& area);

// Paint queue support.
bool NeedsPaint(const TWindow& w);
HWND FindWindowToPaint();
void PaintNow(HWND h, bool children);
void InvalidateWhole(HWND h);
void ForgetDCs(HWND h);

// Input routing.
void RouteRawEvent(const TRawEvent& e);
void ForgetWindowInput(HWND h);
void ActivateWindow(HWND h, bool mouse);
void DeactivateApp();
void ActivateNextAfter(HWND closing);

// Timers.
void ForgetTimers(HWND h);
std::optional<std::uint64_t> NextTimerDue();
bool TakeDueTimer(MSG& msg);
bool TakeDueTimer(MSG& msg, bool remove);
void RunTimerProc(const MSG& msg);

// Input modes: end the one running, or the one of a window.
void EndInputMode();
void EndInputModeOf(HWND h);
// The system menu's popup goes with the window system.
void ResetMenus();
// The window has a system menu whose item for the command is greyed or gone.
bool MenuCommandGrayed(HWND h, UINT command);
// Moving or sizing a window by keyboard and mouse, after the system command.
void BeginKeyboardSizeMove(HWND h, bool size);
// The system pixel density changed: metrics follow and top-level windows
// get WM_DPICHANGED.
void ChangeSystemDpi(int dpi);

// Hooks: true when a hook refused.
bool CallHooks(int code, WPARAM wParam, LPARAM lParam);

// Default frame geometry of a window (window coordinates).
struct TFrameLayout {
  int border = 0;  // side border width
  int caption = 0;
  TRect caption_rect;
  TRect icon;
  TRect close;
  TRect max;
  TRect min;
};
TFrameLayout DefaultFrameLayout(const TWindow& w);
TRect ComputeClientRect(const TWindow& w, const TRect& window_rect_in_window_coords);
void PaintDefaultFrame(HWND h, TCanvas& canvas);

// A queued message stamped with the clock and the pointer position.
MSG MakeMsg(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Geometry helpers.
TPoint ScreenOrigin(const TWindow& w);  // the window's top-left on screen
LRESULT Send(HWND h, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace qv::win

namespace qv::win {
// SetWindowPos flag of the window system's own: the backend reported the
// move, so it is not told back.
constexpr UINT kSwpFromBackend = 0x80000000u;
HWND TopLevelAt(TPoint screen);
HWND DeepestEnabledAt(HWND top, TPoint screen);
}  // namespace qv::win
