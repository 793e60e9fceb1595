// Memory bitmaps: row addressing in both orders and copy semantics.
#include "platform/bitmap.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Bitmap, BottomUpHasNegativeStrideAndKeepsPicture) {
  TBitmap32 b(3, 2);
  b.Pixel(1, 0) = {1, 2, 3, 4};
  b.Pixel(2, 1) = {5, 6, 7, 8};
  EXPECT_EQ(b.Stride(), 12);
  b.SetRowOrder(TRowOrder::BottomUp);
  EXPECT_EQ(b.Stride(), -12);
  EXPECT_EQ(b.Pixel(1, 0), (TBGRA{1, 2, 3, 4}));
  EXPECT_EQ(b.Pixel(2, 1), (TBGRA{5, 6, 7, 8}));
  // Row 1 lies before row 0 in memory.
  EXPECT_LT(reinterpret_cast<const void*>(b.ScanLine(1)),
            reinterpret_cast<const void*>(b.ScanLine(0)));
}

TEST(Bitmap, CopiesOwnTheirPixels) {
  TBitmap32 a(2, 2, TRowOrder::BottomUp);
  a.Fill({9, 9, 9, 9});
  TBitmap32 b = a;
  b.Pixel(0, 0) = {1, 1, 1, 1};
  EXPECT_EQ(a.Pixel(0, 0), (TBGRA{9, 9, 9, 9}));
  TBitmap32 c = std::move(b);
  EXPECT_EQ(c.Pixel(0, 0), (TBGRA{1, 1, 1, 1}));
  EXPECT_TRUE(b.Empty());
  a = c;
  EXPECT_EQ(a.Pixel(0, 0), (TBGRA{1, 1, 1, 1}));
}

TEST(Bitmap, NonPositiveSizeIsEmpty) {
  TBitmap32 b(5, 0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  b.SetSize(-1, 4);
  EXPECT_TRUE(b.Empty());
}

}  // namespace
}  // namespace qv
