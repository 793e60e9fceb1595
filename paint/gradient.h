// Gradient descriptions of skin section states: the stop record, the parser of
// the options text form, and the painters that fill a rectangle of a 32-bit
// bitmap from a parsed description (optionally mixed with a tiled texture).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/ustring.h"

namespace qv {

// Red, green, blue and a fourth byte (alpha where the stop says so); as an
// integer it reads 0xAABBGGRR.
struct TsColor {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  std::uint8_t A = 0;

  static constexpr TsColor FromValue(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  }
  constexpr std::uint32_t Value() const {
    return R | (static_cast<std::uint32_t>(G) << 8) | (static_cast<std::uint32_t>(B) << 16) |
           (static_cast<std::uint32_t>(A) << 24);
  }
  friend bool operator==(const TsColor&, const TsColor&) = default;
};

// Bits of TsGradPoint::Mode.
constexpr int gmShapeMask = 3;  // of the first stop: 0 vertical, 1 horizontal, 2 five-point
constexpr int gmVertical = 0;
constexpr int gmHorizontal = 1;
constexpr int gmFivePoint = 2;
constexpr int gmAlphaStop = 0x10;  // this stop's colour carries alpha
constexpr int gmHasAlpha = 0x20;   // of the first stop: some stop carries alpha

// One stop, an 11-byte packed record as skins store it.
#pragma pack(push, 1)
struct TsGradPoint {
  std::uint16_t Index = 0;  // ordinal in the description; not used for painting
  std::int32_t Mode = 0;
  TsColor Color{};
  std::uint8_t Percent = 0;  // position in percent of the height or width
};
#pragma pack(pop)
static_assert(sizeof(TsGradPoint) == 11);

using TsGradArray = std::vector<TsGradPoint>;

// A malformed description: a field that is not a decimal integer, a missing
// field, or a stop count out of range.
class EGradientError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces arr by the stops of the description (cleared first). Text of four
// characters or fewer gives an empty array. Throws EGradientError.
void ParseGradient(ustring_view text, TsGradArray& arr);

// Fills r (clipped to the bitmap) with the gradient; an empty array, an empty
// rectangle or an unknown shape paints nothing.
void PaintGradient(TBitmap32& bmp, const TRect& r, const TsGradArray& arr);

// Fills r with the vertical or horizontal gradient mixed per channel with the
// texture at s in src, tiled from the bitmap's origin: (w (t - g) + 256 g) >> 8.
// Every pixel's alpha becomes a. An empty s stands for the whole source.
void PaintGradientTextured(TBitmap32& bmp, const TRect& r, const TsGradArray& arr, std::uint8_t a,
                           std::uint8_t w, const TRect& s, const TBitmap32& src);

}  // namespace qv
