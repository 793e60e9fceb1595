// The computed shadow image (mask and colour forms) and the outer colour half.
#include "paint/shadow_image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ShadowImage, SizeSymmetryAndFallOffOfTheMask) {
  // The default outer shadow at 96 pixels per inch.
  const TBitmap32 m = ComputedShadowImage(0, 9, 0, TShadowForm::Mask, 5, 6, 7);
  ASSERT_EQ(m.Width(), 25);
  ASSERT_EQ(m.Height(), 26);
  EXPECT_EQ(m.Pixel(0, 0), (TBGRA{255, 255, 255, 255}));  // outside the corner arc
  EXPECT_EQ(m.Pixel(9, 9), (TBGRA{0, 0, 0, 255}));        // inside the inner radius
  // D = 5: round(255 x (1 - 1/6) x 5/6) = 177, grey (255 x 78) div 256.
  EXPECT_EQ(m.Pixel(4, 9), (TBGRA{77, 77, 77, 255}));
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) {
      EXPECT_EQ(m.Pixel(x, y), m.Pixel(m.Width() - 1 - x, y)) << x << "," << y;
      EXPECT_EQ(m.Pixel(x, y), m.Pixel(x, m.Height() - 1 - y)) << x << "," << y;
    }
  // The strength of the colour darkens the grey.
  const TBitmap32 strong =
      ComputedShadowImage(static_cast<TColor>(0x80000000u), 9, 0, TShadowForm::Mask, 5, 0, 0);
  EXPECT_EQ(strong.Pixel(9, 9).G, (0x80 * 255) / 256);
}

TEST(ShadowImage, OffsetRowsStayAsFilled) {
  const TBitmap32 m = ComputedShadowImage(0, 4, 3, TShadowForm::Mask, 0, 0, 0);
  ASSERT_EQ(m.Height(), 2 * 4 + 3 + 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < m.Width(); ++x) EXPECT_EQ(m.Pixel(x, y), (TBGRA{255, 255, 255, 255}));
  EXPECT_EQ(m.Pixel(4, 3 + 4).A, 255);
  EXPECT_LT(m.Pixel(4, 3 + 4).G, 255);
}

TEST(ShadowImage, ColourFormIsPremultipliedAndItsStrengthBounded) {
  const TColor red = static_cast<TColor>(0xFF0000FFu);
  const TBitmap32 c = ComputedShadowImage(red, 4, 0, TShadowForm::Color, 1, 0, 0);
  EXPECT_EQ(c.Pixel(0, 0), TBGRA{});  // outside: transparent
  const TBGRA centre = c.Pixel(4, 4);
  EXPECT_EQ(centre.A, 254);
  EXPECT_EQ(centre.R, 255 * 255 * 254 / 65536);
  EXPECT_EQ(centre.B, 0);
  // Just outside the inner radius the product passes 255; it counts as 255.
  EXPECT_EQ(c.Pixel(1, 3), centre);
  // Degenerate sizes make the smallest picture, never a failure.
  const TBitmap32 tiny = ComputedShadowImage(red, -3, -1, TShadowForm::Color, 7, -5, -5);
  EXPECT_EQ(tiny.Width(), 1);
  EXPECT_EQ(tiny.Height(), 1);
}

TEST(OuterColorHalf, OneColourOrFourSides) {
  TBitmap32 b;
  OuterColorHalf(b, 10, 8, 0x0000FF, clKeyColor, 0, 0);
  ASSERT_EQ(b.Width(), 10);
  EXPECT_EQ(b.Pixel(5, 0), (TBGRA{0, 0, 255, 255}));
  EXPECT_EQ(b.Pixel(9, 7), (TBGRA{0, 0, 255, 255}));
  OuterColorHalf(b, 20, 16, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF);
  auto rgb = [&](int x, int y) { return PixelToColor(b.Pixel(x, y)); };
  EXPECT_EQ(rgb(10, 0), 0x00FF00);   // top
  EXPECT_EQ(rgb(10, 15), 0x00FFFF);  // bottom
  EXPECT_EQ(rgb(1, 8), 0x0000FF);    // left triangle
  EXPECT_EQ(rgb(18, 8), 0xFF0000);   // right triangle
  EXPECT_EQ(b.Pixel(10, 0).A, 255);
}

}  // namespace
}  // namespace qv
