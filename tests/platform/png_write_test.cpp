// PNG writing: files read back with libpng give the same pixels in both row
// orders, with and without alpha; failures are reported.
#include "platform/png_write.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace qv {
namespace {

// Reads PNG bytes back as BGRA rows, top to bottom.
std::vector<std::uint8_t> ReadBack(const std::vector<std::uint8_t>& file, png_image& image) {
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, file.data(), file.size())) << image.message;
  const png_uint_32 original = image.format;
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> px(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, px.data(), 0, nullptr)) << image.message;
  image.format = original;
  return px;
}

TBitmap32 Picture(TRowOrder order) {
  TBitmap32 b(3, 2, order);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      b.Pixel(x, y) = {static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(100 + y),
                       static_cast<std::uint8_t>(200 + x + y),
                       static_cast<std::uint8_t>(x == 1 ? 255 : 40 * (x + y + 1))};
  return b;
}

TEST(PngWrite, RoundTripKeepsEveryByteInBothRowOrders) {
  for (TRowOrder order : {TRowOrder::TopDown, TRowOrder::BottomUp}) {
    const TBitmap32 b = Picture(order);
    png_image image;
    const std::vector<std::uint8_t> px = ReadBack(EncodePng(b), image);
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_ALPHA);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const std::uint8_t* p = &px[(y * 3 + x) * 4];
        EXPECT_EQ((TBGRA{p[0], p[1], p[2], p[3]}), b.Pixel(x, y)) << x << "," << y;
      }
  }
}

TEST(PngWrite, OpaqueDropsTheAlphaChannel) {
  const TBitmap32 b = Picture(TRowOrder::BottomUp);
  png_image image;
  const std::vector<std::uint8_t> px = ReadBack(EncodePng(b, TPngAlpha::Opaque), image);
  EXPECT_FALSE(image.format & PNG_FORMAT_FLAG_ALPHA);
  const std::uint8_t* p = &px[(1 * 3 + 2) * 4];
  EXPECT_EQ((TBGRA{p[0], p[1], p[2], p[3]}), (TBGRA{20, 101, 203, 255}));
}

TEST(PngWrite, FileAndErrors) {
  const std::string path = std::string(QV_BINARY_DIR) + "/png_write_test.png";
  WritePng(Picture(TRowOrder::TopDown), path);
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, EncodePng(Picture(TRowOrder::TopDown)));
  std::remove(path.c_str());
  EXPECT_THROW(EncodePng(TBitmap32()), EInvalidGraphic);
  EXPECT_THROW(WritePng(Picture(TRowOrder::TopDown), "/nonexistent-dir/x.png"), EInvalidGraphic);
}

}  // namespace
}  // namespace qv
