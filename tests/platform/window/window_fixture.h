// Shared set-up of the window tests: a headless window system and a window
// class that records every message its windows receive.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/window/headless.h"
#include "platform/window/input.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv::test {

struct TLogged {
  HWND hwnd;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class WindowTest : public ::testing::Test {
 protected:
  using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

  void SetUp() override {
    auto b = std::make_unique<THeadlessBackend>();
    backend = b.get();
    InitWindowSystem(std::move(b));
    self = this;
    WNDCLASS wc;
    if (!GetClassInfo(u"QvTestWindow", wc)) {
      wc.lpszClassName = u"QvTestWindow";
      wc.style = CS_DBLCLKS;
      wc.hbrBackground = clBtnFace;
      wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) { return self->Proc(h, m, w, l); };
      RegisterClass(wc);
    }
  }

  void TearDown() override {
    ShutdownWindowSystem();
    self = nullptr;
  }

 public:
  LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    log.push_back({h, m, w, l});
    auto it = handlers.find(h.id);
    if (it != handlers.end()) {
      if (auto r = it->second(h, m, w, l)) return *r;
    }
    return DefWindowProc(h, m, w, l);
  }

 protected:
  // A captioned single-border top-level window with the given client size.
  HWND Form(int x = 100, int y = 100, int cw = 200, int ch = 150,
            std::uint32_t style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN) {
    TRect r = Rect(0, 0, cw, ch);
    AdjustWindowRectEx(r, style, 0);
    return CreateWindowEx(0, u"QvTestWindow", u"Form", style, x, y, r.Width(), r.Height(), {});
  }

  HWND Child(HWND parent, int x, int y, int w, int h, std::uint32_t style = 0) {
    return CreateWindowEx(0, u"QvTestWindow", u"", WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                          parent);
  }

  // Messages of one kind received by one window (any window when h is null).
  std::vector<TLogged> Of(UINT msg, HWND h = {}) const {
    std::vector<TLogged> out;
    for (const auto& e : log) {
      if (e.msg == msg && (!h || e.hwnd == h)) out.push_back(e);
    }
    return out;
  }

  // The order in which the listed messages arrived (others left out).
  std::vector<UINT> Sequence(std::initializer_list<UINT> wanted, HWND h = {}) const {
    std::vector<UINT> out;
    for (const auto& e : log) {
      if ((!h || e.hwnd == h) && std::find(wanted.begin(), wanted.end(), e.msg) != wanted.end()) {
        out.push_back(e.msg);
      }
    }
    return out;
  }

  TPoint At(HWND h, int x, int y) const { return ScreenPointOf(h, {x, y}); }

  THeadlessBackend* backend = nullptr;
  std::vector<TLogged> log;
  std::map<std::uint32_t, THandler> handlers;
  static inline WindowTest* self = nullptr;
};

}  // namespace qv::test
