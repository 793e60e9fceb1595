// JPEG decoding through libjpeg-turbo (baseline and progressive; grey, colour
// and CMYK files).
#pragma once

#include <cstdint>
#include <span>

#include "platform/bitmap.h"
#include "platform/image_error.h"

namespace qv {

// Decodes a whole JPEG file into a top-down bitmap with PixelFormat pf24bit
// and alpha 0, as an image drawn from a file without alpha. Malformed or
// truncated data (libjpeg's warnings included) throws EInvalidGraphic.
TBitmap32 DecodeJpeg(std::span<const std::uint8_t> data);

// True when the bytes start with a JPEG start-of-image marker.
bool IsJpeg(std::span<const std::uint8_t> data);

}  // namespace qv
