// Lengths designed at 96 pixels per inch at other densities: the nearest
// rounding agrees with the platform's MulDiv everywhere, truncation with
// "n x PPI div 96", and neither overflows for large lengths.
#include "platform/density.h"

#include <gtest/gtest.h>

#include "platform/font.h"

namespace qv {
namespace {

static_assert(ScaleDesigned(23, 120, TScaleRounding::TowardZero) == 28, "usable in constants");

TEST(Density, RoundingIsNamedAndEachRuleHoldsForEveryLengthAndDensity) {
  for (int ppi : {48, 72, 96, 100, 120, 144, 168, 192, 240, 480}) {
    for (int v = -300; v <= 300; ++v) {
      ASSERT_EQ(ScaleDesigned(v, ppi), MulDiv(v, ppi, 96)) << v << " at " << ppi;
      ASSERT_EQ(ScaleDesigned(v, ppi, TScaleRounding::TowardZero), v * ppi / 96)
          << v << " at " << ppi;
    }
  }
}

TEST(Density, HalvesGoAwayFromZeroUnlessTruncated) {
  // 11 and 13 at 144 are 16.5 and 19.5 pixels: the plain font and the caption font.
  EXPECT_EQ(ScaleDesigned(11, 144), 17);
  EXPECT_EQ(ScaleDesigned(-11, 144), -17);
  EXPECT_EQ(ScaleDesigned(-13, 144, TScaleRounding::TowardZero), -19);
  EXPECT_EQ(ScaleDesigned(23, 144), 35);
  EXPECT_EQ(ScaleDesigned(23, 144, TScaleRounding::TowardZero), 34);
  EXPECT_EQ(ScaleDesigned(7, 96), 7);
}

TEST(Density, LargeLengthsDoNotOverflow) {
  EXPECT_EQ(ScaleDesigned(1000000000, 48), 500000000);
  EXPECT_EQ(ScaleDesigned(-1000000000, 48, TScaleRounding::TowardZero), -500000000);
}

}  // namespace
}  // namespace qv
