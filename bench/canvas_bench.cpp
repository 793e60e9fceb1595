// Canvas throughput next to pixman doing the same work and next to memcpy of
// the same bytes: block copy, solid fill and nearest-pixel stretch. Rows are
// named Op/who/width/height; each canvas row also reports its speed as a
// multiple of the pixman and memcpy rows of the same size that ran before it.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "bench/cpu_clock.h"
#include "platform/canvas.h"

namespace qv {
namespace {

// Mpx/s of the peers, by "Op/who/w/h", for the ratio counters.
std::map<std::string, double>& Speeds() {
  static std::map<std::string, double> speeds;
  return speeds;
}

std::string Key(const char* op, const char* who, int w, int h) {
  return std::string(op) + "/" + who + "/" + std::to_string(w) + "/" + std::to_string(h);
}

// Runs the loop, reports Mpx/s and remembers it; canvas rows add ratios.
template <typename Body>
void Measure(benchmark::State& state, const char* op, const char* who, Body&& body) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const double start = CpuSeconds();
  for (auto _ : state) {
    body();
    benchmark::ClobberMemory();
  }
  const double seconds = CpuSeconds() - start;
  const double pixels = static_cast<double>(w) * h * static_cast<double>(state.iterations());
  const double mpx = seconds > 0 ? pixels / 1e6 / seconds : 0;
  state.counters["Mpx/s"] = mpx;
  Speeds()[Key(op, who, w, h)] = mpx;
  if (std::string(who) != "canvas") return;
  for (const char* peer : {"pixman", "memcpy"}) {
    auto it = Speeds().find(Key(op, peer, w, h));
    if (it != Speeds().end() && it->second > 0)
      state.counters[std::string("x_") + peer] = mpx / it->second;
  }
}

struct Surfaces {
  TBitmap32 src, dst;
  pixman_image_t* psrc = nullptr;
  pixman_image_t* pdst = nullptr;

  Surfaces(int sw, int sh, int dw, int dh) : src(sw, sh), dst(dw, dh) {
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x)
        src.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                           static_cast<std::uint8_t>(x ^ y), 0xFF};
    psrc = pixman_image_create_bits(PIXMAN_a8r8g8b8, sw, sh,
                                    reinterpret_cast<std::uint32_t*>(src.ScanLine(0)),
                                    static_cast<int>(src.Stride()));
    pdst = pixman_image_create_bits(PIXMAN_a8r8g8b8, dw, dh,
                                    reinterpret_cast<std::uint32_t*>(dst.ScanLine(0)),
                                    static_cast<int>(dst.Stride()));
  }
  ~Surfaces() {
    pixman_image_unref(psrc);
    pixman_image_unref(pdst);
  }
  Surfaces(const Surfaces&) = delete;
  Surfaces& operator=(const Surfaces&) = delete;
};

void Dims(benchmark::State& state, int& w, int& h) {
  w = static_cast<int>(state.range(0));
  h = static_cast<int>(state.range(1));
}

// ---- copy ----

void CopyMemcpy(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  Measure(state, "Copy", "memcpy", [&] {
    for (int y = 0; y < h; ++y)
      std::memcpy(s.dst.ScanLine(y), s.src.ScanLine(y), static_cast<std::size_t>(w) * 4);
  });
}

void CopyPixman(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  Measure(state, "Copy", "pixman", [&] {
    pixman_image_composite32(PIXMAN_OP_SRC, s.psrc, nullptr, s.pdst, 0, 0, 0, 0, 0, 0, w, h);
  });
}

void CopyCanvas(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  TCanvas c(s.dst);
  Measure(state, "Copy", "canvas", [&] { c.BitBlt(0, 0, w, h, s.src, 0, 0); });
}

// ---- fill ----

void FillMemcpy(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  Measure(state, "Fill", "memcpy", [&] {
    for (int y = 0; y < h; ++y)
      std::memcpy(s.dst.ScanLine(y), s.src.ScanLine(y), static_cast<std::size_t>(w) * 4);
  });
}

void FillPixman(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  const pixman_color_t colour{0x3000, 0x6000, 0x9000, 0};
  const pixman_rectangle16_t rect{0, 0, static_cast<std::uint16_t>(w),
                                  static_cast<std::uint16_t>(h)};
  Measure(state, "Fill", "pixman",
          [&] { pixman_image_fill_rectangles(PIXMAN_OP_SRC, s.pdst, &colour, 1, &rect); });
}

void FillCanvas(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  TCanvas c(s.dst);
  Measure(state, "Fill", "canvas", [&] { c.FillRect(Rect(0, 0, w, h), RGB(0x90, 0x60, 0x30)); });
}

// ---- nearest stretch: a 1.37 times smaller source up to the destination ----

std::pair<int, int> StretchSource(int w, int h) { return {w * 100 / 137, h * 100 / 137}; }

void StretchMemcpy(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  Surfaces s(w, h, w, h);
  Measure(state, "Stretch", "memcpy", [&] {
    for (int y = 0; y < h; ++y)
      std::memcpy(s.dst.ScanLine(y), s.src.ScanLine(y), static_cast<std::size_t>(w) * 4);
  });
}

void StretchPixman(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  const auto [sw, sh] = StretchSource(w, h);
  Surfaces s(sw, sh, w, h);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_int_to_fixed(sw) / w, pixman_int_to_fixed(sh) / h);
  pixman_image_set_transform(s.psrc, &t);
  pixman_image_set_filter(s.psrc, PIXMAN_FILTER_NEAREST, nullptr, 0);
  Measure(state, "Stretch", "pixman", [&] {
    pixman_image_composite32(PIXMAN_OP_SRC, s.psrc, nullptr, s.pdst, 0, 0, 0, 0, 0, 0, w, h);
  });
}

void StretchCanvas(benchmark::State& state) {
  int w, h;
  Dims(state, w, h);
  const auto [sw, sh] = StretchSource(w, h);
  Surfaces s(sw, sh, w, h);
  TCanvas c(s.dst);
  c.SetStretchBltMode(COLORONCOLOR);
  Measure(state, "Stretch", "canvas", [&] { c.StretchBlt(0, 0, w, h, s.src, 0, 0, sw, sh); });
}

void Sizes(benchmark::internal::Benchmark* b) { b->Args({516, 412})->Args({25, 25}); }

// Peers first, so that the canvas rows can give their ratios.
BENCHMARK(CopyMemcpy)->Name("Copy/memcpy")->Apply(Sizes);
BENCHMARK(CopyPixman)->Name("Copy/pixman")->Apply(Sizes);
BENCHMARK(CopyCanvas)->Name("Copy/canvas")->Apply(Sizes);
BENCHMARK(FillMemcpy)->Name("Fill/memcpy")->Apply(Sizes);
BENCHMARK(FillPixman)->Name("Fill/pixman")->Apply(Sizes);
BENCHMARK(FillCanvas)->Name("Fill/canvas")->Apply(Sizes);
BENCHMARK(StretchMemcpy)->Name("Stretch/memcpy")->Apply(Sizes);
BENCHMARK(StretchPixman)->Name("Stretch/pixman")->Apply(Sizes);
BENCHMARK(StretchCanvas)->Name("Stretch/canvas")->Apply(Sizes);

}  // namespace
}  // namespace qv
