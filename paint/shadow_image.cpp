// The computed shadow image and the outer colour half.
#include "paint/shadow_image.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/canvas.h"

namespace qv {

namespace {

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

TBitmap32 ComputedShadowImage(TColor color, int radius, int offset, TShadowForm form, int blur,
                              int extra_width, int extra_height) {
  const int r = std::max(0, radius), c = std::max(0, offset);
  const int dw = std::max(0, extra_width), dh = std::max(0, extra_height);
  const bool mask = form == TShadowForm::Mask;
  TBitmap32 out(2 * r + dw + 1, 2 * r + dh + c + 1);
  out.Fill(mask ? TBGRA{255, 255, 255, 255} : TBGRA{});

  const int cx = r, cy = c + r;
  double rin = 0;
  int b = blur;
  if (b > 0) {
    rin = r - b;
  } else {
    b = r;
  }
  const int a = static_cast<int>((static_cast<std::uint32_t>(color) >> 24) & 0xFF);
  const TBGRA outside = mask ? TBGRA{255, 255, 255, 255} : TBGRA{};
  const std::size_t row_bytes = static_cast<std::size_t>(2 * r + 1) * sizeof(TBGRA);
  for (int y = c; y <= cy; ++y) {
    TBGRA* row = out.ScanLine(y);
    for (int x = 0; x <= r; ++x) {
      const double dx = cx - x, dy = cy - y;
      const double d = std::sqrt(dx * dx + dy * dy);
      TBGRA p = outside;
      if (d <= r) {
        int i = 255;
        if (mask) {
          if (d > rin) {
            const double fall = 1 - (d - rin) / (b + 1);
            i = std::clamp(RoundEven(255 * fall * (r + 1 - d) / (b + 1)), 0, 255);
          }
          const auto g = static_cast<std::uint8_t>((255 * (255 - i) + a * i) / 256);
          p = {g, g, g, 255};
        } else {
          if (d > rin) {
            const double span = r - rin;
            // Near the inner radius the product passes 255: it is a strength.
            i = std::clamp(RoundEven(255 * (r - d + 1) * (1 - (d - rin) / span) / span), 0, 255);
          }
          const int alpha = a * i / 256;
          auto channel = [&](int shift) {
            const int v = static_cast<int>((static_cast<std::uint32_t>(color) >> shift) & 0xFF);
            return static_cast<std::uint8_t>(v * 255 * alpha / 65536);
          };
          p = {channel(16), channel(8), channel(0), static_cast<std::uint8_t>(alpha)};
        }
      }
      row[x] = p;
      row[2 * r - x] = p;
    }
    std::memcpy(out.ScanLine(2 * cy - y + dh), row, row_bytes);
  }
  for (int y = cy + 1; y <= cy + dh; ++y) std::memcpy(out.ScanLine(y), out.ScanLine(cy), row_bytes);
  if (dw > 0) {
    for (int y = 0; y < out.Height(); ++y) {
      TBGRA* row = out.ScanLine(y);
      std::memmove(row + r + dw + 1, row + r + 1, static_cast<std::size_t>(r) * sizeof(TBGRA));
      std::fill(row + r + 1, row + r + dw + 1, row[r]);
    }
  }
  return out;
}

void OuterColorHalf(TBitmap32& out, int w, int h, TColor left, TColor top, TColor right,
                    TColor bottom) {
  out.SetSize(std::max(0, w), std::max(0, h));
  if (out.Empty()) return;
  if (top == clKeyColor) {
    out.Fill(ColorToPixel(ColorToRGB(left), 255));
    return;
  }
  TCanvas canvas(out);
  canvas.FillRect({0, 0, w, h / 2}, top);
  canvas.FillRect({0, h / 2, w, h}, bottom);
  // Filled by pixel centres alone: an outline would step along the diagonals.
  canvas.Pen.Style = TPenStyle::psClear;
  auto triangle = [&](TColor color, std::vector<TPoint> points) {
    canvas.Brush.Color = color;
    canvas.Polygon(points);
  };
  triangle(left, {{0, 1}, {w / 2 - 1, h / 2}, {0, h - 2}});
  // The right edge at w, so that the last column is the triangle's as the
  // first column is the left one's.
  triangle(right, {{w, 1}, {w / 2 + 1, h / 2}, {w, h - 2}});
  // Opaque like the one-colour half: the mask half alone decides what shows.
  for (int y = 0; y < h; ++y) {
    TBGRA* row = out.ScanLine(y);
    for (int x = 0; x < w; ++x) row[x].A = 255;
  }
}

}  // namespace qv
