// The desktop backend under a virtual X server: a window is shown and
// painted, the X server's pixels and shape are read back, and clicks and a
// caption drag made through the X server arrive as messages; the system menu
// opens as a popup window of its own and answers the pointer and the keys;
// a new Xft.dpi in the X resources reaches the windows as WM_DPICHANGED.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/window/keys.h"
#include "platform/window/menu.h"
#include "platform/window/metrics.h"
#include "platform/window/sdl_backend.h"
#include "tests/platform/window/window_fixture.h"

// After the test headers: Xlib's macros (None, Bool) would break them.
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
// clang-format on

// SDL's desktop-bus connection keeps a buffer until exit; not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace qv::test {
namespace {

class SdlDisplay : public WindowTest {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    WindowTest::SetUp();  // registers the recording class on a headless system
    InitWindowSystem(CreateSdlBackend());
    x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
  }
  void TearDown() override {
    if (x != nullptr) XCloseDisplay(x);
    if (std::getenv("DISPLAY") != nullptr) WindowTest::TearDown();
  }

  // Pumps with the real clock until pred holds or ten seconds pass (the X
  // server answers slowly on a busy machine).
  template <typename Pred>
  bool PumpUntil(Pred pred) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      PumpPendingMessages();
      if (pred()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  static int Run(const std::string& cmd) { return std::system(cmd.c_str()); }

  TColor ScreenPixel(TPoint p) {
    XImage* img = XGetImage(x, DefaultRootWindow(x), p.X, p.Y, 1, 1, AllPlanes, ZPixmap);
    if (img == nullptr) return -1;
    const unsigned long v = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return RGB(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
               static_cast<int>(v & 0xFF));
  }

  // The top-level X window whose top-left corner is at p, or 0.
  ::Window XWindowAt(TPoint p, int width) {
    ::Window root = DefaultRootWindow(x), parent = 0, *kids = nullptr, found = 0;
    unsigned n = 0;
    XSync(x, False);
    if (XQueryTree(x, root, &root, &parent, &kids, &n) != 0) {
      for (unsigned i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(x, kids[i], &a) != 0 && a.map_state == IsViewable && a.x == p.X &&
            a.y == p.Y && a.width == width) {
          found = kids[i];
        }
      }
      XFree(kids);
    }
    return found;
  }

  void PaintAndClick();
  void ShapeAndDrag();
  void SystemMenu();
  void DensityChange();

  Display* x = nullptr;
};

void SdlDisplay::PaintAndClick() {
  HWND f = Form(900, 620, 240, 160);
  ASSERT_TRUE(f);
  HWND c = Child(f, 20, 20, 80, 40);
  handlers[c.id] = [](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    BeginPaint(h, ps)->FillRect(Rect(0, 0, 80, 40), clRed);
    EndPaint(h, ps);
    return 0;
  };
  ShowWindow(f, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return !Of(WM_PAINT, c).empty(); }));
  XSync(x, False);
  EXPECT_TRUE(PumpUntil([&] {
    XSync(x, False);
    return ScreenPixel(At(c, 10, 10)) == clRed;
  })) << "the child's pixels reached the X server";
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(At(f, 150, 100)) == ColorToRGB(clBtnFace); }));

  const TPoint p = At(c, 30, 15);
  log.clear();
  ASSERT_EQ(
      Run("xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1"), 0);
  ASSERT_TRUE(PumpUntil([&] { return !Of(WM_LBUTTONUP, c).empty(); }));
  ASSERT_FALSE(Of(WM_LBUTTONDOWN, c).empty());
  EXPECT_EQ(LParamToPoint(Of(WM_LBUTTONDOWN, c)[0].lParam), (TPoint{30, 15}));
  EXPECT_FALSE(Of(WM_NCHITTEST, f).empty());
}

void SdlDisplay::ShapeAndDrag() {
  HWND f = Form(880, 560, 200, 120);
  TRect wr;
  GetWindowRect(f, wr);
  TRegion shape(Rect(0, 0, wr.Width(), wr.Height()));
  shape.Subtract(Rect(0, 0, 3, 1));
  SetWindowRgn(f, &shape, false);
  ShowWindow(f, SW_SHOW);
  PumpUntil([&] { return !Of(WM_PAINT, f).empty(); });

  // Find our X window by its position: the top-level child of the root at the point.
  ::Window root = DefaultRootWindow(x), parent = 0, *kids = nullptr;
  unsigned n = 0;
  ::Window ours = 0;
  XSync(x, False);
  if (XQueryTree(x, root, &root, &parent, &kids, &n) != 0) {
    for (unsigned i = 0; i < n; ++i) {
      XWindowAttributes a;
      if (XGetWindowAttributes(x, kids[i], &a) != 0 && a.map_state == IsViewable &&
          a.x == wr.Left && a.y == wr.Top && a.width == wr.Width()) {
        ours = kids[i];
      }
    }
    XFree(kids);
  }
  ASSERT_NE(ours, 0u);
  int count = 0, ordering = 0;
  XRectangle* rects = XShapeGetRectangles(x, ours, ShapeBounding, &count, &ordering);
  TRegion got;
  for (int i = 0; i < count; ++i)
    got.Union(Bounds(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
  if (rects != nullptr) XFree(rects);
  EXPECT_EQ(got, shape);

  const TPoint cap{wr.Left + 60, wr.Top + 10};
  ASSERT_EQ(Run("xdotool mousemove " + std::to_string(cap.X) + " " + std::to_string(cap.Y) +
                " mousedown 1 mousemove " + std::to_string(cap.X + 40) + " " +
                std::to_string(cap.Y + 30) + " sleep 0.2 mouseup 1"),
            0);
  EXPECT_TRUE(PumpUntil([&] {
    TRect now;
    GetWindowRect(f, now);
    return now == wr.Offset(40, 30);
  }));
  EXPECT_TRUE(PumpUntil([&] {
    XWindowAttributes a;
    XGetWindowAttributes(x, ours, &a);
    return a.x == wr.Left + 40 && a.y == wr.Top + 30;
  })) << "the X window moved with it";
}

void SdlDisplay::SystemMenu() {
  HWND f = Form(860, 560, 220, 140);
  // The command is recorded and eaten, so the window stays for the next step.
  handlers[f.id] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_SYSCOMMAND) return 0;
    return std::nullopt;
  };
  ShowWindow(f, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return !Of(WM_PAINT, f).empty(); }));
  TRect wr;
  GetWindowRect(f, wr);
  const TPoint icon{wr.Left + 15, wr.Top + 14};
  ASSERT_EQ(SendMessage(f, WM_NCHITTEST, 0, PointToLParam(icon)), HTSYSMENU);
  ASSERT_EQ(Run("xdotool mousemove " + std::to_string(icon.X) + " " + std::to_string(icon.Y) +
                " click 1"),
            0);
  ASSERT_TRUE(PumpUntil([&] { return GetOpenMenuOwner() == f; }));
  const HMENU menu = GetSystemMenu(f, false);
  TRect item;
  ASSERT_TRUE(GetMenuItemRect(f, menu, 3, item));  // minimise
  TRect first;
  GetMenuItemRect(f, menu, 0, first);
  const ::Window popup = XWindowAt({first.Left - 1, first.Top - 3}, first.Width() + 2);
  ASSERT_NE(popup, 0u) << "the menu is an X window of its own";
  XWindowAttributes a;
  XGetWindowAttributes(x, popup, &a);
  EXPECT_TRUE(a.override_redirect) << "no window manager places or focuses it";

  const TPoint centre{item.Left + item.Width() / 2, item.Top + item.Height() / 2};
  ASSERT_EQ(Run("xdotool mousemove " + std::to_string(centre.X) + " " + std::to_string(centre.Y)),
            0);
  EXPECT_TRUE(PumpUntil([&] {
    XSync(x, False);
    return ScreenPixel({item.Left + 4, item.Top + 1}) == ColorToRGB(clHighlight);
  })) << "the hovered item is drawn highlighted on the screen";
  // The keys still reach the program while the pointer is over the popup.
  ASSERT_EQ(Run("xdotool key Down"), 0);
  EXPECT_TRUE(PumpUntil([&] { return (GetMenuState(menu, 6, MF_BYPOSITION) & MF_HILITE) != 0; }));
  ASSERT_EQ(Run("xdotool key Up click 1"), 0);
  ASSERT_TRUE(PumpUntil([&] { return !Of(WM_SYSCOMMAND, f).empty(); }));
  EXPECT_EQ(Of(WM_SYSCOMMAND, f)[0].wParam, static_cast<WPARAM>(SC_MINIMIZE));
  EXPECT_FALSE(GetOpenMenuOwner());
  DestroyWindow(f);
}

void SdlDisplay::DensityChange() {
  HWND f = Form(880, 600, 120, 80);
  ShowWindow(f, SW_SHOW);
  ASSERT_TRUE(PumpUntil([&] { return !Of(WM_PAINT, f).empty(); }));
  // Reload the X resources as xrdb does: the root window's RESOURCE_MANAGER.
  const ::Window root = DefaultRootWindow(x);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* old = nullptr;
  XGetWindowProperty(x, root, XA_RESOURCE_MANAGER, 0, 1 << 20, False, XA_STRING, &type, &format,
                     &count, &after, &old);
  const std::string saved = old != nullptr ? std::string(reinterpret_cast<char*>(old), count) : "";
  if (old != nullptr) XFree(old);
  const int before = GetDpiForSystem();
  const int wanted = before == 120 ? 144 : 120;
  const std::string text = "Xft.dpi:\t" + std::to_string(wanted) + "\n";
  XChangeProperty(x, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()),
                  static_cast<int>(text.size()));
  XSync(x, False);
  const bool arrived = PumpUntil([&] { return !Of(WM_DPICHANGED, f).empty(); });
  // Put the resources back whatever happened.
  if (saved.empty()) {
    XDeleteProperty(x, root, XA_RESOURCE_MANAGER);
  } else {
    XChangeProperty(x, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(saved.data()),
                    static_cast<int>(saved.size()));
  }
  XSync(x, False);
  ASSERT_TRUE(arrived);
  EXPECT_EQ(Of(WM_DPICHANGED, f)[0].wParam, MAKEWPARAM(wanted, wanted));
  EXPECT_EQ(GetDpiForSystem(), wanted);
  EXPECT_TRUE(PumpUntil([&] { return GetDpiForSystem() == before; })) << "and back";
  DestroyWindow(f);
}

// One test, so that ctest never runs two of them on the same X server at once
// (the pointer is shared); the windows stand where other tests rarely do.
TEST_F(SdlDisplay, WindowsArePaintedShapedClickedAndDraggedThroughTheXServer) {
  PaintAndClick();
  ShapeAndDrag();
  SystemMenu();
  DensityChange();
  // A second desktop backend in the same process works as the first.
  InitWindowSystem(CreateSdlBackend());
  HWND f = Form(900, 600, 100, 80);
  ShowWindow(f, SW_SHOW);
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(At(f, 50, 40)) == ColorToRGB(clBtnFace); }));
}

}  // namespace
}  // namespace qv::test
