// The gallery's skinned look: the program's skin manager and image list.
#include "tools/gallery/skinned_look.h"

#include "controls/alpha_imagelist.h"

namespace qv::gallery {

namespace {
constexpr char kImageListClass[] = "TsAlphaImageList";
}  // namespace

TSkinnedLook::TSkinnedLook(int ppi)
    : skin_("", ppi), owner_(std::make_unique<TComponent>(nullptr)) {
  RegisterAlphaImageListClasses();
  images_ = dynamic_cast<TCustomImageList*>(&ReadStoredObject(*owner_, kImageListClass));
  if (!images_) throw ESkinSourceError("the window's image list is not an image list");
}

TSkinnedLook::~TSkinnedLook() = default;

}  // namespace qv::gallery
