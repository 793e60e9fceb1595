// The per-pixel arithmetic of the compositing primitives, exact to the bit:
// byte weights, division by 256 through the shift. The scalar kernels, the
// tails of the vector kernels and the unvectorised primitives all use these.
#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "platform/bitmap.h"

namespace qv::px {

inline std::uint32_t Bits(TBGRA p) { return std::bit_cast<std::uint32_t>(p); }
inline TBGRA FromBits(std::uint32_t v) { return std::bit_cast<TBGRA>(v); }

// Key test on B, G, R; alpha is ignored, since images decoded without alpha
// may carry either 0 or 255 there.
inline bool IsKey(TBGRA p, std::uint32_t key) { return ((Bits(p) ^ key) & 0x00FFFFFFu) == 0; }

// (w * a + (256 - w) * b) >> 8, the weighted mix of two bytes.
inline std::uint8_t Mix(int a, int b, int w) {
  return static_cast<std::uint8_t>((w * (a - b) + b * 256) >> 8);
}

inline TBGRA Mix4(TBGRA a, TBGRA b, int w) {
  return {Mix(a.B, b.B, w), Mix(a.G, b.G, w), Mix(a.R, b.R, w), Mix(a.A, b.A, w)};
}

inline TBGRA BlendColor(TBGRA d, TBGRA c, int w) {
  return {static_cast<std::uint8_t>((d.B * w + c.B * (255 - w)) >> 8),
          static_cast<std::uint8_t>((d.G * w + c.G * (255 - w)) >> 8),
          static_cast<std::uint8_t>((d.R * w + c.R * (255 - w)) >> 8), d.A};
}

inline TBGRA BlendAlpha(TBGRA d, TBGRA s, int o) {
  const int a = o == 255 ? s.A : (s.A * o) >> 8;
  const std::uint8_t da = Mix(a, d.A, a);
  return {Mix(s.B, d.B, a), Mix(s.G, d.G, a), Mix(s.R, d.R, a), std::max(d.A, da)};
}

// d := (d * m + i * (256 - m)) >> 8 with the mask's own channel m.
inline std::uint8_t MaskMix(int d, int i, int m) {
  return static_cast<std::uint8_t>((d * m + i * (256 - m)) >> 8);
}

inline TBGRA MaskMix3(TBGRA d, TBGRA i, TBGRA m) {
  return {MaskMix(d.B, i.B, m.B), MaskMix(d.G, i.G, m.G), MaskMix(d.R, i.R, m.R), d.A};
}

// One rounding of a gradient accumulator: nearest, ties to even, kept in bytes.
inline std::uint8_t RoundChannel(float v) {
  const float r = std::nearbyint(v);
  return static_cast<std::uint8_t>(std::clamp(r, 0.0f, 255.0f));
}

inline float StepChannel(float v, double inc) {
  return static_cast<float>(static_cast<double>(v) + inc);
}

}  // namespace qv::px
