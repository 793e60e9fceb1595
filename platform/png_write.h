// PNG writing through libpng, for tools and tests: a 32-bit bitmap becomes an
// 8-bit RGBA (or, without alpha, RGB) PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/image_error.h"

namespace qv {

enum class TPngAlpha {
  Keep,    // the alpha byte is written as it stands
  Opaque,  // colour only; the file has no alpha channel
};

// The PNG file bytes of a bitmap; an empty bitmap throws EInvalidGraphic.
std::vector<std::uint8_t> EncodePng(const TBitmap32& bmp, TPngAlpha alpha = TPngAlpha::Keep);

// Writes the PNG file; failures (including I/O) throw EInvalidGraphic.
void WritePng(const TBitmap32& bmp, const std::string& path, TPngAlpha alpha = TPngAlpha::Keep);

}  // namespace qv
