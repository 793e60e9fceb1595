// Skin loading speed: a stored skin the size of the program's own (a package
// of about 57 kB with an options text of about 15 kB, a PNG master bitmap and
// a 192 x 192 BMP of the huge button) and one four times larger, loaded at
// 96, 120, 144 and 192 pixels per inch, at all four densities together, and a
// skin change end to end with the program's hue offset.
//
// Goal on this machine: the program's skin in under 10 ms at 96 PPI and in
// under 40 ms for all four densities.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/png_write.h"
#include "skin/package.h"
#include "skin/skin_manager.h"
#include "skin/skin_paths.h"

namespace {

using qv::TBitmap32;
using qv::TBytes;

// A 24-bit BMP file of the picture.
TBytes Bmp(const TBitmap32& b) {
  const int row = (b.Width() * 3 + 3) / 4 * 4;
  const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * b.Height());
  TBytes out(size, 0);
  auto put = [&](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out[at + static_cast<std::size_t>(i)] = (v >> (8 * i)) & 0xFF;
  };
  out[0] = 'B';
  out[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(b.Width()), 4);
  put(22, static_cast<std::uint32_t>(b.Height()), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const qv::TBGRA p = b.Pixel(x, y);
      std::uint8_t* d =
          out.data() + 54 + static_cast<std::size_t>(row) * (b.Height() - 1 - y) + 3 * x;
      d[0] = p.B;
      d[1] = p.G;
      d[2] = p.R;
    }
  return out;
}

// Skin-like pictures: soft gradients, noise in one pixel of every `grain`,
// and magenta holes.
TBitmap32 Picture(int w, int h, unsigned seed, int grain) {
  std::mt19937 rng(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int n =
          grain > 0 && rng() % static_cast<unsigned>(grain) == 0 ? static_cast<int>(rng() % 7) : 0;
      b.Pixel(x, y) = {static_cast<std::uint8_t>(120 + (x * 97 / w) + n),
                       static_cast<std::uint8_t>(140 + (y * 80 / h) + n),
                       static_cast<std::uint8_t>(160 + ((x + y) * 60 / (w + h)) + n), 255};
    }
  for (int y = 0; y < h; y += 24)
    for (int x = 0; x < w; x += 24) b.Pixel(x, y) = {0xFF, 0x00, 0xFF, 0xFF};
  return b;
}

// A rectangle in an element notation: four-digit words after sep.
std::string Rect4(char sep, int l, int t, int r, int b) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%c%04d%c%04d%c%04d%c%04d", sep, l, sep, t, sep, r, sep, b);
  return buf;
}

// An options text of about 15 kB a unit: sections with colours, gradients,
// borders and textures cut from the master bitmap, glyphs of "GLOBALINFO".
std::string Options(int units, int side) {
  std::string t =
      "[GLOBALINFO]\r\nVERSION=14.01\r\nAUTHOR=bench\r\nMASTERBITMAP=MASTER COPY.PNG\r\n"
      "COLOR=0xF0F0F0\r\nFONTCOLOR=0x202020\r\nBORDERCOLOR=0xA0A0A0\r\nFADINGENABLED=1\r\n";
  const char* glyphs[] = {"BOXCHECKED",     "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED",
                          "RADIOUNCHECKED", "BICONCLOSE",   "BICONMAX",  "BICONMIN"};
  int g = 0;
  for (const char* name : glyphs) {
    const int x = 8 + 20 * (g++ % 10);
    t += std::string(name) + "=" + Rect4('@', x, side - 40, x + 16, side - 24) + "@2@0\r\n";
    t += std::string(name) + "*150=" + Rect4('@', x, side - 24, x + 16, side - 8) + "@2@0\r\n";
  }
  const int sections = 70 * units;
  for (int s = 0; s < sections; ++s) {
    t += "[SECTION" + std::to_string(s) + "]\r\n";
    if (s % 5 == 1) t += "PARENTCLASS=SECTION" + std::to_string(s - 1) + "\r\n";
    t += "STATES=3\r\nCOLOR=0x" + std::to_string(100000 + s) +
         "\r\nHOTCOLOR=" + std::to_string(s * 1000) +
         "\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=0x101010\r\nTRANSPARENCY=0\r\nGLOW=0\r\n";
    if (s % 3 == 0)
      t +=
          "GRADIENTPERCENT=50\r\nGRADIENTDATA=15790320;15000804;50;0;0;15000804;15000804;0;0;0\r\n";
    const int x = (s * 37) % (side - 72), y = (s * 53) % (side - 72);
    if (s % 2 == 0)
      t += "BORDERSMASK=" + Rect4('^', x, y, x + 36, y + 24) + "^0004^0004^0004^0004^3^0^1^1\r\n";
    if (s % 4 == 1) t += "PATTERN=" + Rect4('~', x, y, x + 24, y + 24) + "~02~0\r\n";
    if (s % 6 == 3) t += "GLYPHMASK=" + Rect4('@', x, y, x + 16, y + 16) + "@2@0\r\n";
  }
  t += "[BUTTON_HUGE]\r\nBORDERSMASK=!BUTTONHUGE.BMP!3!1!0!0031!0031!0031!0031!5\r\n";
  return t;
}

// One noisy pixel in this many makes the package the size of the program's
// (58.4 kB with a 14.4 kB options text; 240 kB with the 55 kB text of the
// skin four times larger).
constexpr int kMasterGrain = 10;
constexpr int kLargeMasterGrain = 3;

struct TBenchSkin {
  TBytes Package;
  std::size_t OptionsSize = 0;
};

// units 1: the program's skin; 4: four times larger.
const TBenchSkin& Skin(int units) {
  static TBenchSkin skins[2];
  TBenchSkin& s = skins[units == 1 ? 0 : 1];
  if (s.Package.empty()) {
    const int side = units == 1 ? 256 : 512;
    const std::string opts = Options(units, side);
    s.OptionsSize = opts.size();
    const int huge = units == 1 ? 192 : 384;
    s.Package = qv::WritePackage(
        {{"OPTIONS.DAT", TBytes(opts.begin(), opts.end())},
         {"BUTTONHUGE.BMP", Bmp(Picture(huge, huge, 1, 0))},
         {"MASTER COPY.PNG",
          qv::EncodePng(Picture(side, side, 2, units == 1 ? kMasterGrain : kLargeMasterGrain))}},
        nullptr);
  }
  return s;
}

void Quiet() {
  static const bool done = [] {
    qv::SetSkinMessageHook([](qv::TacMessageKind, qv::ustring_view) {});
    qv::SetApplicationFolderOverride(qv::ustring(u"/nonexistent/quorvane-bench/"));
    setenv("XDG_DATA_HOME", "/nonexistent/quorvane-bench", 1);
    return true;
  }();
  (void)done;
}

std::unique_ptr<qv::TsSkinManager> Manager(int units) {
  Quiet();
  auto m = std::make_unique<qv::TsSkinManager>(nullptr);
  m->SetHueOffset(1000);  // as the program's window
  qv::TsStoredSkin& item = m->InternalSkins().Add();
  item.SetName(u"MetroUI (internal)");
  item.SetPackedData(Skin(units).Package);
  return m;
}

void Counters(benchmark::State& state, int units) {
  state.counters["package_bytes"] = static_cast<double>(Skin(units).Package.size());
  state.counters["options_bytes"] = static_cast<double>(Skin(units).OptionsSize);
}

// One density from nothing: package, options, fonts, master bitmap, elements,
// sections, palette and colour settings.
void BM_LoadAtDensity(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  const int ppi = static_cast<int>(state.range(1));
  auto m = Manager(units);
  m->Options.ScaleMode = qv::smCustomPPI;
  m->Options.PixelsPerInch = ppi;
  for (auto _ : state) {
    m->SetSkinName(u"MetroUI (internal)");
    benchmark::DoNotOptimize(m->CommonSkinData(ppi).ma.data());
  }
  if (!m->IsActive()) state.SkipWithError("the skin did not load");
  Counters(state, units);
}
BENCHMARK(BM_LoadAtDensity)
    ->Name("Skin/Load/AtDensity")
    ->ArgsProduct({{1, 4}, {96, 120, 144, 192}})
    ->ArgNames({"units", "ppi"})
    ->Unit(benchmark::kMillisecond);

// The skin change, then the three other densities as windows ask for them.
void BM_LoadAllDensities(benchmark::State& state) {
  const int units = static_cast<int>(state.range(0));
  auto m = Manager(units);
  for (auto _ : state) {
    m->SetSkinName(u"MetroUI (internal)");
    for (int ppi : {120, 144, 192}) benchmark::DoNotOptimize(m->CommonSkinData(ppi).ma.data());
  }
  if (!m->SkinDataArray[3] || m->SkinDataArray[3]->gd.empty())
    state.SkipWithError("the densities did not load");
  Counters(state, units);
}
BENCHMARK(BM_LoadAllDensities)
    ->Name("Skin/Load/AllDensities")
    ->Arg(1)
    ->Arg(4)
    ->ArgName("units")
    ->Unit(benchmark::kMillisecond);

// SetSkinName end to end at 96 PPI, with the hue offset and the broadcast.
void BM_SetSkinName(benchmark::State& state) {
  auto m = Manager(1);
  for (auto _ : state) m->SetSkinName(u"MetroUI (internal)");
  if (!m->IsActive()) state.SkipWithError("the skin did not load");
  Counters(state, 1);
}
BENCHMARK(BM_SetSkinName)->Name("Skin/SetSkinName")->Unit(benchmark::kMillisecond);

}  // namespace
