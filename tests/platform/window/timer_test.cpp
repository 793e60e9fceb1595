// Timers on the manual clock, their place in the queue, and the window hook
// (creation and activation) that gives forms their frame.
#include "platform/window/hook.h"
#include "platform/window/timer.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowTimers : public WindowTest {};

TEST_F(WindowTimers, TimersTickOnTheManualClock) {
  HWND f = Form();
  EXPECT_EQ(SetTimer(f, 7, 12), 7u);
  backend->AdvanceTime(11);
  EXPECT_TRUE(Of(WM_TIMER).empty());
  backend->AdvanceTime(25);
  ASSERT_EQ(Of(WM_TIMER).size(), 3u) << "12, 24 and 36 ms";
  EXPECT_EQ(Of(WM_TIMER)[0].wParam, 7u);

  // A late timer fires once, not once for every tick it missed.
  log.clear();
  backend->ManualClock().Advance(1000);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_TIMER).size(), 1u);

  // Setting it again restarts it with the new interval.
  log.clear();
  SetTimer(f, 7, 100);
  backend->AdvanceTime(99);
  EXPECT_TRUE(Of(WM_TIMER).empty());
  backend->AdvanceTime(1);
  EXPECT_EQ(Of(WM_TIMER).size(), 1u);

  EXPECT_TRUE(KillTimer(f, 7));
  EXPECT_FALSE(KillTimer(f, 7));
  log.clear();
  backend->AdvanceTime(500);
  EXPECT_TRUE(Of(WM_TIMER).empty());
}

TEST_F(WindowTimers, TimersEndWithTheirWindowAndProceduresAreCalled) {
  HWND f = Form();
  SetTimer(f, 1, 12);
  DestroyWindow(f);
  backend->AdvanceTime(100);
  EXPECT_TRUE(Of(WM_TIMER).empty());
  EXPECT_EQ(SetTimer(f, 1, 12), 0u) << "no timer for a window that is gone";

  int ticks = 0;
  std::uint64_t when = 0;
  const auto id = SetTimer(HWND{}, 0, 40, [&](HWND, UINT m, std::uintptr_t, std::uint64_t t) {
    EXPECT_EQ(m, WM_TIMER);
    ++ticks;
    when = t;
  });
  EXPECT_NE(id, 0u);
  const std::uint64_t start = GetTickCount64();
  backend->AdvanceTime(100);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(when, start + 80);
  KillTimer(HWND{}, id);
  EXPECT_EQ(SetTimer(Form(), 5, 0), 5u);  // a zero interval is the shortest one
  backend->AdvanceTime(10);
  EXPECT_EQ(Of(WM_TIMER).size(), 1u);
}

TEST_F(WindowTimers, TimersComeAfterPostedMessagesAndPaint) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  SetTimer(f, 1, 12);
  backend->ManualClock().Advance(20);
  InvalidateRect(f, nullptr, false);
  PostMessage(f, WM_USER);
  log.clear();
  PumpPendingMessages();
  EXPECT_EQ(Sequence({WM_USER, WM_PAINT, WM_TIMER}, f),
            (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(WindowTimers, HooksSeeCreationAndActivationNewestFirst) {
  std::vector<std::string> calls;
  HHOOK first = 0;
  first = SetWindowsHookEx(WH_CBT, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
    calls.push_back("first " + std::to_string(code));
    (void)w, (void)l;
    return 0;
  });
  HHOOK second = 0;
  second = SetWindowsHookEx(WH_CBT, [&](int code, WPARAM w, LPARAM l) -> LRESULT {
    calls.push_back("second " + std::to_string(code));
    if (code == HCBT_CREATEWND) {
      auto* cbt = reinterpret_cast<CBT_CREATEWND*>(l);
      EXPECT_EQ(std::u16string(cbt->lpcs->lpszClass), u"QvTestWindow");
    }
    return CallNextHookEx(second, code, w, l);
  });
  EXPECT_EQ(SetWindowsHookEx(99, [](int, WPARAM, LPARAM) -> LRESULT { return 0; }), 0);
  HWND f = Form();
  EXPECT_EQ(calls, (std::vector<std::string>{"second 3", "first 3"}));
  calls.clear();
  ShowWindow(f, SW_SHOW);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "second 5");
  EXPECT_EQ(calls[1], "first 5");
  UnhookWindowsHookEx(second);
  UnhookWindowsHookEx(first);
  calls.clear();
  Form();
  EXPECT_TRUE(calls.empty());

  // Refusing an activation leaves the window inactive.
  const HHOOK refuse = SetWindowsHookEx(
      WH_CBT, [](int code, WPARAM, LPARAM) -> LRESULT { return code == HCBT_ACTIVATE ? 1 : 0; });
  HWND g = Form(300, 300);
  ShowWindow(g, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), f);
  UnhookWindowsHookEx(refuse);
}

TEST_F(WindowTimers, AHookCanGiveAFormItsFrameBeforeTheFirstPaint) {
  // What a skin manager does: take over the window procedure on activation.
  int frames_painted = 0;
  std::vector<WNDPROC> olds;
  SetWindowsHookEx(WH_CBT, [&](int code, WPARAM w, LPARAM) -> LRESULT {
    if (code != HCBT_ACTIVATE) return 0;
    const HWND h{static_cast<std::uint32_t>(w)};
    if (GetProp(h, u"Framed") != nullptr) return 0;
    SetProp(h, u"Framed", &frames_painted);
    olds.push_back(
        SetWindowProc(h, [&, idx = olds.size()](HWND hw, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
          if (m == WM_NCPAINT) {
            ++frames_painted;
            return 0;
          }
          return CallWindowProc(olds[idx], hw, m, wp, lp);
        }));
    return 0;
  });
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  EXPECT_EQ(frames_painted, 1);
  EXPECT_TRUE(Of(WM_NCPAINT, f).empty()) << "the form's own procedure never painted a frame";
  EXPECT_EQ(Of(WM_PAINT, f).size(), 1u) << "the rest still reaches it";
  DestroyWindow(f);  // its procedure refers to this test's locals
}

}  // namespace
}  // namespace qv::test
