// The skin the gallery's skin mode shows, loaded by the program's own skin
// manager: the window's manager read from the program's stored window
// description (its stored skin, with the window's hue offset), a skin folder,
// or a package file (".asz"). The loaded data of one density is what the
// skin sheet paints.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/component/component.h"
#include "platform/stream/description.h"
#include "skin/control_paint_view.h"
#include "skin/skin_manager.h"

namespace qv::gallery {

class ESkinSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the first object of class_name in the program's stored window
// description, as the program's own reader does, under owner; adjust may
// change its properties first. The component read; ESkinSourceError when the
// description or the object is missing.
TComponent& ReadStoredObject(TComponent& owner, std::string_view class_name,
                             const std::function<void(TDescObject&)>& adjust = {});

class TGallerySkin {
 public:
  // source: empty for the program's own stored skin, else a skin folder or a
  // package file. ESkinSourceError names what is wrong (no such folder or
  // file, no options file, what the skin engine reported) when no skin loads.
  TGallerySkin(const std::string& source, int ppi);
  ~TGallerySkin();
  TGallerySkin(const TGallerySkin&) = delete;
  TGallerySkin& operator=(const TGallerySkin&) = delete;

  const TsSkinManager& Manager() const { return *manager_; }
  const TacSkinData& Data() const { return *data_; }
  TSectionSkin Skin() const { return {data_, manager_->MasterBitmap.get(), &colors_}; }
  // What the sheet's heading says: the skin's name, where it came from and
  // its hue offset.
  const ustring& Title() const { return title_; }

 private:
  void LoadStored();
  void LoadFolder(const std::string& folder);
  void LoadPackage(const std::string& file);

  std::unique_ptr<TComponent> owner_;
  TsSkinManager* manager_ = nullptr;
  const TacSkinData* data_ = nullptr;
  TSkinColorSource colors_;
  ustring title_;
};

}  // namespace qv::gallery
