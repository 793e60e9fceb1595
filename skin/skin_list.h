// The skin list of a manager: its stored skins and the packages of its skin
// directory, with their preview images. The directory is read lazily, either
// at once or one entry per tick of a 12 ms GUI timer.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/bitmap.h"
#include "platform/component/component.h"
#include "platform/ustring.h"
#include "skin/gui_timer.h"
#include "skin/skin_owner.h"

namespace qv {

enum TacSkinMode { smInternal = 0, smExtPacked = 1, smExtUnpacked = 2 };
enum TacSkinTypes { stUnpacked = 0, stPacked = 1, stAllSkins = 2 };

struct TacSkinListData {
  TacSkinMode skSkinMode = smInternal;
  int skImageIndex = -1;
  ustring skName;
};

// A listed name with its preview index (the item's draw data).
struct TacSkinNameItem {
  ustring Name;
  int ImageIndex = -1;
};

// Commands sent to the controls that follow the list.
constexpr int scSkinListSkinChanged = 74;
constexpr int scSkinListChanged = 75;
// How a command reaches a control: the skin command message unless tests
// install a sender.
using TSkinCommandSender = std::function<void(TObject* control, int command)>;
TSkinCommandSender SetSkinCommandSender(TSkinCommandSender sender);

constexpr int kPreviewWidth = 140;
constexpr int kPreviewHeight = 100;
constexpr int kSkinListTick = 12;  // ms

class TacSkinListController {
 public:
  explicit TacSkinListController(TacSkinListOwner* owner) : owner_(owner) {}
  TacSkinListController(const TacSkinListController&) = delete;
  TacSkinListController& operator=(const TacSkinListController&) = delete;

  ustring sPath;
  std::vector<TacSkinListData> SkinList;
  std::vector<TBitmap32> ImgList;  // previews, 140 x 100
  bool UpdateNeeded = true;
  std::vector<TObject*> Controls;

  // Rebuilds the list; false while the manager is loading or being destroyed.
  bool UpdateData(bool update_now);
  // UpdateData(force) while an update is needed; stays needed when it failed.
  void UpdateIfNeeded(bool force_updating);
  void AddSkin(ustring_view name, int int_index);
  // Takes the current directory entry; true when the search has ended.
  bool AddSkinData();
  // Finishes a delayed read at once.
  void CheckThread();
  void StartDelayedLoading();
  bool Delayed() const { return static_cast<bool>(thread_); }
  void SendListChanged();
  void SendSkinChanged();
  void AddControl(TObject* c);
  void DelControl(TObject* c);

 private:
  void CloseSearch();
  void FinishSearch();
  bool CopyFromDefault();

  TacSkinListOwner* owner_;
  std::optional<std::filesystem::directory_iterator> file_info_;
  std::unique_ptr<TacGuiTimer> thread_;
};

}  // namespace qv
