// The skin package: one ".asz" file holding every file of a skin, each
// compressed as a zlib stream, with an optional preview image at the end.
// Reading it into memory (TacSkinConvertor), writing it (for the packing tool)
// and finding its preview.
//
//   "ASzf"  N:int32  N x { L:int32  name[L]  S:int32  zlib stream of S bytes }
//   [ "previewimg"  P:int32  P bytes of PNG ]
//
// Integers are little-endian; names are 8-bit code-page text without a path.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ustring.h"

namespace qv {

using TBytes = std::vector<std::uint8_t>;
using TByteView = std::span<const std::uint8_t>;

// A package whose sizes or streams do not hold together.
class ESkinPackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TacFileType : std::uint8_t { ftBmp = 0, ftFont = 1, ftOther = 2 };
// By the upper-cased extension: .BMP, .TTF/.OTF, anything else.
TacFileType FileTypeOf(ustring_view name);

struct TacFileItem {
  ustring Name;  // as stored
  TacFileType FileType = ftOther;
  TBytes Stream;  // decompressed content
};

// The text shown when bytes that should be a package are not one.
extern const char16_t kNotPackedSkinText[];

// One package unpacked in memory.
class TacSkinConvertor {
 public:
  // The decompressed options file; absent when the package had none.
  std::unique_ptr<TBytes> Options;
  // The package bytes while they are read. Either the convertor owns them
  // (read from a file) or they belong to someone else (a stored skin) and are
  // only borrowed for the read.
  std::optional<TByteView> PackedData;
  int FileCount = 0;
  std::vector<TacFileItem> Files;

  void OwnPackedData(TBytes bytes);
  void BorrowPackedData(TByteView bytes);
  void ReleasePackedData();

  // Frees every item (last first), the options and the package bytes.
  void Clear();

  // Reads PackedData from its start. False, after telling the user, when the
  // bytes are not a package; ESkinPackageError when it is corrupt. A package
  // without an options entry still succeeds.
  bool ReadPackage();

  // Shows the not-a-package error; the skin manager replaces it to keep the
  // dialog unskinned. Without it the error goes to ShowSkinError.
  std::function<void(ustring_view text)> ShowError;

  // The entry whose upper-cased name equals the upper-cased name; nullptr.
  const TacFileItem* FindFile(ustring_view name) const;

 private:
  TBytes owned_;
};

// Reads a package file into conv (created when null, otherwise cleared).
// Does nothing and returns false when the file does not exist; the package
// bytes are freed after the read.
bool ReadPackageFile(const std::string& path, std::unique_ptr<TacSkinConvertor>& conv);

// Finds the first "previewimg" block and copies its image into target.
// False when there is none; ESkinPackageError when its size is impossible.
bool ExtractPreview(TByteView package, TBytes& target);

// One file to pack.
struct TacPackEntry {
  std::string Name;  // 8-bit code-page bytes
  TBytes Content;
};
// The package bytes of entries in the given order, each compressed at the
// highest level; the same input always gives the same bytes.
TBytes WritePackage(const std::vector<TacPackEntry>& entries, const TBytes* preview);

// The whole file, or nullopt when it cannot be read.
std::optional<TBytes> ReadWholeFile(const std::string& path);

}  // namespace qv
