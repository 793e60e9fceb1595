// Gradient descriptions: the two text formats of the parser, and the painters.
// Plain segments are written through row pointers (a vertical segment fills
// whole rows, a horizontal gradient computes one row and copies it); segments
// with alpha stops and the five-point shape go through gradient_fill.h.
#include "paint/gradient.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "paint/gradient_fill.h"
#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"

namespace qv {

namespace {

// ---- parsing -------------------------------------------------------------

std::vector<ustring_view> SplitFields(ustring_view text) {
  std::vector<ustring_view> fields;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == u';') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != u';') ++i;
    if (i > start) fields.push_back(text.substr(start, i - start));
  }
  return fields;
}

class TFields {
 public:
  explicit TFields(ustring_view text) : fields_(SplitFields(text)) {}
  std::size_t Count() const { return fields_.size(); }
  // Field i (0-based) as a decimal integer; blanks around it are allowed.
  std::int32_t Int(std::size_t i) const {
    if (i >= fields_.size())
      throw EGradientError("Gradient description: field " + std::to_string(i + 1) + " is missing");
    ustring_view f = fields_[i];
    while (!f.empty() && (f.front() == u' ' || f.front() == u'\t')) f.remove_prefix(1);
    while (!f.empty() && (f.back() == u' ' || f.back() == u'\t')) f.remove_suffix(1);
    if (const auto v = TryStrToInt(f)) return *v;
    throw EGradientError("Gradient description: '" + Utf16ToUtf8(fields_[i]) +
                         "' is not a valid integer value");
  }

 private:
  std::vector<ustring_view> fields_;
};

std::uint8_t ClampPercent(std::int64_t v) {
  return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 100));
}

// Five fields a stop: colour, -, segment length, mode, -.
TsGradArray ParseOldFormat(const TFields& f) {
  TsGradArray out;
  const std::size_t stops = f.Count() / 5;
  std::int64_t position = 0;
  for (std::size_t c = 0; c < stops; ++c) {
    TsGradPoint p;
    p.Index = static_cast<std::uint16_t>(c);
    TsColor colour = TsColor::FromValue(static_cast<std::uint32_t>(f.Int(5 * c)));
    colour.A = 255;
    p.Color = colour;
    p.Percent = ClampPercent(position);
    position += ClampPercent(f.Int(5 * c + 2));
    p.Mode = f.Int(5 * c + 3) & ~gmAlphaStop;
    out.push_back(p);
  }
  if (!out.empty() && (out[0].Mode & gmShapeMask) == gmFivePoint)
    while (out.size() < 5) out.push_back(out.back());
  return out;
}

// Three fields a stop: colour with alpha, position, mode; then the stop count
// as a capital letter ('A' = 1).
TsGradArray ParseNewFormat(const TFields& f, char16_t last) {
  const int count = static_cast<int>(last) - 64;
  if (count < 0)
    throw EGradientError("Gradient description: the stop count " + std::to_string(count) +
                         " is out of range");
  TsGradArray out;
  for (int b = 0; b < count; ++b) {
    const std::size_t i = 3 * static_cast<std::size_t>(b);
    TsGradPoint p;
    p.Index = static_cast<std::uint16_t>(b);
    p.Color = TsColor::FromValue(static_cast<std::uint32_t>(f.Int(i)));
    p.Percent = ClampPercent(f.Int(i + 1));
    p.Mode = f.Int(i + 2);
    out.push_back(p);
    if (p.Mode & gmAlphaStop) out[0].Mode |= gmHasAlpha;
  }
  return out;
}

// ---- painting helpers ------------------------------------------------------

bool HasAlpha(const TsGradPoint& p) { return (p.Mode & gmAlphaStop) != 0; }

std::uint32_t OpaquePixel(TsColor c) { return px::Bits(TBGRA{c.B, c.G, c.R, 255}); }

// The running channel values of one plain segment and their increments.
struct TRamp {
  float v[3];
  double inc[3];
  TRamp(TsColor c1, TsColor c2, long long n) {
    const int a[3] = {c1.B, c1.G, c1.R}, b[3] = {c2.B, c2.G, c2.R};
    for (int i = 0; i < 3; ++i) {
      v[i] = static_cast<float>(a[i]);
      inc[i] = n > 0 ? static_cast<double>(b[i] - a[i]) / static_cast<double>(n) : 0.0;
    }
  }
  std::uint32_t Pixel() const {
    return px::Bits(
        TBGRA{px::RoundChannel(v[0]), px::RoundChannel(v[1]), px::RoundChannel(v[2]), 255});
  }
  void Step() {
    for (int i = 0; i < 3; ++i) v[i] = px::StepChannel(v[i], inc[i]);
  }
};

TRect ClipRect(const TRect& r, const TBitmap32& bmp) {
  return {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, bmp.Width()),
          std::min(r.Bottom, bmp.Height())};
}

int RoundEven(double v) {
  return static_cast<int>(std::clamp(std::nearbyint(v), -2147483648.0, 2147483647.0));
}

// The pixels of one plain horizontal segment, columns x0 .. x inclusive
// (n = x - x0); only the columns in [lo, hi) are written, column x going to
// row[x - origin].
void HorizontalSegment(const TPaintKernels& k, TBGRA* row, int origin, int x0, int n, TsColor c1,
                       TsColor c2, int lo, int hi, std::vector<TBGRA>& scratch) {
  TRamp ramp(c1, c2, n);
  scratch.resize(static_cast<std::size_t>(n) + 1);
  k.gradient_row(scratch.data(), n + 1, ramp.v, ramp.inc);
  const long long from = std::max<long long>(x0, lo);
  const long long to = std::min<long long>(static_cast<long long>(x0) + n + 1, hi);
  if (to > from)
    std::memcpy(row + (from - origin), scratch.data() + (from - x0),
                static_cast<std::size_t>(to - from) * sizeof(TBGRA));
}

void PaintVertical(TBitmap32& bmp, const TRect& c, const TsGradArray& arr) {
  const TPaintKernels& k = ActiveKernels();
  const int w = c.Width(), h = c.Height();
  long long y = c.Top;
  for (std::size_t s = 1; s < arr.size(); ++s) {
    const TsGradPoint& p1 = arr[s - 1];
    const TsGradPoint& p2 = arr[s];
    const long long y0 = y;
    y = y0 + (static_cast<long long>(p2.Percent - p1.Percent) * h) / 100;
    if (s + 1 == arr.size() || y >= bmp.Height())
      y = c.Bottom;
    else
      y = std::min<long long>(y, c.Bottom);
    const long long n = y - y0;
    if (n <= 0) continue;
    // Positions that ran backwards can start a segment above the rectangle;
    // those rows keep their computed colours but are not written.
    const long long first = std::max<long long>(y0, c.Top);
    if (HasAlpha(p1) || HasAlpha(p2)) {
      const TRect band = Rect(c.Left, static_cast<int>(y0 - 1), c.Right, static_cast<int>(y));
      FillLinearGradientOver(bmp, band, p1.Color, p2.Color, false,
                             Rect(c.Left, static_cast<int>(first), c.Right, c.Bottom));
    } else if (p1.Color == p2.Color) {
      const std::uint32_t px = OpaquePixel(p1.Color);
      for (long long r = first; r < y; ++r)
        k.fill(bmp.ScanLine(static_cast<int>(r)) + c.Left, w, px);
    } else {
      TRamp ramp(p1.Color, p2.Color, n);
      for (long long r = y0; r < y; ++r) {
        if (r >= first) k.fill(bmp.ScanLine(static_cast<int>(r)) + c.Left, w, ramp.Pixel());
        ramp.Step();
      }
    }
  }
}

void PaintHorizontal(TBitmap32& bmp, const TRect& c, const TsGradArray& arr) {
  const TPaintKernels& k = ActiveKernels();
  const int w = c.Width();
  const double step = w / 100.0;
  TBGRA* top = bmp.ScanLine(c.Top);
  // Columns of the top row written by plain segments and not yet copied down.
  int span_lo = 0, span_hi = 0;
  auto flush = [&] {
    if (span_hi > span_lo)
      for (int y = c.Top + 1; y < c.Bottom; ++y)
        std::memcpy(bmp.ScanLine(y) + span_lo, top + span_lo,
                    static_cast<std::size_t>(span_hi - span_lo) * sizeof(TBGRA));
    span_lo = span_hi = 0;
  };
  std::vector<TBGRA> scratch;
  int x = c.Left;
  for (std::size_t s = 1; s < arr.size(); ++s) {
    const TsGradPoint& p1 = arr[s - 1];
    const TsGradPoint& p2 = arr[s];
    const bool last = s + 1 == arr.size();
    const int x0 = x;
    x = RoundEven(x0 + (p2.Percent - p1.Percent) * step);
    if (HasAlpha(p1) || HasAlpha(p2)) {
      x = (last || x >= bmp.Width()) ? c.Right : std::min(x, c.Right);
      if (x - x0 <= 0) continue;
      flush();
      FillLinearGradientOver(bmp, Rect(x0 - 1, c.Top, x, c.Bottom), p1.Color, p2.Color, true,
                             Rect(std::max(x0, c.Left), c.Top, c.Right, c.Bottom));
      continue;
    }
    x = last ? std::min(c.Right, bmp.Width() - 1) : std::min({x, c.Right, bmp.Width() - 1});
    const int n = x - x0;
    if (n <= 0) continue;
    // The segment's last pixel may lie at c.Right; it is computed, not written.
    const int lo = std::max(x0, c.Left), hi = std::min(x + 1, c.Right);
    if (hi <= lo) continue;
    if (span_hi > span_lo && (lo > span_hi || hi < span_lo)) flush();
    HorizontalSegment(k, top, 0, x0, n, p1.Color, p2.Color, c.Left, c.Right, scratch);
    if (span_hi > span_lo) {
      span_lo = std::min(span_lo, lo);
      span_hi = std::max(span_hi, hi);
    } else {
      span_lo = lo;
      span_hi = hi;
    }
  }
  flush();
}

void PaintFivePoint(TBitmap32& bmp, const TRect& c, const TsGradArray& arr) {
  if (arr.size() < 5) return;
  if (arr[0].Mode & gmHasAlpha) {
    const TsColor corners[4] = {arr[0].Color, arr[2].Color, arr[3].Color, arr[4].Color};
    FillPathGradientOver(bmp, c, corners, arr[1].Color);
    return;
  }
  auto vertex = [](int x, int y, TsColor col) {
    return TTriVertex{x,
                      y,
                      static_cast<std::uint16_t>(col.R << 8),
                      static_cast<std::uint16_t>(col.G << 8),
                      static_cast<std::uint16_t>(col.B << 8),
                      0xFF00};
  };
  const int w = c.Width(), h = c.Height();
  const TTriVertex v[5] = {
      vertex(c.Left, c.Top, arr[0].Color),                  // top-left
      vertex(c.Left + w / 2, c.Top + h / 2, arr[1].Color),  // centre
      vertex(c.Right, c.Top, arr[2].Color),                 // top-right
      vertex(c.Right, c.Bottom, arr[3].Color),              // bottom-right
      vertex(c.Left, c.Bottom, arr[4].Color),               // bottom-left
  };
  const TGradientTriangle t[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  GradientFillTriangles(bmp, v, 5, t, 4);
}

}  // namespace

void ParseGradient(ustring_view text, TsGradArray& arr) {
  arr.clear();
  if (text.size() <= 4) return;
  const TFields fields(text);
  const char16_t last = text.back();
  TsGradArray parsed = last == u'0' ? ParseOldFormat(fields) : ParseNewFormat(fields, last);
  if (!parsed.empty()) parsed.back().Percent = 100;
  arr = std::move(parsed);
}

void PaintGradient(TBitmap32& bmp, const TRect& r, const TsGradArray& arr) {
  if (r.IsEmpty() || arr.empty()) return;
  const TRect c = ClipRect(r, bmp);
  // Clipping can empty a rectangle that lies outside the bitmap.
  if (c.IsEmpty()) return;
  switch (arr[0].Mode & gmShapeMask) {
    case gmVertical:
      PaintVertical(bmp, c, arr);
      break;
    case gmHorizontal:
      PaintHorizontal(bmp, c, arr);
      break;
    case gmFivePoint:
      PaintFivePoint(bmp, c, arr);
      break;
    default:
      break;
  }
}

void PaintGradientTextured(TBitmap32& bmp, const TRect& r, const TsGradArray& arr, std::uint8_t a,
                           std::uint8_t w, const TRect& s, const TBitmap32& src) {
  if (r.IsEmpty() || arr.empty()) return;
  const TRect c = ClipRect(r, bmp);
  if (c.IsEmpty()) return;
  const int shape = arr[0].Mode & gmShapeMask;
  if (shape != gmVertical && shape != gmHorizontal) return;
  // Only the part of the texture inside the source is tiled; an empty part
  // (or an empty source) has no period to tile with.
  const TRect tex = IntersectRect(s.IsEmpty() ? src.BoundsRect() : s, src.BoundsRect());
  const int tw = tex.Width(), th = tex.Height();
  if (tw <= 0 || th <= 0) return;

  const TPaintKernels& k = ActiveKernels();
  const int width = c.Width(), height = c.Height();
  std::vector<TBGRA> g(static_cast<std::size_t>(width));
  std::vector<TBGRA> t(static_cast<std::size_t>(width));
  // Columns [c.Left + off, c.Left + off + n) of row y.
  auto paint_row = [&](int y, int off, int n) {
    const TBGRA* trow = src.ScanLine(tex.Top + y % th) + tex.Left;
    for (int i = 0; i < n; ++i) t[i] = trow[(c.Left + off + i) % tw];
    TBGRA* d = bmp.ScanLine(y) + c.Left + off;
    k.mix(d, t.data(), g.data() + off, n, w);
    for (int i = 0; i < n; ++i) d[i].A = a;
  };

  if (shape == gmVertical) {
    // Segments include both end rows; a segment's last row is repainted by the next.
    long long y = c.Top;
    for (std::size_t seg = 1; seg < arr.size(); ++seg) {
      const TsGradPoint& p1 = arr[seg - 1];
      const TsGradPoint& p2 = arr[seg];
      const long long y0 = y;
      y = y0 + (static_cast<long long>(p2.Percent - p1.Percent) * height) / 100;
      if (seg + 1 == arr.size())
        y = c.Bottom - 1;
      else
        y = std::min<long long>(y, std::min(c.Bottom, bmp.Height() - 1));
      const long long n = y - y0;
      if (n < 0) continue;
      TRamp ramp(p1.Color, p2.Color, n);
      for (long long row = y0; row <= y; ++row) {
        if (row >= c.Top && row < c.Bottom) {
          k.fill(g.data(), width, ramp.Pixel());
          paint_row(static_cast<int>(row), 0, width);
        }
        ramp.Step();
      }
    }
    return;
  }

  // Horizontal: one row of gradient colours, then every row mixed with the texture.
  const double step = width / 100.0;
  std::vector<TBGRA> scratch;
  int covered_lo = c.Right, covered_hi = c.Left;
  int x = c.Left;
  for (std::size_t seg = 1; seg < arr.size(); ++seg) {
    const TsGradPoint& p1 = arr[seg - 1];
    const TsGradPoint& p2 = arr[seg];
    const int x0 = x;
    x = RoundEven(x0 + (p2.Percent - p1.Percent) * step);
    x = seg + 1 == arr.size() ? std::min(c.Right, bmp.Width() - 1)
                              : std::min({x, c.Right, bmp.Width() - 1});
    const int n = x - x0;
    if (n <= 0) continue;
    HorizontalSegment(k, g.data(), c.Left, x0, n, p1.Color, p2.Color, c.Left, c.Right, scratch);
    covered_lo = std::min(covered_lo, std::max(x0, c.Left));
    covered_hi = std::max(covered_hi, std::min(x + 1, c.Right));
  }
  // Segments run left to right from c.Left, so the painted columns are one run;
  // columns no segment reached keep their pixels.
  if (covered_hi <= covered_lo) return;
  for (int y = c.Top; y < c.Bottom; ++y) paint_row(y, covered_lo - c.Left, covered_hi - covered_lo);
}

}  // namespace qv
