// A change of the desktop's pixels per inch: WM_DPICHANGED to every
// top-level window with the suggested rectangle, metrics and frames that
// follow, and the changes that are no change at all.
#include "platform/window/menu.h"
#include "platform/window/metrics.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowDpi : public WindowTest {};

TEST_F(WindowDpi, EveryTopLevelWindowHearsTheNewDensity) {
  HWND shown = Form(100, 100, 200, 150);
  HWND hidden = Form(400, 100, 100, 80);
  HWND child = Child(shown, 5, 5, 20, 20);
  ShowWindow(shown, SW_SHOW);
  TRect seen;
  handlers[shown.id] = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_DPICHANGED) seen = *reinterpret_cast<const TRect*>(l);
    return std::nullopt;
  };
  PumpPendingMessages();
  log.clear();
  backend->ChangeDpi(120);

  EXPECT_EQ(GetDpiForSystem(), 120);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 28);
  ASSERT_EQ(Of(WM_DPICHANGED, shown).size(), 1u);
  EXPECT_EQ(Of(WM_DPICHANGED, shown)[0].wParam, MAKEWPARAM(120, 120));
  EXPECT_EQ(Of(WM_DPICHANGED, hidden).size(), 1u) << "hidden windows scale too";
  EXPECT_TRUE(Of(WM_DPICHANGED, child).empty()) << "only top-level windows";

  // The client area scaled (200 x 150 -> 250 x 188), the frame at the new metrics.
  TRect expected = Rect(0, 0, 250, 188);
  AdjustWindowRectEx(expected, static_cast<std::uint32_t>(GetWindowLongPtr(shown, GWL_STYLE)), 0);
  EXPECT_EQ(seen, Bounds(100, 100, expected.Width(), expected.Height()));
  TRect now, client;
  GetWindowRect(shown, now);
  GetClientRect(shown, client);
  EXPECT_EQ(now, seen) << "the default procedure takes the suggestion";
  EXPECT_EQ(client, Rect(0, 0, 250, 188));
  PumpPendingMessages();
  EXPECT_FALSE(Of(WM_NCPAINT, shown).empty()) << "the frame is drawn again";
  EXPECT_FALSE(Of(WM_PAINT, child).empty()) << "and so are the children";
}

TEST_F(WindowDpi, NoChangeAndUnusableValuesChangeNothing) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  backend->ChangeDpi(96);
  backend->ChangeDpi(0);
  backend->ChangeDpi(100000);
  EXPECT_TRUE(Of(WM_DPICHANGED).empty());
  EXPECT_EQ(GetDpiForSystem(), 96);
}

TEST_F(WindowDpi, AWindowThatKeepsItsSizeStillGetsTheNewFrame) {
  HWND f = Form(100, 100, 200, 150);
  handlers[f.id] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DPICHANGED) return 0;
    return std::nullopt;
  };
  ShowWindow(f, SW_SHOW);
  TRect before;
  GetWindowRect(f, before);
  backend->ChangeDpi(192);
  TRect after, client;
  GetWindowRect(f, after);
  GetClientRect(f, client);
  EXPECT_EQ(after, before);
  // Borders 6, caption 46: the client shrinks inside the unchanged window.
  EXPECT_EQ(client, Rect(0, 0, before.Width() - 12, before.Height() - 12 - 46));
}

TEST_F(WindowDpi, AGrowingWindowStaysOnTheScreenAndMenusClose) {
  const TSize screen = ScreenSize();
  HWND f = Form(screen.cx - 220, screen.cy - 190, 200, 150);
  ShowWindow(f, SW_SHOW);
  ASSERT_TRUE(ShowSystemMenu(f, {screen.cx - 200, screen.cy - 150}));
  backend->ChangeDpi(144);
  EXPECT_FALSE(GetOpenMenuOwner()) << "laid out for the old density";
  TRect r;
  GetWindowRect(f, r);
  EXPECT_EQ(r.Right, screen.cx);
  EXPECT_EQ(r.Bottom, screen.cy);
  EXPECT_EQ(r.Width(), 300 + 2 * 4);  // 150 % client, frames of 4
}

}  // namespace
}  // namespace qv::test
