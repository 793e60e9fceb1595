// Windows and messages: creation and activation order, frame metrics,
// procedure chaining, send and post, destruction, the tree, properties,
// the close gate, minimising and shapes.
#include "platform/window/hook.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowMessages : public WindowTest {};

TEST_F(WindowMessages, ShowingActivatesBeforeTheFirstPaint) {
  std::vector<int> hook_codes;
  SetWindowsHookEx(WH_CBT, [&](int code, WPARAM, LPARAM) -> LRESULT {
    hook_codes.push_back(code);
    return 0;
  });
  HWND f = Form();
  ASSERT_TRUE(f);
  EXPECT_EQ(Sequence({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}, f),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  ShowWindow(f, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), f);
  EXPECT_EQ(GetFocus(), f);
  EXPECT_TRUE(Of(WM_PAINT).empty()) << "painting waits for the queue";
  PumpPendingMessages();
  EXPECT_EQ(Sequence({WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_NCPAINT,
                      WM_ERASEBKGND, WM_PAINT},
                     f),
            (std::vector<UINT>{WM_SHOWWINDOW, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_NCPAINT,
                               WM_PAINT, WM_ERASEBKGND}))
      << "the erase comes from BeginPaint";
  EXPECT_NE(std::find(hook_codes.begin(), hook_codes.end(), HCBT_CREATEWND), hook_codes.end());
  EXPECT_NE(std::find(hook_codes.begin(), hook_codes.end(), HCBT_ACTIVATE), hook_codes.end());
}

TEST_F(WindowMessages, FrameMetricsGiveTheMainWindowSize) {
  const std::uint32_t single = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  TRect r = Rect(0, 0, 516, 412);
  AdjustWindowRectEx(r, single, 0);
  EXPECT_EQ(r.Width(), 522);
  EXPECT_EQ(r.Height(), 441);
  HWND f = CreateWindowEx(0, u"QvTestWindow", u"", single, 10, 20, r.Width(), r.Height(), {});
  TRect c, w;
  GetClientRect(f, c);
  GetWindowRect(f, w);
  EXPECT_EQ(c, Rect(0, 0, 516, 412));
  EXPECT_EQ(w, Rect(10, 20, 532, 461));
  TPoint origin{0, 0};
  ClientToScreen(f, origin);
  EXPECT_EQ(origin, (TPoint{13, 46}));

  // A sizeable frame adds the padded border; a bordered child has one pixel.
  TRect s = Rect(0, 0, 100, 100);
  AdjustWindowRectEx(s, WS_OVERLAPPEDWINDOW, 0);
  EXPECT_EQ(-s.Left, GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER));
  TRect b = Rect(0, 0, 10, 10);
  AdjustWindowRectEx(b, WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE);
  EXPECT_EQ(b, Rect(-3, -3, 13, 13));
}

TEST_F(WindowMessages, MetricsScaleWithThePixelDensity) {
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CYCAPTION, 96), 23);
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CYCAPTION, 144), 34);
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXVSCROLL, 192), 32);
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXFIXEDFRAME, 120), 3);
  EXPECT_EQ(GetSystemMetricsForDpi(12345, 96), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
}

TEST_F(WindowMessages, XftDpiIsReadFromTheResources) {
  EXPECT_EQ(ParseXftDpi(nullptr), 96);
  EXPECT_EQ(ParseXftDpi(""), 96);
  EXPECT_EQ(ParseXftDpi("Xft.antialias:\t1\nXft.dpi:\t120\n"), 120);
  EXPECT_EQ(ParseXftDpi("Xft.dpi: 143.6"), 144);
  EXPECT_EQ(ParseXftDpi("Xft.dpi:\nXft.hinting: 1\n"), 96) << "a value on the next line is not it";
  EXPECT_EQ(ParseXftDpi("Xft.dpi: 100000"), 96);
  EXPECT_EQ(ParseXftDpi("Xft.dpi: abc"), 96);
  EXPECT_EQ(ParseXftDpi("XXft.dpi: 120"), 96);
}

TEST_F(WindowMessages, ReplacedProceduresChainToTheOldOne) {
  HWND f = Form();
  std::vector<UINT> seen;
  WNDPROC old;
  old = SetWindowProc(f, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    seen.push_back(m);
    if (m == WM_USER + 1) return 77;
    return CallWindowProc(old, h, m, w, l);
  });
  ASSERT_TRUE(old);
  log.clear();
  EXPECT_EQ(SendMessage(f, WM_USER + 1), 77);
  EXPECT_TRUE(Of(WM_USER + 1).empty()) << "the new procedure answered alone";
  SendMessage(f, WM_USER + 2, 5, 6);
  ASSERT_EQ(Of(WM_USER + 2).size(), 1u);
  EXPECT_EQ(Of(WM_USER + 2)[0].lParam, 6);
  SetWindowProc(f, old);
  EXPECT_EQ(SendMessage(f, WM_USER + 1), 0);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(WindowMessages, AProcedureMayReplaceItselfOrDestroyItsWindowWhileRunning) {
  HWND f = Form();
  WNDPROC original = GetWindowProc(f);
  int calls = 0;
  SetWindowProc(f, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_USER) {
      ++calls;
      SetWindowProc(h, original);  // drops this very function object
      return calls;                // still safe to use its captures
    }
    if (m == WM_USER + 1) {
      DestroyWindow(h);
      return IsWindow(h) ? 1 : 2;
    }
    return CallWindowProc(original, h, m, w, l);
  });
  EXPECT_EQ(SendMessage(f, WM_USER), 1);
  EXPECT_EQ(SendMessage(f, WM_USER), 0) << "the original is back";
  SetWindowProc(f, [&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_USER + 1) {
      DestroyWindow(h);
      return IsWindow(h) ? 1 : 2;
    }
    return CallWindowProc(original, h, m, w, l);
  });
  EXPECT_EQ(SendMessage(f, WM_USER + 1), 2);
  EXPECT_FALSE(IsWindow(f));
  EXPECT_EQ(SendMessage(f, WM_USER + 1), 0) << "a stale handle names no window";
  EXPECT_FALSE(ShowWindow(f, SW_SHOW));
  EXPECT_FALSE(SetWindowText(f, u"x"));
}

TEST_F(WindowMessages, PostedMessagesKeepOrderAndPrivateMessagesPassUnchanged) {
  HWND f = Form();
  HWND g = Form();
  log.clear();
  const WPARAM skin = MAKEWPARAM(1, 3);  // a command in the high word
  EXPECT_TRUE(PostMessage(f, 0xA100, skin, 0x1234));
  EXPECT_TRUE(PostMessage(g, WM_USER, 1, 0));
  EXPECT_TRUE(PostMessage(f, WM_USER, 2, 0));
  EXPECT_TRUE(log.empty());
  PumpPendingMessages();
  const auto seq = Sequence({0xA100, WM_USER});
  ASSERT_EQ(seq, (std::vector<UINT>{0xA100, WM_USER, WM_USER}));
  EXPECT_EQ(Of(0xA100)[0].wParam, skin);
  EXPECT_EQ(HIWORD(Of(0xA100)[0].wParam), 3);
  EXPECT_EQ(Of(0xA100)[0].lParam, 0x1234);
  EXPECT_EQ(Of(WM_USER)[0].hwnd, g);

  // Messages for a window destroyed before they are dispatched are dropped.
  PostMessage(g, WM_USER + 5);
  DestroyWindow(g);
  EXPECT_FALSE(PostMessage(g, WM_USER + 6));
  log.clear();
  PumpPendingMessages();
  EXPECT_TRUE(Of(WM_USER + 5).empty());
}

TEST_F(WindowMessages, DestructionReachesParentThenChildrenAndOwnedWindows) {
  HWND f = Form();
  HWND c = Child(f, 0, 0, 10, 10);
  HWND gc = Child(c, 0, 0, 5, 5);
  HWND owned = CreateWindowEx(0, u"QvTestWindow", u"", WS_POPUP, 0, 0, 5, 5, c);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), f) << "top-level windows are owned by a root";
  log.clear();
  EXPECT_TRUE(DestroyWindow(f));
  std::vector<std::pair<UINT, std::uint32_t>> order;
  for (const auto& e : log) {
    if (e.msg == WM_DESTROY || e.msg == WM_NCDESTROY) order.push_back({e.msg, e.hwnd.id});
  }
  const std::vector<std::pair<UINT, std::uint32_t>> want = {
      {WM_DESTROY, owned.id}, {WM_NCDESTROY, owned.id}, {WM_DESTROY, f.id},   {WM_DESTROY, c.id},
      {WM_DESTROY, gc.id},    {WM_NCDESTROY, gc.id},    {WM_NCDESTROY, c.id}, {WM_NCDESTROY, f.id}};
  EXPECT_EQ(order, want);
  EXPECT_FALSE(IsWindow(c));
  EXPECT_FALSE(IsWindow(gc));
  EXPECT_TRUE(GetTopLevelWindows().empty());
}

TEST_F(WindowMessages, ChildrenAreKeptInZOrder) {
  HWND f = Form();
  HWND a = Child(f, 0, 0, 50, 50);
  HWND b = Child(f, 10, 10, 50, 50);
  EXPECT_EQ(GetChildWindows(f), (std::vector<HWND>{b, a})) << "newest on top";
  EXPECT_EQ(ChildWindowFromPoint(f, {20, 20}), b);
  EXPECT_EQ(ChildWindowFromPoint(f, {5, 5}), a);
  EXPECT_EQ(ChildWindowFromPoint(f, {150, 100}), f);
  EXPECT_FALSE(ChildWindowFromPoint(f, {-1, 0}));
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildWindows(f), (std::vector<HWND>{a, b}));
  EXPECT_EQ(GetWindow(f, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(ChildWindowFromPoint(f, {20, 20}), a);
  EXPECT_TRUE(IsChild(f, b));
  EXPECT_FALSE(IsChild(a, b));
  EXPECT_EQ(GetAncestor(b, GA_ROOT), f);
  HWND g = Form();
  EXPECT_EQ(SetParent(b, g), f);
  EXPECT_EQ(GetChildWindows(f), (std::vector<HWND>{a}));
  EXPECT_FALSE(SetParent(g, b)) << "a window cannot go below its own child";
}

TEST_F(WindowMessages, PropertiesAndStyles) {
  HWND f = Form();
  int a = 1, b = 2;
  EXPECT_EQ(GetProp(f, u"TsCommonData"), nullptr);
  SetProp(f, u"TsCommonData", &a);
  SetProp(f, u"Other", &b);
  SetProp(f, u"TsCommonData", &b);
  EXPECT_EQ(GetProp(f, u"TsCommonData"), &b);
  EXPECT_EQ(RemoveProp(f, u"TsCommonData"), &b);
  EXPECT_EQ(GetProp(f, u"TsCommonData"), nullptr);
  EXPECT_EQ(GetProp(f, u"Other"), &b);

  log.clear();
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtr(f, GWL_STYLE));
  SetWindowLongPtr(f, GWL_STYLE, static_cast<LPARAM>(style | WS_THICKFRAME));
  EXPECT_EQ(Sequence({WM_STYLECHANGING, WM_STYLECHANGED}),
            (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
  EXPECT_NE(GetWindowLongPtr(f, GWL_STYLE) & WS_THICKFRAME, 0);
  HWND popup = CreateWindowEx(0, u"QvTestWindow", u"", WS_POPUP, 0, 0, 5, 5, {});
  EXPECT_EQ(static_cast<std::uint32_t>(GetWindowLongPtr(popup, GWL_STYLE)) & 0x80800000u,
            0x80000000u);
  EXPECT_EQ(GetClassName(popup), u"QvTestWindow");
  EXPECT_FALSE(CreateWindowEx(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 5, 5, {}));
  EXPECT_FALSE(CreateWindowEx(0, u"QvTestWindow", u"", WS_CHILD, 0, 0, 5, 5, {}));
}

TEST_F(WindowMessages, CreationCanBeRefused) {
  const HHOOK hook = SetWindowsHookEx(
      WH_CBT, [](int code, WPARAM, LPARAM) -> LRESULT { return code == HCBT_CREATEWND ? 1 : 0; });
  EXPECT_FALSE(Form());
  UnhookWindowsHookEx(hook);
  HWND f = Form();
  ASSERT_TRUE(f);
  const std::size_t before = GetTopLevelWindows().size();
  // WM_CREATE answering -1 fails the creation and leaves no window behind.
  WNDCLASS wc;
  wc.lpszClassName = u"QvRefuse";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
  };
  RegisterClass(wc);
  EXPECT_FALSE(CreateWindowEx(0, u"QvRefuse", u"", WS_POPUP, 0, 0, 5, 5, {}));
  EXPECT_EQ(GetTopLevelWindows().size(), before);
  EXPECT_FALSE(RegisterClass(wc)) << "a class name is registered once";
  UnregisterClass(u"QvRefuse");
}

TEST_F(WindowMessages, EveryCloseGoesThroughWmClose) {
  HWND f = Form();
  bool allow = false;
  handlers[f.id] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CLOSE && !allow) return 0;
    return std::nullopt;
  };
  ShowWindow(f, SW_SHOW);
  SendMessage(f, WM_SYSCOMMAND, SC_CLOSE, 0);
  backend->CloseFromDesktop(f);
  backend->KeyDown(VK_LMENU);
  backend->PressKey(VK_F4);
  backend->KeyUp(VK_LMENU);
  EXPECT_TRUE(IsWindow(f));
  EXPECT_EQ(Of(WM_CLOSE, f).size(), 3u);
  allow = true;
  backend->CloseFromDesktop(f);
  EXPECT_FALSE(IsWindow(f));
  EXPECT_EQ(backend->Native(f), nullptr) << "the native window went with it";
}

TEST_F(WindowMessages, MinimiseAndRestore) {
  HWND f = Form();
  HWND g = Form(400, 400);
  ShowWindow(g, SW_SHOW);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  log.clear();
  SendMessage(f, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(f));
  EXPECT_TRUE(backend->Native(f)->minimized);
  EXPECT_EQ(GetActiveWindow(), g) << "the next window becomes active";
  ASSERT_FALSE(Of(WM_SIZE, f).empty());
  EXPECT_EQ(Of(WM_SIZE, f).back().wParam, SIZE_MINIMIZED);
  EXPECT_EQ(WindowFromPoint(At(f, 5, 5)), HWND{}) << "a minimised window is not under the pointer";
  log.clear();
  SendMessage(f, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(f));
  EXPECT_FALSE(backend->Native(f)->minimized);
  EXPECT_EQ(GetActiveWindow(), f);
  PumpPendingMessages();
  EXPECT_FALSE(Of(WM_PAINT, f).empty()) << "restored windows repaint";
}

TEST_F(WindowMessages, ShapesReachTheDesktopAndTheHitTest) {
  HWND f = Form(100, 100, 200, 150);
  TRect wr;
  GetWindowRect(f, wr);
  TRegion shape(Rect(0, 0, wr.Width(), wr.Height()));
  shape.Subtract(Rect(0, 0, 4, 1));
  SetWindowRgn(f, &shape, true);
  ShowWindow(f, SW_SHOW);
  ASSERT_NE(backend->Native(f), nullptr);
  ASSERT_TRUE(backend->Native(f)->shape.has_value());
  EXPECT_EQ(*backend->Native(f)->shape, shape);
  EXPECT_EQ(SendMessage(f, WM_NCHITTEST, 0, PointToLParam({wr.Left + 1, wr.Top})), HTNOWHERE);
  EXPECT_EQ(SendMessage(f, WM_NCHITTEST, 0, PointToLParam({wr.Left + 5, wr.Top})), HTBORDER);
  EXPECT_EQ(WindowFromPoint({wr.Left + 1, wr.Top}), HWND{});
  TRegion out;
  EXPECT_EQ(GetWindowRgn(f, out), COMPLEXREGION);
  SetWindowRgn(f, nullptr, true);
  EXPECT_FALSE(backend->Native(f)->shape.has_value());
  EXPECT_EQ(GetWindowRgn(f, out), ERROR_REGION);
}

}  // namespace
}  // namespace qv::test
