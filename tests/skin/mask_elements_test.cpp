// Skin elements handed to the mask drawing and rescaled in place: elements
// marked to keep their size stay as loaded.
#include "skin/mask_elements.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TsMaskData Element(int draw_mode) {
  TsMaskData m;
  m.Bmp = std::make_shared<TBitmap32>(60, 20);
  m.Bmp->Fill({10, 20, 30, 255});
  m.ImageCount = 2;
  m.DrawMode = static_cast<std::int16_t>(draw_mode);
  m.Width = 30;
  m.Height = 20;
  m.WL = 4, m.WT = 5, m.WR = 6, m.WB = 7;
  m.MulPPi = 192;
  m.DivPPI = 96;
  return m;
}

TEST(MaskElements, RescaledInPlaceUnlessMarkedToKeepTheirSize) {
  TsMaskData m = Element(0);
  const TMaskElement view = MaskElementOf(m, nullptr);
  EXPECT_EQ(view.R, Rect(0, 0, 60, 20));  // an empty rectangle: the whole own image
  EXPECT_FALSE(view.HasManager);
  ASSERT_TRUE(ScaleSkinElement(m, nullptr, 0, false));
  EXPECT_EQ(m.R, Rect(0, 0, 120, 40));
  EXPECT_EQ(m.Width, 60);
  EXPECT_EQ(m.Height, 40);
  EXPECT_EQ((TRect{m.WL, m.WT, m.WR, m.WB}), (TRect{8, 10, 12, 14}));
  EXPECT_EQ(m.Bmp->Pixel(50, 30), (TBGRA{10, 20, 30, 255}));

  TsMaskData fixed = Element(8 | 1);
  const auto before = fixed.Bmp;
  EXPECT_FALSE(ScaleSkinElement(fixed, nullptr, 0, false));
  EXPECT_EQ(fixed.Bmp, before);
  EXPECT_EQ(fixed.Width, 30);
  EXPECT_EQ(fixed.WR, 6);
}

}  // namespace
}  // namespace qv
