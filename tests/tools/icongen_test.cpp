// The icon generator: its painter's coverage and compositing, the pixel grid
// of the larger sizes, the committed pictures (format, transparency,
// legibility), regeneration byte for byte, and the window's image list showing
// the drawing made for each density.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "controls/alpha_imagelist.h"
#include "platform/component/reader.h"
#include "platform/png_write.h"
#include "platform/resources.h"
#include "platform/stream/description.h"
#include "platform/window/metrics.h"
#include "tools/icongen/icons.h"
#include "tools/icongen/raster.h"

namespace qv::icongen {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the generator with a shell command line; returns its exit status.
int RunGenerator(const std::string& args, const fs::path& err) {
  const std::string cmd =
      std::string("'") + QV_ICONGEN_EXE + "' " + args + " 2>'" + err.string() + "' >/dev/null";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class TempDir {
 public:
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "icongen-XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
  }
  ~TempDir() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// Every committed picture, by path relative to the resources folder.
std::map<std::string, std::vector<std::uint8_t>> CommittedFiles(const fs::path& root) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const char* folder : {"images", "icon"})
    for (const auto& e : fs::directory_iterator(root / folder))
      files[std::string(folder) + "/" + e.path().filename().string()] = ReadFile(e.path());
  return files;
}

struct TDecoded {
  int Width = 0, Height = 0, BitDepth = 0, ColorType = -1;
  std::vector<std::uint8_t> Rgba;
};

TDecoded Decode(const std::vector<std::uint8_t>& file) {
  TDecoded d;
  // IHDR is the first chunk: width, height, bit depth, colour type after the signature.
  if (file.size() < 33) return d;
  d.BitDepth = file[24];
  d.ColorType = file[25];
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return d;
  image.format = PNG_FORMAT_RGBA;
  d.Rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, d.Rgba.data(), 0, nullptr)) return {};
  d.Width = static_cast<int>(image.width);
  d.Height = static_cast<int>(image.height);
  return d;
}

TEST(IconPainter, PixelAlignedEdgesAreCrispAndHalfPixelsHalfCovered) {
  TIconPainter p(8);
  p.Fill(Box(2, 3, 6, 7), Hex(0xFF0000));
  p.Fill(Box(0, 0, 2.5, 1), Hex(0x0000FF));
  const TBitmap32 bmp = p.Bitmap();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const TBGRA px = bmp.Pixel(x, y);
      if (x >= 2 && x < 6 && y >= 3 && y < 7)
        EXPECT_EQ(px, (TBGRA{0, 0, 255, 255})) << x << "," << y;
      else if (y == 0 && x < 2)
        EXPECT_EQ(px, (TBGRA{255, 0, 0, 255})) << x;
      else if (y == 0 && x == 2)
        // Straight alpha: the half-covered pixel keeps its full colour.
        EXPECT_EQ(px, (TBGRA{255, 0, 0, 128}));
      else
        EXPECT_EQ(px, (TBGRA{})) << x << "," << y;
    }
}

TEST(IconPainter, CoverageOfCurvesAndPolygons) {
  double area = 0;
  const TShape circle = Circle(8, 8, 5);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) area += TIconPainter::Coverage(circle, x, y);
  EXPECT_NEAR(area, 3.14159265358979 * 25, 0.1);

  // Winding does not matter, and a right triangle over a 4x4 square is half of it.
  const TShape cw = Polygon({{0, 0}, {4, 0}, {0, 4}});
  const TShape ccw = Polygon({{0, 0}, {0, 4}, {4, 0}});
  double tri = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(TIconPainter::Coverage(cw, x, y), TIconPainter::Coverage(ccw, x, y));
      tri += TIconPainter::Coverage(cw, x, y);
    }
  // Samples on the diagonal itself count as outside: at most 1/16 per edge pixel.
  EXPECT_NEAR(tri, 8.0, 4.0 / 16);
  EXPECT_THROW(Polygon({{0, 0}, {1, 1}}), std::invalid_argument);
}

TEST(IconPainter, OutlinesFollowEveryEdgeIncludingHoles) {
  TIconPainter p(8);
  p.Outlined(Subtract(Box(0, 0, 8, 8), Box(3, 3, 5, 5)), Hex(0x000080), Hex(0xFFFFFF));
  const TBitmap32 bmp = p.Bitmap();
  const TBGRA edge{0x80, 0, 0, 255}, fill{255, 255, 255, 255};
  EXPECT_EQ(bmp.Pixel(0, 0), edge);
  EXPECT_EQ(bmp.Pixel(7, 4), edge);
  EXPECT_EQ(bmp.Pixel(1, 1), fill);
  EXPECT_EQ(bmp.Pixel(2, 3), edge);  // beside the hole
  EXPECT_EQ(bmp.Pixel(5, 4), edge);
  EXPECT_EQ(bmp.Pixel(3, 3), TBGRA{});
  EXPECT_EQ(bmp.Pixel(4, 4), TBGRA{});
}

TEST(IconPainter, SourceOverAndErase) {
  TIconPainter p(4);
  p.Fill(Box(0, 0, 2, 4), Hex(0x000000));
  p.Fill(Box(0, 0, 4, 4), Hex(0xFFFFFF), 0.5);
  p.Erase(Box(0, 2, 4, 2.5));  // half of row 2
  const TBitmap32 bmp = p.Bitmap();
  EXPECT_EQ(bmp.Pixel(0, 0), (TBGRA{128, 128, 128, 255}));  // half white over black
  EXPECT_EQ(bmp.Pixel(3, 0), (TBGRA{255, 255, 255, 128}));  // over nothing
  EXPECT_EQ(bmp.Pixel(0, 2), (TBGRA{128, 128, 128, 128}));  // erased halves alpha only
  EXPECT_EQ(bmp.Pixel(3, 2), (TBGRA{255, 255, 255, 64}));
  EXPECT_THROW(TIconPainter(0), std::invalid_argument);
}

TEST(Icons, OutOfRangeRequestsAreRefused) {
  EXPECT_THROW(DrawListImage(-1), std::out_of_range);
  EXPECT_THROW(DrawListImage(kListImageCount), std::out_of_range);
  EXPECT_THROW(DrawListImage(0, 18), std::out_of_range);
  EXPECT_THROW(ListImagePath(kListImageCount, 16), std::out_of_range);
  EXPECT_THROW(DrawAppIcon(8), std::out_of_range);
  EXPECT_EQ(ListImagePath(3, 16), "images/03_magnifier.png");
  EXPECT_EQ(ListImagePath(3, 24), "images/03_magnifier-24.png");
}

TEST(Icons, LargerSizesAreDrawnOnTheirOwnPixelGrid) {
  for (int size : kListImageSizes) {
    SCOPED_TRACE(size);
    // The house's walls: straight edges on whole pixels, so the outline's
    // columns are opaque and the pixels beside them untouched. The walls run
    // from 3 to 13 on the design grid, rounded away from the middle.
    const TBitmap32 house = DrawListImage(4, size);
    const double u = size / 16.0;
    const int left = size / 2 + static_cast<int>(std::lround(-5 * u));
    const int right = size / 2 + static_cast<int>(std::lround(5 * u));
    const int y = size * 3 / 4;
    EXPECT_EQ(house.Pixel(left - 1, y).A, 0);
    EXPECT_EQ(house.Pixel(left, y).A, 255);
    EXPECT_EQ(house.Pixel(right - 1, y).A, 255);
    EXPECT_EQ(house.Pixel(right, y).A, 0);
    // Mirrored designs stay mirrored whatever the rounding.
    for (int index : {0, 2}) {
      const TBitmap32 bmp = DrawListImage(index, size);
      for (int yy = 0; yy < size; ++yy)
        for (int x = 0; x < size / 2; ++x)
          ASSERT_EQ(bmp.Pixel(x, yy), bmp.Pixel(size - 1 - x, yy))
              << index << " " << x << "," << yy;
    }
    // Outlines stay whole pixels wide: the wall outline is one pixel, two at 32.
    EXPECT_EQ(house.Pixel(left + 1, y).A, 255);
    EXPECT_EQ(house.Pixel(left + 1, y) == house.Pixel(left, y), size >= 32);
  }
}

TEST(Icons, CommittedPicturesAreRgbaWithAntiAliasedEdgesAndReadOnLightBackgrounds) {
  const auto files = CommittedFiles(QV_RESOURCES_DIR);
  ASSERT_EQ(files.size(),
            static_cast<std::size_t>(kListImageCount) * std::size(kListImageSizes) + 3);
  std::set<std::vector<std::uint8_t>> distinct;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const TDecoded d = Decode(bytes);
    EXPECT_EQ(d.ColorType, 6);
    EXPECT_EQ(d.BitDepth, 8);
    // "images/00_person.png" is the 16-pixel design, "images/00_person-24.png"
    // its 24-pixel drawing; "icon/quorvane-48.png" the 48-pixel icon.
    const std::size_t dash = name.rfind('-');
    const int expected = dash == std::string::npos ? 16 : std::stoi(name.substr(dash + 1));
    ASSERT_EQ(d.Width, expected);
    ASSERT_EQ(d.Height, expected);
    distinct.insert(d.Rgba);

    int clear = 0, opaque = 0, partial = 0;
    for (std::size_t i = 3; i < d.Rgba.size(); i += 4) {
      const int a = d.Rgba[i];
      (a == 0 ? clear : a == 255 ? opaque : partial)++;
    }
    EXPECT_GT(clear, 0);
    EXPECT_GT(opaque, 0);
    EXPECT_GT(partial, 0);

    // Over the window's grey and over white, a good part of the picture must
    // stand out clearly, or it fades into the button face.
    for (int bg : {0xF0, 0xFF}) {
      int strong = 0;
      for (std::size_t i = 0; i < d.Rgba.size(); i += 4) {
        const int a = d.Rgba[i + 3];
        int diff = 0;
        for (int c = 0; c < 3; ++c)
          diff = std::max(diff, std::abs((d.Rgba[i + c] * a + bg * (255 - a)) / 255 - bg));
        if (diff >= 80) ++strong;
      }
      EXPECT_GE(strong, d.Width * d.Height / 8) << "background " << bg;
    }
  }
  EXPECT_EQ(distinct.size(), files.size());
}

TEST(Icons, RegeneratingGivesTheCommittedFilesByteForByte) {
  const auto committed = CommittedFiles(QV_RESOURCES_DIR);
  TempDir out;
  ASSERT_EQ(RunGenerator("'" + out.Path().string() + "'", out.Path() / "err.txt"), 0)
      << Slurp(out.Path() / "err.txt");
  const auto fresh = CommittedFiles(out.Path());
  ASSERT_EQ(fresh.size(), committed.size());
  for (const auto& [name, bytes] : committed) {
    ASSERT_TRUE(fresh.count(name)) << name;
    EXPECT_TRUE(fresh.at(name) == bytes) << name << " differs; run the `icons` target";
  }
  // The library draws what the executable writes.
  for (const TIconFile& f : AllIconFiles())
    EXPECT_TRUE(EncodePng(f.Bitmap) == committed.at(f.Path)) << f.Path;
}

TEST(Icons, TheWindowsImageListShowsEachDensitysDrawingAsGenerated) {
  RegisterAlphaImageListClasses();
  const auto text = FindResource("forms/Form1.qvd");
  ASSERT_TRUE(text);
  const TDescObject form = ParseDescription(
      std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), "Form1.qvd");
  const auto it = std::find_if(form.children.begin(), form.children.end(),
                               [](const TDescObject& o) { return o.name == "sAlphaImageList1"; });
  ASSERT_NE(it, form.children.end());
  TDescObject root{"Root", "TComponent", {}, {*it}, 1};
  for (int size : kListImageSizes) {
    SCOPED_TRACE(size);
    SetSystemDpi(size * 6);  // 16 pixels at 96 pixels per inch
    TComponent owner(nullptr);
    TReader reader("Form1.qvd");
    reader.ReadRoot(root, owner);
    SetSystemDpi(96);
    const auto* list = dynamic_cast<TsAlphaImageList*>(owner.FindComponent("sAlphaImageList1"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->Count(), kListImageCount);
    ASSERT_EQ(list->Width(), size);
    for (int i = 0; i < kListImageCount; ++i) {
      const TBitmap32 drawn = DrawListImage(i, size);
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          ASSERT_EQ(list->Image(i)->Pixel(x, y), drawn.Pixel(x, y)) << i << " " << x << "," << y;
    }
  }
}

TEST(Icons, GeneratorReportsBadUseAndUnwritableFolders) {
  TempDir tmp;
  const fs::path err = tmp.Path() / "err.txt";
  EXPECT_EQ(RunGenerator("", err), 2);
  EXPECT_NE(Slurp(err).find("usage:"), std::string::npos);
  EXPECT_EQ(RunGenerator("a b", err), 2);
  EXPECT_EQ(RunGenerator("--bogus", err), 2);
  EXPECT_EQ(RunGenerator("'" + tmp.Path().string() + "' --sheet", err), 2);

  // A plain file where the output folder should be.
  const fs::path blocker = tmp.Path() / "file";
  std::ofstream(blocker) << "x";
  EXPECT_EQ(RunGenerator("'" + blocker.string() + "'", err), 1);
  EXPECT_NE(Slurp(err).find("quorvane-icongen:"), std::string::npos);

  const fs::path sheet = tmp.Path() / "sheet.png";
  ASSERT_EQ(
      RunGenerator("'" + (tmp.Path() / "res").string() + "' --sheet '" + sheet.string() + "'", err),
      0);
  const TDecoded d = Decode(ReadFile(sheet));
  EXPECT_EQ(d.ColorType, 2);  // opaque RGB
  EXPECT_GT(d.Width, 16 * 5 * kListImageCount);
}

}  // namespace
}  // namespace qv::icongen
