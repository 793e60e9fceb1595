// The program's pictures, drawn from code: the eight images of the main
// window's image list, at their 16-pixel design size and at the sizes denser
// screens show them at, and the three sizes of the application icon.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace qv::icongen {

constexpr int kListImageCount = 8;
constexpr int kListImageSize = 16;
// 96, 120, 144 and 192 pixels per inch.
constexpr int kListImageSizes[] = {16, 20, 24, 32};
constexpr int kAppIconSizes[] = {16, 32, 48};

// Image `index` of the list: 0 person, 1 binoculars, 2 lifebuoy, 3 magnifying
// glass, 4 house, 5 trophy cup, 6 two sheets of paper, 7 information sign;
// drawn at one of kListImageSizes pixels square.
TBitmap32 DrawListImage(int index, int size = kListImageSize);
// Where image `index` at `size` pixels lives below the resources folder.
std::string ListImagePath(int index, int size);
// The application mark at `size` pixels square: a football on a tactics board.
TBitmap32 DrawAppIcon(int size);

struct TIconFile {
  std::string Path;  // relative to the resources folder, '/'-separated
  TBitmap32 Bitmap;
};

// Every committed picture, in a fixed order: the list images size by size,
// then the icon sizes.
std::vector<TIconFile> AllIconFiles();

}  // namespace qv::icongen
