// Text glow speed: a caption's glow at sizes 4 and 16, made afresh (text
// drawn, thickened, blurred, composed) and from a kept picture (composed
// only), and the blur alone as box sums beside the tap-by-tap reference.
#include <benchmark/benchmark.h>

#include "bench/cpu_clock.h"
#include "paint/glow.h"

namespace qv {
namespace {

const TRect kCaption = Bounds(40, 8, 160, 18);

void BM_TextGlow(benchmark::State& state, bool kept) {
  const int size = static_cast<int>(state.range(0));
  TBitmap32 target(260, 60);
  TCanvas canvas(target);
  canvas.Font.Height = -13;
  TGlowPicture pic;
  for (auto _ : state) {
    if (!kept) pic.Made = false;
    DrawTextGlow(canvas, u"Ballora Quorvane", kCaption, pic, clWhite, size, kGlowAllSides,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    benchmark::ClobberMemory();
  }
  state.counters["picture_px"] = static_cast<double>(pic.Bmp.Width()) * pic.Bmp.Height();
}
BENCHMARK_CAPTURE(BM_TextGlow, made, false)->Name("Glow/DrawTextGlow/made")->Arg(4)->Arg(16);
BENCHMARK_CAPTURE(BM_TextGlow, kept, true)->Name("Glow/DrawTextGlow/kept")->Arg(4)->Arg(16);

void BM_Blur(benchmark::State& state, bool reference) {
  const int size = static_cast<int>(state.range(0));
  TBitmap8 start(160 + 2 * (size + 4), 18 + 2 * (size + 4));
  for (int y = 0; y < start.Height(); ++y)
    for (int x = 0; x < start.Width(); ++x)
      start.ScanLine(y)[x] = (x / 3 + y / 2) % 5 == 0 ? 0 : 255;
  TBitmap8 pic;
  for (auto _ : state) {
    pic = start;
    if (reference)
      BlurGlowMaskReference(pic, size);
    else
      BlurGlowMask(pic, size);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_Blur, box, false)->Name("Glow/Blur/box")->Arg(4)->Arg(16);
BENCHMARK_CAPTURE(BM_Blur, reference, true)->Name("Glow/Blur/reference")->Arg(4)->Arg(16);

}  // namespace
}  // namespace qv
