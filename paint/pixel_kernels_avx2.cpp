// The AVX2 kernels: eight pixels a register, used when the CPU has AVX2.
#include <immintrin.h>

#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"

namespace qv {
namespace {

#define QV_SIMD_TARGET __attribute__((target("avx2")))
using V = __m256i;
constexpr int kLanes = 8;

QV_SIMD_TARGET inline V Zero() { return _mm256_setzero_si256(); }
QV_SIMD_TARGET inline V Load(const TBGRA* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
QV_SIMD_TARGET inline void Store(TBGRA* p, V v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}
QV_SIMD_TARGET inline V Set1(std::uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
QV_SIMD_TARGET inline V Set1_16(std::uint16_t v) {
  return _mm256_set1_epi16(static_cast<short>(v));
}
QV_SIMD_TARGET inline V Set1_64(std::uint64_t v) {
  return _mm256_set1_epi64x(static_cast<long long>(v));
}
QV_SIMD_TARGET inline V UnpackLo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
QV_SIMD_TARGET inline V UnpackHi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
QV_SIMD_TARGET inline V Pack16(V a, V b) { return _mm256_packus_epi16(a, b); }
QV_SIMD_TARGET inline V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
QV_SIMD_TARGET inline V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
QV_SIMD_TARGET inline V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
QV_SIMD_TARGET inline V Shr8(V a) { return _mm256_srli_epi16(a, 8); }
QV_SIMD_TARGET inline V And(V a, V b) { return _mm256_and_si256(a, b); }
QV_SIMD_TARGET inline V Or(V a, V b) { return _mm256_or_si256(a, b); }
QV_SIMD_TARGET inline V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
QV_SIMD_TARGET inline V CmpEq32(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
QV_SIMD_TARGET inline V MaxU8(V a, V b) { return _mm256_max_epu8(a, b); }
QV_SIMD_TARGET inline V BroadcastAlpha16(V a) {
  return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xFF), 0xFF);
}

}  // namespace

#include "paint/pixel_kernels_simd.inc"

namespace {

// B, G, R accumulators in one register of four doubles; see the SSE2 version.
QV_SIMD_TARGET void GradientRowAvx2(TBGRA* d, int n, float v[3], const double inc[3]) {
  __m128 acc = _mm_setr_ps(v[0], v[1], v[2], 0.0f);
  const __m256d incs = _mm256_setr_pd(inc[0], inc[1], inc[2], 0.0);
  for (int i = 0; i < n; ++i) {
    const __m128i r = _mm_cvtps_epi32(acc);
    const __m128i b = _mm_packus_epi16(_mm_packs_epi32(r, r), r);
    const std::uint32_t p = static_cast<std::uint32_t>(_mm_cvtsi128_si32(b)) | 0xFF000000u;
    d[i] = px::FromBits(p);
    acc = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(acc), incs));
  }
  alignas(16) float out[4];
  _mm_store_ps(out, acc);
  v[0] = out[0];
  v[1] = out[1];
  v[2] = out[2];
}

}  // namespace

namespace kernels {
const TPaintKernels kAVX2 = {"avx2",         FillSimd,      BlendColorSimd, MixSimd,
                             BlendAlphaSimd, CopyKeyedSimd, CopyMaskedSimd, GradientRowAvx2};
}  // namespace kernels

}  // namespace qv
