// BMP decoding. The bytes may be hostile: every offset and size is checked
// against what is there before it is used, and sizes are bounded before any
// allocation.
#include "platform/image_bmp.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace qv {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4, kPng = 5,
                        kAlphaBitFields = 6;
constexpr std::size_t kFileHeader = 14;

[[noreturn]] void Fail(const std::string& why) {
  throw EInvalidGraphic("Invalid BMP image: " + why);
}

std::uint32_t U16(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at] | (d[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> d, std::size_t at) {
  return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
         (static_cast<std::uint32_t>(d[at + 2]) << 16) |
         (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

// One colour channel described by a bit mask; values widen or narrow to 8 bits
// with rounding.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    max = m >> shift;
    if ((max & (max + 1)) != 0) Fail("bit field masks must be contiguous");
  }
  std::uint8_t Get(std::uint32_t v) const {
    if (!mask) return 0;
    const std::uint64_t x = (v & mask) >> shift;
    return static_cast<std::uint8_t>((x * 255 + max / 2) / max);
  }
};

struct Header {
  long long width = 0;
  long long height = 0;  // positive: bottom-up rows
  int bpp = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colors_used = 0;
  std::size_t palette_at = 0;
  int palette_entry = 4;                 // bytes per palette entry (3 in the oldest header)
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  bool has_masks = false;
  std::size_t pixels_at = 0;
};

Header ReadHeader(std::span<const std::uint8_t> d) {
  if (d.size() < kFileHeader + 12) Fail("file too short");
  if (d[0] != 'B' || d[1] != 'M') Fail("missing BM signature");
  Header h;
  h.pixels_at = U32(d, 10);
  const std::uint32_t size = U32(d, kFileHeader);
  const std::size_t at = kFileHeader;
  std::size_t after = 0;  // end of header and bit field masks
  if (size == 12) {
    // The oldest header: 16-bit sizes, 3-byte palette entries.
    h.width = U16(d, at + 4);
    h.height = U16(d, at + 6);
    if (U16(d, at + 8) != 1) Fail("plane count must be 1");
    h.bpp = static_cast<int>(U16(d, at + 10));
    h.palette_entry = 3;
    after = at + 12;
  } else if (size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124) {
    if (d.size() < at + size) Fail("header truncated");
    h.width = static_cast<std::int32_t>(U32(d, at + 4));
    h.height = static_cast<std::int32_t>(U32(d, at + 8));
    if (U16(d, at + 12) != 1) Fail("plane count must be 1");
    h.bpp = static_cast<int>(U16(d, at + 14));
    h.compression = U32(d, at + 16);
    h.colors_used = U32(d, at + 32);
    after = at + size;
    if (size == 64 && h.compression > kRle4) Fail("unsupported OS/2 compression");
    if (size >= 52) {
      for (int k = 0; k < (size >= 56 ? 4 : 3); ++k) h.masks[k] = U32(d, at + 40 + 4 * k);
      h.has_masks = h.compression == kBitFields || h.compression == kAlphaBitFields;
    } else if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      // The masks follow the short header.
      const int n = h.compression == kAlphaBitFields ? 4 : 3;
      if (d.size() < after + 4 * n) Fail("bit field masks truncated");
      for (int k = 0; k < n; ++k) h.masks[k] = U32(d, after + 4 * k);
      h.has_masks = true;
      after += 4 * n;
    }
  } else {
    Fail("unsupported header size " + std::to_string(size));
  }
  if (d.size() < after) Fail("header truncated");
  h.palette_at = after;

  if (h.compression == kJpeg || h.compression == kPng)
    Fail("embedded JPEG or PNG data is not supported");
  if (h.compression > kAlphaBitFields) Fail("unknown compression " + std::to_string(h.compression));
  switch (h.bpp) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      Fail("unsupported bit count " + std::to_string(h.bpp));
  }
  if (h.compression == kRle8 && h.bpp != 8) Fail("RLE8 needs 8 bits a pixel");
  if (h.compression == kRle4 && h.bpp != 4) Fail("RLE4 needs 4 bits a pixel");
  if (h.has_masks && h.bpp != 16 && h.bpp != 32) Fail("bit fields need 16 or 32 bits a pixel");
  if ((h.compression == kRle8 || h.compression == kRle4) && h.height < 0)
    Fail("compressed images cannot be top-down");
  const long long rows = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || rows <= 0) Fail("empty or negative size");
  if (h.width > kMaxImageSide || rows > kMaxImageSide || h.width * rows > kMaxImagePixels)
    Fail("image too large");
  if (h.pixels_at < after || h.pixels_at > d.size()) Fail("pixel data offset out of range");
  return h;
}

std::vector<TBGRA> ReadPalette(std::span<const std::uint8_t> d, const Header& h) {
  std::vector<TBGRA> pal;
  if (h.bpp > 8) return pal;
  const std::size_t full = std::size_t{1} << h.bpp;
  const std::size_t count = h.colors_used == 0 ? full : std::min<std::size_t>(h.colors_used, full);
  // The palette lies between the header and the pixels.
  if (h.palette_at + count * h.palette_entry > h.pixels_at) Fail("palette truncated");
  pal.resize(full);  // indexes past the stored colours read as black
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = h.palette_at + i * h.palette_entry;
    pal[i] = {d[at], d[at + 1], d[at + 2], 0};
  }
  return pal;
}

void DecodeRaw(std::span<const std::uint8_t> d, const Header& h, const std::vector<TBGRA>& pal,
               TBitmap32& out) {
  const int w = out.Width(), rows = out.Height();
  const std::size_t stride = ((static_cast<std::size_t>(w) * h.bpp + 31) / 32) * 4;
  const std::size_t last_row = (static_cast<std::size_t>(w) * h.bpp + 7) / 8;
  // The last row's padding may be missing; its pixels may not.
  if ((d.size() - h.pixels_at) < stride * (rows - 1) + last_row) Fail("pixel data truncated");

  std::array<std::uint32_t, 4> masks = h.masks;
  if (!h.has_masks) {
    if (h.bpp == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
    if (h.bpp == 32) masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  }
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  const bool bottom_up = h.height > 0;
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* src = d.data() + h.pixels_at + stride * r;
    TBGRA* dst = out.ScanLine(bottom_up ? rows - 1 - r : r);
    switch (h.bpp) {
      case 1:
      case 4:
      case 8: {
        const int per_byte = 8 / h.bpp;
        const unsigned lowest = (1u << h.bpp) - 1;
        for (int x = 0; x < w; ++x) {
          const int shift = 8 - h.bpp * (x % per_byte + 1);
          dst[x] = pal[(src[x / per_byte] >> shift) & lowest];
        }
        break;
      }
      case 16:
        for (int x = 0; x < w; ++x) {
          const std::uint32_t v = src[2 * x] | (src[2 * x + 1] << 8);
          dst[x] = {blue.Get(v), green.Get(v), red.Get(v), alpha.Get(v)};
        }
        break;
      case 24:
        for (int x = 0; x < w; ++x) dst[x] = {src[3 * x], src[3 * x + 1], src[3 * x + 2], 0};
        break;
      case 32:
        for (int x = 0; x < w; ++x) {
          const std::uint32_t v = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                  (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
          dst[x] = {blue.Get(v), green.Get(v), red.Get(v), alpha.Get(v)};
        }
        break;
    }
  }
}

// Run-length data: pixels the stream skips keep palette entry 0, which is
// what a zeroed index bitmap shows.
void DecodeRle(std::span<const std::uint8_t> d, const Header& h, const std::vector<TBGRA>& pal,
               TBitmap32& out) {
  const int w = out.Width(), rows = out.Height();
  out.Fill(pal[0]);
  const bool four = h.compression == kRle4;
  std::size_t at = h.pixels_at;
  long long x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](unsigned index) {
    if (x < w && y < rows)
      out.Pixel(static_cast<int>(x), rows - 1 - static_cast<int>(y)) = pal[index];
    ++x;
  };
  auto need = [&](std::size_t n) {
    if (d.size() - at < n) Fail("RLE data truncated");
  };
  while (y < rows) {
    need(2);
    const unsigned count = d[at], value = d[at + 1];
    at += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count; ++k) put(four ? ((k & 1) ? value & 15 : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // move right and up
      need(2);
      x += d[at];
      y += d[at + 1];
      at += 2;
    } else {  // literal pixels, padded to a whole 16-bit word
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      need(bytes + (bytes & 1));
      for (unsigned k = 0; k < value; ++k)
        put(four ? ((k & 1) ? d[at + k / 2] & 15 : d[at + k / 2] >> 4) : d[at + k]);
      at += bytes + (bytes & 1);
    }
  }
}

}  // namespace

bool IsBmp(std::span<const std::uint8_t> data) {
  return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

TBitmap32 DecodeBmp(std::span<const std::uint8_t> data) {
  const Header h = ReadHeader(data);
  const std::vector<TBGRA> pal = ReadPalette(data, h);
  const int w = static_cast<int>(h.width);
  const int rows = static_cast<int>(h.height < 0 ? -h.height : h.height);
  TBitmap32 out(w, rows, h.height < 0 ? TRowOrder::TopDown : TRowOrder::BottomUp);
  if (h.compression == kRle8 || h.compression == kRle4)
    DecodeRle(data, h, pal, out);
  else
    DecodeRaw(data, h, pal, out);
  out.PixelFormat = h.bpp == 32   ? TPixelFormat::pf32bit
                    : h.bpp >= 16 ? TPixelFormat::pf24bit
                                  : TPixelFormat::pf8bit;
  return out;
}

}  // namespace qv
