// Memory bitmaps of the platform: 32-bit B, G, R, A pixels with straight alpha
// addressed by row pointer and signed stride, and 8-bit bitmaps for glow pictures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/color.h"
#include "platform/geometry.h"

namespace qv {

// One 32-bit pixel in memory order.
struct TBGRA {
  std::uint8_t B = 0;
  std::uint8_t G = 0;
  std::uint8_t R = 0;
  std::uint8_t A = 0;
  friend bool operator==(const TBGRA&, const TBGRA&) = default;
};
static_assert(sizeof(TBGRA) == 4);

// The pixel value that stands for a colour value 0x00BBGGRR with a given alpha.
constexpr TBGRA ColorToPixel(TColor c, std::uint8_t alpha) {
  return {GetBValue(c), GetGValue(c), GetRValue(c), alpha};
}
constexpr TColor PixelToColor(TBGRA p) { return RGB(p.R, p.G, p.B); }

// The key colour as a pixel: magenta with alpha 0.
constexpr TBGRA kKeyPixel{0xFF, 0x00, 0xFF, 0x00};

// Storage is always 32 bits a pixel; the format records what the bitmap
// stands for, since painting code branches on it (e.g. an image decoded from a
// 24-bit file carries no meaningful alpha).
enum class TPixelFormat { pf32bit, pf24bit, pf8bit, pfDevice };

// Row order in memory: top-down rows have a positive stride, bottom-up rows
// (as device-independent bitmaps are usually laid out) a negative one.
enum class TRowOrder { TopDown, BottomUp };

class TBitmap32 {
 public:
  TBitmap32() = default;
  TBitmap32(int width, int height, TRowOrder order = TRowOrder::TopDown);
  // Copies relink the row pointer to their own storage.
  TBitmap32(const TBitmap32& other);
  TBitmap32& operator=(const TBitmap32& other);
  TBitmap32(TBitmap32&& other) noexcept;
  TBitmap32& operator=(TBitmap32&& other) noexcept;

  // Resizes to width x height; contents become zero (transparent black).
  void SetSize(int width, int height);
  void SetRowOrder(TRowOrder order);  // keeps the picture

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // Row y, 0 at the top. No bounds check: callers clip first.
  TBGRA* ScanLine(int y) { return reinterpret_cast<TBGRA*>(RowBytes(y)); }
  const TBGRA* ScanLine(int y) const { return reinterpret_cast<const TBGRA*>(RowBytes(y)); }
  // Signed distance in bytes from one row to the next one down.
  std::ptrdiff_t Stride() const { return stride_; }
  TRowOrder RowOrder() const { return order_; }

  TBGRA& Pixel(int x, int y) { return ScanLine(y)[x]; }
  const TBGRA& Pixel(int x, int y) const { return ScanLine(y)[x]; }
  bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Every pixel := p.
  void Fill(TBGRA p);

  TPixelFormat PixelFormat = TPixelFormat::pf32bit;
  // A bitmap drawn "transparent" skips pixels of TransparentColor.
  bool Transparent = false;
  TColor TransparentColor = clKeyColor;

 private:
  std::uint8_t* RowBytes(int y) { return first_row_ + stride_ * y; }
  const std::uint8_t* RowBytes(int y) const { return first_row_ + stride_ * y; }
  void Relink();

  int width_ = 0;
  int height_ = 0;
  TRowOrder order_ = TRowOrder::TopDown;
  std::ptrdiff_t stride_ = 0;
  std::vector<std::uint8_t> data_;
  std::uint8_t* first_row_ = nullptr;
};

// 8-bit single-channel bitmap (glow pictures, alpha masks).
class TBitmap8 {
 public:
  TBitmap8() = default;
  TBitmap8(int width, int height) { SetSize(width, height); }
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  std::uint8_t* ScanLine(int y) { return data_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint8_t* ScanLine(int y) const {
    return data_.data() + static_cast<std::size_t>(y) * width_;
  }
  std::ptrdiff_t Stride() const { return width_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> data_;
};

}  // namespace qv
