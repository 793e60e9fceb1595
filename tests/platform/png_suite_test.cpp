// PNG decoder conformance: every file of the PngSuite decodes to exactly the
// pixels libpng gives (set up for the same output: 8-bit BGRA, palette and
// transparency expanded, no gamma), and every deliberately corrupt file fails
// with its message.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/acPNG.h"
#include "tests/support/testdata.h"

namespace qv {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct TReference {
  bool Ok = false;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // B, G, R, A rows, top-down
};

struct TMemoryReader {
  const std::vector<std::uint8_t>* Data;
  std::size_t Pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TMemoryReader*>(png_get_io_ptr(png));
  if (r->Data->size() - r->Pos < n) png_error(png, "read past end");
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}

void Quiet(png_structp, png_const_charp) {}

// Everything that outlives a longjmp lives in `ref`, declared by the caller.
void DecodeReference(const std::vector<std::uint8_t>& bytes, TReference& ref) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png_create_info_struct(png);
  TMemoryReader reader{&bytes, 0};
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    ref.Ok = false;
    png_destroy_read_struct(&png, &info, nullptr);
    return;
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
  ref.Width = static_cast<int>(png_get_image_width(png, info));
  ref.Height = static_cast<int>(png_get_image_height(png, info));
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(ref.Width) * 4)
    png_error(png, "unexpected row size");
  ref.Pixels.resize(static_cast<std::size_t>(ref.Width) * ref.Height * 4);
  rows.resize(ref.Height);
  for (int y = 0; y < ref.Height; ++y) rows[y] = ref.Pixels.data() + y * ref.Width * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  ref.Ok = true;
  png_destroy_read_struct(&png, &info, nullptr);
}

std::vector<std::filesystem::path> SuiteFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(test::DataPath("pngsuite")))
    if (e.path().extension() == ".png") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(PngSuite, EveryValidFileMatchesLibpngPixelForPixel) {
  int compared = 0;
  for (const auto& path : SuiteFiles()) {
    const std::string name = path.filename().string();
    if (name[0] == 'x') continue;
    SCOPED_TRACE(name);
    const auto bytes = ReadFile(path);
    TReference ref;
    DecodeReference(bytes, ref);
    ASSERT_TRUE(ref.Ok) << "reference decoder rejected a valid file";
    TBitmap32 bmp;
    try {
      bmp = LoadPngImage(bytes);
    } catch (const EPngError& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    ASSERT_EQ(bmp.Width(), ref.Width);
    ASSERT_EQ(bmp.Height(), ref.Height);
    int mismatches = 0;
    for (int y = 0; y < bmp.Height() && mismatches < 3; ++y) {
      const auto* expected = ref.Pixels.data() + y * ref.Width * 4;
      for (int x = 0; x < bmp.Width() && mismatches < 3; ++x) {
        const TBGRA p = bmp.Pixel(x, y);
        const TBGRA e{expected[4 * x], expected[4 * x + 1], expected[4 * x + 2],
                      expected[4 * x + 3]};
        if (!(p == e)) {
          ++mismatches;
          ADD_FAILURE() << "pixel " << x << "," << y << ": got " << int(p.B) << " " << int(p.G)
                        << " " << int(p.R) << " " << int(p.A) << ", libpng " << int(e.B) << " "
                        << int(e.G) << " " << int(e.R) << " " << int(e.A);
        }
      }
    }
    ++compared;
  }
  // The suite holds 162 valid files; fewer means the data went missing.
  EXPECT_GE(compared, 160);
}

TEST(PngSuite, CorruptFilesFailWithTheirMessage) {
  const std::string format = "Cannot load image. Invalid or unexpected PNG image format.";
  const std::string crc = "Cannot load image. CRC error found in PNG file.";
  const std::string color = "Invalid color format in PNG file.";
  const std::string depth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
  const std::map<std::string, std::string> expected = {
      {"xc1n0g08.png", color},  {"xc9n2c08.png", color},  {"xcrn0g04.png", format},
      {"xcsn0g01.png", crc},    {"xd0n2c08.png", depth},  {"xd3n2c08.png", depth},
      {"xd9n2c08.png", depth},  {"xdtn0g01.png", format}, {"xhdn0g08.png", crc},
      {"xlfn0g04.png", format}, {"xs1n0g01.png", format}, {"xs2n0g01.png", format},
      {"xs4n0g01.png", format}, {"xs7n0g01.png", format},
  };
  int seen = 0;
  for (const auto& path : SuiteFiles()) {
    const std::string name = path.filename().string();
    if (name[0] != 'x') continue;
    SCOPED_TRACE(name);
    ++seen;
    const auto it = expected.find(name);
    ASSERT_NE(it, expected.end()) << "corrupt file without an expected message";
    try {
      LoadPngImage(ReadFile(path));
      ADD_FAILURE() << "decoded a corrupt file";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.what(), it->second);
    }
  }
  EXPECT_EQ(seen, static_cast<int>(expected.size()));
}

}  // namespace
}  // namespace qv
