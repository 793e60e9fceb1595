// The window's skin manager: reading the stored description loads the stored
// skin "MetroUI (internal)" at the window's density with the window's
// settings; at each of the four densities every element the skin's options
// name is there, drawn for that density (nothing resampled); and a skin of
// that name in the user's skin folder is taken instead of the stored one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/form1.h"
#include "platform/resources.h"
#include "platform/window/headless.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "skin/element_notation.h"
#include "skin/package.h"
#include "skin/section_model.h"
#include "skin/skin_manager.h"
#include "skin/skin_scale.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kSkinName[] = u"MetroUI (internal)";

TBytes StoredPackage() {
  const auto bytes = FindResource("skin/MetroUI.asz");
  return bytes ? TBytes(bytes->begin(), bytes->end()) : TBytes();
}

// The package's files: the options text first.
std::vector<TacPackEntry> Unpack(const TBytes& package) {
  TacSkinConvertor c;
  c.BorrowPackedData(package);
  EXPECT_TRUE(c.ReadPackage());
  c.ReleasePackedData();
  std::vector<TacPackEntry> files;
  if (!c.Options) return files;
  files.push_back({"OPTIONS.DAT", *c.Options});
  for (const TacFileItem& f : c.Files) files.push_back({Utf16ToUtf8(f.Name), f.Stream});
  return files;
}

// The options text with its version line changed.
TBytes WithVersion(const TBytes& options, const std::string& version) {
  std::string text(options.begin(), options.end());
  const std::string line = "VERSION=14.01\r\n";
  const auto at = text.find(line);
  EXPECT_NE(at, std::string::npos);
  if (at != std::string::npos) text.replace(at, line.size(), "VERSION=" + version + "\r\n");
  return TBytes(text.begin(), text.end());
}

void WriteFile(const fs::path& p, const TBytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// The window on a headless screen of the given density, with a user data
// folder of its own (empty unless a test puts skins there first).
class WindowSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() / (std::string("qv_window_skin_") + info->name());
    fs::remove_all(root_);
    fs::create_directories(UserSkins());
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    form_.reset();
    if (headless_) ShutdownWindowSystem();
    unsetenv("XDG_DATA_HOME");
    fs::remove_all(root_);
  }
  void Start(int ppi) {
    auto backend = std::make_unique<THeadlessBackend>(TSize{1600, 1200}, ppi);
    headless_ = backend.get();
    InitWindowSystem(std::move(backend));
    form_ = std::make_unique<TForm1>(nullptr);
    form_->Show();
    PumpPendingMessages();
  }
  fs::path UserSkins() const { return root_ / "data" / "quorvane" / "skins"; }
  TsSkinManager& M() { return *form_->sSkinManager1; }
  std::vector<ustring> Boxes() const {
    std::vector<ustring> texts;
    for (const auto& b : headless_->MessageBoxes()) texts.push_back(b.text);
    return texts;
  }

  fs::path root_;
  THeadlessBackend* headless_ = nullptr;
  std::unique_ptr<TForm1> form_;
};

TEST_F(WindowSkinTest, ReadingTheWindowLoadsTheStoredSkinWithTheWindowsSettings) {
  Start(96);
  TsSkinManager& m = M();
  EXPECT_TRUE(m.IsDefault());
  EXPECT_TRUE(m.Active());
  EXPECT_TRUE(m.IsActive());
  EXPECT_EQ(m.SkinInfo(), u"14.01");
  EXPECT_EQ(m.SkinName(), kSkinName);
  EXPECT_TRUE(m.SkinSourceFile().empty());  // the stored skin, not a file
  EXPECT_TRUE(Boxes().empty());

  ASSERT_EQ(m.InternalSkins().Count(), 1);
  const TsStoredSkin& s = m.InternalSkins().Items(0);
  EXPECT_EQ(s.Name(), kSkinName);
  EXPECT_EQ(s.Version(), 14.01);
  EXPECT_EQ(s.OrigName(), u"MetroUI.asz");
  EXPECT_FALSE(s.PackedData().empty());
  EXPECT_EQ(s.PackedData(), StoredPackage());

  EXPECT_EQ(m.HueOffset(), 1000);
  EXPECT_EQ(m.Saturation(), 0);
  EXPECT_EQ(m.Brightness(), 0);
  for (const TacAnimEffectData* a :
       {&m.AnimEffects.DialogShow, &m.AnimEffects.FormShow, &m.AnimEffects.FormHide,
        &m.AnimEffects.DialogHide, &m.AnimEffects.Minimizing})
    EXPECT_FALSE(a->Active);
  EXPECT_TRUE(m.AnimEffects.PageChange.Active);
  EXPECT_TRUE(TsSkinManager::OldGlyphsMode());
  EXPECT_EQ(m.Options.OptimizingPriority, opMemory);
  EXPECT_EQ(m.Options.ScaleMode, smVCL);
  EXPECT_EQ(m.MenuSupport.ExtraLineFont.Name, u"MS Sans Serif");
  EXPECT_EQ(m.MenuSupport.ExtraLineFont.Height, -11);
  EXPECT_EQ(m.ThirdParty.Lists[static_cast<std::size_t>(TsThirdPartyList::IndexOf("ThirdButtons"))],
            u"TButton");
  // The designer's folder names nothing here: the user's skin folder serves.
  EXPECT_EQ(m.SkinDirectory(), u"D:\\Design\\Quorvane\\Skins");
  EXPECT_EQ(m.GetFullSkinDirectory(), Utf8ToUtf16(UserSkins().string()) + u"/");
  // Shown with the hue offset: the active title bar is green.
  const TacSkinData& sd = m.CommonSkinData(96);
  const TsGeneralData& title = sd.gd[static_cast<std::size_t>(GetSkinIndex(sd, u"FORMTITLE"))];
  const TColor bar = title.Props[1].Color;
  EXPECT_GT(GetGValue(bar), 2 * GetRValue(bar));
  EXPECT_GT(GetGValue(bar), 2 * GetBValue(bar));
}

// Every element the options text names, at the density of ppi.
struct TNamedElement {
  ustring Section, Key;
};
std::vector<TNamedElement> NamedElements(const TMemIniFile& ini) {
  std::vector<TNamedElement> out;
  for (const ustring& s : ini.ReadSections())
    for (const auto& kv : ini.SectionValues(s)) {
      if (kv.Key.find(u'*') != ustring::npos || !IsElementValue(UpperCase(kv.Value))) continue;
      if (s == u"GLOBALINFO" && kv.Key == u"MASTERBITMAP") continue;
      out.push_back({s, kv.Key});
    }
  return out;
}

class WindowSkinDensityTest : public WindowSkinTest, public ::testing::WithParamInterface<int> {};

TEST_P(WindowSkinDensityTest, TheSkinIsLoadedForTheWindowsDensityWithNothingDroppedOrResampled) {
  const int ppi = GetParam();
  Start(ppi);
  TsSkinManager& m = M();
  ASSERT_TRUE(m.IsActive());
  EXPECT_EQ(m.SkinInfo(), u"14.01");
  EXPECT_TRUE(Boxes().empty());
  // The 96-PPI data always, and the window's own.
  const int slot = ScaleIndexOfPPI(ppi);
  for (int i = 0; i < kScaleCount; ++i) {
    const bool wanted = i == 0 || i == slot;
    EXPECT_EQ(m.SkinDataArray[static_cast<std::size_t>(i)] != nullptr, wanted) << i;
  }
  const TacSkinData& sd = *m.SkinDataArray[static_cast<std::size_t>(slot)];
  EXPECT_EQ(sd.PPI, ppi);
  EXPECT_EQ(sd.ScaleValue, slot);
  EXPECT_EQ(sd.gd.size(), 77u);  // the file's 71, two defaults, four stand-ins

  const TMemIniFile& ini = *m.SkinCommonInfo.OptionsDat;
  const std::vector<TNamedElement> named = NamedElements(ini);
  ASSERT_GE(named.size(), 50u);
  for (const TNamedElement& e : named) {
    SCOPED_TRACE(Utf16ToUtf8(e.Section + u"/" + e.Key));
    const int index = GetMaskIndex(sd, e.Section, e.Key);
    ASSERT_GE(index, 0);
    const TsMaskData& md = sd.ma[static_cast<std::size_t>(index)];
    // The variant drawn for this density, taken as written.
    EXPECT_EQ(md.DivPPI, ppi);
    EXPECT_EQ(md.MulPPi, ppi);
    const auto chosen = ChooseScaleVariant(ini, e.Section, e.Key, ppi);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->DivPPI, ppi);
    TsMaskData written;
    ustring file;
    ReadElementValue(UpperCase(chosen->Value), written, &file);
    if (file.empty()) {
      // Cut from the master bitmap where the text says; a title glyph that
      // keeps its hue is a copy of that piece at its size.
      if (md.Bmp)
        EXPECT_EQ(md.R, Rect(0, 0, written.R.Width(), written.R.Height()));
      else
        EXPECT_EQ(md.R, written.R);
    } else {
      ASSERT_TRUE(md.Bmp);
      EXPECT_EQ(md.R, md.Bmp->BoundsRect());
    }
    EXPECT_EQ(md.WL, written.WL);
    EXPECT_EQ(md.WT, written.WT);
    EXPECT_EQ(md.WR, written.WR);
    EXPECT_EQ(md.WB, written.WB);
    EXPECT_EQ(md.ImageCount, written.ImageCount);
  }
  // No image was made at another size.
  for (const TacBmpData& b : sd.BmpArray) {
    EXPECT_EQ(b.MulPPI, b.DivPPI) << Utf16ToUtf8(b.FileName + b.Path);
  }
  // The close button's hover red keeps its hue at every density, while the
  // rest of the title bar turns green.
  const TsMaskData& close =
      sd.ma[static_cast<std::size_t>(GetMaskIndex(sd, u"GLOBALINFO", u"BICONCLOSE"))];
  const TBitmap32& source = close.Bmp ? *close.Bmp : *m.MasterBitmap;
  const TBGRA hot = source.Pixel(close.R.Left + close.Width + 1, close.R.Top + 1);
  EXPECT_EQ(RGB(hot.R, hot.G, hot.B), RGB(0xE8, 0x11, 0x23));
}

INSTANTIATE_TEST_SUITE_P(Densities, WindowSkinDensityTest, ::testing::Values(96, 120, 144, 192));

TEST_F(WindowSkinTest, ASkinFolderOfTheSameNameInTheUserSkinFolderIsTakenInstead) {
  std::vector<TacPackEntry> files = Unpack(StoredPackage());
  ASSERT_EQ(files.size(), 3u);
  files[0].Content = WithVersion(files[0].Content, "14.02");
  const fs::path folder = UserSkins() / Utf16ToUtf8(kSkinName);
  for (const TacPackEntry& f : files) WriteFile(folder / f.Name, f.Content);
  Start(120);
  EXPECT_TRUE(M().IsActive());
  EXPECT_EQ(M().SkinInfo(), u"14.02");
  EXPECT_EQ(M().SkinName(), kSkinName);
  EXPECT_EQ(M().SkinSourceFile(), Utf8ToUtf16((folder / "OPTIONS.DAT").string()));
  EXPECT_FALSE(M().SkinIsPacked);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowSkinTest, ASkinPackageOfTheSameNameInTheUserSkinFolderIsTakenInstead) {
  std::vector<TacPackEntry> files = Unpack(StoredPackage());
  ASSERT_EQ(files.size(), 3u);
  files[0].Content = WithVersion(files[0].Content, "14.03");
  const fs::path package = UserSkins() / (Utf16ToUtf8(kSkinName) + ".asz");
  WriteFile(package, WritePackage(files, nullptr));
  Start(96);
  EXPECT_TRUE(M().IsActive());
  EXPECT_EQ(M().SkinInfo(), u"14.03");
  EXPECT_EQ(M().SkinSourceFile(), Utf8ToUtf16(package.string()));
  EXPECT_TRUE(M().SkinIsPacked);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowSkinTest, ABrokenSkinOfTheSameNameGivesWayToTheStoredOneWithAMessage) {
  const fs::path package = UserSkins() / (Utf16ToUtf8(kSkinName) + ".asz");
  WriteFile(package, TBytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'});
  Start(96);
  EXPECT_TRUE(M().IsActive());
  EXPECT_EQ(M().SkinInfo(), u"14.01");
  EXPECT_EQ(M().SkinName(), kSkinName);
  const std::vector<ustring> boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(Utf8ToUtf16(package.string())), ustring::npos) << Utf16ToUtf8(boxes[0]);
}

}  // namespace
}  // namespace qv
