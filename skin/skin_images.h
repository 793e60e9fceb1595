// The image files of a skin being loaded: found among the entries of its
// package or in its folder, decoded by their names into 32-bit bitmaps with
// magenta made transparent.
#pragma once

#include <optional>

#include "platform/bitmap.h"
#include "platform/ustring.h"
#include "skin/package.h"

namespace qv {

// Where the files named in the options come from. A packed skin reads only
// its own entries; a folder skin reads files below its folder (a name with a
// ":" or a leading "/" is a full path).
class TacSkinFiles {
 public:
  TacSkinFiles(const TacSkinConvertor* package, ustring skin_path)
      : package_(package), skin_path_(std::move(skin_path)) {}

  // The bytes of the file, or nothing when it is missing or unreadable. A
  // package entry is not copied: the view lives as long as the package.
  struct TFile {
    TByteView Bytes;
    TBytes Owned;
  };
  std::optional<TFile> Read(ustring_view name) const;
  // The name as a user finds the file (the folder path, or the entry name).
  ustring Describe(ustring_view name) const;
  bool Packed() const { return package_ != nullptr; }

 private:
  ustring FolderPath(ustring_view name) const;

  const TacSkinConvertor* package_;
  ustring skin_path_;
};

// An element image by its (upper-cased) name: ".BMP" as BMP, ".JPG"/".JPEG"
// as JPEG, ".PNG" as PNG; a picture without alpha becomes 32-bit with magenta
// transparent. EInvalidGraphic for bad data or any other kind of name.
TBitmap32 DecodeSkinImage(TByteView bytes, ustring_view upper_name);
// The master bitmap: ".PNG" as PNG, any other name as BMP; opaque magenta of
// a PNG with alpha becomes transparent, and the result is marked transparent
// with the key colour.
TBitmap32 DecodeMasterBitmap(TByteView bytes, ustring_view upper_name);

// A picture without alpha made 32-bit: alpha 255, magenta pixels the key pixel.
void MakeKeyTransparent(TBitmap32& bmp);
// Each colour byte := byte x alpha div 256; the pixel 0x00FFFFFF becomes 0.
void PremultiplyAlpha(TBitmap32& bmp);

}  // namespace qv
