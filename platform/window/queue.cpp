// The message queue and timers: posted messages, then routed input, then
// quit, then paint, then due timers; waiting on the backend in between.
#include "platform/window/queue.h"

#include <algorithm>
#include <chrono>

#include "platform/window/input.h"
#include "platform/window/internal.h"
#include "platform/window/messages.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

std::uint64_t TRealClock::Now() const {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::uint64_t GetTickCount64() { return win::Now(); }

std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, unsigned elapse, TIMERPROC proc) {
  auto& sys = Sys();
  if (hwnd && !IsWindow(hwnd)) return 0;
  if (hwnd && id == 0) return 0;
  if (!hwnd) {
    bool known = false;
    for (const auto& t : sys.timers) known = known || (!t.hwnd && t.id == id && id != 0);
    if (!known) id = sys.next_timer_id++;
  }
  elapse = std::clamp(elapse, 10u, 0x7FFFFFFFu);
  const std::uint64_t due = win::Now() + elapse;
  for (auto& t : sys.timers) {
    if (t.hwnd == hwnd && t.id == id) {
      t.elapse = elapse;
      t.due = due;
      t.proc = std::move(proc);
      return id;
    }
  }
  sys.timers.push_back({hwnd, id, elapse, due, std::move(proc), false});
  return id;
}

bool KillTimer(HWND hwnd, std::uintptr_t id) {
  auto& timers = Sys().timers;
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->hwnd == hwnd && it->id == id) {
      timers.erase(it);
      return true;
    }
  }
  return false;
}

namespace win {

void ForgetTimers(HWND h) {
  auto& timers = Sys().timers;
  timers.erase(
      std::remove_if(timers.begin(), timers.end(), [h](const TTimer& t) { return t.hwnd == h; }),
      timers.end());
}

std::optional<std::uint64_t> NextTimerDue() {
  std::optional<std::uint64_t> due;
  for (const auto& t : Sys().timers) {
    if (!due || t.due < *due) due = t.due;
  }
  return due;
}

bool TakeDueTimer(MSG& msg, bool remove) {
  auto& timers = Sys().timers;
  const std::uint64_t now = Now();
  TTimer* best = nullptr;
  for (auto& t : timers) {
    if (t.due <= now && (best == nullptr || t.due < best->due)) best = &t;
  }
  if (best == nullptr) return false;
  msg = MakeMsg(best->hwnd, WM_TIMER, best->id);
  msg.time = now;
  // A late timer fires once, not once for every interval missed.
  if (remove) best->due = now + best->elapse;
  return true;
}

bool TakeDueTimer(MSG& msg) { return TakeDueTimer(msg, true); }

void RunTimerProc(const MSG& msg) {
  for (const auto& t : Sys().timers) {
    if (t.hwnd == msg.hwnd && t.id == msg.wParam) {
      if (t.proc) {
        const TIMERPROC proc = t.proc;
        proc(msg.hwnd, WM_TIMER, msg.wParam, msg.time);
      } else if (msg.hwnd) {
        Send(msg.hwnd, WM_TIMER, msg.wParam, 0);
      }
      return;
    }
  }
}

}  // namespace win

namespace {

bool TakeFrom(std::deque<MSG>& q, MSG& msg, UINT remove) {
  if (q.empty()) return false;
  msg = q.front();
  if (remove == PM_REMOVE) q.pop_front();
  return true;
}

bool TakePaint(MSG& msg) {
  // Frame-only work is done here; a window with client work gets WM_PAINT.
  for (int guard = 0; guard < 10000; ++guard) {
    const HWND h = win::FindWindowToPaint();
    if (!h) return false;
    TWindow* w = W(h);
    if (w->nc_dirty && w->update.IsEmpty()) {
      w->nc_dirty = false;
      win::Send(h, WM_NCPAINT, 1, 0);
      continue;
    }
    if (w->nc_dirty) {
      w->nc_dirty = false;
      win::Send(h, WM_NCPAINT, 1, 0);
      if ((w = W(h)) == nullptr || w->update.IsEmpty()) continue;
    }
    msg = win::MakeMsg(h, WM_PAINT);
    return true;
  }
  return false;
}

}  // namespace

bool PeekMessage(MSG& msg, UINT remove) {
  auto& sys = Sys();
  if (TakeFrom(sys.posted, msg, remove)) return true;
  if (HasBackend()) Backend().Poll();
  while (sys.input.empty() && !sys.raw.empty()) {
    const TRawEvent e = std::move(sys.raw.front());
    sys.raw.pop_front();
    win::RouteRawEvent(e);
    if (!sys.posted.empty()) return TakeFrom(sys.posted, msg, remove);
  }
  if (TakeFrom(sys.input, msg, remove)) return true;
  if (sys.quit) {
    msg = MSG{};
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(sys.quit_code);
    if (remove == PM_REMOVE) sys.quit = false;
    return true;
  }
  if (TakePaint(msg)) return true;
  return win::TakeDueTimer(msg, remove == PM_REMOVE);
}

bool GetMessage(MSG& msg) {
  for (;;) {
    if (PeekMessage(msg, PM_REMOVE)) return msg.message != WM_QUIT;
    PresentPending();
    int timeout = -1;
    if (const auto due = win::NextTimerDue()) {
      const std::uint64_t now = win::Now();
      timeout = *due <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(*due - now, 1u << 30));
    }
    if (!Backend().Wait(timeout)) {
      msg = MSG{};
      return false;
    }
  }
}

LRESULT DispatchMessage(const MSG& msg) {
  if (msg.message == WM_TIMER) {
    win::RunTimerProc(msg);
    return 0;
  }
  if (!msg.hwnd || !IsWindow(msg.hwnd)) return 0;
  if (msg.message == WM_PAINT) {
    const LRESULT r = win::Send(msg.hwnd, WM_PAINT, 0, 0);
    // A procedure that did not validate would otherwise be asked forever.
    if (TWindow* w = W(msg.hwnd)) {
      w->update = TRegion();
      w->erase = false;
    }
    return r;
  }
  return win::Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

}  // namespace qv

namespace qv {

void PumpPendingMessages() {
  MSG msg;
  // Bounded, so that a window that keeps re-posting cannot hang the caller.
  for (int i = 0; i < 100000 && PeekMessage(msg, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // left for the loop that owns it
      break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  PresentPending();
}

}  // namespace qv
