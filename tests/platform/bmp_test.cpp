// BMP decoding: every bit depth and compression the skins may carry, both row
// orders, and malformed files that must fail cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/image_bmp.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

struct BmpSpec {
  int width = 1;
  int height = 1;  // negative: top-down
  int bpp = 24;
  std::uint32_t compression = 0;
  std::uint32_t header = 40;  // 12, 40, 56, 108, 124
  Bytes masks;                // written after a 40-byte header, or inside a longer one
  Bytes palette;              // 4 bytes an entry (3 for the 12-byte header)
  std::uint32_t colors_used = 0;
  Bytes pixels;
};

// A file as a writer would lay it out.
Bytes MakeBmp(const BmpSpec& s) {
  Bytes h;
  if (s.header == 12) {
    Put32(h, 12);
    Put16(h, static_cast<std::uint32_t>(s.width));
    Put16(h, static_cast<std::uint32_t>(s.height));
    Put16(h, 1);
    Put16(h, static_cast<std::uint32_t>(s.bpp));
  } else {
    Put32(h, s.header);
    Put32(h, static_cast<std::uint32_t>(s.width));
    Put32(h, static_cast<std::uint32_t>(s.height));
    Put16(h, 1);
    Put16(h, static_cast<std::uint32_t>(s.bpp));
    Put32(h, s.compression);
    Put32(h, static_cast<std::uint32_t>(s.pixels.size()));
    Put32(h, 2835);
    Put32(h, 2835);
    Put32(h, s.colors_used);
    Put32(h, 0);
    if (s.header > 40) {
      Bytes inside = s.masks;
      inside.resize(s.header - 40, 0);
      h.insert(h.end(), inside.begin(), inside.end());
    } else {
      h.insert(h.end(), s.masks.begin(), s.masks.end());
    }
  }
  Bytes f = {'B', 'M'};
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + h.size() + s.palette.size());
  Put32(f, static_cast<std::uint32_t>(offset + s.pixels.size()));
  Put32(f, 0);
  Put32(f, offset);
  f.insert(f.end(), h.begin(), h.end());
  f.insert(f.end(), s.palette.begin(), s.palette.end());
  f.insert(f.end(), s.pixels.begin(), s.pixels.end());
  return f;
}

Bytes Masks(std::initializer_list<std::uint32_t> ms) {
  Bytes b;
  for (std::uint32_t m : ms) Put32(b, m);
  return b;
}

// Palette of n entries: entry i is (B, G, R) = (i, 10 * i, 100 + i).
Bytes Palette(int n, int entry = 4) {
  Bytes p;
  for (int i = 0; i < n; ++i) {
    p.insert(p.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(10 * i),
                       static_cast<std::uint8_t>(100 + i)});
    if (entry == 4) p.push_back(0xEE);  // the reserved byte must not become alpha
  }
  return p;
}

TBGRA Entry(int i) {
  return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(10 * i),
          static_cast<std::uint8_t>(100 + i), 0};
}

TEST(Bmp, TwentyFourBitsBottomUpWithRowPadding) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  // Bottom row first; each row of 9 bytes padded to 12.
  s.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
  const TBitmap32 b = DecodeBmp(MakeBmp(s));
  ASSERT_EQ(b.Width(), 3);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(b.RowOrder(), TRowOrder::BottomUp);
  EXPECT_EQ(b.PixelFormat, TPixelFormat::pf24bit);
  EXPECT_EQ(b.Pixel(0, 1), (TBGRA{1, 2, 3, 0}));
  EXPECT_EQ(b.Pixel(2, 1), (TBGRA{7, 8, 9, 0}));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{11, 12, 13, 0}));
  // The last row's padding may be missing.
  s.pixels.resize(s.pixels.size() - 3);
  EXPECT_EQ(DecodeBmp(MakeBmp(s)).Pixel(2, 0), (TBGRA{17, 18, 19, 0}));
}

TEST(Bmp, ThirtyTwoBitsKeepAlphaAndTopDownOrder) {
  BmpSpec s;
  s.width = 2;
  s.height = -2;
  s.bpp = 32;
  s.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  const TBitmap32 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.RowOrder(), TRowOrder::TopDown);
  EXPECT_EQ(b.PixelFormat, TPixelFormat::pf32bit);
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{1, 2, 3, 4}));
  EXPECT_EQ(b.Pixel(1, 1), (TBGRA{13, 14, 15, 16}));
}

TEST(Bmp, BitFieldsWidenToEightBits) {
  // 16-bit default 5-5-5, bottom-up.
  BmpSpec s;
  s.width = 2;
  s.bpp = 16;
  s.pixels = {0xFF, 0x7F, 0x10, 0x42};  // white; r=16, g=16, b=16
  TBitmap32 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{255, 255, 255, 0}));
  EXPECT_EQ(b.Pixel(1, 0), (TBGRA{132, 132, 132, 0}));  // 16 * 255 / 31, rounded
  EXPECT_EQ(b.PixelFormat, TPixelFormat::pf24bit);
  // 5-6-5 masks after a 40-byte header.
  s.compression = 3;
  s.masks = Masks({0xF800, 0x07E0, 0x001F});
  s.pixels = {0x20, 0x00, 0x00, 0xF8};  // g=1 of 63; pure red
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{0, 4, 0, 0}));
  EXPECT_EQ(b.Pixel(1, 0), (TBGRA{0, 0, 255, 0}));
  // 32-bit with an alpha mask inside a V5 header, channels in unusual places.
  BmpSpec v5;
  v5.header = 124;
  v5.bpp = 32;
  v5.compression = 3;
  v5.masks = Masks({0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000});  // R in the low byte
  v5.pixels = {10, 20, 30, 40};
  b = DecodeBmp(MakeBmp(v5));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{30, 20, 10, 40}));
  EXPECT_EQ(b.PixelFormat, TPixelFormat::pf32bit);
  // Masks with holes are refused.
  v5.masks = Masks({0x0000F0F0, 0x000F0000, 0x00F00000, 0});
  EXPECT_THROW(DecodeBmp(MakeBmp(v5)), EInvalidGraphic);
}

TEST(Bmp, PaletteDepths) {
  BmpSpec s;
  s.width = 5;
  s.bpp = 8;
  s.palette = Palette(4);
  s.colors_used = 4;
  s.pixels = {0, 3, 2, 9, 1, 0, 0, 0};  // index 9 lies past the palette: black
  TBitmap32 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.PixelFormat, TPixelFormat::pf8bit);
  EXPECT_EQ(b.Pixel(1, 0), Entry(3));
  EXPECT_EQ(b.Pixel(3, 0), (TBGRA{0, 0, 0, 0}));
  EXPECT_EQ(b.Pixel(4, 0), Entry(1));

  s.bpp = 4;
  s.palette = Palette(16);
  s.colors_used = 0;
  s.pixels = {0x1F, 0xA2, 0x30, 0x00};  // 1, 15, 10, 2, 3
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), Entry(1));
  EXPECT_EQ(b.Pixel(1, 0), Entry(15));
  EXPECT_EQ(b.Pixel(4, 0), Entry(3));

  s.width = 10;
  s.height = 2;
  s.bpp = 1;
  s.palette = Palette(2);
  s.pixels = {0xA0, 0x40, 0, 0, 0x80, 0x00, 0, 0};  // bottom row 1010000001, top 1000000000
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 1), Entry(1));
  EXPECT_EQ(b.Pixel(1, 1), Entry(0));
  EXPECT_EQ(b.Pixel(2, 1), Entry(1));
  EXPECT_EQ(b.Pixel(9, 1), Entry(1));
  EXPECT_EQ(b.Pixel(0, 0), Entry(1));
  EXPECT_EQ(b.Pixel(9, 0), Entry(0));

  // The oldest header with three-byte palette entries.
  BmpSpec core;
  core.header = 12;
  core.width = 2;
  core.bpp = 8;
  core.palette = Palette(256, 3);
  core.pixels = {7, 200, 0, 0};
  b = DecodeBmp(MakeBmp(core));
  EXPECT_EQ(b.Pixel(0, 0), Entry(7));
  EXPECT_EQ(b.Pixel(1, 0), Entry(200));
}

TEST(Bmp, RunLengthEncoded) {
  BmpSpec s;
  s.width = 6;
  s.height = 3;
  s.bpp = 8;
  s.compression = 1;
  s.palette = Palette(8);
  s.colors_used = 8;
  s.pixels = {
      3, 5,              // bottom row: three of 5
      0, 3, 1, 2, 3, 0,  // literal 1 2 3, padded to a word
      0, 0,              // end of line
      0, 2, 2, 1,        // move right 2 and up 1: to row 2 (top), x 2
      2, 7,              // two of 7
      0, 1,              // end of bitmap
  };
  TBitmap32 b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 2), Entry(5));
  EXPECT_EQ(b.Pixel(2, 2), Entry(5));
  EXPECT_EQ(b.Pixel(3, 2), Entry(1));
  EXPECT_EQ(b.Pixel(5, 2), Entry(3));
  EXPECT_EQ(b.Pixel(0, 1), Entry(0));  // skipped
  EXPECT_EQ(b.Pixel(1, 0), Entry(0));
  EXPECT_EQ(b.Pixel(2, 0), Entry(7));
  EXPECT_EQ(b.Pixel(3, 0), Entry(7));
  EXPECT_EQ(b.Pixel(4, 0), Entry(0));

  s.bpp = 4;
  s.compression = 2;
  s.palette = Palette(16);
  s.colors_used = 0;
  s.height = 1;
  s.pixels = {3, 0x12, 0, 3, 0xAB, 0xC0, 0, 1};  // 1 2 1, literal A B C
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(0, 0), Entry(1));
  EXPECT_EQ(b.Pixel(1, 0), Entry(2));
  EXPECT_EQ(b.Pixel(2, 0), Entry(1));
  EXPECT_EQ(b.Pixel(3, 0), Entry(10));
  EXPECT_EQ(b.Pixel(5, 0), Entry(12));

  // Runs past the right edge are cut, not written elsewhere.
  s.pixels = {255, 0x33, 0, 1};
  b = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(b.Pixel(5, 0), Entry(3));
  // A stream that stops early fails; so do top-down compressed files.
  s.pixels = {2, 0x11, 0};
  EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic);
  s.pixels = {2, 0x11, 0, 1};
  s.height = -1;
  EXPECT_THROW(DecodeBmp(MakeBmp(s)), EInvalidGraphic);
}

TEST(Bmp, MalformedFilesFailWithAClearError) {
  BmpSpec good;
  good.width = 3;
  good.height = 2;
  good.bpp = 8;
  good.palette = Palette(256);
  good.pixels.assign(8, 1);
  const Bytes file = MakeBmp(good);
  ASSERT_NO_THROW(DecodeBmp(file));
  // Every truncation is refused (the last row's padding aside).
  for (std::size_t n = 0; n + 1 < file.size(); ++n) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_THROW(DecodeBmp(cut), EInvalidGraphic) << "length " << n;
  }
  auto fails = [](BmpSpec s, const char* what) {
    try {
      DecodeBmp(MakeBmp(s));
      ADD_FAILURE() << "accepted: " << what;
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find("BMP"), std::string::npos);
    }
  };
  BmpSpec s = good;
  s.bpp = 7;
  fails(s, "bit count 7");
  s = good;
  s.width = 0;
  fails(s, "zero width");
  s = good;
  s.width = -3;
  fails(s, "negative width");
  s = good;
  s.width = 100000;
  fails(s, "huge width");
  s = good;
  s.header = 20;
  fails(s, "odd header size");
  s = good;
  s.compression = 4;
  fails(s, "embedded JPEG");
  s = good;
  s.compression = 1;
  s.bpp = 24;
  fails(s, "RLE8 at 24 bits");
  Bytes bad = file;
  bad[0] = 'X';
  EXPECT_THROW(DecodeBmp(bad), EInvalidGraphic);
  bad = file;
  bad[10] = 0xFF;  // pixel offset far past the end
  bad[13] = 0x7F;
  EXPECT_THROW(DecodeBmp(bad), EInvalidGraphic);
  EXPECT_TRUE(IsBmp(file));
  EXPECT_FALSE(IsBmp(Bytes{'B'}));
}

}  // namespace
}  // namespace qv
