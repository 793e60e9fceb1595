// The SSE2 kernels: four pixels a register; SSE2 is always there on x86-64.
#include <emmintrin.h>

#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"

namespace qv {
namespace {

#define QV_SIMD_TARGET
using V = __m128i;
constexpr int kLanes = 4;

inline V Zero() { return _mm_setzero_si128(); }
inline V Load(const TBGRA* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(TBGRA* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline V Set1(std::uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
inline V Set1_16(std::uint16_t v) { return _mm_set1_epi16(static_cast<short>(v)); }
inline V Set1_64(std::uint64_t v) { return _mm_set1_epi64x(static_cast<long long>(v)); }
inline V UnpackLo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
inline V UnpackHi8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
inline V Pack16(V a, V b) { return _mm_packus_epi16(a, b); }
inline V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
inline V Add16(V a, V b) { return _mm_add_epi16(a, b); }
inline V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
inline V Shr8(V a) { return _mm_srli_epi16(a, 8); }
inline V And(V a, V b) { return _mm_and_si128(a, b); }
inline V Or(V a, V b) { return _mm_or_si128(a, b); }
inline V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
inline V CmpEq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
inline V MaxU8(V a, V b) { return _mm_max_epu8(a, b); }
inline V BroadcastAlpha16(V a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xFF), 0xFF); }

}  // namespace

#include "paint/pixel_kernels_simd.inc"

namespace {

// The accumulators are B, G, R in single precision; each step widens them to
// double, adds the increments and rounds back, as the scalar code does.
void GradientRowSse2(TBGRA* d, int n, float v[3], const double inc[3]) {
  __m128 acc = _mm_setr_ps(v[0], v[1], v[2], 0.0f);
  const __m128d inc_lo = _mm_setr_pd(inc[0], inc[1]);
  const __m128d inc_hi = _mm_setr_pd(inc[2], 0.0);
  for (int i = 0; i < n; ++i) {
    const __m128i r = _mm_cvtps_epi32(acc);
    const __m128i b = _mm_packus_epi16(_mm_packs_epi32(r, r), r);
    const std::uint32_t p = static_cast<std::uint32_t>(_mm_cvtsi128_si32(b)) | 0xFF000000u;
    d[i] = px::FromBits(p);
    const __m128d lo = _mm_add_pd(_mm_cvtps_pd(acc), inc_lo);
    const __m128d hi = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(acc, acc)), inc_hi);
    acc = _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi));
  }
  alignas(16) float out[4];
  _mm_store_ps(out, acc);
  v[0] = out[0];
  v[1] = out[1];
  v[2] = out[2];
}

}  // namespace

namespace kernels {
const TPaintKernels kSSE2 = {"sse2",         FillSimd,      BlendColorSimd, MixSimd,
                             BlendAlphaSimd, CopyKeyedSimd, CopyMaskedSimd, GradientRowSse2};
}  // namespace kernels

}  // namespace qv
