// What the gallery's skinned sections are built on: the program's own skin
// manager (its stored skin, with the window's hue offset) and its own image
// list, both read from the program's stored window description, so that the
// skinned samples look as they will in the window.
#pragma once

#include <memory>

#include "platform/component/component.h"
#include "platform/controls/imagelist.h"
#include "tools/gallery/skin_source.h"

namespace qv::gallery {

class TSkinnedLook {
 public:
  // The screen density must already be ppi: the image list draws its icons
  // at the screen's density. ESkinSourceError when the skin does not load.
  explicit TSkinnedLook(int ppi);
  ~TSkinnedLook();
  TSkinnedLook(const TSkinnedLook&) = delete;
  TSkinnedLook& operator=(const TSkinnedLook&) = delete;

  const TGallerySkin& Skin() const { return skin_; }
  TCustomImageList& Images() { return *images_; }
  // The colour of the window's client area in this skin.
  TColor FormColor() const { return skin_.Manager().GetGlobalColor(); }

 private:
  TGallerySkin skin_;
  std::unique_ptr<TComponent> owner_;
  TCustomImageList* images_ = nullptr;
};

}  // namespace qv::gallery
