// The scalar reference kernels and the choice of kernels at run time.
#include "paint/pixel_kernels.h"

#include "paint/pixel_ops.h"

namespace qv {

namespace {

void FillScalar(TBGRA* d, int n, std::uint32_t px) {
  const TBGRA p = px::FromBits(px);
  for (int i = 0; i < n; ++i) d[i] = p;
}

void BlendColorScalar(TBGRA* d, int n, std::uint32_t c, std::uint8_t w) {
  const TBGRA cp = px::FromBits(c);
  for (int i = 0; i < n; ++i) d[i] = px::BlendColor(d[i], cp, w);
}

void MixScalar(TBGRA* out, const TBGRA* a, const TBGRA* b, int n, std::uint8_t w) {
  for (int i = 0; i < n; ++i) out[i] = px::Mix4(a[i], b[i], w);
}

void BlendAlphaScalar(TBGRA* d, const TBGRA* s, int n, std::uint8_t o) {
  for (int i = 0; i < n; ++i) d[i] = px::BlendAlpha(d[i], s[i], o);
}

// What a key pixel becomes; `current` is the destination pixel.
inline std::uint32_t KeyReplacement(const TKeyedRow& k, int i, std::uint32_t current) {
  switch (k.action) {
    case TKeyAction::kFill:
      return k.fill;
    case TKeyAction::kParent:
      return px::Bits(k.parent[i]) | k.key_or_alpha;
    default:
      return current | k.key_or_alpha;
  }
}

void CopyKeyedScalar(TBGRA* d, const TBGRA* s, int n, const TKeyedRow& k) {
  const bool test = k.action != TKeyAction::kNoKeyTest;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t v = px::Bits(s[i]);
    if (test && px::IsKey(s[i], k.key))
      d[i] = px::FromBits(KeyReplacement(k, i, px::Bits(d[i])));
    else
      d[i] = px::FromBits(v | k.or_alpha);
  }
}

void CopyMaskedScalar(TBGRA* d, const TBGRA* img, const TBGRA* mask, int n, const TKeyedRow& k) {
  const bool test = k.action != TKeyAction::kNoKeyTest;
  for (int i = 0; i < n; ++i) {
    if (test && px::IsKey(img[i], k.key))
      d[i] = px::FromBits(KeyReplacement(k, i, px::Bits(d[i])));
    else
      d[i] = px::FromBits(px::Bits(px::MaskMix3(d[i], img[i], mask[i])) | k.or_alpha);
  }
}

void GradientRowScalar(TBGRA* d, int n, float v[3], const double inc[3]) {
  for (int i = 0; i < n; ++i) {
    d[i] = {px::RoundChannel(v[0]), px::RoundChannel(v[1]), px::RoundChannel(v[2]), 255};
    for (int c = 0; c < 3; ++c) v[c] = px::StepChannel(v[c], inc[c]);
  }
}

bool CpuHasAVX2() {
#if defined(__x86_64__) || defined(__i386__)
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

TKernelLevel BestLevel() { return CpuHasAVX2() ? TKernelLevel::kAVX2 : TKernelLevel::kSSE2; }

TKernelLevel g_level = BestLevel();
// Resolved once per change of level: the primitives ask for it on every call.
const TPaintKernels* g_kernels = nullptr;

}  // namespace

namespace kernels {
const TPaintKernels kScalar = {"scalar",         FillScalar,       BlendColorScalar,
                               MixScalar,        BlendAlphaScalar, CopyKeyedScalar,
                               CopyMaskedScalar, GradientRowScalar};
}  // namespace kernels

bool KernelLevelSupported(TKernelLevel level) {
  return level != TKernelLevel::kAVX2 || CpuHasAVX2();
}

const TPaintKernels& KernelsFor(TKernelLevel level) {
  switch (level) {
    case TKernelLevel::kScalar:
      return kernels::kScalar;
    case TKernelLevel::kSSE2:
      return kernels::kSSE2;
    case TKernelLevel::kAVX2:
      return CpuHasAVX2() ? kernels::kAVX2 : kernels::kSSE2;
  }
  return kernels::kScalar;
}

const TPaintKernels& ActiveKernels() {
  if (!g_kernels) g_kernels = &KernelsFor(g_level);
  return *g_kernels;
}
void SetActiveKernelLevel(TKernelLevel level) {
  g_level = KernelLevelSupported(level) ? level : TKernelLevel::kSSE2;
  g_kernels = &KernelsFor(g_level);
}
TKernelLevel ActiveKernelLevel() { return g_level; }

}  // namespace qv
