// Mitchell–Netravali resampling with 14-bit fixed-point weights, precomputed
// per pair of sizes, and an SSE2 path that gives the bytes of the scalar one.
#include "paint/resample.h"

#include <emmintrin.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/canvas.h"

namespace qv {

namespace {

constexpr int kShift = 14;
constexpr int kOne = 1 << kShift;
constexpr int kHalf = 1 << (kShift - 1);

double Mitchell(double x) {
  constexpr double B = 1.0 / 3.0, C = 1.0 / 3.0;
  x = std::fabs(x);
  if (x < 1.0)
    return ((12 - 9 * B - 6 * C) * x * x * x + (-18 + 12 * B + 6 * C) * x * x + (6 - 2 * B)) / 6;
  if (x < 2.0)
    return ((-B - 6 * C) * x * x * x + (6 * B + 30 * C) * x * x + (-12 * B - 48 * C) * x +
            (8 * B + 24 * C)) /
           6;
  return 0.0;
}

// For each output index: the first source index and the weights of the
// consecutive source pixels from there (edges clamped into the range). Rows
// of weights are padded with a zero to an even stride so the vector code can
// take taps in pairs.
struct TWeights {
  int src = 0, dst = 0;
  int taps = 0;                 // per output index, at most src
  int stride = 0;               // taps rounded up to even
  std::vector<int> first;       // dst entries
  std::vector<std::int16_t> w;  // dst * stride entries
};

std::shared_ptr<const TWeights> BuildWeights(int src, int dst) {
  auto t = std::make_shared<TWeights>();
  t->src = src;
  t->dst = dst;
  const double scale = static_cast<double>(src) / dst;
  const double fscale = std::max(scale, 1.0);
  const double support = 2.0 * fscale;
  std::vector<std::vector<double>> raw(dst);
  std::vector<int> lo(dst);
  int taps = 0;
  for (int i = 0; i < dst; ++i) {
    const double centre = (i + 0.5) * scale - 0.5;
    const int a = static_cast<int>(std::ceil(centre - support));
    const int b = static_cast<int>(std::floor(centre + support));
    // Gather weights on the clamped source indexes.
    const int first = std::max(a, 0), last = std::min(b, src - 1);
    std::vector<double> ws(static_cast<std::size_t>(last - first + 1), 0.0);
    for (int j = a; j <= b; ++j) {
      const int jj = std::clamp(j, first, last);
      ws[static_cast<std::size_t>(jj - first)] += Mitchell((j - centre) / fscale);
    }
    lo[i] = first;
    raw[i] = std::move(ws);
    taps = std::max<int>(taps, static_cast<int>(raw[i].size()));
  }
  t->taps = taps;
  t->stride = taps + (taps & 1);
  t->first.resize(dst);
  t->w.assign(static_cast<std::size_t>(dst) * t->stride, 0);
  for (int i = 0; i < dst; ++i) {
    const std::vector<double>& ws = raw[i];
    double sum = 0;
    for (double v : ws) sum += v;
    // Windows that would run past the end start earlier; their extra taps weigh 0.
    int first = lo[i];
    first = std::min(first, src - taps);
    first = std::max(first, 0);
    const int shift = lo[i] - first;
    std::int16_t* out = &t->w[static_cast<std::size_t>(i) * t->stride];
    int total = 0, biggest = shift;
    for (std::size_t k = 0; k < ws.size(); ++k) {
      const int v = static_cast<int>(std::lround(ws[k] / sum * kOne));
      out[shift + k] = static_cast<std::int16_t>(v);
      total += v;
      if (out[shift + k] > out[biggest]) biggest = static_cast<int>(shift + k);
    }
    out[biggest] = static_cast<std::int16_t>(out[biggest] + (kOne - total));
    t->first[i] = first;
  }
  return t;
}

// A few recent tables: pieces of one border repeat the same sizes.
std::shared_ptr<const TWeights> Weights(int src, int dst) {
  thread_local std::array<std::shared_ptr<const TWeights>, 16> cache;
  thread_local std::size_t next = 0;
  for (const auto& t : cache)
    if (t && t->src == src && t->dst == dst) return t;
  auto t = BuildWeights(src, dst);
  cache[next] = t;
  next = (next + 1) % cache.size();
  return t;
}

inline std::uint8_t ToByte(int acc) {
  return static_cast<std::uint8_t>(std::clamp((acc + kHalf) >> kShift, 0, 255));
}

void HorizontalScalar(const TBitmap32& src, TBitmap32& out, const TWeights& t) {
  for (int y = 0; y < src.Height(); ++y) {
    const std::uint8_t* s = reinterpret_cast<const std::uint8_t*>(src.ScanLine(y));
    std::uint8_t* d = reinterpret_cast<std::uint8_t*>(out.ScanLine(y));
    for (int x = 0; x < t.dst; ++x) {
      const std::int16_t* w = &t.w[static_cast<std::size_t>(x) * t.stride];
      const std::uint8_t* p = s + static_cast<std::ptrdiff_t>(t.first[x]) * 4;
      for (int c = 0; c < 4; ++c) {
        int acc = 0;
        for (int k = 0; k < t.taps; ++k) acc += w[k] * p[k * 4 + c];
        d[x * 4 + c] = ToByte(acc);
      }
    }
  }
}

void VerticalScalar(const TBitmap32& mid, TBitmap32& out, const TWeights& t) {
  const int n = mid.Width() * 4;
  std::vector<int> acc(static_cast<std::size_t>(n));
  for (int y = 0; y < t.dst; ++y) {
    std::fill(acc.begin(), acc.end(), 0);
    const std::int16_t* w = &t.w[static_cast<std::size_t>(y) * t.stride];
    for (int k = 0; k < t.taps; ++k) {
      const std::uint8_t* s = reinterpret_cast<const std::uint8_t*>(mid.ScanLine(t.first[y] + k));
      for (int i = 0; i < n; ++i) acc[i] += w[k] * s[i];
    }
    std::uint8_t* d = reinterpret_cast<std::uint8_t*>(out.ScanLine(y));
    for (int i = 0; i < n; ++i) d[i] = ToByte(acc[i]);
  }
}

inline __m128i Round4(__m128i acc) {
  return _mm_srai_epi32(_mm_add_epi32(acc, _mm_set1_epi32(kHalf)), kShift);
}

void HorizontalSse2(const TBitmap32& src, TBitmap32& out, const TWeights& t) {
  const __m128i zero = _mm_setzero_si128();
  for (int y = 0; y < src.Height(); ++y) {
    const TBGRA* s = src.ScanLine(y);
    TBGRA* d = out.ScanLine(y);
    for (int x = 0; x < t.dst; ++x) {
      const std::int16_t* w = &t.w[static_cast<std::size_t>(x) * t.stride];
      const TBGRA* p = s + t.first[x];
      __m128i acc = zero;
      for (int k = 0; k < t.taps; k += 2) {
        // An odd last tap pairs with itself at weight 0.
        const auto a = std::bit_cast<std::int32_t>(p[k]);
        const auto b = std::bit_cast<std::int32_t>(p[std::min(k + 1, t.taps - 1)]);
        const __m128i pair =
            _mm_unpacklo_epi8(_mm_unpacklo_epi8(_mm_cvtsi32_si128(a), _mm_cvtsi32_si128(b)), zero);
        const __m128i wv = _mm_set1_epi32(static_cast<std::int32_t>(
            static_cast<std::uint16_t>(w[k]) |
            (static_cast<std::uint32_t>(static_cast<std::uint16_t>(w[k + 1])) << 16)));
        acc = _mm_add_epi32(acc, _mm_madd_epi16(pair, wv));
      }
      const __m128i r = Round4(acc);
      const __m128i b = _mm_packus_epi16(_mm_packs_epi32(r, r), zero);
      d[x] = std::bit_cast<TBGRA>(_mm_cvtsi128_si32(b));
    }
  }
}

// Sixteen bytes of one output row at a time, the accumulators held in
// registers across all taps.
void VerticalSse2(const TBitmap32& mid, TBitmap32& out, const TWeights& t) {
  const int n = mid.Width() * 4;
  const __m128i zero = _mm_setzero_si128();
  const int pairs = (t.taps + 1) / 2;
  std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(2 * pairs));
  std::vector<std::int32_t> weights(static_cast<std::size_t>(pairs));  // packed pairs
  for (int y = 0; y < t.dst; ++y) {
    const std::int16_t* w = &t.w[static_cast<std::size_t>(y) * t.stride];
    for (int k = 0; k < t.taps; k += 2) {
      rows[k] = reinterpret_cast<const std::uint8_t*>(mid.ScanLine(t.first[y] + k));
      // An odd last tap pairs with itself at weight 0.
      rows[k + 1] = reinterpret_cast<const std::uint8_t*>(
          mid.ScanLine(t.first[y] + std::min(k + 1, t.taps - 1)));
      weights[k / 2] = static_cast<std::int32_t>(
          static_cast<std::uint16_t>(w[k]) |
          (static_cast<std::uint32_t>(static_cast<std::uint16_t>(w[k + 1])) << 16));
    }
    std::uint8_t* d = reinterpret_cast<std::uint8_t*>(out.ScanLine(y));
    int i = 0;
    for (; i + 16 <= n; i += 16) {
      __m128i a0 = zero, a1 = zero, a2 = zero, a3 = zero;
      for (int p = 0; p < pairs; ++p) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p] + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * p + 1] + i));
        const __m128i lo = _mm_unpacklo_epi8(va, vb), hi = _mm_unpackhi_epi8(va, vb);
        const __m128i wv = _mm_set1_epi32(weights[p]);
        a0 = _mm_add_epi32(a0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), wv));
        a1 = _mm_add_epi32(a1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), wv));
        a2 = _mm_add_epi32(a2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), wv));
        a3 = _mm_add_epi32(a3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), wv));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                       _mm_packus_epi16(_mm_packs_epi32(Round4(a0), Round4(a1)),
                                        _mm_packs_epi32(Round4(a2), Round4(a3))));
    }
    for (; i < n; ++i) {
      int acc = 0;
      for (int k = 0; k < t.taps; ++k) acc += w[k] * rows[k][i];
      d[i] = ToByte(acc);
    }
  }
}

bool ResampleWith(const TBitmap32& src_in, TBitmap32& dst, int nw, int nh, bool vector) {
  if (src_in.Width() < 2 || src_in.Height() < 2 || nw <= 0 || nh <= 0) return false;
  TBitmap32 own;
  const TBitmap32& src = &src_in == &dst ? (own = src_in) : src_in;
  if (nw == src.Width() && nh == src.Height()) {
    if (&src_in != &dst) dst = src;
    return true;
  }
  TBitmap32 mid;
  const TBitmap32* rows = &src;
  if (nw != src.Width()) {
    mid.SetSize(nw, src.Height());
    const auto t = Weights(src.Width(), nw);
    (vector ? HorizontalSse2 : HorizontalScalar)(src, mid, *t);
    rows = &mid;
  }
  TBitmap32 out(nw, nh);
  if (nh != src.Height()) {
    const auto t = Weights(src.Height(), nh);
    (vector ? VerticalSse2 : VerticalScalar)(*rows, out, *t);
  } else {
    out = std::move(mid);
  }
  out.PixelFormat = src.PixelFormat;
  dst = std::move(out);
  return true;
}

}  // namespace

bool Resample(const TBitmap32& src, TBitmap32& dst, int new_width, int new_height) {
  return ResampleWith(src, dst, new_width, new_height, true);
}

bool ResampleReference(const TBitmap32& src, TBitmap32& dst, int new_width, int new_height) {
  return ResampleWith(src, dst, new_width, new_height, false);
}

void NearestMap(int first, int count, int n, int from, int to, std::vector<int>& map) {
  map.clear();
  if (to <= from || n <= 0) return;
  map.reserve(static_cast<std::size_t>(to - from));
  for (long long i = from; i < to; ++i)
    map.push_back(first + static_cast<int>(((2 * i + 1) * count) / (2LL * n)));
}

void StretchNearest(const TBitmap32& src, const TRect& region, TBitmap32& out, int width,
                    int height) {
  out.SetSize(width, height);
  if (out.Empty() || region.IsEmpty()) return;
  TCanvas canvas(out);
  canvas.SetStretchBltMode(COLORONCOLOR);
  canvas.StretchBlt(0, 0, width, height, src, region.Left, region.Top, region.Width(),
                    region.Height());
}

}  // namespace qv
