// The program's pictures, drawn from code: the eight 16x16 images of the main
// window's image list and the three sizes of the application icon.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qv::icongen {

constexpr int kListImageCount = 8;
constexpr int kListImageSize = 16;
constexpr int kAppIconSizes[] = {16, 32, 48};

// Image `index` of the list: 0 person, 1 binoculars, 2 lifebuoy, 3 magnifying
// glass, 4 house, 5 trophy cup, 6 two sheets of paper, 7 information sign.
TBitmap32 DrawListImage(int index);
// The application mark at `size` pixels square: a football on a tactics board.
TBitmap32 DrawAppIcon(int size);

struct TIconFile {
  std::string Path;  // relative to the resources folder, '/'-separated
  TBitmap32 Bitmap;
};

// Every committed picture, in a fixed order: the list images, then the icon sizes.
std::vector<TIconFile> AllIconFiles();

}  // namespace qv::icongen
