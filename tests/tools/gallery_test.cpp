// The control gallery: every text-entry sample really reaches each state
// through its synthetic input, and the scenes hold the open drop-down list
// (hover highlight, scroll bar) together with its combo box. Its skin mode
// loads the program's stored skin, a skin folder or a package through the
// program's skin manager.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/acPNG.h"
#include "platform/look/plain_look.h"
#include "platform/resources.h"
#include "skin/package.h"
#include "tests/controls/skinned_test_control.h"
#include "tools/gallery/render.h"
#include "tools/gallery/skin_sheet.h"
#include "tools/gallery/skin_source.h"

namespace qv::gallery {
namespace {

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TBGRA p = a.Pixel(x, y), q = b.Pixel(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) return false;
    }
  return true;
}

// Pixels of colour c in rows [top, bottom) and columns [left, right).
int Count(const TBitmap32& b, TColor c, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, b.Height()); ++y)
    for (int x = std::max(left, 0); x < std::min(right, b.Width()); ++x) {
      const TBGRA p = b.Pixel(x, y);
      n += RGB(p.R, p.G, p.B) == c;
    }
  return n;
}

class GalleryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pictures_ = new TGalleryPictures(RenderStates()); }
  static void TearDownTestSuite() {
    delete pictures_;
    pictures_ = nullptr;
  }
  static const std::array<TBitmap32, kStateCount>& Row(const std::string& name) {
    const auto& n = pictures_->Names;
    const auto it = std::find(n.begin(), n.end(), name);
    EXPECT_NE(it, n.end()) << name;
    return pictures_->Pictures.at(static_cast<std::size_t>(it - n.begin()));
  }
  static TGalleryPictures* pictures_;
};

TGalleryPictures* GalleryTest::pictures_ = nullptr;

TEST_F(GalleryTest, TextEntrySamplesLookDifferentInEveryState) {
  for (const char* name : {"edit", "edit with hint", "read-only edit", "pick list", "combo box",
                           "spin edit, up", "spin edit, down"}) {
    const auto& row = Row(name);
    for (int s = 1; s < kStateCount; ++s)
      EXPECT_FALSE(SamePixels(row[0], row[static_cast<std::size_t>(s)]))
          << name << " " << kStateNames[s];
  }
  // The two spin rows differ in which button the pointer is on.
  EXPECT_FALSE(SamePixels(Row("spin edit, up")[1], Row("spin edit, down")[1]));
}

TEST_F(GalleryTest, ScenesShowTheOpenListWithHoverAndScrollBar) {
  ASSERT_EQ(pictures_->Scenes.size(), 2u);
  const TFlatPalette p = FlatPalette();
  const TBitmap32& open = pictures_->Scenes[0];
  // The list hangs below the 21-pixel box, a hovered row in the accent.
  ASSERT_GT(open.Height(), 21 + 4 * 14);
  EXPECT_GT(Count(open, p.Accent, 0, 21, open.Width(), open.Height()), open.Width() * 8);
  const TBitmap32& scrolled = pictures_->Scenes[1];
  ASSERT_GT(scrolled.Height(), 21 + 16 * 14);
  // A scroll bar: a thumb in the right-hand strip of the list.
  const int strip = scrolled.Width() - 18;
  EXPECT_GT(Count(scrolled, p.Disabled, strip, 21, scrolled.Width(), scrolled.Height()), 100);
  EXPECT_GT(Count(scrolled, p.Accent, 0, 21, strip, scrolled.Height()), strip * 8);
}

TEST_F(GalleryTest, SheetHoldsTheGridAndTheScenes) {
  const TBitmap32 sheet = ComposeSheet(*pictures_);
  int grid_h = 0;
  for (const auto& row : pictures_->Pictures) grid_h += row[0].Height();
  EXPECT_GT(sheet.Height(), grid_h + pictures_->Scenes[1].Height());
  EXPECT_EQ(sheet.Pixel(0, 0).A, 255);
}

// ---------------------------------------------------------------------------
// Skin mode

namespace fs = std::filesystem;

void WriteFile(const fs::path& p, const TBytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

TBytes StoredPackage() {
  const auto bytes = FindResource("skin/MetroUI.asz");
  return bytes ? TBytes(bytes->begin(), bytes->end()) : TBytes();
}

// A private folder; the user's skin folder lies in it too.
class GallerySkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("qv_gallery_") + info->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_DATA_HOME");
    fs::remove_all(root_);
  }
  fs::path root_;
};

// The pixels below the sheet's heading (which names the source).
bool SameSections(const TBitmap32& a, const TBitmap32& b, int top) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = top; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (PixelToColor(a.Pixel(x, y)) != PixelToColor(b.Pixel(x, y))) return false;
  return true;
}

TEST_F(GallerySkinTest, TheProgramsOwnSkinIsTheStoredOneWithTheWindowsHue) {
  // A skin of that name in the user's skin folder does not stand in here.
  const fs::path mine = root_ / "data" / "quorvane" / "skins" / "MetroUI (internal).asz";
  WriteFile(mine, TBytes{'A', 'S', 'z', 'f', 0, 0, 0, 0});
  for (int ppi : {96, 144}) {
    const TGallerySkin skin("", ppi);
    EXPECT_EQ(skin.Manager().SkinName(), u"MetroUI (internal)");
    EXPECT_EQ(skin.Manager().HueOffset(), 1000);
    EXPECT_EQ(skin.Manager().SkinInfo(), u"14.01");
    EXPECT_TRUE(skin.Manager().SkinSourceFile().empty());
    EXPECT_EQ(skin.Data().PPI, ppi);
    EXPECT_EQ(skin.Data().gd.size(), 77u);
    EXPECT_EQ(skin.Title(), u"MetroUI (internal): stored in the program, hue offset 1000, " +
                                IntToStr(ppi) + u" PPI");
    // One row a section, its height following the density.
    const TBitmap32 sheet = RenderSkinSections(skin.Skin(), ppi, skin.Title());
    const int s = ppi * 10 / 96, cell = ppi * 40 / 96;
    EXPECT_EQ(sheet.Height(), ppi * 30 / 96 + ppi * 26 / 96 + s + 77 * (cell + s));
  }
}

TEST_F(GallerySkinTest, APackageAndItsFolderPaintAlikeWithoutTheWindowsHue) {
  const TBytes package = StoredPackage();
  ASSERT_FALSE(package.empty());
  const fs::path file = root_ / "packed" / "Metro.asz";
  WriteFile(file, package);
  TacSkinConvertor c;
  c.BorrowPackedData(package);
  ASSERT_TRUE(c.ReadPackage());
  c.ReleasePackedData();
  const fs::path folder = root_ / "folders" / "Metro";
  WriteFile(folder / "OPTIONS.DAT", *c.Options);
  for (const TacFileItem& f : c.Files) WriteFile(folder / Utf16ToUtf8(f.Name), f.Stream);

  const TGallerySkin packed(file.string(), 120), unpacked(folder.string() + "/", 120);
  EXPECT_EQ(packed.Manager().HueOffset(), 0);
  EXPECT_TRUE(packed.Manager().SkinIsPacked);
  EXPECT_FALSE(unpacked.Manager().SkinIsPacked);
  EXPECT_EQ(packed.Title(),
            u"Metro: package " + Utf8ToUtf16(file.string()) + u", hue offset 0, 120 PPI");
  EXPECT_EQ(unpacked.Title(),
            u"Metro: folder " + Utf8ToUtf16(folder.string()) + u", hue offset 0, 120 PPI");
  const TBitmap32 a = RenderSkinSections(packed.Skin(), 120, packed.Title());
  const TBitmap32 b = RenderSkinSections(unpacked.Skin(), 120, unpacked.Title());
  EXPECT_TRUE(SameSections(a, b, 120 * 30 / 96));
  // Without the window's hue the title bar is as authored: blue, not green.
  const int title = GetSkinIndex(packed.Data(), u"FORMTITLE");
  const TColor bar = packed.Data().gd[static_cast<std::size_t>(title)].Props[1].Color;
  EXPECT_GT(GetBValue(bar), GetGValue(bar));
  const TGallerySkin own("", 120);
  EXPECT_FALSE(SameSections(a, RenderSkinSections(own.Skin(), 120, own.Title()), 120 * 30 / 96));
}

TEST_F(GallerySkinTest, WhatCannotBeLoadedIsNamed) {
  const auto message = [](const std::string& source) -> std::string {
    try {
      const TGallerySkin skin(source, 96);
    } catch (const ESkinSourceError& e) {
      return e.what();
    }
    return "loaded";
  };
  EXPECT_EQ(message((root_ / "missing").string()),
            "no such skin folder or package: " + (root_ / "missing").string());
  fs::create_directories(root_ / "empty");
  EXPECT_EQ(message((root_ / "empty").string()), "no Options.dat in " + (root_ / "empty").string());
  const fs::path junk = root_ / "junk.asz";
  WriteFile(junk, TBytes{'n', 'o', 'p', 'e'});
  const std::string said = message(junk.string());
  EXPECT_EQ(said.rfind("the skin package " + junk.string() + " gives no skin: ", 0), 0u) << said;
  EXPECT_NE(said.find("Loaded data is not a packed skin file."), std::string::npos) << said;
  // The tool says so and writes nothing.
  const fs::path out = root_ / "sheet.png";
  EXPECT_EQ(RunSkinGallery(junk.string(), 96, out.string()), 1);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(RunSkinGallery("", 96, out.string()), 0);
  EXPECT_EQ(LoadPngImage(*ReadWholeFile(out.string())).Width(), 10 + 150 + 3 * (132 + 10));
}

// A skinned block of the test's own: the button-like skinned test control.
const TGallerySection kTestSkinned{"test skinned", 1000,
                                   [](TGalleryBlock& b) {
                                     auto* c = b.Add<test::TsTestControl>("skinned test", 75, 25);
                                     c->SetCaption(u"Выйти");
                                   },
                                   TGalleryLook::Skinned};

TEST(SkinnedGalleryTest, SamplesPaintFromTheProgramsSkinAtTheDensityAsked) {
  const TGalleryPictures p = RenderStates(TGalleryLook::Skinned, 144);
  const auto it = std::find(p.Names.begin(), p.Names.end(), "skinned test");
  ASSERT_NE(it, p.Names.end());
  const auto& row = p.Pictures[static_cast<std::size_t>(it - p.Names.begin())];
  // Designed at 96 pixels per inch, laid out at 144.
  EXPECT_EQ(row[0].Width(), 113);
  EXPECT_EQ(row[0].Height(), 38);
  // Each state's fade ran to its end: hot and focused show the skin's hot
  // face, which the control takes for both; disabled differs from normal.
  EXPECT_FALSE(SamePixels(row[0], row[1]));
  EXPECT_TRUE(SamePixels(row[1], row[3]));
  EXPECT_FALSE(SamePixels(row[0], row[4]));
  // The plain sections are not on the skinned form.
  EXPECT_EQ(std::find(p.Names.begin(), p.Names.end(), "button"), p.Names.end());
}
}  // namespace
}  // namespace qv::gallery
