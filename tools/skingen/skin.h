// The program's skin "MetroUI (internal)" put together: every element drawn
// at the four densities and laid out in the master bitmap, the options text,
// the huge button's image file, the preview, and the package that holds them.
// The same source always gives the same bytes.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "skin/package.h"

namespace qv::skingen {

// The names the package and the options text use.
constexpr char kOptionsName[] = "OPTIONS.DAT";
constexpr char kHugeButtonName[] = "BUTTONHUGE.BMP";
constexpr char kMasterName[] = "MASTER COPY.PNG";
constexpr char kPackageName[] = "MetroUI.asz";
// Where the package lives below the resources folder, and its embedded name.
constexpr char kPackagePath[] = "skin/MetroUI.asz";

// One element as placed: its key at one density and its rectangle.
struct TPlacedElement {
  std::u16string Section;
  std::u16string Key;  // with its scale suffix
  std::string File;    // empty: the master bitmap
  TRect R;             // in the master bitmap, or the whole file
};

struct TSkinFiles {
  TBytes Options;
  TBytes HugeButton;
  TBytes Master;
  TBytes Preview;
  TBytes Package;
  std::vector<TPlacedElement> Placed;
};

// Draws and packs the skin. Throws std::logic_error when a drawing disagrees
// with a line of the skin that must stay as quoted.
TSkinFiles GenerateSkin();

// A 24-bit bottom-up BMP file of the picture's colours.
TBytes EncodeBmp24(const TBitmap32& bmp);

}  // namespace qv::skingen
