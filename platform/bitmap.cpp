// Memory bitmaps: storage, row order and fills.
#include "platform/bitmap.h"

#include <algorithm>
#include <cstring>

namespace qv {

TBitmap32::TBitmap32(int width, int height, TRowOrder order) : order_(order) {
  SetSize(width, height);
}

TBitmap32::TBitmap32(const TBitmap32& other)
    : PixelFormat(other.PixelFormat),
      Transparent(other.Transparent),
      TransparentColor(other.TransparentColor),
      width_(other.width_),
      height_(other.height_),
      order_(other.order_),
      data_(other.data_) {
  Relink();
}

TBitmap32& TBitmap32::operator=(const TBitmap32& other) {
  if (this != &other) {
    TBitmap32 copy(other);
    *this = std::move(copy);
  }
  return *this;
}

TBitmap32::TBitmap32(TBitmap32&& other) noexcept
    : PixelFormat(other.PixelFormat),
      Transparent(other.Transparent),
      TransparentColor(other.TransparentColor),
      width_(other.width_),
      height_(other.height_),
      order_(other.order_),
      data_(std::move(other.data_)) {
  Relink();
  other.width_ = other.height_ = 0;
  other.data_.clear();
  other.Relink();
}

TBitmap32& TBitmap32::operator=(TBitmap32&& other) noexcept {
  if (this != &other) {
    PixelFormat = other.PixelFormat;
    Transparent = other.Transparent;
    TransparentColor = other.TransparentColor;
    width_ = other.width_;
    height_ = other.height_;
    order_ = other.order_;
    data_ = std::move(other.data_);
    Relink();
    other.width_ = other.height_ = 0;
    other.data_.clear();
    other.Relink();
  }
  return *this;
}

void TBitmap32::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  data_.assign(static_cast<std::size_t>(width_) * height_ * 4, 0);
  Relink();
}

void TBitmap32::SetRowOrder(TRowOrder order) {
  if (order == order_) return;
  // Reversing the rows in memory keeps the picture when the addressing flips.
  const std::size_t row = static_cast<std::size_t>(width_) * 4;
  for (int y = 0; y < height_ / 2; ++y)
    std::swap_ranges(data_.begin() + y * row, data_.begin() + (y + 1) * row,
                     data_.end() - (y + 1) * row);
  order_ = order;
  Relink();
}

void TBitmap32::Relink() {
  const std::ptrdiff_t row = static_cast<std::ptrdiff_t>(width_) * 4;
  if (data_.empty()) {
    first_row_ = nullptr;
    stride_ = row;
  } else if (order_ == TRowOrder::TopDown) {
    first_row_ = data_.data();
    stride_ = row;
  } else {
    first_row_ = data_.data() + row * (height_ - 1);
    stride_ = -row;
  }
}

void TBitmap32::Fill(TBGRA p) {
  for (int y = 0; y < height_; ++y) std::fill_n(ScanLine(y), width_, p);
}

void TBitmap8::SetSize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  data_.assign(static_cast<std::size_t>(width_) * height_, 0);
}

}  // namespace qv
