// JPEG decoding: fixtures are encoded here with libjpeg, then decoded; colour,
// grey, progressive and CMYK files, and damaged ones that must fail.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "platform/image_jpeg.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Kind { Rgb, Grey, Cmyk };

// Encodes w x h pixels of `components` bytes each at quality 100, with no
// chroma subsampling so that flat areas come back nearly exact.
Bytes Encode(int w, int h, Kind kind, const Bytes& pixels, bool progressive = false) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = kind == Kind::Rgb ? 3 : kind == Kind::Grey ? 1 : 4;
  c.in_color_space = kind == Kind::Rgb ? JCS_RGB : kind == Kind::Grey ? JCS_GRAYSCALE : JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 100, TRUE);
  for (int i = 0; i < c.num_components; ++i)
    c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  if (progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  const int stride = w * c.input_components;
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + stride * c.next_scanline);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes file(out, out + size);
  std::free(out);
  return file;
}

void ExpectNear(TBGRA got, int b, int g, int r, int tolerance = 3) {
  EXPECT_NEAR(got.B, b, tolerance);
  EXPECT_NEAR(got.G, g, tolerance);
  EXPECT_NEAR(got.R, r, tolerance);
  EXPECT_EQ(got.A, 0);
}

// 16 x 8, left half orange-red, right half deep blue (R, G, B bytes).
Bytes TwoColours() {
  Bytes px;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      if (x < 8)
        px.insert(px.end(), {230, 60, 20});
      else
        px.insert(px.end(), {10, 30, 200});
    }
  return px;
}

TEST(Jpeg, ColourBaselineAndProgressive) {
  for (bool progressive : {false, true}) {
    const Bytes file = Encode(16, 8, Kind::Rgb, TwoColours(), progressive);
    ASSERT_TRUE(IsJpeg(file));
    const TBitmap32 b = DecodeJpeg(file);
    ASSERT_EQ(b.Width(), 16);
    ASSERT_EQ(b.Height(), 8);
    EXPECT_EQ(b.PixelFormat, TPixelFormat::pf24bit);
    ExpectNear(b.Pixel(3, 3), 20, 60, 230);
    ExpectNear(b.Pixel(12, 6), 200, 30, 10);
  }
}

TEST(Jpeg, GreyBecomesEqualChannels) {
  Bytes px;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px.push_back(static_cast<std::uint8_t>(y < 4 ? 40 : 220));
  const TBitmap32 b = DecodeJpeg(Encode(8, 8, Kind::Grey, px));
  ExpectNear(b.Pixel(2, 1), 40, 40, 40);
  ExpectNear(b.Pixel(5, 6), 220, 220, 220);
  EXPECT_EQ(b.Pixel(5, 6).R, b.Pixel(5, 6).B);
}

TEST(Jpeg, AdobeCmykIsInvertedInk) {
  // Stored (inverted) inks: c' = 255 - c and so on; colour = c' * k' / 255.
  Bytes px;
  for (int i = 0; i < 64; ++i) px.insert(px.end(), {255, 128, 0, 200});
  const TBitmap32 b = DecodeJpeg(Encode(8, 8, Kind::Cmyk, px));
  ExpectNear(b.Pixel(4, 4), 0, 128 * 200 / 255, 200);
}

TEST(Jpeg, DamagedFilesFail) {
  const Bytes file = Encode(16, 8, Kind::Rgb, TwoColours());
  EXPECT_THROW(DecodeJpeg(Bytes{}), EInvalidGraphic);
  EXPECT_THROW(DecodeJpeg(Bytes{0xFF, 0xD8, 0xFF}), EInvalidGraphic);
  // Cut in the middle of the entropy-coded data: libjpeg would fill with grey.
  const Bytes half(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(file.size() * 2 / 3));
  try {
    DecodeJpeg(half);
    ADD_FAILURE() << "truncated file accepted";
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos);
  }
  Bytes garbage = file;
  for (std::size_t i = 2; i < garbage.size(); i += 7) garbage[i] ^= 0x5A;
  EXPECT_THROW(DecodeJpeg(garbage), EInvalidGraphic);
  EXPECT_FALSE(IsJpeg(Bytes{'B', 'M', 0}));
}

}  // namespace
}  // namespace qv
