// The window system: creating a 522 x 441 top-level window and presenting
// its first frame, and one invalidate-paint-present round of the whole
// window, headless and (when a display is there) through SDL2 on X11.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "platform/window/headless.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/sdl_backend.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv {
namespace {

constexpr std::uint32_t kFormStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool StartBackend(benchmark::State& state, bool desktop) {
  if (!desktop) {
    InitWindowSystem(std::make_unique<THeadlessBackend>());
  } else {
    if (std::getenv("DISPLAY") == nullptr) {
      state.SkipWithError("no X display (run under xvfb-run)");
      return false;
    }
    try {
      InitWindowSystem(CreateSdlBackend());
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      return false;
    }
  }
  WNDCLASS wc;
  if (!GetClassInfo(u"QvBenchForm", wc)) {
    wc.lpszClassName = u"QvBenchForm";
    wc.hbrBackground = clBtnFace;
    RegisterClass(wc);
  }
  return true;
}

HWND MainSizedForm() {
  return CreateWindowEx(0, u"QvBenchForm", u"Ballora Quorvane [Версия 1.2]", kFormStyle, 100, 100,
                        522, 441, {});
}

void CreateAndPresent(benchmark::State& state, bool desktop) {
  if (!StartBackend(state, desktop)) return;
  for (auto _ : state) {
    HWND f = MainSizedForm();
    ShowWindow(f, SW_SHOW);
    PumpPendingMessages();  // first paint and present
    benchmark::DoNotOptimize(GetWindowPixels(f));
    state.PauseTiming();
    DestroyWindow(f);
    PumpPendingMessages();
    state.ResumeTiming();
  }
  ShutdownWindowSystem();
}

void PaintRound(benchmark::State& state, bool desktop) {
  if (!StartBackend(state, desktop)) return;
  HWND f = MainSizedForm();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  for (auto _ : state) {
    RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  }
  state.SetItemsProcessed(state.iterations() * 522 * 441);
  ShutdownWindowSystem();
}

void CreateHeadless(benchmark::State& s) { CreateAndPresent(s, false); }
void CreateDesktop(benchmark::State& s) { CreateAndPresent(s, true); }
void PaintHeadless(benchmark::State& s) { PaintRound(s, false); }
void PaintDesktop(benchmark::State& s) { PaintRound(s, true); }

BENCHMARK(CreateHeadless)
    ->Name("Window/create+first frame/headless")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(CreateDesktop)
    ->Name("Window/create+first frame/sdl-x11")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(PaintHeadless)
    ->Name("Window/invalidate+paint+present/headless")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintDesktop)
    ->Name("Window/invalidate+paint+present/sdl-x11")
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
}  // namespace qv
