// acPNG: the program's own PNG decoder. Reads the chunk stream (every CRC
// checked), inflates the image data with zlib, reverses the scanline filters and
// converts every colour type and sample depth, interlaced or not, to 8-bit BGRA.
// The bytes come from skin packages and stored descriptions, so the decoder
// treats them as hostile: sizes are bounded and every length and index checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/image_error.h"

namespace qv {

// Raised for any file the decoder cannot read; the message is the one shown to
// the user. A kind of EInvalidGraphic, so image loaders catch every codec alike.
// Pictures beyond the codecs' common bounds (kMaxImageSide, kMaxImagePixels)
// are refused before anything is allocated.
class EPngError : public EInvalidGraphic {
 public:
  using EInvalidGraphic::EInvalidGraphic;
};

// How the samples of one pixel are laid out in a file's scanlines; the values
// are the file's colour types.
enum class TPngColorScheme { csGray = 0, csRGB = 2, csIndexed = 3, csGrayAlpha = 4, csRGBA = 6 };

struct TPngSampleFormat {
  TPngColorScheme Scheme = TPngColorScheme::csRGBA;
  int BitsPerSample = 8;
  int SamplesPerPixel = 4;
};

// Checks that samples of `source` can be converted to bitmaps of `target`
// (pf32bit: BGRA with alpha; pf24bit: colours only, alpha 255; pf8bit: the
// palette colours of an indexed image). Throws EPngError otherwise.
void CheckPngConversion(const TPngSampleFormat& source, TPixelFormat target);

struct TPngLoadOptions {
  TPixelFormat PixelFormat = TPixelFormat::pf32bit;
  // Gamma is applied only when asked for, and only when the file has gAMA.
  bool ApplyGamma = false;
  double DisplayGamma = 2.2;  // exponent of the display
};

// What the file says about itself beyond its pixels.
struct TPngInfo {
  int Width = 0;
  int Height = 0;
  int BitDepth = 0;
  int ColorType = 0;  // as stored: 0 gray, 2 RGB, 3 indexed, 4 gray + alpha, 6 RGBA
  bool Interlaced = false;
  bool HasTransparency = false;  // tRNS present
  double Gamma = 0;              // gAMA / 100000, 0 when absent
  bool HasBackground = false;    // bKGD present
  TColor Background = clNone;    // bKGD as 8-bit colour
};

// True when `data` starts with the PNG signature.
bool IsPngData(std::span<const std::uint8_t> data);

// Decodes a complete PNG file into a top-down 32-bit bitmap (straight alpha).
// Throws EPngError with the user-facing message on any error.
TBitmap32 LoadPngImage(std::span<const std::uint8_t> data, const TPngLoadOptions& options = {},
                       TPngInfo* info = nullptr);

}  // namespace qv
