// Display scales of skins: the four design scales, their key suffixes and
// pixel densities, and the mapping of a pixel density to a scale index.
#pragma once

#include <array>

#include "platform/density.h"
#include "platform/ustring.h"

namespace qv {

constexpr int kScaleCount = 4;
constexpr std::array<int, kScaleCount> kScalePercent = {100, 125, 150, 200};
constexpr std::array<int, kScaleCount> kScalePPI = {96, 120, 144, 192};
// Key suffixes of the scale variants of an options key ("BOXCHECKED*200").
constexpr std::array<const char16_t*, kScaleCount> kScaleSuffix = {u"", u"*125", u"*150", u"*200"};

// Up to 110 PPI -> 0, 111..134 -> 1, 135..170 -> 2, above -> 3.
constexpr int ScaleIndexOfPPI(int ppi) {
  if (ppi <= 110) return 0;
  if (ppi <= 134) return 1;
  if (ppi <= 170) return 2;
  return 3;
}

// n scaled from 96 PPI to ppi, truncating.
constexpr int ScaleByPPI(int n, int ppi) {
  return ScaleDesigned(n, ppi, TScaleRounding::TowardZero);
}

// The design PPI of a scale index outside 0..3 clamps to the nearest one.
constexpr int DesignPPI(int scale) { return kScalePPI[scale < 0 ? 0 : scale > 3 ? 3 : scale]; }

inline ustring ScaledKey(ustring_view key, int scale) {
  ustring k(key);
  if (scale > 0 && scale < kScaleCount) k += kScaleSuffix[static_cast<std::size_t>(scale)];
  return k;
}

}  // namespace qv
