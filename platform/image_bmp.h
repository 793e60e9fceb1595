// BMP decoding: 1, 4, 8, 16, 24 and 32 bits a pixel; uncompressed, bit
// fields and RLE4/RLE8; bottom-up and top-down rows.
#pragma once

#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/image_error.h"

namespace qv {

// Decodes a whole BMP file. The result keeps the file's row order and records
// what the file stood for in PixelFormat: pf32bit for 32-bit files (whose
// fourth byte, or the alpha bit field, is kept), pf24bit for 16- and 24-bit
// files and pf8bit for palette files; pixels of those carry alpha 0.
// Malformed data throws EInvalidGraphic.
TBitmap32 DecodeBmp(std::span<const std::uint8_t> data);

// True when the bytes start like a BMP file.
bool IsBmp(std::span<const std::uint8_t> data);

}  // namespace qv
