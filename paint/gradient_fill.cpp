// Software rasterisers for the gradient fills of gradient_fill.h.
#include "paint/gradient_fill.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Straight-alpha source-over of one colour given in doubles (0..255).
inline void Over(TBGRA& d, double r, double g, double b, double a) {
  const double sa = a / 255.0, da = d.A / 255.0;
  const double oa = sa + da * (1.0 - sa);
  if (oa <= 0.0) {
    d = {0, 0, 0, 0};
    return;
  }
  auto ch = [&](double s, int dv) {
    const double v = (s * sa + dv * da * (1.0 - sa)) / oa;
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
  };
  d = {ch(b, d.B), ch(g, d.G), ch(r, d.R),
       static_cast<std::uint8_t>(std::clamp(std::lround(oa * 255.0), 0L, 255L))};
}

// Signed doubled area of (a, b, p): positive when p lies to the right of a->b
// in screen coordinates for a clockwise triangle.
inline long long Edge(long long ax, long long ay, long long bx, long long by, long long px,
                      long long py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

}  // namespace

void GradientFillTriangles(TBitmap32& bmp, const TTriVertex* v, std::size_t nv,
                           const TGradientTriangle* tris, std::size_t nt) {
  if (bmp.Empty() || !v || !tris) return;
  for (std::size_t t = 0; t < nt; ++t) {
    const TGradientTriangle& tri = tris[t];
    if (tri.Vertex1 >= nv || tri.Vertex2 >= nv || tri.Vertex3 >= nv) continue;
    const TTriVertex* a = &v[tri.Vertex1];
    const TTriVertex* b = &v[tri.Vertex2];
    const TTriVertex* c = &v[tri.Vertex3];
    // Doubled coordinates put pixel centres on integers.
    long long ax = 2LL * a->X, ay = 2LL * a->Y, bx = 2LL * b->X, by = 2LL * b->Y;
    long long cx = 2LL * c->X, cy = 2LL * c->Y;
    long long area = Edge(ax, ay, bx, by, cx, cy);
    if (area == 0) continue;
    if (area < 0) {
      std::swap(b, c);
      std::swap(bx, cx);
      std::swap(by, cy);
      area = -area;
    }
    // Top-left rule: an edge owns its points when it is a top edge (horizontal,
    // going right in this orientation) or a left edge (going up).
    auto owns = [](long long x0, long long y0, long long x1, long long y1) {
      return (y0 == y1 && x1 > x0) || y1 < y0;
    };
    const bool own_ab = owns(ax, ay, bx, by), own_bc = owns(bx, by, cx, cy),
               own_ca = owns(cx, cy, ax, ay);
    const int x_lo = std::max(0, std::min({a->X, b->X, c->X}));
    const int x_hi = std::min(bmp.Width(), std::max({a->X, b->X, c->X}));
    const int y_lo = std::max(0, std::min({a->Y, b->Y, c->Y}));
    const int y_hi = std::min(bmp.Height(), std::max({a->Y, b->Y, c->Y}));
    const double inv = 1.0 / static_cast<double>(area);
    for (int y = y_lo; y < y_hi; ++y) {
      TBGRA* row = bmp.ScanLine(y);
      const long long py = 2LL * y + 1;
      for (int x = x_lo; x < x_hi; ++x) {
        const long long pxx = 2LL * x + 1;
        const long long w_a = Edge(bx, by, cx, cy, pxx, py);  // weight of a
        const long long w_b = Edge(cx, cy, ax, ay, pxx, py);
        const long long w_c = Edge(ax, ay, bx, by, pxx, py);
        if (w_a < 0 || w_b < 0 || w_c < 0) continue;
        if ((w_a == 0 && !own_bc) || (w_b == 0 && !own_ca) || (w_c == 0 && !own_ab)) continue;
        const double la = w_a * inv, lb = w_b * inv, lc = w_c * inv;
        auto ch = [&](std::uint16_t ca, std::uint16_t cb, std::uint16_t cc) {
          const double val = la * ca + lb * cb + lc * cc;
          return static_cast<std::uint8_t>(std::clamp(static_cast<long>(val), 0L, 65535L) >> 8);
        };
        row[x] = {ch(a->Blue, b->Blue, c->Blue), ch(a->Green, b->Green, c->Green),
                  ch(a->Red, b->Red, c->Red), ch(a->Alpha, b->Alpha, c->Alpha)};
      }
    }
  }
}

void FillLinearGradientOver(TBitmap32& bmp, const TRect& rect, TsColor c1, TsColor c2,
                            bool horizontal, const TRect& clip) {
  const TRect area = IntersectRect(IntersectRect(rect, clip), bmp.BoundsRect());
  if (area.IsEmpty()) return;
  const double len = horizontal ? rect.Width() : rect.Height();
  const int start = horizontal ? rect.Left : rect.Top;
  auto colour = [&](int pos, double out[4]) {
    const double t = ((pos - start) + 0.5) / len;
    out[0] = c1.R + (c2.R - c1.R) * t;
    out[1] = c1.G + (c2.G - c1.G) * t;
    out[2] = c1.B + (c2.B - c1.B) * t;
    out[3] = c1.A + (c2.A - c1.A) * t;
  };
  double c[4] = {};
  for (int y = area.Top; y < area.Bottom; ++y) {
    TBGRA* row = bmp.ScanLine(y);
    if (!horizontal) colour(y, c);
    for (int x = area.Left; x < area.Right; ++x) {
      if (horizontal) colour(x, c);
      Over(row[x], c[0], c[1], c[2], c[3]);
    }
  }
}

void FillPathGradientOver(TBitmap32& bmp, const TRect& rect, const TsColor corners[4],
                          TsColor centre) {
  const TRect area = IntersectRect(rect, bmp.BoundsRect());
  if (area.IsEmpty()) return;
  const double cx = rect.Left + rect.Width() / 2.0, cy = rect.Top + rect.Height() / 2.0;
  const double vx[4] = {double(rect.Left), double(rect.Right), double(rect.Right),
                        double(rect.Left)};
  const double vy[4] = {double(rect.Top), double(rect.Top), double(rect.Bottom),
                        double(rect.Bottom)};
  auto channels = [](TsColor c, double out[4]) {
    out[0] = c.R;
    out[1] = c.G;
    out[2] = c.B;
    out[3] = c.A;
  };
  double cc[4], corner[4][4];
  channels(centre, cc);
  for (int i = 0; i < 4; ++i) channels(corners[i], corner[i]);
  for (int y = area.Top; y < area.Bottom; ++y) {
    TBGRA* row = bmp.ScanLine(y);
    const double py = y + 0.5 - cy;
    for (int x = area.Left; x < area.Right; ++x) {
      const double pxx = x + 0.5 - cx;
      // The triangle of the centre and one side that holds the point: solve
      // p = s ((1 - u) Vi + u Vj) relative to the centre, s and u in [0, 1].
      double s = 0, u = 0;
      int side = 0;
      for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        const double ax = vx[i] - cx, ay = vy[i] - cy, bx = vx[j] - cx, by = vy[j] - cy;
        const double det = ax * by - ay * bx;
        if (det == 0) continue;
        const double p = (pxx * by - py * bx) / det;  // weight of Vi
        const double q = (ax * py - ay * pxx) / det;  // weight of Vj
        if (p >= -1e-12 && q >= -1e-12) {
          s = std::min(p + q, 1.0);
          u = p + q > 0 ? q / (p + q) : 0;
          side = i;
          break;
        }
      }
      const int j = (side + 1) % 4;
      double c[4];
      for (int k = 0; k < 4; ++k) {
        const double edge = corner[side][k] + (corner[j][k] - corner[side][k]) * u;
        c[k] = cc[k] + (edge - cc[k]) * s;
      }
      Over(row[x], c[0], c[1], c[2], c[3]);
    }
  }
}

}  // namespace qv
