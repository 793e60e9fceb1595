// The gallery's reading of a skin folder, for its section pictures until the
// program's skin loader can hand it a loaded skin: the options file, the
// section model, the master bitmap and the element images, the elements
// prepared for one pixel density and the sections' border, corner and
// texture elements found. Common sections, computed outer-effect elements,
// JPEG textures and the manager's colour settings are the loader's and are
// not done here.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "skin/control_paint_view.h"
#include "skin/skin_manager.h"

namespace qv::gallery {

class ESkinFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TGallerySkin {
  std::unique_ptr<TsSkinManager> Manager;  // the elements' owner
  std::unique_ptr<TacSkinData> Data;
  TacSkinCommonInfo Info;
  TBitmap32 Master;

  TSectionSkin Skin() const { return {Data.get(), &Master, nullptr}; }
};

// Reads the skin in folder for ppi. ESkinFolderError names what is missing
// or malformed (no options file, an image that cannot be read); elements
// whose image file is missing stay in place and paint nothing.
TGallerySkin LoadGallerySkin(const std::filesystem::path& folder, int ppi);

}  // namespace qv::gallery
