// The application icon: three images (16, 32 and 48 pixels) embedded from
// resources/icon/, handed to the main window as its small and big icon.
#pragma once

#include "platform/bitmap.h"
#include "platform/component/form.h"

namespace qv {

struct TAppIcon {
  TBitmap32 Small;   // 16 x 16
  TBitmap32 Medium;  // 32 x 32
  TBitmap32 Large;   // 48 x 48
  // Sets the window's small icon and big icon (the window keeps copies).
  void ApplyTo(TCustomForm& form) const;
};

// The embedded images; a missing one stays empty.
TAppIcon LoadAppIcon();

}  // namespace qv
