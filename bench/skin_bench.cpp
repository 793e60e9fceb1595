// Skin data speed: reading a package of about 60 kB with three entries, and
// building the section model of an options text of about 15 kB in some 70
// sections.
#include <benchmark/benchmark.h>

#include <random>

#include "skin/package.h"
#include "skin/section_model.h"

namespace {

// Pixel-like data that compresses roughly as skin images do.
qv::TBytes ImageLike(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  qv::TBytes b(size);
  std::uint8_t v = 0;
  for (std::size_t i = 0; i < size; ++i) {
    if (rng() % 6 == 0) v = static_cast<std::uint8_t>(rng());
    b[i] = v;
  }
  return b;
}

std::string OptionsText() {
  std::string t =
      "[GLOBALINFO]\r\nVERSION=14.01\r\nCOLOR=0xF0F0F0\r\nMASTERBITMAP=MASTER.PNG\r\n"
      "BOXCHECKED=@0026@0011@0039@0024@1@0\r\nBOXCHECKED*200=@0052@0022@0078@0048@1@0\r\n";
  for (int s = 0; s < 70; ++s) {
    t += "[SECTION" + std::to_string(s) + "]\r\n";
    if (s > 0) t += "PARENTCLASS=SECTION" + std::to_string(s / 2) + "\r\n";
    t += "COLOR=0x" + std::to_string(100000 + s) + "\r\nHOTCOLOR=" + std::to_string(s * 1000) +
         "\r\nFONTCOLOR=0\r\nGRADIENTPERCENT=50\r\n"
         "GRADIENTDATA=15790320;15000804;50;0;0;15000804;15000804;0;0;0\r\n";
    if (s % 2 == 0) t += "BORDERSMASK=^0057^0001^0060^0002^0001^0000^0000^0000^1^0^1^1\r\n";
    if (s % 3 == 0) t += "PATTERN=~0136~0000~0137~0120~02~0\r\n";
    if (s % 4 == 0) t += "GLYPHMASK=!GLYPH.PNG!2!0!4!0001!0002!0003!0004!0\r\n";
  }
  return t;
}

void BM_ReadPackage(benchmark::State& state) {
  const std::string opts = OptionsText();
  const qv::TBytes pkg = qv::WritePackage({{"OPTIONS.DAT", qv::TBytes(opts.begin(), opts.end())},
                                           {"BUTTONHUGE.BMP", ImageLike(110646, 1)},
                                           {"MASTER COPY.PNG", ImageLike(46819, 2)}},
                                          nullptr);
  for (auto _ : state) {
    qv::TacSkinConvertor conv;
    conv.BorrowPackedData(pkg);
    benchmark::DoNotOptimize(conv.ReadPackage());
    conv.ReleasePackedData();
    benchmark::DoNotOptimize(conv.Files.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pkg.size()));
  state.counters["package_bytes"] = static_cast<double>(pkg.size());
}
BENCHMARK(BM_ReadPackage)->Name("Skin/ReadPackage");

void BM_BuildSectionModel(benchmark::State& state) {
  const std::string opts = OptionsText();
  const qv::TByteView bytes(reinterpret_cast<const std::uint8_t*>(opts.data()), opts.size());
  for (auto _ : state) {
    qv::TMemIniFile ini;
    ini.LoadFromBytes(bytes);
    qv::TacSkinData sd(nullptr, 96);
    qv::TacSkinCommonInfo info;
    qv::BuildSectionModel(ini, sd, info);
    benchmark::DoNotOptimize(sd.gd.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * opts.size()));
  state.counters["options_bytes"] = static_cast<double>(opts.size());
}
BENCHMARK(BM_BuildSectionModel)->Name("Skin/BuildSectionModel");

}  // namespace
