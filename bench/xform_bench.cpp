// Colour transforms over a 512 x 512 master bitmap (pixels per second),
// border drawing of a button and a page frame in each draw mode, and the
// rescaling of an element from 96 to 144 pixels per inch.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <utility>

#include "paint/mask_draw.h"
#include "paint/mask_scale.h"
#include "skin/color_transforms.h"

namespace qv {
namespace {

TBitmap32 Noise(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned v = rng();
      b.Pixel(x, y) = (v & 63) == 0
                          ? kKeyPixel
                          : TBGRA{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                  static_cast<std::uint8_t>(v >> 16), 255};
    }
  return b;
}

void BM_Transform(benchmark::State& state, TPixelOp op, int amount) {
  const TBitmap32 master = Noise(512, 512, 1);
  TBitmap32 work = master;
  for (auto _ : state) {
    state.PauseTiming();
    work = master;
    state.ResumeTiming();
    ApplyToBitmap(work, op, amount);
    benchmark::DoNotOptimize(work.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * 512 * 512);
}
BENCHMARK_CAPTURE(BM_Transform, Hue1000, TPixelOp::Hue, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Transform, Saturation100, TPixelOp::Saturation, 255)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Transform, BrightnessMinus40, TPixelOp::Brightness, -40)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Transform, Tone, TPixelOp::Tone, 0x3080F0)->Unit(benchmark::kMillisecond);

enum Kind { kKeyed, kMasked, kAlpha };

// A three-frame border element of 40 x 30 frames with 8-pixel margins.
struct BorderFixture {
  std::shared_ptr<TBitmap32> master;
  TMaskElement e;
  BorderFixture(Kind kind, int mode) {
    master = std::make_shared<TBitmap32>(Noise(120, 60, 2));
    if (kind == kMasked)
      for (int y = 30; y < 60; ++y)
        for (int x = 0; x < 120; ++x) {
          const std::uint8_t m = static_cast<std::uint8_t>((x * 7 + y * 3) & 255);
          master->Pixel(x, y) = {m, m, m, 255};
        }
    e.Master = master.get();
    e.HasManager = true;
    e.R = Bounds(0, 0, 120, kind == kMasked ? 60 : 30);
    e.ImageCount = 3;
    e.Width = 40;
    e.Height = 30;
    e.MaskType = kind == kMasked ? 1 : 0;
    e.DrawMode = mode | (kind == kAlpha ? kMaskAlpha : 0);
    e.WL = e.WT = e.WR = e.WB = 8;
    e.Cfg = 1;
  }
};

void BM_Border(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const BorderFixture f(static_cast<Kind>(state.range(2)), static_cast<int>(state.range(3)));
  TBitmap32 dst(w, h);
  TBitmap32 parent = Noise(w + 10, h + 10, 3);
  TCacheInfo ci;
  ci.Bmp = &parent;
  ci.X = 5;
  ci.Y = 5;
  ci.Ready = true;
  for (auto _ : state) {
    DrawBorderMask(dst, dst.BoundsRect(), ci, true, 1, f.e);
    benchmark::DoNotOptimize(dst.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * w * h);
}
// Arguments: width, height, kind (0 keyed, 1 masked, 2 alpha), draw mode.
void BorderArgs(benchmark::internal::Benchmark* b) {
  for (auto [w, h] : {std::pair{137, 25}, std::pair{503, 362}})
    for (int kind : {kKeyed, kMasked, kAlpha})
      for (int mode : {0, kMaskFillCentre, kMaskStretch, kMaskStretch | kMaskFillCentre})
        b->Args({w, h, kind, mode});
}
BENCHMARK(BM_Border)->Apply(BorderArgs)->Unit(benchmark::kMicrosecond);

void BM_ScaleMask(benchmark::State& state) {
  const bool masked = state.range(0) != 0;
  auto bmp = std::make_shared<TBitmap32>(Noise(120, masked ? 60 : 30, 4));
  TMaskElement base;
  base.Bmp = bmp;
  base.HasManager = true;
  base.R = bmp->BoundsRect();
  base.ImageCount = 3;
  base.MaskType = masked ? 1 : 0;
  base.Width = 40;
  base.Height = 30;
  base.WL = base.WT = base.WR = base.WB = 8;
  base.MulPPi = 144;
  base.DivPPI = 96;
  for (auto _ : state) {
    TMaskElement e = base;
    benchmark::DoNotOptimize(ScaleMaskData(e, 0x808080, false));
  }
}
BENCHMARK(BM_ScaleMask)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
