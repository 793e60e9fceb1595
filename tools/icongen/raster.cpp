// Signed-distance shapes and the coverage-sampling painter of the icon generator.
#include "tools/icongen/raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace qv::icongen {
namespace {

constexpr int kGrid = 16;  // samples per pixel side
// Half the pixel diagonal plus a margin: beyond it from the edge a pixel is
// wholly inside or outside.
constexpr double kDecided = 0.75;

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

}  // namespace

TShape Circle(double cx, double cy, double radius) {
  return [=](double x, double y) { return Length(x - cx, y - cy) - radius; };
}

TShape Box(double left, double top, double right, double bottom) {
  return RoundBox(left, top, right, bottom, 0.0);
}

TShape RoundBox(double left, double top, double right, double bottom, double radius) {
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  const double r = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  const double hx = (right - left) / 2 - r, hy = (bottom - top) / 2 - r;
  return [=](double x, double y) {
    const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
  };
}

TShape Capsule(TPointF a, TPointF b, double width) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len2 = dx * dx + dy * dy;
  return [=](double x, double y) {
    const double px = x - a.X, py = y - a.Y;
    const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
    return Length(px - t * dx, py - t * dy) - width / 2;
  };
}

TShape Polygon(std::vector<TPointF> points) {
  if (points.size() < 3) throw std::invalid_argument("a polygon needs three points");
  return [pts = std::move(points)](double x, double y) {
    double best = 1e300;
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const TPointF& p = pts[i];
      const TPointF& q = pts[j];
      const double ex = q.X - p.X, ey = q.Y - p.Y;
      const double wx = x - p.X, wy = y - p.Y;
      const double t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0);
      best = std::min(best, Length(wx - t * ex, wy - t * ey));
      // Crossing test on a ray to the right of the point.
      if ((p.Y > y) != (q.Y > y) && x < p.X + (y - p.Y) * ex / ey) inside = !inside;
    }
    return inside ? -best : best;
  };
}

TShape Union(TShape a, TShape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) {
    return std::min(a(x, y), b(x, y));
  };
}

TShape Intersect(TShape a, TShape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) {
    return std::max(a(x, y), b(x, y));
  };
}

TShape Subtract(TShape from, TShape cut) {
  return [a = std::move(from), b = std::move(cut)](double x, double y) {
    return std::max(a(x, y), -b(x, y));
  };
}

TShape Offset(TShape s, double d) {
  return [s = std::move(s), d](double x, double y) { return s(x, y) - d; };
}

TShape Border(TShape s, double width) { return Subtract(s, Offset(s, -width)); }

TIconPainter::TIconPainter(int size) : size_(size) {
  if (size <= 0) throw std::invalid_argument("icon size must be positive");
  px_.resize(static_cast<std::size_t>(size) * size);
}

double TIconPainter::Coverage(const TShape& s, int x, int y) {
  const double centre = s(x + 0.5, y + 0.5);
  if (centre <= -kDecided) return 1.0;
  if (centre >= kDecided) return 0.0;
  int hits = 0;
  for (int j = 0; j < kGrid; ++j) {
    const double sy = y + (j + 0.5) / kGrid;
    for (int i = 0; i < kGrid; ++i)
      if (s(x + (i + 0.5) / kGrid, sy) < 0) ++hits;
  }
  return hits / double(kGrid * kGrid);
}

void TIconPainter::Fill(const TShape& s, TColor c, double opacity) {
  const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
  for (int y = 0; y < size_; ++y)
    for (int x = 0; x < size_; ++x) {
      const double a = Coverage(s, x, y) * opacity;
      if (a <= 0) continue;
      TPremul& p = px_[static_cast<std::size_t>(y) * size_ + x];
      p.R = r * a + p.R * (1 - a);
      p.G = g * a + p.G * (1 - a);
      p.B = b * a + p.B * (1 - a);
      p.A = a + p.A * (1 - a);
    }
}

void TIconPainter::Outlined(const TShape& s, TColor outline, TColor fill, double width) {
  Fill(s, outline);
  Fill(Offset(s, -width), fill);
}

void TIconPainter::Erase(const TShape& s) {
  for (int y = 0; y < size_; ++y)
    for (int x = 0; x < size_; ++x) {
      const double keep = 1 - Coverage(s, x, y);
      TPremul& p = px_[static_cast<std::size_t>(y) * size_ + x];
      p.R *= keep;
      p.G *= keep;
      p.B *= keep;
      p.A *= keep;
    }
}

TBitmap32 TIconPainter::Bitmap() const {
  TBitmap32 bmp(size_, size_);
  const auto byte = [](double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
  };
  for (int y = 0; y < size_; ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < size_; ++x) {
      const TPremul& p = px_[static_cast<std::size_t>(y) * size_ + x];
      const std::uint8_t a = byte(p.A);
      if (a == 0) continue;
      row[x] = {byte(p.B / p.A), byte(p.G / p.A), byte(p.R / p.A), a};
    }
  }
  return bmp;
}

}  // namespace qv::icongen
