// FreeType ownership: library and face lifetimes.
#include "platform/text/freetype.h"

#include <stdexcept>

namespace qv::text {

TFreeTypeLibrary::TFreeTypeLibrary() {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
}

TFreeTypeLibrary::~TFreeTypeLibrary() { FT_Done_FreeType(library_); }

std::shared_ptr<TFreeTypeLibrary> FreeTypeLibrary() {
  static const std::shared_ptr<TFreeTypeLibrary> library = std::make_shared<TFreeTypeLibrary>();
  return library;
}

TFtFace::TFtFace(std::shared_ptr<TFreeTypeLibrary> library, FT_Face face, TFontBytes bytes)
    : library_(std::move(library)), face_(face), bytes_(std::move(bytes)) {}

TFtFace::~TFtFace() { FT_Done_Face(face_); }

std::unique_ptr<TFtFace> TFtFace::OpenFile(const std::string& path, int index) {
  auto library = FreeTypeLibrary();
  FT_Face face = nullptr;
  if (FT_New_Face(library->Get(), path.c_str(), index, &face) != 0) return nullptr;
  return std::unique_ptr<TFtFace>(new TFtFace(std::move(library), face, nullptr));
}

std::unique_ptr<TFtFace> TFtFace::OpenMemory(TFontBytes bytes, int index) {
  if (!bytes || bytes->empty()) return nullptr;
  auto library = FreeTypeLibrary();
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(library->Get(), bytes->data(), static_cast<FT_Long>(bytes->size()), index,
                         &face) != 0)
    return nullptr;
  return std::unique_ptr<TFtFace>(new TFtFace(std::move(library), face, std::move(bytes)));
}

}  // namespace qv::text
