// Drawing one of the window's icons (the magnifier) with the alpha image list
// at each density: from the item's cache, decoded anew each time (the stored
// drawing of that size, or the nearest larger one resampled at 168 pixels per
// inch), and pixman compositing a picture of the same size as the peer.
// Rows: ImageList.Draw/{cached,decoded,pixman}/ppi.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <memory>
#include <vector>

#include "controls/alpha_imagelist.h"
#include "platform/resources.h"

namespace qv {
namespace {

std::unique_ptr<TsAlphaImageList> MagnifierList(bool cache) {
  auto list = std::make_unique<TsAlphaImageList>(nullptr);
  list->SetUseCache(cache);
  auto item = std::make_unique<TsImgListItem>();
  item->ImgData = TMemoryStream(*FindResource("images/03_magnifier.png"));
  for (int size : {20, 24, 32}) {
    const auto bytes = *FindResource("images/03_magnifier-" + std::to_string(size) + ".png");
    item->SizedImgData.push_back({0, 0, {bytes.begin(), bytes.end()}});
  }
  list->AddStoredItem(std::move(item));
  return list;
}

void Draw(benchmark::State& state, bool cache) {
  const auto list = MagnifierList(cache);
  TsImageDrawParams params;
  params.PixelsPerInch = static_cast<int>(state.range(0));
  TBitmap32 dst(64, 64);
  dst.Fill({240, 240, 240, 255});
  for (auto _ : state) {
    benchmark::DoNotOptimize(list->DrawImage(dst, {4, 4}, 0, params));
    benchmark::ClobberMemory();
  }
}

void BM_DrawCached(benchmark::State& state) { Draw(state, true); }
void BM_DrawDecoded(benchmark::State& state) { Draw(state, false); }

// pixman's OVER of a premultiplied picture of the icon's size.
void BM_DrawPixman(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0)) * 16 / 96;
  std::vector<std::uint32_t> src(static_cast<std::size_t>(size) * size, 0x80402010u);
  std::vector<std::uint32_t> dst(64 * 64, 0xFFF0F0F0u);
  pixman_image_t* ps = pixman_image_create_bits(PIXMAN_a8r8g8b8, size, size, src.data(), size * 4);
  pixman_image_t* pd = pixman_image_create_bits(PIXMAN_a8r8g8b8, 64, 64, dst.data(), 64 * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, ps, nullptr, pd, 0, 0, 0, 0, 4, 4, size, size);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(ps);
  pixman_image_unref(pd);
}

void Densities(benchmark::internal::Benchmark* b) {
  for (int ppi : {96, 120, 144, 168, 192}) b->Arg(ppi);
}

BENCHMARK(BM_DrawCached)->Name("ImageList.Draw/cached")->Apply(Densities);
BENCHMARK(BM_DrawDecoded)->Name("ImageList.Draw/decoded")->Apply(Densities);
BENCHMARK(BM_DrawPixman)->Name("ImageList.Draw/pixman")->Apply(Densities);

}  // namespace
}  // namespace qv
