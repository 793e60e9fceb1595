// The skin list: stored skins and packages of the skin directory with their
// previews, read at once or paced by a GUI timer.
#include "skin/skin_list.h"

#include <algorithm>
#include <utility>

#include "platform/acPNG.h"
#include "skin/package.h"
#include "skin/skin_commands.h"
#include "skin/skin_paths.h"
#include "skin/stored_skins.h"

namespace qv {

namespace {

TSkinCommandSender& Sender() {
  static TSkinCommandSender sender;
  return sender;
}

}  // namespace

TSkinCommandSender SetSkinCommandSender(TSkinCommandSender sender) {
  return std::exchange(Sender(), std::move(sender));
}

void TacSkinListController::AddControl(TObject* c) {
  if (std::find(Controls.begin(), Controls.end(), c) == Controls.end()) Controls.push_back(c);
}

void TacSkinListController::DelControl(TObject* c) {
  Controls.erase(std::remove(Controls.begin(), Controls.end(), c), Controls.end());
}

namespace {

// The installed sender, or the skin command message for controls.
void Send(TObject* c, int command) {
  if (Sender())
    Sender()(c, command);
  else if (auto* control = dynamic_cast<TControl*>(c))
    SendSkinCommand(control, command);
}

}  // namespace

void TacSkinListController::SendListChanged() {
  for (TObject* c : std::vector<TObject*>(Controls)) Send(c, scSkinListChanged);
}

void TacSkinListController::SendSkinChanged() {
  for (TObject* c : std::vector<TObject*>(Controls)) Send(c, scSkinListSkinChanged);
}

void TacSkinListController::CloseSearch() { file_info_.reset(); }

void TacSkinListController::FinishSearch() {
  CloseSearch();
  UpdateNeeded = false;
}

bool TacSkinListController::CopyFromDefault() {
  TacSkinListController* def = owner_->DefaultList();
  if (!def || def == this ||
      UpperCase(def->owner_->ListFolderSetting()) != UpperCase(owner_->ListFolderSetting()))
    return false;
  TacSkinListController& other = *def;
  other.CheckThread();
  other.UpdateIfNeeded(true);
  sPath = other.sPath;
  SkinList = other.SkinList;
  ImgList = other.ImgList;
  UpdateNeeded = false;
  return true;
}

bool TacSkinListController::UpdateData(bool update_now) {
  if (owner_->ListFrozen()) return false;
  thread_.reset();
  CloseSearch();
  SkinList.clear();
  ImgList.clear();
  if (CopyFromDefault()) {
    SendListChanged();
    return true;
  }
  if (owner_->ListFilter() & Bit(sfiInternal)) {
    const TsStoredSkins& skins = owner_->StoredSkins();
    for (int i = 0; i < skins.Count(); ++i) AddSkin(skins.Items(i).Name(), i);
  }
  if (owner_->ListFilter() & Bit(sfiExternal)) {
    sPath = WithTrailingSeparator(owner_->ListFolder());
    std::error_code ec;
    std::filesystem::directory_iterator it(FsPath(sPath), ec);
    if (!ec) {
      file_info_ = std::move(it);
      if (update_now) {
        while (!AddSkinData()) {
        }
        FinishSearch();
      } else {
        StartDelayedLoading();
        if (thread_) return true;
      }
    } else {
      FinishSearch();
    }
  } else {
    UpdateNeeded = false;
  }
  SendListChanged();
  return true;
}

void TacSkinListController::UpdateIfNeeded(bool force_updating) {
  if (UpdateNeeded && !UpdateData(force_updating)) UpdateNeeded = true;
}

bool TacSkinListController::AddSkinData() {
  if (!file_info_ || *file_info_ == std::filesystem::directory_iterator()) return true;
  std::error_code ec;
  const auto& entry = **file_info_;
  const ustring name = Utf8ToUtf16(entry.path().filename().string());
  if (!name.empty() && name[0] != u'.' && !entry.is_directory(ec) &&
      entry.path().extension() == ".asz")
    AddSkin(name, -1);
  file_info_->increment(ec);
  if (ec) file_info_ = std::filesystem::directory_iterator();
  return *file_info_ == std::filesystem::directory_iterator();
}

void TacSkinListController::AddSkin(ustring_view name, int int_index) {
  TacSkinListData d;
  d.skName = ustring(name);
  TBytes preview;
  bool found = false;
  try {
    if (int_index < 0) {
      // Only the final extension goes: "a.asz.asz" stays "a.asz".
      if (d.skName.size() >= 4 && LowerCase(d.skName.substr(d.skName.size() - 4)) == u".asz")
        d.skName.resize(d.skName.size() - 4);
      d.skSkinMode = smExtPacked;
      if (const auto bytes = ReadWholeFile(FsPath(sPath + ustring(name))))
        found = ExtractPreview(*bytes, preview);
    } else {
      d.skSkinMode = smInternal;
      found = ExtractPreview(owner_->StoredSkins().Items(int_index).PackedData(), preview);
    }
    if (found) {
      ImgList.push_back(LoadPngImage(preview));
      d.skImageIndex = static_cast<int>(ImgList.size()) - 1;
    }
  } catch (const std::exception&) {
    // A broken preview only costs the entry its picture.
  }
  SkinList.push_back(std::move(d));
}

void TacSkinListController::StartDelayedLoading() {
  thread_.reset();
  thread_ = StartGuiTimer(kSkinListTick, [this] {
    if (!AddSkinData()) return;
    FinishSearch();
    // The timer is destroyed last: this lambda belongs to it.
    auto timer = std::move(thread_);
    SendListChanged();
  });
  if (!thread_) {
    // No GUI timer here: read the rest at once.
    while (!AddSkinData()) {
    }
    FinishSearch();
  }
}

void TacSkinListController::CheckThread() {
  if (!thread_) return;
  thread_.reset();
  while (!AddSkinData()) {
  }
  FinishSearch();
  SendListChanged();
}

}  // namespace qv
