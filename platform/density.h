// Pixel density. Every length of the program (layouts, fonts, the plain
// look's parts, system metrics, skin values) is designed at 96 pixels per
// inch; ScaleDesigned is the one rule that turns such a length into pixels at
// another density, with its rounding named.
#pragma once

namespace qv {

// The density designed lengths are drawn for.
constexpr int kDesignPPI = 96;

enum class TScaleRounding {
  // To the nearest pixel, halves away from zero (as MulDiv rounds): the
  // framework's layouts and fonts and the plain look.
  Nearest,
  // Towards zero: where the result is fixed that way (the system metrics
  // table, and what the window system sizes like metrics: the caption font,
  // the message box; skin values, "n x PPI div 96").
  TowardZero,
};

// A length designed at 96 pixels per inch, at ppi pixels per inch.
constexpr int ScaleDesigned(int length, int ppi,
                            TScaleRounding rounding = TScaleRounding::Nearest) {
  const long long product = static_cast<long long>(length) * ppi;
  if (rounding == TScaleRounding::TowardZero) return static_cast<int>(product / kDesignPPI);
  const long long half = kDesignPPI / 2;
  return static_cast<int>(product < 0 ? -((-product + half) / kDesignPPI)
                                      : (product + half) / kDesignPPI);
}

}  // namespace qv
