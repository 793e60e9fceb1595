// Section painting speed on a skin built in code: a 75 x 25 button, the
// 503 x 362 page and a 522 x 441 frame, each opaque (gradient, colour and a
// masked nine-slice border), transparent over a ready parent (a gradient
// through a temporary picture, and a plain colour mixed in place, with
// pixman's copy-and-OVER beside it), and through the one-pass textured
// gradient (beside the same layers composed apart). MainWindow/Cold paints
// every section the main window shows on its first page, each into a cache
// made for it, as its first paint does.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/cpu_clock.h"
#include "skin/section_paint.h"
#include "skin/skin_manager.h"

namespace qv {
namespace {

TsGradArray Vertical(std::uint32_t top, std::uint32_t bottom) {
  TsGradArray a(2);
  a[0].Color = TsColor::FromValue(top | 0xFF000000u);
  a[1].Color = TsColor::FromValue(bottom | 0xFF000000u);
  a[1].Percent = 100;
  return a;
}

// Sections of the looks a skin gives the main window's controls.
struct TBenchSkin {
  TsSkinManager manager{nullptr};
  TacSkinData data{&manager, 96};
  TBitmap32 master{128, 64};
  int masked_border = -1, keyed_border = -1, texture = -1;

  TBenchSkin() {
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 128; ++x)
        master.Pixel(x, y) = {static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 4),
                              static_cast<std::uint8_t>(x + y), 255};
    // Three 12 x 12 frames with their mask below: rounded-corner buttons.
    masked_border = Element(Rect(0, 0, 36, 24), 1, 0, 3, 4);
    for (int f = 0; f < 3; ++f)
      for (int y = 12; y < 24; ++y)
        for (int x = 0; x < 12; ++x) {
          const bool inside = x >= 1 && x <= 10 && y >= 13 && y <= 22;
          const std::uint8_t m = inside ? 255 : 0;
          master.Pixel(f * 12 + x, y) = {m, m, m, 255};
        }
    keyed_border = Element(Rect(40, 0, 52, 12), 0, 0, 1, 3);
    master.Pixel(40, 0) = master.Pixel(51, 0) = kKeyPixel;
    texture = Element(Rect(60, 0, 76, 16), 0, 0, 1, 0);
  }

  int Element(TRect r, int mask_type, int draw_mode, int frames, int margin) {
    TsMaskData m;
    m.R = r;
    m.ImageCount = static_cast<std::int16_t>(frames);
    m.MaskType = static_cast<std::int16_t>(mask_type);
    m.DrawMode = static_cast<std::int16_t>(draw_mode);
    m.Manager = &manager;
    m.WL = m.WT = m.WR = m.WB = static_cast<std::int16_t>(margin);
    m.Width = r.Width() / frames;
    m.Height = mask_type ? r.Height() / 2 : r.Height();
    m.Cfg = 1;
    data.ma.push_back(m);
    return static_cast<int>(data.ma.size()) - 1;
  }

  int Section(TColor c, int transparency, int gradient_percent, int image_percent, int border) {
    TsGeneralData g;
    for (TsGenState& s : g.Props) {
      s.Color = c;
      s.Transparency = transparency;
      s.GradientPercent = gradient_percent;
      s.ImagePercent = image_percent;
      s.TextureIndex = image_percent ? texture : -1;
      if (gradient_percent) s.GradientArray = Vertical(0xF4F4F4, 0xD8D8D8);
    }
    g.BorderIndex = border;
    data.gd.push_back(g);
    return static_cast<int>(data.gd.size()) - 1;
  }

  TSectionSkin Skin() const { return {&data, &master, nullptr}; }
};

TBenchSkin& Skin() {
  static TBenchSkin skin;
  return skin;
}

TBitmap32& Parent() {
  static TBitmap32 parent = [] {
    TBitmap32 b(640, 520);
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x)
        b.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200, 255};
    return b;
  }();
  return parent;
}

TCacheInfo Ready() {
  TCacheInfo ci;
  ci.Bmp = &Parent();
  ci.X = ci.Y = 0;
  ci.Ready = true;
  return ci;
}

// Runs paint and reports megapixels a second of thread CPU time.
template <class Paint>
void Measure(benchmark::State& state, int w, int h, Paint paint) {
  TBitmap32 cache(w, h);
  const double start = CpuSeconds();
  for (auto _ : state) {
    paint(cache);
    benchmark::ClobberMemory();
  }
  const double seconds = CpuSeconds() - start;
  state.counters["Mpx/s"] =
      seconds > 0 ? static_cast<double>(w) * h * state.iterations() / 1e6 / seconds : 0;
}

enum TLook { kOpaque, kTransparentGradient, kTransparentColour, kOnePass, kComposed };

void BM_Section(benchmark::State& state, TLook look) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBenchSkin& s = Skin();
  int si = 0;
  switch (look) {
    case kOpaque:
      si = s.Section(0xE0E0E0, 0, 60, 0, s.masked_border);
      break;
    case kTransparentGradient:
      si = s.Section(0xE0E0E0, 40, 100, 0, s.masked_border);
      break;
    case kTransparentColour:
      si = s.Section(0xE0E0E0, 40, 0, 0, -1);
      break;
    case kOnePass:
    case kComposed:
      si = s.Section(0xE0E0E0, 0, 30, 70, -1);
      break;
  }
  const TSectionPaintPaths saved = SectionPaintPaths();
  if (look == kComposed) SetSectionPaintPaths({false, saved.DirectBlend});
  const TCacheInfo ci = Ready();
  Measure(state, w, h, [&](TBitmap32& cache) {
    PaintSection(si, ci, -1, -1, s.Skin(), cache, {10, 20}, cache.BoundsRect(), 1);
  });
  SetSectionPaintPaths(saved);
}

const char* const kLookNames[] = {"Opaque", "TransparentGradient", "TransparentColour", "OnePass",
                                  "OnePassComposedApart"};

// pixman beside the in-place colour mix: the parent copied, a solid colour
// at 60 % composited OVER it.
void BM_PixmanTransparentColour(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBitmap32& parent = Parent();
  TBitmap32 cache(w, h);
  pixman_image_t* src = pixman_image_create_bits(
      PIXMAN_a8r8g8b8, parent.Width(), parent.Height(),
      reinterpret_cast<std::uint32_t*>(parent.ScanLine(0)), static_cast<int>(parent.Stride()));
  pixman_image_t* dst = pixman_image_create_bits(
      PIXMAN_a8r8g8b8, w, h, reinterpret_cast<std::uint32_t*>(cache.ScanLine(0)),
      static_cast<int>(cache.Stride()));
  const pixman_color_t colour{0x8686, 0x8686, 0x8686, 0x9999};  // premultiplied 0xE0 at 60 %
  pixman_image_t* solid = pixman_image_create_solid_fill(&colour);
  Measure(state, w, h, [&](TBitmap32&) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 10, 20, 0, 0, 0, 0, w, h);
    pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dst, 0, 0, 0, 0, 0, 0, w, h);
  });
  pixman_image_unref(solid);
  pixman_image_unref(dst);
  pixman_image_unref(src);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (auto [w, h] : {std::pair{75, 25}, {503, 362}, {522, 441}}) b->Args({w, h});
}

// Every section on the main window's first page, cold: frame and title,
// page control with its five tabs and the sheet, four group boxes, three
// combo boxes, three check boxes, the track bar and the three buttons.
void BM_MainWindowCold(benchmark::State& state) {
  TBenchSkin& s = Skin();
  struct TPiece {
    int si, w, h, state;
    bool self_parent;
  };
  const int frame = s.Section(0xF0F0F0, 0, 0, 0, s.keyed_border);
  const int title = s.Section(0xF0F0F0, 0, 100, 0, -1);
  const int page = s.Section(0xF0F0F0, 0, 0, 0, s.keyed_border);
  const int tab = s.Section(0xE8E8E8, 0, 100, 0, s.masked_border);
  const int sheet = s.Section(0xF0F0F0, 100, 0, 0, -1);
  const int group = s.Section(0xF0F0F0, 100, 0, 0, s.keyed_border);
  const int combo = s.Section(0xFFFFFF, 0, 0, 0, s.masked_border);
  const int clear = s.Section(0xF0F0F0, 100, 0, 0, -1);
  const int button = s.Section(0xE0E0E0, 0, 100, 0, s.masked_border);
  std::vector<TPiece> pieces = {{frame, 522, 441, 1, false},
                                {title, 522, 30, 1, true},
                                {page, 503, 362, 0, false},
                                {sheet, 495, 334, 0, false}};
  for (int t = 0; t < 5; ++t) pieces.push_back({tab, 80, 22, t == 0 ? 2 : 0, false});
  for (auto [w, h] : {std::pair{239, 169}, {244, 139}, {239, 100}, {244, 130}})
    pieces.push_back({group, w, h, 0, false});
  for (int w : {53, 142, 142}) pieces.push_back({combo, w, 21, 0, false});
  for (int w : {84, 71, 221}) pieces.push_back({clear, w, 15, 0, false});
  pieces.push_back({clear, 137, 25, 0, false});
  for (int b = 0; b < 3; ++b) pieces.push_back({button, 75, 25, 0, false});
  const TCacheInfo ci = Ready();
  long long pixels = 0;
  for (const TPiece& p : pieces) pixels += static_cast<long long>(p.w) * p.h;
  const double start = CpuSeconds();
  for (auto _ : state) {
    TBitmap32 frame_cache;
    for (const TPiece& p : pieces) {
      TBitmap32 cache(p.w, p.h);
      TCacheInfo parent = ci;
      if (p.self_parent) {  // the title bar over the frame's own picture
        parent.Bmp = &frame_cache;
        PaintSection(p.si, parent, -1, -1, s.Skin(), frame_cache, {}, Rect(0, 0, p.w, p.h),
                     p.state);
        continue;
      }
      PaintSection(p.si, parent, -1, -1, s.Skin(), cache, {8, 30}, cache.BoundsRect(), p.state);
      if (p.si == frame) frame_cache = std::move(cache);
      benchmark::DoNotOptimize(cache.ScanLine(0));
    }
  }
  const double seconds = CpuSeconds() - start;
  state.counters["sections"] = static_cast<double>(pieces.size());
  state.counters["kpx"] = static_cast<double>(pixels) / 1000;
  state.counters["ms_cpu"] = state.iterations() ? seconds * 1000 / state.iterations() : 0;
}

const bool kRegistered = [] {
  for (int look = kOpaque; look <= kComposed; ++look)
    benchmark::RegisterBenchmark((std::string("Section/") + kLookNames[look]).c_str(), BM_Section,
                                 static_cast<TLook>(look))
        ->Apply(Sizes);
  return true;
}();
BENCHMARK(BM_PixmanTransparentColour)->Name("Section/TransparentColour/pixman")->Apply(Sizes);
BENCHMARK(BM_MainWindowCold)->Name("Section/MainWindow/Cold");

}  // namespace
}  // namespace qv
