// Row kernels behind the compositing primitives and gradient fills: a plain
// scalar reference and SSE2 and AVX2 versions that give identical bytes. The
// primitives clip and pick rows; the kernels touch the pixels of one row.
#pragma once

#include <cstdint>

#include "platform/bitmap.h"

namespace qv {

// What becomes of a key-coloured source pixel in the keyed and masked copies.
enum class TKeyAction : std::uint8_t {
  kNoKeyTest,  // key pixels are treated like any other
  kLeave,      // the destination pixel stays (its alpha may still be forced)
  kFill,       // the destination pixel becomes the fill pixel, all four bytes
  kParent,     // the destination pixel takes the parent row's pixel
};

struct TKeyedRow {
  TKeyAction action = TKeyAction::kLeave;
  std::uint32_t key = 0x00FF00FF;  // compared on B, G, R only
  std::uint32_t fill = 0;          // for kFill
  const TBGRA* parent = nullptr;   // for kParent, aligned with the destination row
  // OR-ed into the value of non-key pixels: 0xFF000000 forces alpha 255.
  std::uint32_t or_alpha = 0;
  // OR-ed into what key pixels become under kLeave and kParent.
  std::uint32_t key_or_alpha = 0;
};

struct TPaintKernels {
  const char* name;
  // d[i] := px.
  void (*fill)(TBGRA* d, int n, std::uint32_t px);
  // B, G, R: (d * w + c * (255 - w)) >> 8; alpha unchanged. c is 0x00RRGGBB as a pixel.
  void (*blend_color)(TBGRA* d, int n, std::uint32_t px, std::uint8_t w);
  // All four bytes: out := (w * a + (256 - w) * b) >> 8, i.e. (w(a - b) + 256b) >> 8.
  void (*mix)(TBGRA* out, const TBGRA* a, const TBGRA* b, int n, std::uint8_t w);
  // Source-over with per-pixel alpha scaled by the opacity o.
  void (*blend_alpha)(TBGRA* d, const TBGRA* s, int n, std::uint8_t o);
  // Copy with key holes: non-key pixels become s | or_alpha.
  void (*copy_keyed)(TBGRA* d, const TBGRA* s, int n, const TKeyedRow& k);
  // Masked mix of B, G, R: d := (d * m + i * (256 - m)) >> 8 per channel;
  // alpha stays unless or_alpha forces it; key image pixels follow k.action.
  void (*copy_masked)(TBGRA* d, const TBGRA* img, const TBGRA* mask, int n, const TKeyedRow& k);
  // One row of a plain horizontal gradient segment: n pixels from the start
  // values v (B, G, R as floats), each step adding inc in double precision and
  // keeping the sum in single precision; pixels get the values rounded to
  // nearest (ties to even), alpha 255. Returns the final accumulators in v.
  void (*gradient_row)(TBGRA* d, int n, float v[3], const double inc[3]);
};

enum class TKernelLevel { kScalar, kSSE2, kAVX2 };

// The kernels of one level; AVX2 falls back to SSE2 where the CPU lacks it.
const TPaintKernels& KernelsFor(TKernelLevel level);
bool KernelLevelSupported(TKernelLevel level);
// The kernels the primitives use: the best the CPU has, unless changed.
const TPaintKernels& ActiveKernels();
void SetActiveKernelLevel(TKernelLevel level);
TKernelLevel ActiveKernelLevel();

namespace kernels {
extern const TPaintKernels kScalar;
extern const TPaintKernels kSSE2;
extern const TPaintKernels kAVX2;
}  // namespace kernels

}  // namespace qv
