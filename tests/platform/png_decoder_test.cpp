// PNG decoder on hand-built files: pixel conversion, palette transparency,
// gamma on request, the error for each kind of damage, and hostile headers.
#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/acPNG.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(raw.size());
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), raw.size(), 9), Z_OK);
  out.resize(size);
  return out;
}

// Assembles a PNG file chunk by chunk with correct CRCs.
class TPngFile {
 public:
  TPngFile() { bytes_ = {137, 80, 78, 71, 13, 10, 26, 10}; }
  TPngFile& Chunk(const char* type, const Bytes& body) {
    Put32(bytes_, static_cast<std::uint32_t>(body.size()));
    const std::size_t start = bytes_.size();
    bytes_.insert(bytes_.end(), type, type + 4);
    bytes_.insert(bytes_.end(), body.begin(), body.end());
    Put32(bytes_, static_cast<std::uint32_t>(
                      crc32(0, bytes_.data() + start, static_cast<uInt>(bytes_.size() - start))));
    return *this;
  }
  TPngFile& Header(std::uint32_t w, std::uint32_t h, int depth, int type, int interlace = 0,
                   int compression = 0) {
    Bytes b;
    Put32(b, w);
    Put32(b, h);
    b.insert(b.end(),
             {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(type),
              static_cast<std::uint8_t>(compression), 0, static_cast<std::uint8_t>(interlace)});
    return Chunk("IHDR", b);
  }
  TPngFile& Data(const Bytes& raw) { return Chunk("IDAT", Compress(raw)); }
  TPngFile& End() { return Chunk("IEND", {}); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

std::string ErrorOf(const Bytes& file, const TPngLoadOptions& options = {}) {
  try {
    LoadPngImage(file, options);
  } catch (const EPngError& e) {
    return e.what();
  }
  return "no error";
}

const std::string kFormat = "Cannot load image. Invalid or unexpected PNG image format.";
const std::string kPalette = "Cannot load image. Palette in PNG file is invalid.";
const std::string kCompression = "Cannot load image. Compression error found in PNG file.";

// 2x2 palette image, 8 bits: indexes 0 1 / 2 1.
TPngFile PaletteImage(const Bytes& plte, const Bytes* trns, const Bytes& raw) {
  TPngFile f;
  f.Header(2, 2, 8, 3).Chunk("PLTE", plte);
  if (trns) f.Chunk("tRNS", *trns);
  f.Data(raw).End();
  return f;
}
const Bytes kPlte = {255, 0, 0, 0, 255, 0, 0, 0, 255};
const Bytes kIndexes = {0, 0, 1, 0, 2, 1};

TEST(PngDecoder, RgbaSamplesBecomeStraightBgra) {
  // Row 0 unfiltered, row 1 with the Sub filter.
  const Bytes raw = {0, 10, 20, 30, 40, 50, 60, 70, 0, 1, 1, 2, 3, 4, 4, 4, 4, 4};
  const auto bmp = LoadPngImage(TPngFile().Header(2, 2, 8, 6).Data(raw).End().bytes());
  ASSERT_EQ(bmp.Width(), 2);
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{30, 20, 10, 40}));
  EXPECT_EQ(bmp.Pixel(1, 0), (TBGRA{70, 60, 50, 0}));
  EXPECT_EQ(bmp.Pixel(0, 1), (TBGRA{3, 2, 1, 4}));
  EXPECT_EQ(bmp.Pixel(1, 1), (TBGRA{7, 6, 5, 8}));
  EXPECT_EQ(bmp.PixelFormat, TPixelFormat::pf32bit);
  EXPECT_EQ(bmp.RowOrder(), TRowOrder::TopDown);
}

// Filters rows as an encoder does, cycling through all five filter types.
Bytes FilterRows(const Bytes& raw, std::size_t row_bytes, std::size_t bpp) {
  Bytes out;
  const Bytes zeros(row_bytes, 0);
  for (std::size_t y = 0; y * row_bytes < raw.size(); ++y) {
    const std::uint8_t* cur = raw.data() + y * row_bytes;
    const std::uint8_t* prev = y == 0 ? zeros.data() : cur - row_bytes;
    const int type = static_cast<int>(y % 5);
    out.push_back(static_cast<std::uint8_t>(type));
    for (std::size_t i = 0; i < row_bytes; ++i) {
      const int a = i >= bpp ? cur[i - bpp] : 0, b = prev[i], c = i >= bpp ? prev[i - bpp] : 0;
      int pred = 0;
      if (type == 1) pred = a;
      if (type == 2) pred = b;
      if (type == 3) pred = (a + b) / 2;
      if (type == 4) {
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      out.push_back(static_cast<std::uint8_t>(cur[i] - pred));
    }
  }
  return out;
}

TEST(PngDecoder, EveryFilterForEveryPixelSize) {
  struct TCase {
    int Type, Depth, Samples;
  };
  const TCase cases[] = {{0, 8, 1},  {4, 8, 2},  {2, 8, 3}, {6, 8, 4},
                         {0, 16, 1}, {2, 16, 3}, {6, 16, 4}};
  const int w = 7, h = 10;
  const std::uint8_t kValues[8] = {0, 1, 2, 3, 7, 128, 254, 255};
  std::uint32_t seed = 1;
  for (const TCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "type " << t.Type << " depth " << t.Depth);
    const std::size_t bytes_per_sample = t.Depth / 8;
    const std::size_t bpp = bytes_per_sample * t.Samples;
    // Few distinct values, so that Paeth meets its ties, and both ends of the
    // byte range, so that sums wrap. 16-bit samples repeat the byte, so they
    // scale back to it.
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(w) * h * t.Samples);
    Bytes raw;
    for (auto& v : samples) {
      seed = seed * 1664525u + 1013904223u;
      v = kValues[seed >> 29];
      raw.insert(raw.end(), bytes_per_sample, v);
    }
    const auto bmp = LoadPngImage(
        TPngFile().Header(w, h, t.Depth, t.Type).Data(FilterRows(raw, w * bpp, bpp)).End().bytes());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint8_t* s = &samples[(static_cast<std::size_t>(y) * w + x) * t.Samples];
        TBGRA e;
        if (t.Samples <= 2)
          e = {s[0], s[0], s[0], t.Samples == 2 ? s[1] : std::uint8_t{255}};
        else
          e = {s[2], s[1], s[0], t.Samples == 4 ? s[3] : std::uint8_t{255}};
        ASSERT_EQ(bmp.Pixel(x, y), e) << x << "," << y;
      }
  }
}

TEST(PngDecoder, PaletteAlphaComesFromTransparencyPerIndex) {
  const Bytes trns = {0, 128};  // the third entry keeps 255
  const auto bmp = LoadPngImage(PaletteImage(kPlte, &trns, kIndexes).bytes());
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{0, 0, 255, 0}));
  EXPECT_EQ(bmp.Pixel(1, 0), (TBGRA{0, 255, 0, 128}));
  EXPECT_EQ(bmp.Pixel(0, 1), (TBGRA{255, 0, 0, 255}));
  // Without tRNS every pixel is opaque.
  const auto opaque = LoadPngImage(PaletteImage(kPlte, nullptr, kIndexes).bytes());
  EXPECT_EQ(opaque.Pixel(0, 0).A, 255);
}

TEST(PngDecoder, PaletteAndIndexErrors) {
  const Bytes out_of_range = {0, 0, 3, 0, 2, 1};
  EXPECT_EQ(ErrorOf(PaletteImage(kPlte, nullptr, out_of_range).bytes()), kPalette);
  const Bytes long_trns = {1, 2, 3, 4};
  EXPECT_EQ(ErrorOf(PaletteImage(kPlte, &long_trns, kIndexes).bytes()), kPalette);
  EXPECT_EQ(ErrorOf(PaletteImage({1, 2, 3, 4}, nullptr, kIndexes).bytes()), kPalette);
  EXPECT_EQ(ErrorOf(TPngFile().Header(2, 2, 8, 3).Data(kIndexes).End().bytes()), kPalette);
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0).Chunk("PLTE", kPlte).Data({0, 7}).End().bytes()),
            kPalette);
  // A background index past the palette.
  EXPECT_EQ(ErrorOf(TPngFile()
                        .Header(2, 2, 8, 3)
                        .Chunk("PLTE", kPlte)
                        .Chunk("bKGD", {3})
                        .Data(kIndexes)
                        .End()
                        .bytes()),
            kPalette);
}

TEST(PngDecoder, GrayTransparencyKeyAndLowBitDepths) {
  // 4 pixels of 2-bit gray: 0 1 2 3, value 2 transparent.
  const auto bmp = LoadPngImage(
      TPngFile().Header(4, 1, 2, 0).Chunk("tRNS", {0, 2}).Data({0, 0x1B}).End().bytes());
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{0, 0, 0, 255}));
  EXPECT_EQ(bmp.Pixel(1, 0), (TBGRA{85, 85, 85, 255}));
  EXPECT_EQ(bmp.Pixel(2, 0), (TBGRA{170, 170, 170, 0}));
  EXPECT_EQ(bmp.Pixel(3, 0), (TBGRA{255, 255, 255, 255}));
}

TEST(PngDecoder, SixteenBitSamplesRoundToEightBits) {
  // 0x00FF is 0.99 in 8 bits and 0xFF00 is 254.0; the high byte alone would
  // give 0 and 255.
  const auto bmp =
      LoadPngImage(TPngFile().Header(1, 1, 16, 4).Data({0, 0x00, 0xFF, 0xFF, 0x00}).End().bytes());
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{1, 1, 1, 254}));
}

TEST(PngDecoder, GammaOnlyWhenAsked) {
  // gAMA 1.0 on a 2.2 display: 128 becomes 255 * (128/255)^(1/2.2).
  Bytes gama;
  Put32(gama, 100000);
  const Bytes file = TPngFile().Header(1, 1, 8, 0).Chunk("gAMA", gama).Data({0, 128}).End().bytes();
  TPngInfo info;
  EXPECT_EQ(LoadPngImage(file, {}, &info).Pixel(0, 0).G, 128);
  EXPECT_DOUBLE_EQ(info.Gamma, 1.0);
  TPngLoadOptions options;
  options.ApplyGamma = true;
  const TBGRA p = LoadPngImage(file, options).Pixel(0, 0);
  EXPECT_EQ(p, (TBGRA{186, 186, 186, 255}));
  options.DisplayGamma = 0;
  EXPECT_EQ(LoadPngImage(file, options).Pixel(0, 0).G, 128);
}

TEST(PngDecoder, ReportsHeaderAndBackground) {
  TPngInfo info;
  LoadPngImage(TPngFile()
                   .Header(2, 2, 8, 3)
                   .Chunk("PLTE", kPlte)
                   .Chunk("bKGD", {2})
                   .Chunk("tEXt", {'a', 0, 'b'})
                   .Data(kIndexes)
                   .End()
                   .bytes(),
               {}, &info);
  EXPECT_EQ(info.Width, 2);
  EXPECT_EQ(info.ColorType, 3);
  EXPECT_FALSE(info.Interlaced);
  EXPECT_TRUE(info.HasBackground);
  EXPECT_EQ(info.Background, RGB(0, 0, 255));
}

TEST(PngDecoder, TargetPixelFormats) {
  const Bytes rgba = TPngFile().Header(1, 1, 8, 6).Data({0, 1, 2, 3, 4}).End().bytes();
  TPngLoadOptions options;
  options.PixelFormat = TPixelFormat::pf24bit;
  const auto bmp = LoadPngImage(rgba, options);
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{3, 2, 1, 255}));
  EXPECT_EQ(bmp.PixelFormat, TPixelFormat::pf24bit);
  options.PixelFormat = TPixelFormat::pf8bit;
  EXPECT_EQ(ErrorOf(rgba, options),
            "Conversion between indexed and non-indexed pixel formats is not supported.");
  EXPECT_EQ(LoadPngImage(PaletteImage(kPlte, nullptr, kIndexes).bytes(), options).PixelFormat,
            TPixelFormat::pf8bit);
  options.PixelFormat = TPixelFormat::pfDevice;
  EXPECT_EQ(ErrorOf(rgba, options), "Color conversion failed. Could not find a proper method.");
  EXPECT_THROW(CheckPngConversion({TPngColorScheme::csRGB, 8, 4}, TPixelFormat::pf32bit),
               EPngError);
  try {
    CheckPngConversion({TPngColorScheme::csGrayAlpha, 8, 1}, TPixelFormat::pf32bit);
    ADD_FAILURE() << "accepted one sample for gray + alpha";
  } catch (const EPngError& e) {
    EXPECT_STREQ(e.what(), "Sample count per pixel does not correspond to the given color scheme.");
  }
}

TEST(PngDecoder, ChunkSequenceErrors) {
  const Bytes raw = {0, 5};
  const Bytes z = Compress(raw);
  // IHDR must come first, IDAT must be unbroken, IEND must close the file.
  EXPECT_EQ(ErrorOf(TPngFile().Data(raw).Header(1, 1, 8, 0).End().bytes()), kFormat);
  EXPECT_EQ(ErrorOf(TPngFile()
                        .Header(1, 1, 8, 0)
                        .Chunk("IDAT", {z.begin(), z.begin() + 4})
                        .Chunk("tEXt", {'a', 0})
                        .Chunk("IDAT", {z.begin() + 4, z.end()})
                        .End()
                        .bytes()),
            kFormat);
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0).Data(raw).bytes()), kFormat);
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0).Header(1, 1, 8, 0).Data(raw).End().bytes()),
            kFormat);
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0).Chunk("QVXX", {}).Data(raw).End().bytes()),
            "Cannot load PNG image. Unexpected but critical chunk detected.");
  // An unknown ancillary chunk is skipped; IDAT split over chunks is joined.
  const auto bmp = LoadPngImage(TPngFile()
                                    .Header(1, 1, 8, 0)
                                    .Chunk("qvXx", {1, 2, 3})
                                    .Chunk("IDAT", {z.begin(), z.begin() + 1})
                                    .Chunk("IDAT", {})
                                    .Chunk("IDAT", {z.begin() + 1, z.end()})
                                    .End()
                                    .bytes());
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{5, 5, 5, 255}));
}

TEST(PngDecoder, CrcOfEveryChunkIsChecked) {
  Bytes file = TPngFile().Header(1, 1, 8, 0).Chunk("tEXt", {'a', 0}).Data({0, 5}).End().bytes();
  file[33 + 8 + 1] ^= 1;  // inside the tEXt body
  EXPECT_EQ(ErrorOf(file), "Cannot load image. CRC error found in PNG file.");
}

TEST(PngDecoder, HeaderErrors) {
  const Bytes raw = {0, 0};
  EXPECT_EQ(ErrorOf(TPngFile().Header(0, 1, 8, 0).Data(raw).End().bytes()), kFormat);
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 4, 2).Data(raw).End().bytes()),
            "Invalid color format in PNG file.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 16, 3).Data(raw).End().bytes()),
            "Invalid color format in PNG file.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0, 0, 1).Data(raw).End().bytes()),
            "Cannot load image. Compression method 1 not supported for PNG files.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 1, 8, 0, 2).Data(raw).End().bytes()),
            "Cannot load image. Interlace method 2 not supported for PNG files.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(16385, 1, 8, 0).Data(raw).End().bytes()),
            "Cannot load image. Images over 16384 pixels a side or 64 megapixels not supported "
            "for PNG files.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(8193, 8192, 8, 0).Data(raw).End().bytes()),
            "Cannot load image. Images over 16384 pixels a side or 64 megapixels not supported "
            "for PNG files.");
  EXPECT_EQ(ErrorOf(TPngFile().Header(1, 0x80000000u, 8, 0).Data(raw).End().bytes()), kFormat);
}

TEST(PngDecoder, HugeHeaderWithTinyDataFailsWithoutAllocating) {
  // 8192 x 8192 RGBA needs 256 MiB; a few bytes of data cannot hold it.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf(TPngFile().Header(8192, 8192, 16, 6).Data({0, 0, 0}).End().bytes()),
            kCompression);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(PngDecoder, ImageDataErrors) {
  const auto gray = [](const Bytes& idat) {
    return TPngFile().Header(2, 1, 8, 0).Chunk("IDAT", idat).End().bytes();
  };
  const Bytes good = Compress({0, 1, 2});
  EXPECT_EQ(LoadPngImage(gray(good)).Pixel(1, 0).G, 2);
  // Too little, too much.
  EXPECT_EQ(ErrorOf(gray(Compress({0, 1}))), kCompression);
  EXPECT_EQ(ErrorOf(gray(Compress({0, 1, 2, 3}))),
            "Cannot load image. Extra compressed data found in PNG file.");
  // Broken zlib header, broken checksum, broken deflate stream.
  Bytes header = good;
  header[0] = 0x79;
  EXPECT_EQ(ErrorOf(gray(header)), kCompression);
  Bytes adler = good;
  adler.back() ^= 0xFF;
  EXPECT_EQ(ErrorOf(gray(adler)), kCompression);
  const Bytes bad_block = {0x78, 0x9C, 0xFF, 0xFF, 0xFF, 0xFF};  // reserved block type 3
  EXPECT_EQ(ErrorOf(gray(bad_block)), "LZ77 decompression error.");
  // A cut-off checksum still gives the whole image.
  EXPECT_EQ(LoadPngImage(gray({good.begin(), good.end() - 4})).Pixel(1, 0).G, 2);
  // Filter type 5 does not exist.
  EXPECT_EQ(ErrorOf(gray(Compress({5, 1, 2}))), kFormat);
}

TEST(PngDecoder, EveryTruncationFailsCleanly) {
  const Bytes file = PaletteImage(kPlte, nullptr, kIndexes).bytes();
  for (std::size_t n = 0; n < file.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_THROW(LoadPngImage(std::span(file.data(), n)), EPngError);
  }
  EXPECT_FALSE(IsPngData(std::span(file.data(), 7)));
  EXPECT_TRUE(IsPngData(file));
}

}  // namespace
}  // namespace qv
