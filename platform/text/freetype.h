// FreeType ownership: the shared library instance and faces opened from a
// file or from a block of memory, each released in the right order.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::text {

// The library outlives every face opened from it: faces keep a reference.
class TFreeTypeLibrary {
 public:
  TFreeTypeLibrary();
  ~TFreeTypeLibrary();
  TFreeTypeLibrary(const TFreeTypeLibrary&) = delete;
  TFreeTypeLibrary& operator=(const TFreeTypeLibrary&) = delete;
  FT_Library Get() const { return library_; }

 private:
  FT_Library library_ = nullptr;
};

// The process-wide library (created on first use).
std::shared_ptr<TFreeTypeLibrary> FreeTypeLibrary();

// Memory font data shared between the registration and the faces using it.
using TFontBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

// One opened face. Memory faces keep their bytes alive, since FreeType reads
// them in place.
class TFtFace {
 public:
  // nullptr when the file or data is not a font FreeType can open.
  static std::unique_ptr<TFtFace> OpenFile(const std::string& path, int index);
  static std::unique_ptr<TFtFace> OpenMemory(TFontBytes bytes, int index);
  ~TFtFace();
  TFtFace(const TFtFace&) = delete;
  TFtFace& operator=(const TFtFace&) = delete;

  FT_Face Get() const { return face_; }

 private:
  TFtFace(std::shared_ptr<TFreeTypeLibrary> library, FT_Face face, TFontBytes bytes);

  std::shared_ptr<TFreeTypeLibrary> library_;
  FT_Face face_ = nullptr;
  TFontBytes bytes_;
};

}  // namespace qv::text
