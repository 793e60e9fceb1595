// The system menu through synthetic input: its items and greyed states, the
// ways it opens (icon, Alt+Space, right click, a call at a point), choosing by
// mouse and keyboard, what closes it, and the commands that arrive; the
// keyboard move and size that its Move and Size start.
#include "platform/window/keys.h"
#include "platform/window/menu.h"
#include "platform/window/metrics.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

constexpr UINT kRestore = 0, kMove = 1, kSize = 2, kMinimize = 3, kMaximize = 4, kClose = 6;

class WindowMenu : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    form = Form();
    child = Child(form, 10, 10, 60, 30);
    ShowWindow(form, SW_SHOW);
    SetFocus(child);
    log.clear();
  }

  // The plain frame's icon: side border 3 + 4, caption 23 high.
  TPoint Icon() const {
    TRect r;
    GetWindowRect(form, r);
    return {r.Left + 3 + 4 + 8, r.Top + 3 + 11};
  }
  TPoint ItemCentre(UINT pos) const {
    TRect r;
    EXPECT_TRUE(GetMenuItemRect(form, GetSystemMenu(form, false), pos, r));
    return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
  }
  UINT State(UINT pos) const {
    return GetMenuState(GetSystemMenu(form, false), pos, MF_BYPOSITION);
  }
  HWND Popup() const {
    for (HWND h : GetTopLevelWindows()) {
      if (GetClassName(h) == u"#32768" && IsWindowVisible(h)) return h;
    }
    return {};
  }
  void AltSpace() {
    backend->KeyDown(VK_LMENU);
    backend->PressKey(VK_SPACE);
    backend->KeyUp(VK_LMENU);
  }
  std::vector<WPARAM> Commands() const {
    std::vector<WPARAM> out;
    for (const auto& e : Of(WM_SYSCOMMAND, form)) out.push_back(e.wParam);
    return out;
  }

  HWND form;
  HWND child;
};

TEST_F(WindowMenu, ItemsAreGreyedByStateStylesAndTheProgram) {
  HMENU m = GetSystemMenu(form, false);
  ASSERT_TRUE(m);
  ASSERT_EQ(GetMenuItemCount(m), 7);
  EXPECT_EQ(GetMenuItemID(m, 5), 0u) << "a separator before close";
  EXPECT_EQ(GetMenuItemID(m, 6), static_cast<UINT>(SC_CLOSE));
  EXPECT_EQ(GetMenuItemID(m, 7), kNoMenuItem);
  // A fixed-size window with a minimise box only.
  EXPECT_EQ(GetMenuState(m, SC_RESTORE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(m, SC_MOVE, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(m, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(m, SC_MINIMIZE, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(m, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(m, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(MF_DEFAULT));

  HWND big = Form(300, 300, 200, 150, WS_OVERLAPPEDWINDOW);
  HMENU b = GetSystemMenu(big, false);
  ShowWindow(big, SW_MAXIMIZE);
  EXPECT_EQ(GetMenuState(b, SC_RESTORE, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(b, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(b, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(b, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  ShowWindow(big, SW_RESTORE);
  EXPECT_EQ(GetMenuState(b, SC_SIZE, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(b, SC_RESTORE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  ShowWindow(big, SW_MINIMIZE);
  EXPECT_EQ(GetMenuState(b, SC_RESTORE, MF_BYCOMMAND), 0u);
  EXPECT_EQ(GetMenuState(b, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));

  // The program may grey more, but not lift what the window rules out.
  EXPECT_EQ(EnableMenuItem(m, SC_CLOSE, MF_GRAYED), 0);
  EXPECT_EQ(GetMenuState(m, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(MF_DEFAULT | MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(m, SC_MAXIMIZE, MF_ENABLED), static_cast<int>(MF_GRAYED));
  EXPECT_EQ(GetMenuState(m, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_TRUE(DeleteMenu(m, SC_CLOSE, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(m, SC_CLOSE, MF_BYCOMMAND), kNoMenuItem);
  EXPECT_EQ(EnableMenuItem(m, SC_CLOSE, MF_ENABLED), -1);
  EXPECT_FALSE(GetSystemMenu(form, true)) << "reverting answers null";
  EXPECT_EQ(GetMenuState(m, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(MF_DEFAULT));

  EXPECT_FALSE(GetSystemMenu(child, false)) << "children have none";
  EXPECT_FALSE(GetSystemMenu(Form(0, 0, 50, 50, WS_POPUP), false)) << "nor windows without one";
  DestroyWindow(form);
  EXPECT_EQ(GetMenuState(m, SC_MOVE, MF_BYCOMMAND), kNoMenuItem) << "a stale handle names nothing";
  EXPECT_EQ(GetMenuItemCount(m), -1);
}

TEST_F(WindowMenu, TheIconOpensItAndTheMouseChooses) {
  ASSERT_EQ(SendMessage(form, WM_NCHITTEST, 0, PointToLParam(Icon())), HTSYSMENU);
  backend->MouseDown(Icon());
  EXPECT_EQ(GetOpenMenuOwner(), form);
  const HWND popup = Popup();
  ASSERT_TRUE(popup);
  TRect wr, pr;
  GetWindowRect(form, wr);
  GetWindowRect(popup, pr);
  EXPECT_EQ(pr.TopLeft(), (TPoint{wr.Left + 7, wr.Top + 26}))
      << "below the icon, under the caption";
  EXPECT_EQ(GetActiveWindow(), form) << "the menu takes no activation";
  EXPECT_EQ(GetFocus(), child);
  backend->MouseUp(Icon());
  EXPECT_EQ(GetOpenMenuOwner(), form) << "the release of the opening click chooses nothing";

  // Hovering highlights enabled items only, in the accent colour.
  backend->MoveMouse(ItemCentre(kMove));
  EXPECT_NE(State(kMove) & MF_HILITE, 0u);
  const TBitmap32* pixels = GetWindowPixels(popup);
  ASSERT_NE(pixels, nullptr);
  TRect item;
  GetMenuItemRect(form, GetSystemMenu(form, false), kMove, item);
  EXPECT_EQ(PixelToColor(pixels->Pixel(item.Left - pr.Left + 4, item.Top - pr.Top + 1)),
            ColorToRGB(clHighlight));
  backend->MoveMouse(ItemCentre(kRestore));
  for (UINT i = 0; i < 7; ++i) EXPECT_EQ(State(i) & MF_HILITE, 0u) << i;

  // A greyed item and a separator ignore clicks; the menu stays.
  backend->Click(ItemCentre(kRestore));
  backend->Click(ItemCentre(5));
  EXPECT_EQ(GetOpenMenuOwner(), form);
  EXPECT_TRUE(Commands().empty());

  const TPoint at = ItemCentre(kMinimize);
  backend->Click(at);
  EXPECT_FALSE(GetOpenMenuOwner());
  EXPECT_FALSE(IsWindowVisible(popup));
  ASSERT_EQ(Commands(), (std::vector<WPARAM>{SC_MINIMIZE}));
  EXPECT_EQ(LParamToPoint(Of(WM_SYSCOMMAND, form)[0].lParam), at);
  EXPECT_TRUE(IsIconic(form));
}

TEST_F(WindowMenu, PressDragReleaseChoosesAndRightClickOnTheCaptionOpens) {
  backend->MouseDown(Icon());
  backend->MoveMouse(ItemCentre(kMove));
  backend->MouseUp(ItemCentre(kMove));
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_MOVE}));
  backend->PressKey(VK_ESCAPE);  // leaves the keyboard move it started

  TRect wr;
  GetWindowRect(form, wr);
  const TPoint caption{wr.Left + 100, wr.Top + 12};
  backend->Click(caption, TRawMouseButton::Right);
  ASSERT_EQ(GetOpenMenuOwner(), form);
  TRect pr;
  GetWindowRect(Popup(), pr);
  EXPECT_EQ(pr.TopLeft(), caption);
}

TEST_F(WindowMenu, AltSpaceOpensItAndTheKeyboardChooses) {
  bool allow_close = false;
  handlers[form.id] = [&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CLOSE && !allow_close) return 0;
    return std::nullopt;
  };
  AltSpace();
  ASSERT_EQ(GetOpenMenuOwner(), form) << "from the focused child up to its window";
  EXPECT_GE(GetKeyState(VK_MENU), 0) << "Alt released while the menu held the keys";
  TRect wr, pr;
  GetWindowRect(form, wr);
  GetWindowRect(Popup(), pr);
  EXPECT_EQ(pr.TopLeft(), (TPoint{wr.Left + 7, wr.Top + 26}));
  EXPECT_NE(State(kMove) & MF_HILITE, 0u) << "the first enabled item";

  log.clear();
  backend->PressKey(VK_DOWN);  // over the greyed size
  EXPECT_NE(State(kMinimize) & MF_HILITE, 0u);
  backend->PressKey(VK_DOWN);  // over maximise and the separator
  EXPECT_NE(State(kClose) & MF_HILITE, 0u);
  backend->PressKey(VK_DOWN);
  EXPECT_NE(State(kMove) & MF_HILITE, 0u) << "wraps around";
  backend->PressKey(VK_UP);
  EXPECT_NE(State(kClose) & MF_HILITE, 0u);
  backend->PressKey(VK_HOME);
  EXPECT_NE(State(kMove) & MF_HILITE, 0u);
  backend->PressKey(VK_END);
  backend->TypeText(u"x");
  EXPECT_TRUE(Of(WM_KEYDOWN).empty()) << "the menu takes every key";
  EXPECT_TRUE(Of(WM_CHAR).empty());

  backend->PressKey(VK_RETURN);
  EXPECT_FALSE(GetOpenMenuOwner());
  EXPECT_EQ(Sequence({WM_SYSCOMMAND, WM_CLOSE}, form),
            (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE}));
  EXPECT_EQ(Of(WM_SYSCOMMAND, form)[0].wParam, static_cast<WPARAM>(SC_CLOSE));
  EXPECT_EQ(Of(WM_SYSCOMMAND, form)[0].lParam, 0);
  EXPECT_TRUE(IsWindow(form)) << "the close gate said no";
  EXPECT_TRUE(Of(WM_KEYDOWN).empty()) << "Enter went to the menu, not the window";

  // Mnemonics: a greyed item's letter does nothing, an enabled one chooses.
  log.clear();
  AltSpace();
  backend->TypeText(u"р");  // Размер: greyed
  EXPECT_EQ(GetOpenMenuOwner(), form);
  backend->TypeText(u"С");  // Свернуть
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_MINIMIZE}));
  EXPECT_TRUE(IsIconic(form));
}

TEST_F(WindowMenu, EscAnOutsidePressAndLosingTheWindowClose) {
  AltSpace();
  backend->PressKey(VK_ESCAPE);
  EXPECT_FALSE(GetOpenMenuOwner());
  EXPECT_TRUE(Of(WM_KEYDOWN).empty());

  HWND other = Form(600, 100);
  ShowWindow(other, SW_SHOWNOACTIVATE);
  backend->Click(Icon());
  ASSERT_EQ(GetOpenMenuOwner(), form);
  log.clear();
  backend->Click(At(other, 5, 5));
  EXPECT_FALSE(GetOpenMenuOwner());
  EXPECT_TRUE(Of(WM_LBUTTONDOWN).empty()) << "the closing press is not passed on";
  EXPECT_EQ(GetActiveWindow(), form);
  backend->Click(At(other, 5, 5));
  EXPECT_EQ(Of(WM_LBUTTONDOWN, other).size(), 1u) << "and the mouse is free again";

  SetActiveWindow(form);
  AltSpace();
  ASSERT_EQ(GetOpenMenuOwner(), form);
  SetActiveWindow(other);
  EXPECT_FALSE(GetOpenMenuOwner()) << "activation moved away";
  EXPECT_FALSE(GetCapture());

  SetActiveWindow(form);
  AltSpace();
  ASSERT_EQ(GetOpenMenuOwner(), form);
  ShowWindow(form, SW_HIDE);
  EXPECT_FALSE(GetOpenMenuOwner());
  ShowWindow(form, SW_SHOW);
  AltSpace();
  ASSERT_EQ(GetOpenMenuOwner(), form);
  DestroyWindow(form);
  EXPECT_FALSE(GetOpenMenuOwner());
  backend->PressKey(VK_DOWN);
  backend->Click({700, 700});
}

TEST_F(WindowMenu, DoubleClickOnTheIconCloses) {
  backend->Click(Icon());
  backend->Click(Icon());
  EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_CLOSE}));
  EXPECT_FALSE(IsWindow(form));

  form = Form();
  ShowWindow(form, SW_SHOW);
  backend->Click(Icon());
  backend->AdvanceTime(GetDoubleClickTime() + 1);
  backend->Click(Icon());
  EXPECT_TRUE(IsWindow(form)) << "too slow: the second click only closes the menu";
  EXPECT_FALSE(GetOpenMenuOwner());

  // Nor does a double click close a window whose close item is greyed.
  EnableMenuItem(GetSystemMenu(form, false), SC_CLOSE, MF_GRAYED);
  backend->Click(Icon());
  backend->Click(Icon());
  EXPECT_TRUE(IsWindow(form));
}

TEST_F(WindowMenu, AGreyedCloseItemDisablesTheCloseButtonAndAltF4) {
  EnableMenuItem(GetSystemMenu(form, false), SC_CLOSE, MF_GRAYED);
  TRect r;
  GetWindowRect(form, r);
  const TPoint close{r.Right - 3 - 2 - 8, r.Top + 3 + 11};
  ASSERT_EQ(SendMessage(form, WM_NCHITTEST, 0, PointToLParam(close)), HTCLOSE);
  backend->Click(close);
  backend->KeyDown(VK_LMENU);
  backend->PressKey(VK_F4);
  backend->KeyUp(VK_LMENU);
  EXPECT_TRUE(Commands().empty());
  // The desktop's own close still reaches the gate.
  backend->CloseFromDesktop(form);
  EXPECT_FALSE(IsWindow(form));
}

TEST_F(WindowMenu, ShowSystemMenuKeepsTheMenuOnTheScreen) {
  const TSize screen = ScreenSize();
  ASSERT_TRUE(ShowSystemMenu(form, {screen.cx - 5, screen.cy - 5}));
  TRect pr;
  GetWindowRect(Popup(), pr);
  EXPECT_LE(pr.Right, screen.cx);
  EXPECT_EQ(pr.Bottom, screen.cy - 5) << "above the point when there is no room below";
  EndMenu();
  EXPECT_FALSE(GetOpenMenuOwner());
  EXPECT_FALSE(ShowSystemMenu(child, {10, 10}));
  ShowWindow(form, SW_HIDE);
  EXPECT_FALSE(ShowSystemMenu(form, {10, 10}));
}

TEST_F(WindowMenu, MoveAndSizeFollowTheKeysAndThePointer) {
  TRect start, now;
  GetWindowRect(form, start);
  AltSpace();
  backend->TypeText(u"п");  // Переместить
  EXPECT_EQ(Of(WM_ENTERSIZEMOVE, form).size(), 1u);
  backend->PressKey(VK_RIGHT);
  backend->PressKey(VK_RIGHT);
  backend->KeyDown(VK_LCONTROL);
  backend->PressKey(VK_DOWN);
  backend->KeyUp(VK_LCONTROL);
  GetWindowRect(form, now);
  EXPECT_EQ(now, start.Offset(16, 1));
  backend->PressKey(VK_ESCAPE);
  GetWindowRect(form, now);
  EXPECT_EQ(now, start) << "Esc puts it back";
  EXPECT_EQ(Of(WM_EXITSIZEMOVE, form).size(), 1u);

  // The pointer moves it; the click that ends it reaches no window.
  backend->MoveMouse({400, 400});
  AltSpace();
  backend->TypeText(u"п");
  log.clear();
  backend->MoveMouse({430, 410});
  backend->Click({430, 410});
  GetWindowRect(form, now);
  EXPECT_EQ(now, start.Offset(30, 10));
  EXPECT_TRUE(Of(WM_LBUTTONDOWN).empty() && Of(WM_NCLBUTTONDOWN).empty());
  EXPECT_EQ(Of(WM_EXITSIZEMOVE, form).size(), 1u);

  // Size: the first arrow picks the edge, the next ones move it.
  HWND big = Form(300, 300, 200, 150, WS_OVERLAPPEDWINDOW);
  ShowWindow(big, SW_SHOW);
  GetWindowRect(big, start);
  SendMessage(big, WM_SYSCOMMAND, SC_SIZE, 0);
  backend->PressKey(VK_LEFT);
  backend->PressKey(VK_LEFT);
  backend->PressKey(VK_DOWN);
  backend->PressKey(VK_DOWN);
  backend->PressKey(VK_RETURN);
  GetWindowRect(big, now);
  EXPECT_EQ(now, Rect(start.Left - 8, start.Top, start.Right, start.Bottom + 8));
  // A fixed-size window does not size, and its arrows stay its own.
  GetWindowRect(form, start);
  log.clear();
  SendMessage(form, WM_SYSCOMMAND, SC_SIZE, 0);
  backend->PressKey(VK_LEFT);
  backend->PressKey(VK_LEFT);
  GetWindowRect(form, now);
  EXPECT_EQ(now, start);
  EXPECT_TRUE(Of(WM_ENTERSIZEMOVE).empty());
}

}  // namespace
}  // namespace qv::test
