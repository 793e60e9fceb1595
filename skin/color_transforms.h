// Colour transforms of skin pictures: brightness, saturation, hue rotation and
// colour tone of one pixel or colour value, and their application to every
// pixel of a 32-bit bitmap except a key colour.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/color.h"

namespace qv {

// Each colour byte c: b > 0 gives min(255, c + b c div 256), b < 0 gives
// max(0, c - |b| c div 256). The top byte is kept. Same for pixels and colours.
TBGRA BrightnessPixel(TBGRA p, int b);
TColor BrightnessColor(TColor c, int b);

// The saturation setting in percent as the amount of SaturationPixel.
int SaturationAmount(int percent);
// Moves each channel away from (a > 0) or towards (a < 0) the pixel's luma.
TBGRA SaturationPixel(TBGRA p, int a);
TColor SaturationColor(TColor c, int a);

// Rotates the hue by d degrees on whole degrees; greys are kept. The result
// angle is always taken into 0..359, so negative offsets rotate backwards.
TBGRA HuePixel(TBGRA p, int d);
TColor HueColor(TColor c, int d);

// Keeps the pixel's brightest channel m and gives it the tone's colour:
// each channel := m * tone channel div 256. tone is a plain colour value.
TBGRA TonePixel(TBGRA p, TColor tone);

enum class TPixelOp { Brightness, Saturation, Hue, Tone };

// "Skip nothing" as the key of ApplyToBitmap.
constexpr std::uint32_t kNoKeyPixel = 0x1FFFFFFF;
// The key colour of skin pictures as a pixel value 0xAARRGGBB.
constexpr std::uint32_t kKeyPixelValue = 0x00FF00FF;

// Runs op with amount (degrees, percent-amount, brightness or tone colour)
// on every pixel of bmp whose 0xAARRGGBB value is not key. A tone of clNone
// is no tone.
void ApplyToBitmap(TBitmap32& bmp, TPixelOp op, int amount, std::uint32_t key = kKeyPixelValue);
// The same restricted to r (clipped to the bitmap).
void ApplyToRect(TBitmap32& bmp, const TRect& r, TPixelOp op, int amount,
                 std::uint32_t key = kKeyPixelValue);

constexpr std::uint32_t PixelValue(TBGRA p) {
  return p.B | (std::uint32_t{p.G} << 8) | (std::uint32_t{p.R} << 16) | (std::uint32_t{p.A} << 24);
}

}  // namespace qv
