// PNG decoding speed next to libpng decoding the same bytes to the same output
// (8-bit BGRA, palette and transparency expanded): a 1024 x 1024 RGBA picture
// made here through libpng, and the PngSuite as a whole. Each libpng row runs
// first; the decoder's row after it reports its speed as a multiple of libpng's.
#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/cpu_clock.h"
#include "platform/acPNG.h"
#include "platform/png_write.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A deterministic picture with smooth areas, edges and noise, so that every
// filter type is chosen somewhere and the data does not collapse in deflate.
Bytes MakeRgba1024() {
  TBitmap32 bmp(1024, 1024);
  std::uint32_t seed = 12345;
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = static_cast<int>(seed >> 28) - 8;
      const bool band = ((x / 64) + (y / 64)) % 2 == 0;
      auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
      bmp.Pixel(x, y) = {clamp(x / 4 + noise), clamp(y / 4 + (band ? 40 : 0)),
                         clamp((x + y) / 8 + noise / 2), clamp(band ? 255 : 128 + x / 8)};
    }
  return EncodePng(bmp);
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The valid files of the suite (the corrupt x* ones are left out).
std::vector<Bytes> LoadSuite() {
  std::vector<std::filesystem::path> paths;
  const std::filesystem::path dir = std::filesystem::path(QV_SOURCE_DIR) / "tests/data/pngsuite";
  for (const auto& e : std::filesystem::directory_iterator(dir))
    if (e.path().extension() == ".png" && e.path().filename().string()[0] != 'x')
      paths.push_back(e.path());
  std::sort(paths.begin(), paths.end());
  std::vector<Bytes> files;
  for (const auto& p : paths) files.push_back(ReadFile(p));
  return files;
}

const Bytes& Rgba1024() {
  static const Bytes bytes = MakeRgba1024();
  return bytes;
}
const std::vector<Bytes>& Suite() {
  static const std::vector<Bytes> files = LoadSuite();
  return files;
}

struct TReader {
  const Bytes* Data;
  std::size_t Pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TReader*>(png_get_io_ptr(png));
  if (r->Data->size() - r->Pos < n) png_error(png, "read past end");
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}

// libpng with the decoder's output; `pixels` and `rows` are the caller's so
// nothing with a destructor lives between setjmp and longjmp.
std::size_t DecodeWithLibpng(const Bytes& bytes, Bytes& pixels, std::vector<png_bytep>& rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  TReader reader{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return 0;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  pixels.resize(w * h * 4);
  rows.resize(h);
  for (std::size_t y = 0; y < h; ++y) rows[y] = pixels.data() + y * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return w * h;
}

double& PeerSpeed(int which) {
  static double speeds[2] = {0, 0};
  return speeds[which];
}

// Decodes `files` per iteration; reports Mpx/s (thread CPU time) and, for the
// decoder, the ratio to the libpng row of the same set.
void Measure(benchmark::State& state, const std::vector<const Bytes*>& files, int set, bool own) {
  Bytes pixels;
  std::vector<png_bytep> rows;
  std::size_t decoded = 0;
  const double start = CpuSeconds();
  for (auto _ : state) {
    for (const Bytes* f : files) {
      if (own) {
        const TBitmap32 bmp = LoadPngImage(*f);
        decoded += static_cast<std::size_t>(bmp.Width()) * bmp.Height();
        benchmark::DoNotOptimize(bmp.ScanLine(0));
      } else {
        decoded += DecodeWithLibpng(*f, pixels, rows);
        benchmark::DoNotOptimize(pixels.data());
      }
    }
  }
  const double mpx = static_cast<double>(decoded) / 1e6 / (CpuSeconds() - start);
  state.counters["Mpx/s"] = mpx;
  if (!own) PeerSpeed(set) = mpx;
  if (own && PeerSpeed(set) > 0) state.counters["x_libpng"] = mpx / PeerSpeed(set);
}

std::vector<const Bytes*> OneFile() { return {&Rgba1024()}; }
std::vector<const Bytes*> AllOfSuite() {
  std::vector<const Bytes*> v;
  for (const Bytes& f : Suite()) v.push_back(&f);
  return v;
}

void BM_PngRgba1024_Libpng(benchmark::State& s) { Measure(s, OneFile(), 0, false); }
void BM_PngRgba1024_Own(benchmark::State& s) { Measure(s, OneFile(), 0, true); }
void BM_PngSuite_Libpng(benchmark::State& s) { Measure(s, AllOfSuite(), 1, false); }
void BM_PngSuite_Own(benchmark::State& s) { Measure(s, AllOfSuite(), 1, true); }

BENCHMARK(BM_PngRgba1024_Libpng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngRgba1024_Own)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngSuite_Libpng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngSuite_Own)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
