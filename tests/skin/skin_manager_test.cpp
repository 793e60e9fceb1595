// Where the skin manager finds a skin (folder, package file, stored skin), the
// messages it shows, the skin directory rules and extraction of stored skins.
#include "skin/skin_manager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "skin/skin_paths.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TBytes Bytes(std::string_view s) { return TBytes(s.begin(), s.end()); }

void WriteFile(const fs::path& p, const TBytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

TBytes OptionsPackage(std::string_view options) {
  return WritePackage({{"OPTIONS.DAT", Bytes(options)}, {"A.BMP", Bytes("bmp")}}, nullptr);
}

// A private program folder and current folder per test, and recorded messages.
class SkinManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("qv_manager_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "app");
    fs::create_directories(root_ / "cwd");
    old_cwd_ = fs::current_path();
    fs::current_path(root_ / "cwd");
    SetApplicationFolderOverride(Utf8ToUtf16((root_ / "app").string()));
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    previous_ = SetSkinMessageHook([this](TacMessageKind k, ustring_view t) {
      kinds_.push_back(k);
      texts_.emplace_back(t);
      if (m_) rules_seen_.push_back(m_->SkinningRules);
    });
    manager_ = std::make_unique<TsSkinManager>(nullptr);
    m_ = manager_.get();
  }
  void TearDown() override {
    manager_.reset();
    m_ = nullptr;
    SetSkinMessageHook(previous_);
    SetApplicationFolderOverride(std::nullopt);
    unsetenv("XDG_DATA_HOME");
    fs::current_path(old_cwd_);
    fs::remove_all(root_);
  }
  ustring App() const { return Utf8ToUtf16((root_ / "app").string()) + u"/"; }
  ustring UserSkins() const { return Utf8ToUtf16((root_ / "data").string()) + u"/quorvane/skins"; }
  // Names a skin without loading it, to look at where it would come from.
  void Name(ustring name) {
    m_->SetActive(false);
    m_->SetSkinName(std::move(name));
  }
  TsStoredSkin& Store(ustring name, TBytes data) {
    TsStoredSkin& s = m_->InternalSkins().Add();
    s.SetName(std::move(name));
    s.SetPackedData(std::move(data));
    return s;
  }

  fs::path root_, old_cwd_;
  std::unique_ptr<TsSkinManager> manager_;
  TsSkinManager* m_ = nullptr;
  std::vector<TacMessageKind> kinds_;
  std::vector<ustring> texts_;
  std::vector<unsigned> rules_seen_;
  TSkinMessageHook previous_;
};

TEST(SkinPaths, FullSkinDirectoryRules) {
  const ustring a = u"/opt/qv/bin/";
  EXPECT_EQ(FullSkinDirectory(u"../Skins", a), u"/opt/qv/Skins/");
  EXPECT_EQ(FullSkinDirectory(u"..\\Skins\\", a), u"/opt/qv/Skins/");
  EXPECT_EQ(FullSkinDirectory(u"../../x", a), u"/opt/qv/../x/");  // one level only
  EXPECT_EQ(FullSkinDirectory(u".\\Skins", a), u"/opt/qv/bin/Skins/");
  EXPECT_EQ(FullSkinDirectory(u"./Skins/", a), u"/opt/qv/bin/Skins/");
  EXPECT_EQ(FullSkinDirectory(u".", a), u"/opt/qv/bin/");
  EXPECT_EQ(FullSkinDirectory(u"Skins\\Metro", a), u"/opt/qv/bin/Skins/Metro/");
  EXPECT_EQ(FullSkinDirectory(u"/srv/skins", a), u"/srv/skins/");
  EXPECT_EQ(FullSkinDirectory(u"c:\\Skins", a), u"c:/Skins/");
  EXPECT_EQ(FullSkinDirectory(u"\\\\host\\share", a), u"//host/share/");
  EXPECT_EQ(SafeFileName(u"../a/b\\c..d"), u"__a_b_c_d");
}

TEST_F(SkinManagerTest, DefaultsAndDirectory) {
  EXPECT_EQ(TsSkinManager::DefaultManager(), m_);
  TsSkinManager second(nullptr);
  EXPECT_EQ(TsSkinManager::DefaultManager(), m_);
  EXPECT_TRUE(m_->Active());
  // The user's skin directory, as the XDG rules place it.
  EXPECT_EQ(m_->SkinDirectory(), UserSkins());
  EXPECT_EQ(m_->GetFullSkinDirectory(), UserSkins() + u"/");
  int changes = 0;
  m_->OnSkinListChanged = [&](TObject*) { ++changes; };
  m_->SetSkinDirectory(UpperCase(UserSkins()));  // same ignoring case
  EXPECT_EQ(changes, 0);
  m_->SetSkinDirectory(u"other");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(m_->SkinCommonInfo.SkinPath, App() + u"other/");
  // The designer's folder on another system stands for the user's directory.
  m_->SetSkinDirectory(u"D:\\Design\\Skins");
  EXPECT_EQ(m_->SkinDirectory(), u"D:\\Design\\Skins");
  EXPECT_EQ(m_->GetFullSkinDirectory(), UserSkins() + u"/");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", (root_ / "home").c_str(), 1);
  EXPECT_EQ(UserSkinDirectory(),
            Utf8ToUtf16((root_ / "home").string()) + u"/.local/share/quorvane/skins");
  setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
  EXPECT_EQ(UserSkinDirectory(),
            Utf8ToUtf16((root_ / "home").string()) + u"/.local/share/quorvane/skins");
}

TEST_F(SkinManagerTest, NameLosesPackageEndingOnlyWhileActive) {
  m_->SetSkinName(u"MySkin.ASZ");
  EXPECT_EQ(m_->SkinName(), u"MySkin");
  m_->SetSkinName(u".asz");
  EXPECT_EQ(m_->SkinName(), u".asz");
  m_->SetActive(false);
  m_->SetSkinName(u"Other.asz");
  EXPECT_EQ(m_->SkinName(), u"Other.asz");
}

TEST_F(SkinManagerTest, UnpackedFolderBelowProgramPackageBelowCurrentFolder) {
  m_->SetActive(false);
  m_->SetSkinDirectory(u".\\Skins");
  WriteFile(root_ / "app/Skins/Folder/OPTIONS.DAT", Bytes("[GLOBALINFO]\r\nAUTHOR=folder\r\n"));
  WriteFile(root_ / "cwd/Skins/Packed.asz", OptionsPackage("[GLOBALINFO]\nAUTHOR=package\n"));
  // The package beside the program is not the one searched for.
  WriteFile(root_ / "app/Skins/Folder2.asz", OptionsPackage("[GLOBALINFO]\nAUTHOR=wrong\n"));
  Store(u"Stored", OptionsPackage("[GLOBALINFO]\nAUTHOR=stored\n"));

  m_->SetSkinName(u"Folder");
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_FALSE(m_->SkinIsPacked);
  EXPECT_EQ(m_->SkinCommonInfo.SkinPath, App() + u"Skins/Folder/");
  EXPECT_EQ(m_->SkinFile, m_->SkinCommonInfo.OptionsDat.get());
  EXPECT_EQ(m_->SkinFile->ReadString(u"GLOBALINFO", u"AUTHOR", u""), u"folder");

  m_->SetSkinName(u"Packed");
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_TRUE(m_->SkinIsPacked);
  EXPECT_EQ(m_->SkinFile->ReadString(u"GLOBALINFO", u"AUTHOR", u""), u"package");
  EXPECT_EQ(m_->SkinCommonInfo.SkinPath, App() + u"Skins/Packed/");
  ASSERT_TRUE(m_->sc);
  EXPECT_EQ(m_->sc->FileCount, 1);
  EXPECT_FALSE(m_->sc->PackedData);

  m_->SetSkinName(u"Folder2");
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_EQ(m_->SkinName(), u"Stored");  // nothing else matched
  EXPECT_EQ(m_->SkinFile->ReadString(u"GLOBALINFO", u"AUTHOR", u""), u"stored");
  EXPECT_TRUE(m_->SkinCommonInfo.SkinPath.empty());
  EXPECT_TRUE(texts_.empty());
}

TEST_F(SkinManagerTest, StoredSkinChoiceAndNoSkinAtAll) {
  Store(u"A", OptionsPackage("[GLOBALINFO]\nN=a\n"));
  Store(u"Y", OptionsPackage("[GLOBALINFO]\nN=y\n"));
  Name(u"Y");
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_EQ(m_->SkinFile->ReadString(u"GLOBALINFO", u"N", u""), u"y");
  m_->SetSkinName(u"y");  // exact names only
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_EQ(m_->SkinName(), u"A");
  EXPECT_TRUE(m_->SkinIsPacked);
  EXPECT_FALSE(m_->sc->PackedData);  // the bytes went back to the item

  TsSkinManager empty(nullptr);
  empty.SetSkinName(u"X");
  EXPECT_FALSE(empty.InitSkinFile());
  EXPECT_FALSE(empty.Active());
}

TEST_F(SkinManagerTest, PackagesWithoutOptionsReportInternalFormatError) {
  Store(u"Empty", WritePackage({}, nullptr));
  Name(u"Empty");
  EXPECT_FALSE(m_->InitSkinFile());
  ASSERT_EQ(texts_.size(), 1u);
  EXPECT_EQ(kinds_[0], TacMessageKind::mkPlain);
  EXPECT_EQ(texts_[0],
            u"Internal format error in the \"Empty\" skin. Please, update this skin "
            u"to latest version.");
  EXPECT_EQ(m_->ManagerState, 0u);

  // A stored item without bytes does not leave the previous options behind.
  Store(u"Good", OptionsPackage("[GLOBALINFO]\nN=1\n"));
  Store(u"NoBytes", {});
  m_->SetSkinName(u"Good");
  ASSERT_TRUE(m_->InitSkinFile());
  m_->SetSkinName(u"NoBytes");
  EXPECT_FALSE(m_->InitSkinFile());
  EXPECT_EQ(texts_.size(), 2u);

  WriteFile(root_ / "cwd/pk/Bare.asz", WritePackage({{"x.png", Bytes("p")}}, nullptr));
  m_->SetSkinDirectory(u"pk");
  m_->SetSkinName(u"Bare");
  EXPECT_FALSE(m_->InitSkinFile());
  EXPECT_EQ(texts_.back(), InternalFormatErrorText(u"Bare"));
}

TEST_F(SkinManagerTest, NotAPackageDialogIsNotSkinned) {
  Store(u"Junk", Bytes("this is no package"));
  Name(u"Junk");
  m_->Options.ChangeSysColors = true;
  EXPECT_FALSE(m_->InitSkinFile());
  ASSERT_EQ(texts_.size(), 2u);
  EXPECT_EQ(texts_[0], kNotPackedSkinText);
  EXPECT_EQ(kinds_[0], TacMessageKind::mkError);
  EXPECT_EQ(rules_seen_[0] & Bit(srStdDialogs), 0u);
  EXPECT_EQ(texts_[1], InternalFormatErrorText(u"Junk"));
  EXPECT_NE(m_->SkinningRules & Bit(srStdDialogs), 0u);
  EXPECT_TRUE(m_->Options.ChangeSysColors);
}

TEST_F(SkinManagerTest, CorruptStoredPackageRaisesAndGivesBytesBack) {
  TBytes pkg = OptionsPackage("[GLOBALINFO]\n");
  pkg.resize(pkg.size() - 5);
  Store(u"Cut", pkg);
  Name(u"Cut");
  EXPECT_THROW(m_->InitSkinFile(), ESkinPackageError);
  ASSERT_TRUE(m_->sc);
  EXPECT_FALSE(m_->sc->PackedData);
  EXPECT_EQ(m_->InternalSkins().Items(0).PackedData(), pkg);
}

TEST_F(SkinManagerTest, PreviewOptionsWinOverEverything) {
  Store(u"S", OptionsPackage("[GLOBALINFO]\nN=stored\n"));
  Name(u"S");
  m_->PreviewOptions = u"[GLOBALINFO]\r\nN=preview\r\n";
  ASSERT_TRUE(m_->InitSkinFile());
  EXPECT_EQ(m_->SkinFile->ReadString(u"GLOBALINFO", u"N", u""), u"preview");
  EXPECT_FALSE(m_->SkinIsPacked);
}

TEST_F(SkinManagerTest, ExtractionWritesBytesUnderASafeName) {
  const TBytes pkg = OptionsPackage("[GLOBALINFO]\n");
  Store(u"../../evil/Name", pkg);
  Store(u"Twice", Bytes("1"));
  Store(u"Twice", Bytes("2"));
  const ustring out = Utf8ToUtf16((root_ / "out").string());
  m_->ExtractInternalSkin(u"../../evil/Name", out);
  EXPECT_EQ(texts_, (std::vector<ustring>{u"Directory does not exists."}));
  fs::create_directories(root_ / "out");
  m_->ExtractInternalSkin(u"../../evil/Name", out);
  const fs::path written = root_ / "out" / "____evil_Name extracted.asz";
  ASSERT_TRUE(fs::exists(written));
  EXPECT_EQ(ReadWholeFile(written.string()), pkg);
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "out"), fs::directory_iterator()), 1);
  m_->ExtractInternalSkin(u"Missing", out);
  EXPECT_EQ(texts_.back(), u"Skin does not exists.");
  m_->ExtractInternalSkin(u"Twice", out);  // every item of that name, the last one stays
  EXPECT_EQ(ReadWholeFile((root_ / "out" / "Twice extracted.asz").string()), Bytes("2"));
  // A folder that is created on the way, and one that cannot be.
  EXPECT_TRUE(m_->ExtractByIndex(1, Utf8ToUtf16((root_ / "new/sub").string())));
  EXPECT_TRUE(fs::exists(root_ / "new/sub/Twice extracted.asz"));
  WriteFile(root_ / "file", Bytes("x"));
  const ustring blocked = Utf8ToUtf16((root_ / "file/sub").string());
  EXPECT_FALSE(m_->ExtractByIndex(1, blocked));
  EXPECT_EQ(texts_.back(), blocked + u" directory creation error.");
  EXPECT_FALSE(m_->ExtractByIndex(7, out));
}

TEST_F(SkinManagerTest, StoredSkinsDefaultsAssignAndEvents) {
  int changes = 0;
  m_->OnSkinListChanged = [&](TObject*) { ++changes; };
  m_->SkinListController.UpdateNeeded = false;
  TsStoredSkin& a = m_->InternalSkins().Add();
  EXPECT_TRUE(m_->SkinListController.UpdateNeeded);
  EXPECT_EQ(a.Shadow1Blur(), -1);
  EXPECT_EQ(a.BorderColor(), 0xFF00FF);
  EXPECT_EQ(a.Version(), 0);
  a.SetName(u"Alpha");
  a.SetVersion(14.01);
  a.SetOrigName(u"MetroUI.asz");
  a.SetPackedData(Bytes("bytes"));
  TsStoredSkin& b = m_->InternalSkins().Add();
  const int before = changes;
  b.Assign(a);
  EXPECT_GT(changes, before);
  EXPECT_EQ(b.Name(), u"Alpha");
  EXPECT_EQ(b.Version(), 14.01);
  EXPECT_EQ(b.OrigName(), u"MetroUI.asz");
  EXPECT_EQ(b.PackedData(), Bytes("bytes"));
  EXPECT_EQ(m_->InternalSkins().IndexOf(u"Alpha"), 0);
  EXPECT_EQ(m_->InternalSkins().IndexOf(u"alpha"), -1);
}

}  // namespace
}  // namespace qv
