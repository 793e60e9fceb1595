// Paint primitives next to pixman doing the nearest comparable operation and
// next to memcpy of the same bytes, on a 516 x 412 bitmap and on 25 x 25
// pieces. Rows are named Paint.Op/who/width/height; who is memcpy, pixman,
// scalar (our reference kernels) or qv (the kernels the program uses), and
// the qv rows add their speed as multiples of the pixman and memcpy rows.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "bench/cpu_clock.h"
#include "paint/compositing.h"
#include "paint/gradient.h"
#include "paint/pixel_kernels.h"
#include "paint/resample.h"

namespace qv {
namespace {

std::map<std::string, double>& Speeds() {
  static std::map<std::string, double> speeds;
  return speeds;
}

// Source, destination and parent bitmaps of one size, with pixman views.
struct Surfaces {
  int w, h;
  TBitmap32 src, dst, mask, parent, small;
  TBitmap32 keyed;  // the source with key pixels transparent, the others opaque
  pixman_image_t* psrc = nullptr;
  pixman_image_t* pxsrc = nullptr;  // the source as opaque x8r8g8b8
  pixman_image_t* pdst = nullptr;
  pixman_image_t* pmask = nullptr;
  pixman_image_t* psmall = nullptr;
  pixman_image_t* pkeyed = nullptr;

  static pixman_image_t* View(pixman_format_code_t f, TBitmap32& b) {
    return pixman_image_create_bits(f, b.Width(), b.Height(),
                                    reinterpret_cast<std::uint32_t*>(b.ScanLine(0)),
                                    static_cast<int>(b.Stride()));
  }

  Surfaces(int width, int height)
      : w(width),
        h(height),
        src(width, height),
        dst(width, height),
        mask(width, height * 2),
        parent(width, height),
        small(width * 100 / 137, height * 100 / 137),
        keyed(width, height) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool key = ((x * 7 + y * 3) % 11) == 0;
        src.Pixel(x, y) =
            key ? kKeyPixel
                : TBGRA{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                        static_cast<std::uint8_t>(x ^ y), static_cast<std::uint8_t>(x * 3 + y)};
        dst.Pixel(x, y) = {static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(x), 90, 200};
        parent.Pixel(x, y) = {1, 2, 3, 255};
      }
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < w; ++x) {
        const auto v = static_cast<std::uint8_t>((x + y) * 5);
        mask.Pixel(x, y) = y < h ? src.Pixel(x, y) : TBGRA{v, v, v, v};
      }
    for (int y = 0; y < small.Height(); ++y)
      for (int x = 0; x < small.Width(); ++x)
        small.Pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 50, 160};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TBGRA p = src.Pixel(x, y);
        keyed.Pixel(x, y) = p == kKeyPixel ? TBGRA{} : TBGRA{p.B, p.G, p.R, 255};
      }
    pkeyed = View(PIXMAN_a8r8g8b8, keyed);
    psrc = View(PIXMAN_a8r8g8b8, src);
    pxsrc = View(PIXMAN_x8r8g8b8, src);
    pdst = View(PIXMAN_a8r8g8b8, dst);
    pmask = View(PIXMAN_a8r8g8b8, mask);
    psmall = View(PIXMAN_a8r8g8b8, small);
  }
  ~Surfaces() {
    for (pixman_image_t* i : {psrc, pxsrc, pdst, pmask, psmall, pkeyed}) pixman_image_unref(i);
  }
  Surfaces(const Surfaces&) = delete;
  Surfaces& operator=(const Surfaces&) = delete;

  void CopyRows() {
    for (int y = 0; y < h; ++y)
      std::memcpy(dst.ScanLine(y), src.ScanLine(y), static_cast<std::size_t>(w) * 4);
  }
};

using Body = std::function<void(Surfaces&)>;

void Run(benchmark::State& state, const std::string& op, const std::string& who, const Body& body) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  Surfaces s(w, h);
  const TKernelLevel saved = ActiveKernelLevel();
  if (who == "scalar") SetActiveKernelLevel(TKernelLevel::kScalar);
  const double start = CpuSeconds();
  for (auto _ : state) {
    body(s);
    benchmark::ClobberMemory();
  }
  const double seconds = CpuSeconds() - start;
  SetActiveKernelLevel(saved);
  const double mpx =
      seconds > 0 ? static_cast<double>(w) * h * state.iterations() / 1e6 / seconds : 0;
  state.counters["Mpx/s"] = mpx;
  const std::string size = "/" + std::to_string(w) + "/" + std::to_string(h);
  Speeds()[op + "/" + who + size] = mpx;
  if (who != "qv") return;
  for (const char* peer : {"pixman", "memcpy"}) {
    auto it = Speeds().find(op + "/" + peer + size);
    if (it != Speeds().end() && it->second > 0)
      state.counters[std::string("x_") + peer] = mpx / it->second;
  }
}

void Composite(pixman_op_t op, pixman_image_t* src, pixman_image_t* mask, pixman_image_t* dst,
               int w, int h) {
  pixman_image_composite32(op, src, mask, dst, 0, 0, 0, 0, 0, 0, w, h);
}

pixman_image_t* LinearGradient(int w, int h, bool horizontal) {
  pixman_point_fixed_t p1{0, 0};
  pixman_point_fixed_t p2{horizontal ? pixman_int_to_fixed(w) : 0,
                          horizontal ? 0 : pixman_int_to_fixed(h)};
  const pixman_gradient_stop_t stops[3] = {
      {0, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}},
      {pixman_double_to_fixed(0.5), {0x8000, 0x4000, 0x2000, 0xFFFF}},
      {pixman_fixed_1, {0xEBEB, 0xEBEB, 0xEBEB, 0xFFFF}}};
  return pixman_image_create_linear_gradient(&p1, &p2, stops, 3);
}

TsGradArray Gradient(bool horizontal) {
  TsGradArray a;
  ParseGradient(u"16777215;0;0;2113664;50;0;15461355;100;0;C", a);
  a[0].Mode = horizontal ? gmHorizontal : gmVertical;
  return a;
}

struct Op {
  std::string name;
  Body pixman;
  Body ours;
  Body scalar = nullptr;  // when the reference is not a kernel level
};

std::vector<Op> Ops() {
  std::vector<Op> ops;
  ops.push_back({"FillRectAlpha",
                 [](Surfaces& s) {
                   const pixman_color_t c{0x3000, 0x6000, 0x9000, 0xFFFF};
                   const pixman_rectangle16_t r{0, 0, static_cast<std::uint16_t>(s.w),
                                                static_cast<std::uint16_t>(s.h)};
                   pixman_image_fill_rectangles(PIXMAN_OP_SRC, s.pdst, &c, 1, &r);
                 },
                 [](Surfaces& s) { FillRectAlpha(s.dst, s.dst.BoundsRect(), 0x906030, 255); }});
  ops.push_back({"BlendColorRect",
                 [](Surfaces& s) {
                   const pixman_color_t c{0x3000, 0x6000, 0x9000, 0x8000};
                   const pixman_rectangle16_t r{0, 0, static_cast<std::uint16_t>(s.w),
                                                static_cast<std::uint16_t>(s.h)};
                   pixman_image_fill_rectangles(PIXMAN_OP_OVER, s.pdst, &c, 1, &r);
                 },
                 [](Surfaces& s) { BlendColorRect(s.dst, s.dst.BoundsRect(), 128, 0x906030); }});
  ops.push_back({"BlendBitmaps",
                 [](Surfaces& s) {
                   const pixman_color_t a{0, 0, 0, 0x8000};
                   pixman_image_t* m = pixman_image_create_solid_fill(&a);
                   Composite(PIXMAN_OP_OVER, s.pxsrc, m, s.pdst, s.w, s.h);
                   pixman_image_unref(m);
                 },
                 [](Surfaces& s) {
                   BlendBitmaps(s.dst, s.src, 128, {0, 0}, s.src.BoundsRect());
                 }});
  ops.push_back({"BlendAlphaPiece",
                 [](Surfaces& s) { Composite(PIXMAN_OP_OVER, s.psrc, nullptr, s.pdst, s.w, s.h); },
                 [](Surfaces& s) {
                   BlendAlphaPiece(s.dst, s.src, Rect(0, 0, s.w - 1, s.h - 1), 255, {0, 0});
                 }});
  ops.push_back(
      // A keyed copy is an over with one-bit alpha: the peer composites the
      // source over, its key holes standing in as transparent pixels.
      {"CopyKeyedPiece",
       [](Surfaces& s) { Composite(PIXMAN_OP_OVER, s.pkeyed, nullptr, s.pdst, s.w, s.h); },
       [](Surfaces& s) {
         TCacheInfo ci;
         ci.Bmp = &s.parent;
         ci.X = ci.Y = 0;
         ci.Ready = true;
         CopyKeyedPiece(s.dst, s.src, {0, 0}, Rect(0, 0, s.w - 1, s.h - 1), clKeyColor, true, ci);
       }});
  ops.push_back({"CopyMaskedPiece",
                 [](Surfaces& s) {
                   pixman_image_set_component_alpha(s.pmask, 1);
                   pixman_image_composite32(PIXMAN_OP_OVER, s.psrc, s.pmask, s.pdst, 0, 0, 0, s.h,
                                            0, 0, s.w, s.h);
                 },
                 [](Surfaces& s) {
                   const TMaskElementView e{s.mask.BoundsRect(), 1, 0};
                   TCacheInfo ci;
                   ci.Bmp = &s.parent;
                   ci.X = ci.Y = 0;
                   ci.Ready = true;
                   CopyMaskedPiece(s.dst.BoundsRect(), s.dst.BoundsRect(), s.dst, e, true, ci,
                                   s.mask);
                 }});
  for (bool horizontal : {false, true}) {
    ops.push_back({horizontal ? "GradientHorizontal" : "GradientVertical",
                   [horizontal](Surfaces& s) {
                     pixman_image_t* g = LinearGradient(s.w, s.h, horizontal);
                     Composite(PIXMAN_OP_SRC, g, nullptr, s.pdst, s.w, s.h);
                     pixman_image_unref(g);
                   },
                   [horizontal](Surfaces& s) {
                     static const TsGradArray a = Gradient(horizontal);
                     PaintGradient(s.dst, s.dst.BoundsRect(), a);
                   }});
  }
  ops.push_back({"StretchAlphaPiece",
                 [](Surfaces& s) {
                   pixman_transform_t t;
                   pixman_transform_init_scale(&t, pixman_int_to_fixed(s.small.Width()) / s.w,
                                               pixman_int_to_fixed(s.small.Height()) / s.h);
                   pixman_image_set_transform(s.psmall, &t);
                   pixman_image_set_filter(s.psmall, PIXMAN_FILTER_NEAREST, nullptr, 0);
                   Composite(PIXMAN_OP_OVER, s.psmall, nullptr, s.pdst, s.w, s.h);
                 },
                 [](Surfaces& s) {
                   // Not at the source origin: the nearest-pixel path.
                   StretchAlphaPiece(s.dst, s.dst.BoundsRect(), 255, s.small,
                                     Rect(1, 1, s.small.Width(), s.small.Height()));
                 }});
  ops.push_back({"StretchMaskedPiece",
                 [](Surfaces& s) {
                   pixman_transform_t t;
                   pixman_transform_init_scale(&t, pixman_int_to_fixed(s.small.Width()) / s.w,
                                               pixman_int_to_fixed(s.small.Height()) / s.h);
                   pixman_image_set_transform(s.psmall, &t);
                   pixman_image_set_filter(s.psmall, PIXMAN_FILTER_NEAREST, nullptr, 0);
                   // The image and its mask, both scaled, as the masked stretch reads them.
                   pixman_image_set_transform(s.pmask, &t);
                   pixman_image_set_filter(s.pmask, PIXMAN_FILTER_NEAREST, nullptr, 0);
                   pixman_image_set_component_alpha(s.pmask, 1);
                   Composite(PIXMAN_OP_SRC, s.psmall, s.pmask, s.pdst, s.w, s.h);
                 },
                 [](Surfaces& s) {
                   const int sh = s.small.Height() / 2;
                   StretchMaskedPiece(s.dst.BoundsRect(), false, sh, s.small, s.dst,
                                      Rect(0, 0, s.small.Width(), sh));
                 }});
  ops.push_back(
      {"Resample",
       [](Surfaces& s) {
         int n = 0;
         pixman_fixed_t* params = pixman_filter_create_separable_convolution(
             &n, pixman_double_to_fixed(static_cast<double>(s.w) / s.small.Width()),
             pixman_double_to_fixed(static_cast<double>(s.h) / s.small.Height()),
             PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 1, 1);
         pixman_transform_t t;
         pixman_transform_init_scale(&t, pixman_int_to_fixed(s.small.Width()) / s.w,
                                     pixman_int_to_fixed(s.small.Height()) / s.h);
         pixman_image_set_transform(s.psmall, &t);
         pixman_image_set_filter(s.psmall, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
         free(params);
         Composite(PIXMAN_OP_SRC, s.psmall, nullptr, s.pdst, s.w, s.h);
       },
       [](Surfaces& s) { Resample(s.small, s.dst, s.w, s.h); },
       [](Surfaces& s) { ResampleReference(s.small, s.dst, s.w, s.h); }});
  return ops;
}

void Register() {
  for (const Op& op : Ops()) {
    const std::string name = "Paint." + op.name;
    auto add = [&](const std::string& who, Body body) {
      benchmark::RegisterBenchmark(
          (name + "/" + who).c_str(),
          [name, who, body](benchmark::State& st) { Run(st, name, who, body); })
          ->Args({516, 412})
          ->Args({25, 25});
    };
    add("memcpy", [](Surfaces& s) { s.CopyRows(); });
    add("pixman", op.pixman);
    add("scalar", op.scalar ? op.scalar : op.ours);
    add("qv", op.ours);
  }
}

const bool registered = (Register(), true);

}  // namespace
}  // namespace qv
