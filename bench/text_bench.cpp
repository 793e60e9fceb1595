// Text costs: a 20-character Cyrillic caption drawn with its glyphs cached
// (its glyph masks composited by pixman first, as the peer for the blending,
// then through the canvas, whose row reports x_pixman: its speed as a
// multiple of pixman's, on thread CPU time), measuring it, and word-wrapped
// drawing of the two page-bottom hint labels.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "bench/cpu_clock.h"
#include "platform/canvas.h"
#include "platform/text/font_cache.h"
#include "platform/text/text.h"
#include "platform/text/text_layout.h"

namespace qv {
namespace {

const ustring kCaption = u"Трансферный рынок: 1";  // 20 characters
const ustring kHints[] = {
    u"Помните! Данная помощь не гарантирует Вам 100% успех, но увеличит шансы победы над "
    u"соперником",
    u"Правильная тренировка игроков позволит Вам иметь в команде сильных и дорогих футболистов",
};

// Thread CPU seconds per caption of the pixman row, for the ratio.
double& PixmanCaptionSeconds() {
  static double seconds = 0;
  return seconds;
}

TFont CaptionFont() {
  TFont f;
  f.Name = u"Tahoma";
  f.Height = -11;
  f.Color = clBlack;
  return f;
}

// The peer: the same cached glyph masks composited OVER in black by pixman,
// without layout or font look-up.
void BM_CaptionPixmanComposite(benchmark::State& state) {
  auto sized = text::AcquireFont(CaptionFont());
  const text::TLaidLine line = text::LayoutPlainLine(*sized, kCaption);
  std::vector<std::uint32_t> dst(160 * 20, 0xFFFFFFFF);
  pixman_image_t* pdst = pixman_image_create_bits(PIXMAN_a8r8g8b8, 160, 20, dst.data(), 160 * 4);
  pixman_color_t black{0, 0, 0, 0xFFFF};
  pixman_image_t* solid = pixman_image_create_solid_fill(&black);
  struct Mask {
    pixman_image_t* image;
    std::vector<std::uint32_t> bits;
    int x, y, w, h;
  };
  std::vector<Mask> masks;
  for (const auto& lg : line.Glyphs) {
    const text::TGlyph& g = sized->Glyph(lg.Char);
    if (g.Width <= 0 || g.Height <= 0) continue;
    const int stride = (g.Width + 3) / 4 * 4;
    Mask m{nullptr,           std::vector<std::uint32_t>(stride / 4 * g.Height),
           2 + lg.X + g.Left, 2 + sized->Metrics().Ascent - g.Top,
           g.Width,           g.Height};
    auto* bytes = reinterpret_cast<std::uint8_t*>(m.bits.data());
    for (int y = 0; y < g.Height; ++y)
      for (int x = 0; x < g.Width; ++x) bytes[y * stride + x] = g.Coverage[y * g.Width + x];
    m.image = pixman_image_create_bits(PIXMAN_a8, g.Width, g.Height, m.bits.data(), stride);
    masks.push_back(std::move(m));
  }
  const double start = CpuSeconds();
  for (auto _ : state) {
    for (const Mask& m : masks)
      pixman_image_composite32(PIXMAN_OP_OVER, solid, m.image, pdst, 0, 0, 0, 0, m.x, m.y, m.w,
                               m.h);
    benchmark::ClobberMemory();
  }
  PixmanCaptionSeconds() = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  for (Mask& m : masks) pixman_image_unref(m.image);
  pixman_image_unref(solid);
  pixman_image_unref(pdst);
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCaption.size()));
}
BENCHMARK(BM_CaptionPixmanComposite);

void BM_CaptionTextOut(benchmark::State& state) {
  TBitmap32 bmp(160, 20);
  TCanvas canvas(bmp);
  canvas.Font = CaptionFont();
  canvas.SetBkMode(TRANSPARENT);
  canvas.TextOut(2, 2, kCaption);  // glyphs rendered once, outside the loop
  const double start = CpuSeconds();
  for (auto _ : state) {
    canvas.TextOut(2, 2, kCaption);
    benchmark::ClobberMemory();
  }
  const double per = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  if (per > 0 && PixmanCaptionSeconds() > 0)
    state.counters["x_pixman"] = PixmanCaptionSeconds() / per;
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCaption.size()));
}
BENCHMARK(BM_CaptionTextOut);

void BM_CaptionExtent(benchmark::State& state) {
  TBitmap32 bmp(1, 1);
  TCanvas canvas(bmp);
  canvas.Font = CaptionFont();
  for (auto _ : state) benchmark::DoNotOptimize(canvas.TextExtent(kCaption));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kCaption.size()));
}
BENCHMARK(BM_CaptionExtent);

// Both hint labels as the labels draw them: Tahoma 15 px, centred both ways,
// word-wrapped in 471 x 50.
void BM_HintLabelsWordWrap(benchmark::State& state) {
  TBitmap32 bmp(471, 100);
  TCanvas canvas(bmp);
  canvas.Font = CaptionFont();
  canvas.Font.Height = -15;
  canvas.SetBkMode(TRANSPARENT);
  const unsigned flags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
  for (auto _ : state) {
    for (int i = 0; i < 2; ++i) {
      TRect r{0, 50 * i, 471, 50 * i + 50};
      benchmark::DoNotOptimize(canvas.DrawText(kHints[i], r, flags));
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_HintLabelsWordWrap);

void BM_HintLabelsMeasure(benchmark::State& state) {
  TBitmap32 bmp(1, 1);
  TCanvas canvas(bmp);
  canvas.Font = CaptionFont();
  canvas.Font.Height = -15;
  for (auto _ : state) {
    for (const ustring& hint : kHints) {
      TRect r{0, 0, 471, 0};
      benchmark::DoNotOptimize(canvas.DrawText(hint, r, DT_CALCRECT | DT_WORDBREAK));
    }
  }
}
BENCHMARK(BM_HintLabelsMeasure);

// A caption in a face not used before: resolution, face opening and the
// rendering of its glyphs (the cost of the first paint).
void BM_CaptionColdFont(benchmark::State& state) {
  TBitmap32 bmp(160, 20);
  TFont f = CaptionFont();
  int height = 20;
  for (auto _ : state) {
    f.Height = -(height++ % 200 + 20);
    text::ClearFontCache();
    TTextDevice device(bmp);
    TextOutTo(device, f, 0, 0, kCaption);
  }
}
BENCHMARK(BM_CaptionColdFont);

}  // namespace
}  // namespace qv
