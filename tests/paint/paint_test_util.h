// Helpers of the painting tests: random and solid bitmaps, pixel comparison.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "platform/bitmap.h"

namespace qv::test {

inline TBitmap32 RandomBitmap(std::mt19937& rng, int w, int h,
                              TRowOrder order = TRowOrder::TopDown) {
  TBitmap32 b(w, h, order);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      TBGRA& p = b.Pixel(x, y);
      // Now and then an exact key pixel, so the keyed paths are exercised.
      if (byte(rng) < 24)
        p = {0xFF, 0x00, 0xFF, static_cast<std::uint8_t>(byte(rng) < 128 ? 0 : 255)};
      else
        p = {static_cast<std::uint8_t>(byte(rng)), static_cast<std::uint8_t>(byte(rng)),
             static_cast<std::uint8_t>(byte(rng)), static_cast<std::uint8_t>(byte(rng))};
    }
  return b;
}

inline TBitmap32 Solid(int w, int h, TBGRA p, TRowOrder order = TRowOrder::TopDown) {
  TBitmap32 b(w, h, order);
  b.Fill(p);
  return b;
}

// The first differing pixel as text, or "" when the pictures are equal.
inline std::string Diff(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.Pixel(x, y) == b.Pixel(x, y))) {
        const TBGRA p = a.Pixel(x, y), q = b.Pixel(x, y);
        return "(" + std::to_string(x) + "," + std::to_string(y) + "): " + std::to_string(p.B) +
               "," + std::to_string(p.G) + "," + std::to_string(p.R) + "," + std::to_string(p.A) +
               " vs " + std::to_string(q.B) + "," + std::to_string(q.G) + "," +
               std::to_string(q.R) + "," + std::to_string(q.A);
      }
  return "";
}

}  // namespace qv::test
