// The skin list: stored skins and packages of the skin directory, previews,
// name filtering and sorting, paced reading, and stored skins read from a
// window description.
#include "skin/skin_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/component/reader.h"
#include "platform/png_write.h"
#include "platform/resources.h"
#include "skin/skin_manager.h"
#include "skin/skin_paths.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TBytes Bytes(std::string_view s) { return TBytes(s.begin(), s.end()); }

TBytes PreviewPng() {
  TBitmap32 b(140, 100);
  b.Fill({1, 2, 3, 255});
  return EncodePng(b);
}

TBytes Package(bool preview) {
  const TBytes png = PreviewPng();
  return WritePackage({{"OPTIONS.DAT", Bytes("[GLOBALINFO]")}}, preview ? &png : nullptr);
}

void WriteFile(const fs::path& p, const TBytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A timer the test ticks by hand.
struct TManualTimers {
  struct TTimer : TacGuiTimer {
    TManualTimers* owner;
    std::function<void()> tick;
    TTimer(TManualTimers* o, std::function<void()> t) : owner(o), tick(std::move(t)) {
      owner->live = this;
    }
    ~TTimer() override {
      if (owner->live == this) owner->live = nullptr;
    }
  };
  TTimer* live = nullptr;
  int interval = 0;
  bool Tick() {
    if (!live) return false;
    auto tick = live->tick;  // the tick may free its timer
    tick();
    return true;
  }
};

class SkinListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        (std::string("qv_list_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    skins_ = dir_ / "data" / "quorvane" / "skins";
    fs::create_directories(skins_);
    setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
    SetApplicationFolderOverride(Utf8ToUtf16(dir_.string()));
    previous_hook_ =
        SetSkinMessageHook([this](TacMessageKind, ustring_view t) { messages_.emplace_back(t); });
    previous_sender_ =
        SetSkinCommandSender([this](TObject*, int cmd) { commands_.push_back(cmd); });
    manager_ = std::make_unique<TsSkinManager>(nullptr);
  }
  void TearDown() override {
    manager_.reset();
    SetGuiTimerFactory(nullptr);
    SetSkinCommandSender(previous_sender_);
    SetSkinMessageHook(previous_hook_);
    unsetenv("XDG_DATA_HOME");
    SetApplicationFolderOverride(std::nullopt);
    fs::remove_all(dir_);
  }
  void Fill() {
    TsStoredSkin& s = manager_->InternalSkins().Add();
    s.SetName(u"MetroUI (internal)");
    s.SetPackedData(Package(true));
    manager_->InternalSkins().Add().SetName(u"bare stored");
    WriteFile(skins_ / "Zeta.asz", Package(true));
    WriteFile(skins_ / "alpha.asz", Package(false));
    WriteFile(skins_ / "Double.asz.asz", Package(false));
    WriteFile(skins_ / "CAPS.ASZ", Package(true));
    WriteFile(skins_ / ".hidden.asz", Package(true));
    WriteFile(skins_ / "notes.txt", Bytes("x"));
    fs::create_directories(skins_ / "Folder.asz");
  }
  static std::vector<ustring> Names(const std::vector<TacSkinNameItem>& items) {
    std::vector<ustring> n;
    for (const auto& i : items) n.push_back(i.Name);
    return n;
  }

  fs::path dir_, skins_;
  std::unique_ptr<TsSkinManager> manager_;
  std::vector<int> commands_;
  TSkinCommandSender previous_sender_;
  TSkinMessageHook previous_hook_;
  std::vector<ustring> messages_;
};

TEST_F(SkinListTest, ListsStoredSkinsAndLowerCasePackagesSorted) {
  Fill();
  ustring first;
  const auto all = manager_->GetSkinNames(&first);
  EXPECT_EQ(first, u"MetroUI (internal)");
  EXPECT_EQ(Names(all), (std::vector<ustring>{u"alpha", u"bare stored", u"Double.asz",
                                              u"MetroUI (internal)", u"Zeta"}));
  const auto& list = manager_->SkinListController.SkinList;
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0].skSkinMode, smInternal);
  EXPECT_EQ(list[0].skImageIndex, 0);
  EXPECT_EQ(list[1].skImageIndex, -1);
  for (const auto& item : all) {
    if (item.Name == u"Zeta") {
      EXPECT_GE(item.ImageIndex, 0);
    }
    if (item.Name == u"alpha") {
      EXPECT_EQ(item.ImageIndex, -1);
    }
  }
  EXPECT_EQ(manager_->SkinListController.ImgList.size(), 2u);
  EXPECT_EQ(manager_->SkinListController.ImgList[0].Width(), kPreviewWidth);
  EXPECT_EQ(Names(manager_->GetSkinNames(nullptr, stPacked)),
            (std::vector<ustring>{u"bare stored", u"MetroUI (internal)"}));
  EXPECT_EQ(Names(manager_->GetExternalSkinNames()),
            (std::vector<ustring>{u"alpha", u"Double.asz", u"Zeta"}));
  EXPECT_FALSE(manager_->SkinListController.UpdateNeeded);
  const std::vector<ustring> names = Names(all);
  EXPECT_NE(std::find(names.begin(), names.end(), manager_->GetRandomSkin()), names.end());
}

TEST_F(SkinListTest, FiltersAndMissingFolder) {
  Fill();
  manager_->SkinsFilter = Bit(sfiInternal);
  EXPECT_EQ(manager_->GetSkinNames().size(), 2u);
  manager_->SkinsFilter = Bit(sfiExternal);
  manager_->SkinListController.UpdateNeeded = true;
  EXPECT_EQ(manager_->GetSkinNames().size(), 3u);
  manager_->SetSkinDirectory(u"nowhere");
  EXPECT_TRUE(manager_->GetSkinNames().empty());
  EXPECT_TRUE(manager_->GetRandomSkin().empty());
}

TEST_F(SkinListTest, DelayedReadingTakesOneEntryPerTickAndNotifiesAtTheEnd) {
  Fill();
  TManualTimers timers;
  SetGuiTimerFactory([&](int ms, std::function<void()> tick) -> std::unique_ptr<TacGuiTimer> {
    timers.interval = ms;
    return std::make_unique<TManualTimers::TTimer>(&timers, std::move(tick));
  });
  TObject control;
  manager_->SkinListController.AddControl(&control);
  manager_->SkinListController.AddControl(&control);
  ASSERT_TRUE(manager_->SkinListController.UpdateData(false));
  EXPECT_EQ(timers.interval, 12);
  EXPECT_TRUE(manager_->SkinListController.Delayed());
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(manager_->SkinListController.SkinList.size(), 2u);  // stored skins at once
  int ticks = 0;
  while (timers.Tick()) ++ticks;
  EXPECT_EQ(ticks, 7);  // one per directory entry
  EXPECT_FALSE(manager_->SkinListController.Delayed());
  EXPECT_FALSE(manager_->SkinListController.UpdateNeeded);
  EXPECT_EQ(commands_, (std::vector<int>{scSkinListChanged}));
  EXPECT_EQ(manager_->SkinListController.SkinList.size(), 5u);

  // Asking for names finishes a pending read at once.
  commands_.clear();
  manager_->SkinListController.UpdateData(false);
  timers.Tick();
  EXPECT_EQ(manager_->GetSkinNames().size(), 5u);
  EXPECT_EQ(commands_, (std::vector<int>{scSkinListChanged}));
  EXPECT_FALSE(timers.live);
  manager_->SkinListController.DelControl(&control);
  manager_->SkinListController.SendSkinChanged();
  EXPECT_EQ(commands_.size(), 1u);
}

TEST_F(SkinListTest, SecondManagerOnTheSameFolderCopiesTheList) {
  Fill();
  TsSkinManager second(nullptr);
  second.SetSkinDirectory(UpperCase(manager_->SkinDirectory()));
  second.SkinsFilter = 0;  // would list nothing of its own
  EXPECT_EQ(second.GetSkinNames().size(), 5u);
}

class TRootForm : public TComponent {
 public:
  using TComponent::TComponent;
};

const std::uint8_t kStoredBytes[] = {'A', 'S', 'z', 'f', 0, 0, 0, 0};
TResourceRegistration kStored("skin_list_test.asz", kStoredBytes, sizeof kStoredBytes);

TEST_F(SkinListTest, StoredSkinsComeFromTheWindowDescription) {
  RegisterSkinManagerClasses();
  RegisterPersistentClass("TRootForm", "TComponent");
  const char* text = R"(object Form1: TRootForm
  object sSkinManager1: TsSkinManager
    InternalSkins = <
      item
        Name = 'MetroUI (internal)'
        Version = 14.01
        Shadow1Blur = 3
        BorderColor = clBlack
        OriginName = 'MetroUI.asz'
        Data = {skin_list_test.asz}
      end>
    SkinDirectory = 'D:\Design\Skins'
    SkinName = 'MetroUI (internal)'
  end
end
)";
  TRootForm form(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), form);
  auto* m = dynamic_cast<TsSkinManager*>(form.FindComponent("sSkinManager1"));
  ASSERT_TRUE(m);
  ASSERT_EQ(m->InternalSkins().Count(), 1);
  const TsStoredSkin& s = m->InternalSkins().Items(0);
  EXPECT_EQ(s.Name(), u"MetroUI (internal)");
  EXPECT_EQ(s.Version(), 14.01);
  EXPECT_EQ(s.Shadow1Blur(), 3);
  EXPECT_EQ(s.BorderColor(), 0);
  EXPECT_EQ(s.OrigName(), u"MetroUI.asz");
  EXPECT_EQ(s.PackedData(), TBytes(std::begin(kStoredBytes), std::end(kStoredBytes)));
  EXPECT_EQ(m->SkinDirectory(), u"D:\\Design\\Skins");
  EXPECT_EQ(m->SkinName(), u"MetroUI (internal)");
  // The stored bytes hold no options: said once, and no skin is shown.
  EXPECT_EQ(messages_, (std::vector<ustring>{InternalFormatErrorText(u"MetroUI (internal)")}));
  EXPECT_FALSE(m->IsActive());
}

}  // namespace
}  // namespace qv
