// What the stored skins and the skin list need of the component that owns
// them (the skin manager), so that neither has to know the manager itself.
#pragma once

#include "platform/ustring.h"

namespace qv {

class TsStoredSkins;
class TacSkinListController;

// Which skins the skin list shows (bits of TacSkinsFilter).
enum TacSkinsFilterItem { sfiInternal, sfiExternal };
constexpr unsigned Bit(int item) { return 1u << item; }

class TacSkinListOwner {
 public:
  // The list is not rebuilt while the owner is read from a description or
  // being destroyed.
  virtual bool ListFrozen() const = 0;
  virtual unsigned ListFilter() const = 0;
  virtual const TsStoredSkins& StoredSkins() const = 0;
  // The folder of skin packages, absolute, and its setting as written.
  virtual ustring ListFolder() const = 0;
  virtual ustring ListFolderSetting() const = 0;
  // The list of the application's default owner, when that is another one.
  virtual TacSkinListController* DefaultList() = 0;
  // A stored skin changed, was added or removed.
  virtual void StoredSkinsChanged(bool added) = 0;

 protected:
  ~TacSkinListOwner() = default;
};

}  // namespace qv
