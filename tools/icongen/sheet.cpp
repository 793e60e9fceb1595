// Layout of the contact sheet: for each folder of pictures and each size in it
// one band per background, the pictures left to right, each enlarged and then
// at 1:1 beside it.
#include "tools/icongen/sheet.h"

#include <algorithm>
#include <string>

#include "tools/icongen/raster.h"

namespace qv::icongen {
namespace {

constexpr int kZoom = 4;
constexpr int kGap = 8;
constexpr TColor kBackgrounds[] = {Hex(0xF0F0F0), Hex(0xFFFFFF)};

// Source-over of a straight-alpha picture, each pixel drawn as a zoom x zoom block.
void Place(TBitmap32& dst, const TBitmap32& src, int left, int top, int zoom) {
  for (int y = 0; y < src.Height() * zoom; ++y)
    for (int x = 0; x < src.Width() * zoom; ++x) {
      const TBGRA s = src.Pixel(x / zoom, y / zoom);
      TBGRA& d = dst.Pixel(left + x, top + y);
      const auto mix = [&](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a * s.A + b * (255 - s.A) + 127) / 255);
      };
      d = {mix(s.B, d.B), mix(s.G, d.G), mix(s.R, d.R), 255};
    }
}

}  // namespace

TBitmap32 ContactSheet(const std::vector<TIconFile>& files) {
  // Pictures of one folder and size share a row, so the list images of one
  // density stay side by side.
  std::vector<std::vector<const TIconFile*>> groups;
  std::string last;
  for (const TIconFile& f : files) {
    const std::string key = f.Path.substr(0, f.Path.find('/')) + ' ' +
                            (f.Path.rfind("icon/", 0) == 0 ? "" : std::to_string(f.Bitmap.Width()));
    if (groups.empty() || key != last) groups.emplace_back();
    groups.back().push_back(&f);
    last = key;
  }
  int width = 0, height = 0;
  std::vector<int> bands;
  for (const auto& g : groups) {
    int w = kGap, band = 0;
    for (const TIconFile* f : g) {
      w += f->Bitmap.Width() * (kZoom + 1) + 2 * kGap;
      band = std::max(band, f->Bitmap.Height() * kZoom + 2 * kGap);
    }
    width = std::max(width, w);
    bands.push_back(band);
    height += band * static_cast<int>(std::size(kBackgrounds));
  }
  TBitmap32 sheet(width, height);
  int top = 0;
  for (std::size_t gi = 0; gi < groups.size(); ++gi)
    for (TColor background : kBackgrounds) {
      const TBGRA bg = ColorToPixel(background, 255);
      for (int y = top; y < top + bands[gi]; ++y)
        for (int x = 0; x < width; ++x) sheet.Pixel(x, y) = bg;
      int x = kGap;
      for (const TIconFile* f : groups[gi]) {
        Place(sheet, f->Bitmap, x, top + kGap, kZoom);
        x += f->Bitmap.Width() * kZoom + kGap;
        Place(sheet, f->Bitmap, x, top + kGap, 1);
        x += f->Bitmap.Width() + kGap;
      }
      top += bands[gi];
    }
  return sheet;
}

}  // namespace qv::icongen
