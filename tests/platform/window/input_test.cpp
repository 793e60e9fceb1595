// Input routing: hit test first, non-client and client messages, capture,
// double clicks, the wheel, enter/leave tracking, cursors, focus, keys and
// characters, the default caption buttons and caption drags.
#include "platform/window/keys.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowInput : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form = Form(100, 100, 200, 150);
    child = Child(form, 20, 20, 60, 40);
    ShowWindow(form, SW_SHOW);
    PumpPendingMessages();
    log.clear();
  }

  TPoint Caption() const {
    TRect r;
    GetWindowRect(form, r);
    return {r.Left + 60, r.Top + 10};
  }

  HWND form;
  HWND child;
};

TEST_F(WindowInput, HitTestDecidesBetweenNonClientAndClientMessages) {
  backend->MoveMouse(Caption());
  EXPECT_EQ(Sequence({WM_NCHITTEST, WM_SETCURSOR, WM_NCMOUSEMOVE}, form),
            (std::vector<UINT>{WM_NCHITTEST, WM_SETCURSOR, WM_NCMOUSEMOVE}));
  ASSERT_EQ(Of(WM_NCMOUSEMOVE).size(), 1u);
  EXPECT_EQ(Of(WM_NCMOUSEMOVE)[0].wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(LParamToPoint(Of(WM_NCMOUSEMOVE)[0].lParam), Caption()) << "screen coordinates";

  log.clear();
  backend->MoveMouse(At(child, 7, 9));
  EXPECT_EQ(Of(WM_NCHITTEST, form).size(), 1u) << "the top-level window is asked";
  ASSERT_EQ(Of(WM_MOUSEMOVE).size(), 1u);
  EXPECT_EQ(Of(WM_MOUSEMOVE)[0].hwnd, child);
  EXPECT_EQ(LParamToPoint(Of(WM_MOUSEMOVE)[0].lParam), (TPoint{7, 9}));

  // A disabled child passes the mouse to its parent.
  EnableWindow(child, false);
  log.clear();
  backend->Click(At(child, 7, 9));
  ASSERT_EQ(Of(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Of(WM_LBUTTONDOWN)[0].hwnd, form);
  EXPECT_EQ(LParamToPoint(Of(WM_LBUTTONDOWN)[0].lParam), (TPoint{27, 29}));
}

TEST_F(WindowInput, AFrameThatAnswersTheHitTestGetsNonClientMessages) {
  // As a skinned frame does: its own caption button over what was client.
  handlers[form.id] = [this](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST && LParamToPoint(l) == At(form, 150, 5)) return HTCLOSE;
    return std::nullopt;
  };
  backend->MouseDown(At(form, 150, 5));
  backend->MouseUp(At(form, 150, 5));
  EXPECT_EQ(Sequence({WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}, form),
            (std::vector<UINT>{WM_NCLBUTTONDOWN, WM_NCLBUTTONUP}));
  EXPECT_EQ(Of(WM_NCLBUTTONUP)[0].wParam, static_cast<WPARAM>(HTCLOSE));
  EXPECT_TRUE(Of(WM_LBUTTONDOWN).empty());
}

TEST_F(WindowInput, AReleaseAlwaysReachesThePressedWindow) {
  backend->MouseDown(At(child, 5, 5));
  backend->MoveMouse({1000, 900});
  backend->MouseUp({1000, 900});
  ASSERT_EQ(Of(WM_LBUTTONUP).size(), 1u);
  EXPECT_EQ(Of(WM_LBUTTONUP)[0].hwnd, child);
  EXPECT_EQ(Of(WM_MOUSEMOVE, child).back().hwnd, child);
  TPoint far{1000, 900};
  ScreenToClient(child, far);
  EXPECT_EQ(LParamToPoint(Of(WM_LBUTTONUP)[0].lParam), far);
  EXPECT_FALSE(backend->MouseCaptured());

  // A press on the frame released over the client reaches the form as a
  // client release; released outside, as a non-client one.
  TRect r;
  GetWindowRect(form, r);
  const TPoint border{r.Left + 1, r.Top + 60};
  ASSERT_EQ(SendMessage(form, WM_NCHITTEST, 0, PointToLParam(border)), HTBORDER);
  log.clear();
  backend->MouseDown(border);
  backend->MouseUp(At(child, 5, 5));
  ASSERT_EQ(Of(WM_LBUTTONUP).size(), 1u);
  EXPECT_EQ(Of(WM_LBUTTONUP)[0].hwnd, form);
  log.clear();
  backend->MouseDown(border);
  backend->MouseUp({5, 5});
  ASSERT_EQ(Of(WM_NCLBUTTONUP).size(), 1u);
  EXPECT_EQ(Of(WM_NCLBUTTONUP)[0].wParam, static_cast<WPARAM>(HTNOWHERE));
}

TEST_F(WindowInput, ExplicitCaptureTakesEveryMouseMessage) {
  SetCapture(child);
  EXPECT_TRUE(backend->MouseCaptured());
  backend->MoveMouse(Caption());
  backend->Click({3, 3});
  EXPECT_TRUE(Of(WM_NCHITTEST).empty());
  EXPECT_EQ(Of(WM_MOUSEMOVE, child).size(), 3u);
  EXPECT_EQ(Of(WM_LBUTTONDOWN, child).size(), 1u);
  EXPECT_EQ(Of(WM_LBUTTONUP, child).size(), 1u);
  EXPECT_TRUE(Of(WM_NCMOUSEMOVE).empty());
  ReleaseCapture();
  EXPECT_EQ(Of(WM_CAPTURECHANGED, child).size(), 1u);
  EXPECT_FALSE(GetCapture());
  EXPECT_FALSE(backend->MouseCaptured());
  SetCapture(child);
  DestroyWindow(child);
  EXPECT_FALSE(GetCapture()) << "capture ends with its window";
}

TEST_F(WindowInput, DoubleClicksNeedTheClassStyleTimeAndPlace) {
  backend->Click(At(child, 5, 5));
  backend->Click(At(child, 6, 5));
  backend->Click(At(child, 6, 5));
  EXPECT_EQ(Sequence({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, child),
            (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
  log.clear();
  backend->AdvanceTime(1000);
  backend->Click(At(child, 5, 5));
  backend->AdvanceTime(600);
  backend->Click(At(child, 5, 5));
  backend->Click(At(child, 20, 5));
  EXPECT_TRUE(Of(WM_LBUTTONDBLCLK).empty()) << "too late, then too far";

  WNDCLASS wc;
  wc.lpszClassName = u"QvNoDoubleClicks";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) { return self->Proc(h, m, w, l); };
  RegisterClass(wc);
  HWND plain =
      CreateWindowEx(0, u"QvNoDoubleClicks", u"", WS_CHILD | WS_VISIBLE, 100, 20, 30, 30, form);
  backend->AdvanceTime(1000);
  log.clear();
  backend->Click(At(plain, 5, 5));
  backend->Click(At(plain, 5, 5));
  EXPECT_EQ(Of(WM_LBUTTONDOWN, plain).size(), 2u);
  EXPECT_TRUE(Of(WM_LBUTTONDBLCLK).empty());
  UnregisterClass(u"QvNoDoubleClicks");
}

TEST_F(WindowInput, TheWheelGoesToTheWindowUnderThePointerAndUpItsParents) {
  backend->Wheel(At(child, 5, 5), -2);
  ASSERT_EQ(Of(WM_MOUSEWHEEL).size(), 2u) << "the child's default passes it up";
  EXPECT_EQ(Of(WM_MOUSEWHEEL)[0].hwnd, child);
  EXPECT_EQ(Of(WM_MOUSEWHEEL)[1].hwnd, form);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(Of(WM_MOUSEWHEEL)[0].wParam), -240);
  EXPECT_EQ(LParamToPoint(Of(WM_MOUSEWHEEL)[0].lParam), At(child, 5, 5));
}

TEST_F(WindowInput, LeaveIsReportedOnceToWindowsThatAskForIt) {
  backend->MoveMouse(At(child, 5, 5));
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = child;
  TrackMouseEvent(tme);
  backend->MoveMouse(At(child, 6, 6));
  EXPECT_TRUE(Of(WM_MOUSELEAVE).empty());
  backend->MoveMouse(At(form, 150, 100));
  backend->MoveMouse(At(form, 151, 100));
  ASSERT_EQ(Of(WM_MOUSELEAVE).size(), 1u);
  EXPECT_EQ(Of(WM_MOUSELEAVE)[0].hwnd, child);

  // Tracking asked for while the pointer is elsewhere reports at once.
  log.clear();
  TrackMouseEvent(tme);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_MOUSELEAVE, child).size(), 1u);

  // The non-client variant: from the caption into the client area.
  log.clear();
  backend->MoveMouse(Caption());
  tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
  tme.hwndTrack = form;
  TrackMouseEvent(tme);
  backend->MoveMouse(At(form, 150, 100));
  EXPECT_EQ(Of(WM_NCMOUSELEAVE, form).size(), 1u);
  EXPECT_TRUE(Of(WM_MOUSELEAVE, form).empty());

  // Leaving all windows of the program.
  log.clear();
  tme.dwFlags = TME_LEAVE;
  TrackMouseEvent(tme);
  backend->PointerLeaves();
  EXPECT_EQ(Of(WM_MOUSELEAVE, form).size(), 1u);
}

TEST_F(WindowInput, CursorsFollowTheClassAndTheFrame) {
  WNDCLASS wc;
  wc.lpszClassName = u"QvHand";
  wc.hCursor = IDC_HAND;
  RegisterClass(wc);
  HWND link = CreateWindowEx(0, u"QvHand", u"", WS_CHILD | WS_VISIBLE, 100, 20, 30, 30, form);
  backend->MoveMouse(At(link, 5, 5));
  EXPECT_EQ(backend->Cursor(), IDC_HAND);
  backend->MoveMouse(At(child, 5, 5));
  EXPECT_EQ(backend->Cursor(), IDC_ARROW);
  HWND sizeable = Form(500, 500, 100, 100, WS_OVERLAPPEDWINDOW);
  ShowWindow(sizeable, SW_SHOW);
  TRect r;
  GetWindowRect(sizeable, r);
  backend->MoveMouse({r.Right - 1, r.Bottom - 1});
  EXPECT_EQ(backend->Cursor(), IDC_SIZENWSE);
  backend->MoveMouse({r.Left + 1, r.Top + 50});
  EXPECT_EQ(backend->Cursor(), IDC_SIZEWE);
  UnregisterClass(u"QvHand");
}

TEST_F(WindowInput, FocusMovesWithKillAndSetFocus) {
  EXPECT_EQ(GetFocus(), form);
  EXPECT_EQ(SetFocus(child), form);
  ASSERT_EQ(Of(WM_KILLFOCUS, form).size(), 1u);
  EXPECT_EQ(Of(WM_KILLFOCUS, form)[0].wParam, static_cast<WPARAM>(child.id));
  ASSERT_EQ(Of(WM_SETFOCUS, child).size(), 1u);
  EXPECT_EQ(Of(WM_SETFOCUS, child)[0].wParam, static_cast<WPARAM>(form.id));

  HWND hidden = CreateWindowEx(0, u"QvTestWindow", u"", WS_CHILD, 0, 0, 5, 5, form);
  EXPECT_FALSE(SetFocus(hidden));
  EXPECT_EQ(GetFocus(), child);
  EnableWindow(child, false);
  EXPECT_FALSE(GetFocus()) << "a disabled window loses the focus";
  EXPECT_FALSE(SetFocus(child));
  EnableWindow(child, true);
  SetFocus(child);

  // Another top-level window takes activation and focus.
  HWND other = Form(500, 100);
  log.clear();
  ShowWindow(other, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), other);
  EXPECT_EQ(Of(WM_KILLFOCUS, child).size(), 1u);
  ASSERT_EQ(Of(WM_ACTIVATE, form).size(), 1u);
  EXPECT_EQ(LOWORD(Of(WM_ACTIVATE, form)[0].wParam), WA_INACTIVE);
  EXPECT_EQ(Of(WM_NCACTIVATE, form)[0].wParam, 0u);

  // Clicking the first one activates it again.
  log.clear();
  backend->Click(At(child, 3, 3));
  EXPECT_EQ(GetActiveWindow(), form);
  ASSERT_FALSE(Of(WM_ACTIVATE, form).empty());
  EXPECT_EQ(LOWORD(Of(WM_ACTIVATE, form)[0].wParam), WA_CLICKACTIVE);
  EXPECT_LT(Sequence({WM_ACTIVATE, WM_LBUTTONDOWN}).front(), WM_LBUTTONDOWN);
}

TEST_F(WindowInput, KeysAndCharactersGoToTheFocusWindow) {
  SetFocus(child);
  log.clear();
  backend->PressKey(VK_RETURN);
  backend->TypeText(u"Жё1");
  backend->KeyDown(VK_LCONTROL);
  backend->PressKey(VK_TAB);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  backend->PressKey('C');
  backend->KeyUp(VK_LCONTROL);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  std::vector<WPARAM> chars;
  for (const auto& e : Of(WM_CHAR, child)) chars.push_back(e.wParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{13, u'Ж', u'ё', u'1', 9, 3}));
  std::vector<WPARAM> downs;
  for (const auto& e : Of(WM_KEYDOWN, child)) downs.push_back(e.wParam);
  EXPECT_EQ(downs, (std::vector<WPARAM>{VK_RETURN, VK_CONTROL, VK_TAB, 'C'}));
  EXPECT_EQ(Of(WM_KEYUP, child).size(), 4u);
  EXPECT_NE(static_cast<std::uint32_t>(Of(WM_KEYUP, child)[0].lParam) & 0x80000000u, 0u);

  // Alt makes system keys; Alt+letter becomes WM_SYSCHAR.
  log.clear();
  backend->KeyDown(VK_LMENU);
  backend->PressKey('X');
  backend->TypeText(u"x");
  backend->KeyUp(VK_LMENU);
  EXPECT_EQ(Of(WM_SYSKEYDOWN, child).size(), 2u);
  ASSERT_EQ(Of(WM_SYSCHAR, child).size(), 1u);
  EXPECT_EQ(Of(WM_SYSCHAR, child)[0].wParam, static_cast<WPARAM>(u'x'));
  EXPECT_TRUE(Of(WM_CHAR).empty());
}

TEST_F(WindowInput, DefaultCaptionButtonsActOnlyWhenReleasedOverThemselves) {
  TRect r;
  GetWindowRect(form, r);
  const TPoint close{r.Right - 3 - 2 - 8, r.Top + 3 + 11};
  const TPoint minimise{close.X - 23, close.Y};
  ASSERT_EQ(SendMessage(form, WM_NCHITTEST, 0, PointToLParam(close)), HTCLOSE);
  ASSERT_EQ(SendMessage(form, WM_NCHITTEST, 0, PointToLParam(minimise)), HTMINBUTTON);
  backend->MouseDown(close);
  backend->MouseUp(Caption());
  EXPECT_TRUE(IsWindow(form));
  backend->Click(minimise);
  EXPECT_TRUE(IsIconic(form));
  ShowWindow(form, SW_RESTORE);
  backend->Click(close);
  EXPECT_FALSE(IsWindow(form));
}

TEST_F(WindowInput, CaptionDragsMoveTheWindow) {
  TRect before;
  GetWindowRect(form, before);
  const TPoint start = Caption();
  backend->MouseDown(start);
  backend->MoveMouse({start.X + 30, start.Y + 20});
  backend->MoveMouse({start.X + 40, start.Y + 25});
  backend->MouseUp({start.X + 40, start.Y + 25});
  TRect after;
  GetWindowRect(form, after);
  EXPECT_EQ(after, before.Offset(40, 25));
  EXPECT_EQ(backend->Native(form)->rect, after);
  EXPECT_EQ(Sequence({WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}, form),
            (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
  backend->MoveMouse({900, 900});
  GetWindowRect(form, before);
  EXPECT_EQ(before, after) << "the drag ended with the release";

  // With a window manager the drag is its business.
  backend->SetWindowManager(true);
  log.clear();
  const TPoint cap{after.Left + 60, after.Top + 10};
  backend->MouseDown(cap);
  backend->MoveMouse({cap.X + 50, cap.Y});
  EXPECT_EQ(backend->SystemMoves(), 2);
  GetWindowRect(form, before);
  EXPECT_EQ(before, after);
  EXPECT_GE(GetKeyState(VK_LBUTTON), 0) << "the press went to the window manager";
}

TEST_F(WindowInput, ABlockedWindowTakesNoInput) {
  HWND box =
      CreateWindowEx(0, u"QvTestWindow", u"", WS_POPUP | WS_CAPTION, 600, 600, 100, 80, form);
  EnableWindow(form, false);
  ShowWindow(box, SW_SHOW);
  SetFocus(box);
  log.clear();
  backend->Click(At(child, 5, 5));
  backend->PressKey('A');
  EXPECT_TRUE(Of(WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Of(WM_KEYDOWN, child).empty());
  EXPECT_EQ(Of(WM_KEYDOWN, box).size(), 1u);
  EXPECT_EQ(GetActiveWindow(), box);
  backend->CloseFromDesktop(form);
  EXPECT_TRUE(IsWindow(form));
}

}  // namespace
}  // namespace qv::test
