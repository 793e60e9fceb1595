// Text glow pictures: the kernel, the blur (integer box sums, and the tap by
// tap reference they must match), the picture of a text and its composition.
#include "paint/glow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/text/text.h"

namespace qv {

namespace {

constexpr int kTaps = 16;  // the kernel is read over -16..16

void FillPicture(TBitmap8& pic, std::uint8_t v) {
  for (int y = 0; y < pic.Height(); ++y) std::fill_n(pic.ScanLine(y), pic.Width(), v);
}

// The kernel is a box when every kept tap has the same weight.
bool IsBox(const std::vector<double>& taps) {
  return std::all_of(taps.begin(), taps.end(), [&](double t) { return t == taps.front(); });
}

std::uint8_t RoundByte(double v) {
  return static_cast<std::uint8_t>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
}

// One pass of box sums over n values read from `at(i)` (clamped to 0..n-1),
// written by `put(i, value)`. The sums of 2s + 1 bytes divided by 2s + 1 are
// never halfway between two integers, so rounding the exact quotient gives
// the bytes the floating-point taps give.
template <class At, class Put>
void BoxLine(int n, int s, const std::vector<std::uint8_t>& lut, At at, Put put) {
  auto clamped = [&](int i) { return at(std::clamp(i, 0, n - 1)); };
  int sum = 0;
  for (int t = -s; t <= s; ++t) sum += clamped(t);
  for (int i = 0; i < n; ++i) {
    put(i, lut[static_cast<std::size_t>(sum)]);
    const int in = i + s + 1, out = i - s;
    sum += at(in < n ? in : n - 1) - at(out > 0 ? out : 0);
  }
}

}  // namespace

std::vector<double> GlowKernel(int radius) {
  if (radius <= 0) return {0.0, 1.0, 0.0};
  double k[2 * kTaps + 1];
  double sum = 0;
  for (int i = -kTaps; i <= kTaps; ++i) {
    const double q = static_cast<double>(i) / radius;
    k[i + kTaps] = std::nearbyint(std::exp(-q * q / 2));
    sum += k[i + kTaps];
  }
  for (double& v : k) v /= sum;
  // Taps whose weight together stays below half a byte step are dropped.
  int s = kTaps;
  double a = 0;
  while (a < 1.0 / 510 && s > 1) {
    a += 2 * k[s + kTaps];
    --s;
  }
  std::vector<double> taps(k + kTaps - s, k + kTaps + s + 1);
  double kept = 0;
  for (double v : taps) kept += v;
  for (double& v : taps) v /= kept;
  return taps;
}

int GlowBlurHalfWidth(int radius) { return static_cast<int>(GlowKernel(radius).size() / 2); }

void BlurGlowMask(TBitmap8& pic, int radius) {
  if (pic.Empty()) return;
  const std::vector<double> taps = GlowKernel(radius);
  if (!IsBox(taps)) return;  // the single centre tap changes nothing
  const int s = static_cast<int>(taps.size() / 2);
  const int n = 2 * s + 1;
  // Rounded quotients of every possible sum, made once per width.
  thread_local std::vector<std::uint8_t> luts[kTaps + 1];
  std::vector<std::uint8_t>& lut = luts[s];
  if (lut.empty()) {
    lut.resize(static_cast<std::size_t>(255 * n + 1));
    for (int sum = 0; sum <= 255 * n; ++sum)
      lut[static_cast<std::size_t>(sum)] = static_cast<std::uint8_t>((2 * sum + n) / (2 * n));
  }

  const int w = pic.Width(), h = pic.Height();
  std::vector<std::uint8_t> line(static_cast<std::size_t>(std::max(w, h)));
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = pic.ScanLine(y);
    std::copy_n(row, w, line.begin());
    BoxLine(
        w, s, lut, [&](int i) { return line[static_cast<std::size_t>(i)]; },
        [&](int i, std::uint8_t v) { row[i] = v; });
  }
  // Columns side by side: one running sum per column, moved down row by row.
  std::vector<std::uint8_t> copy(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) std::copy_n(pic.ScanLine(y), w, copy.begin() + std::ptrdiff_t{y} * w);
  auto src = [&](int y) {
    return copy.data() + static_cast<std::size_t>(std::clamp(y, 0, h - 1)) * w;
  };
  std::vector<int> sums(static_cast<std::size_t>(w), 0);
  for (int t = -s; t <= s; ++t) {
    const std::uint8_t* r = src(t);
    for (int x = 0; x < w; ++x) sums[static_cast<std::size_t>(x)] += r[x];
  }
  for (int y = 0; y < h; ++y) {
    std::uint8_t* out = pic.ScanLine(y);
    const std::uint8_t* add = src(y + s + 1);
    const std::uint8_t* drop = src(y - s);
    for (int x = 0; x < w; ++x) {
      int& sum = sums[static_cast<std::size_t>(x)];
      out[x] = lut[static_cast<std::size_t>(sum)];
      sum += add[x] - drop[x];
    }
  }
}

void BlurGlowMaskReference(TBitmap8& pic, int radius) {
  if (pic.Empty()) return;
  const std::vector<double> taps = GlowKernel(radius);
  const int s = static_cast<int>(taps.size() / 2);
  const int w = pic.Width(), h = pic.Height();
  std::vector<std::uint8_t> in;
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = pic.ScanLine(y);
    in.assign(row, row + w);
    for (int x = 0; x < w; ++x) {
      double acc = 0;
      for (int t = -s; t <= s; ++t)
        acc += taps[static_cast<std::size_t>(t + s)] *
               in[static_cast<std::size_t>(std::clamp(x + t, 0, w - 1))];
      row[x] = RoundByte(acc);
    }
  }
  for (int x = 0; x < w; ++x) {
    in.resize(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) in[static_cast<std::size_t>(y)] = pic.ScanLine(y)[x];
    for (int y = 0; y < h; ++y) {
      double acc = 0;
      for (int t = -s; t <= s; ++t)
        acc += taps[static_cast<std::size_t>(t + s)] *
               in[static_cast<std::size_t>(std::clamp(y + t, 0, h - 1))];
      pic.ScanLine(y)[x] = RoundByte(acc);
    }
  }
}

void MakeGlowPicture(TBitmap8& pic, int width, int height, const TRect& t, int size, int outline,
                     const TGlowShape& shape) {
  pic.SetSize(std::max(width, 0), std::max(height, 0));
  FillPicture(pic, 255);
  if (pic.Empty()) return;
  // Thickening: the shape once more a pixel off in each flagged direction.
  if (outline & kGlowLeft) shape(pic, t.Offset(-1, 0));
  if (outline & kGlowUp) shape(pic, t.Offset(0, -1));
  if (outline & kGlowRight) shape(pic, t.Offset(1, 0));
  if (outline & kGlowDown) shape(pic, t.Offset(0, 1));
  shape(pic, t);
  BlurGlowMask(pic, size);
}

void ComposeGlow(TBitmap32& target, const TBitmap8& pic, TPoint at, TColor color) {
  const TRect area =
      IntersectRect(Bounds(at.X, at.Y, pic.Width(), pic.Height()), target.BoundsRect());
  if (area.IsEmpty()) return;
  const int gr = GetRValue(color), gg = GetGValue(color), gb = GetBValue(color);
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* p = pic.ScanLine(y - at.Y) + (area.Left - at.X);
    TBGRA* d = target.ScanLine(y) + area.Left;
    for (int x = 0; x < area.Width(); ++x) {
      const int v = p[x];
      if (v == 255) continue;
      const int w = 255 - v;
      TBGRA& q = d[x];
      q.A = static_cast<std::uint8_t>(q.A + (((255 - q.A) * w) >> 8));
      q.B = static_cast<std::uint8_t>((w * gb + q.B * v) >> 8);
      q.G = static_cast<std::uint8_t>((w * gg + q.G * v) >> 8);
      q.R = static_cast<std::uint8_t>((w * gr + q.R * v) >> 8);
    }
  }
}

void DrawTextGlow(TCanvas& target, ustring_view text, const TRect& text_rect, TGlowPicture& pic,
                  TColor color, int size, int outline, unsigned flags) {
  if (size < 1) return;
  const int r = std::min(size, kMaxGlowSize);
  const int grow = r + 4;
  const TRect r1 = text_rect.Offset(1, 1);
  const TRect g = r1.Inflate(grow, grow);
  const int gw = std::max(g.Width(), 0), gh = std::max(g.Height(), 0);
  // The shape is drawn in value 0: the red byte of a black font.
  TFont font = target.Font;
  font.Color = clBlack;
  const bool kept = pic.Made && pic.Bmp.Width() == gw && pic.Bmp.Height() == gh &&
                    pic.Text == text && pic.Font == font && pic.Flags == flags &&
                    pic.Outline == outline && pic.Size == r;
  if (!kept) {
    const TRect t = Bounds(grow, grow, r1.Width(), r1.Height());
    MakeGlowPicture(pic.Bmp, gw, gh, t, r, outline, [&](TBitmap8& b, const TRect& at) {
      TTextDevice device(b);
      TRect box = at;
      // Measuring alone would draw nothing.
      DrawTextTo(device, font, text, box, flags & ~static_cast<unsigned>(DT_CALCRECT));
    });
    pic.Text = ustring(text);
    pic.Font = font;
    pic.Flags = flags;
    pic.Outline = outline;
    pic.Size = r;
    pic.Made = true;
  }
  ComposeGlow(target.Target(), pic.Bmp, g.TopLeft(), ColorToRGB(color));
}

}  // namespace qv
