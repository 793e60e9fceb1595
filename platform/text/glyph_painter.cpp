// Painting laid-out text into 32-bit or 8-bit bitmaps through clip rectangles.
#include "platform/text/glyph_painter.h"

namespace qv::text {

namespace {

// Coverage c mixes the text value v over the pixel value d: c = 255 gives v
// exactly, c = 0 leaves d.
inline std::uint8_t Mix(std::uint8_t v, std::uint8_t d, unsigned c) {
  return static_cast<std::uint8_t>((v * c + d * (255 - c) + 127) / 255);
}

class TWriter {
 public:
  TWriter(TTextDevice& device, std::vector<TRect> clip) : device_(device), clip_(std::move(clip)) {}

  bool Empty() const { return clip_.empty(); }

  // A solid rectangle in device coordinates.
  void Fill(const TRect& r, TColor rgb) {
    for (const TRect& c : clip_) {
      const TRect i = IntersectRect(r, c);
      if (i.IsEmpty()) continue;
      if (device_.Bitmap32) {
        const TBGRA p = ColorToPixel(rgb, 0);
        for (int y = i.Top; y < i.Bottom; ++y) {
          TBGRA* row = device_.Bitmap32->ScanLine(y);
          std::fill(row + i.Left, row + i.Right, p);
        }
      } else {
        for (int y = i.Top; y < i.Bottom; ++y) {
          std::uint8_t* row = device_.Bitmap8->ScanLine(y);
          std::fill(row + i.Left, row + i.Right, GetRValue(rgb));
        }
      }
    }
  }

  // A glyph whose top-left pixel lands on device (gx, gy).
  void Glyph(const TGlyph& g, int gx, int gy, TColor rgb) {
    if (g.Width <= 0 || g.Height <= 0) return;
    const TRect box{gx, gy, gx + g.Width, gy + g.Height};
    for (const TRect& c : clip_) {
      const TRect i = IntersectRect(box, c);
      if (i.IsEmpty()) continue;
      for (int y = i.Top; y < i.Bottom; ++y) {
        const std::uint8_t* cov =
            g.Coverage.data() + static_cast<std::size_t>(y - gy) * g.Width + (i.Left - gx);
        if (device_.Bitmap32)
          Row32(device_.Bitmap32->ScanLine(y) + i.Left, cov, i.Width(), rgb);
        else
          Row8(device_.Bitmap8->ScanLine(y) + i.Left, cov, i.Width(), GetRValue(rgb));
      }
    }
  }

 private:
  static void Row32(TBGRA* dst, const std::uint8_t* cov, int n, TColor rgb) {
    const std::uint8_t r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    for (int x = 0; x < n; ++x) {
      const unsigned c = cov[x];
      if (c == 0) continue;
      TBGRA& p = dst[x];
      if (c == 255) {
        p = {b, g, r, 0};
      } else {
        p = {Mix(b, p.B, c), Mix(g, p.G, c), Mix(r, p.R, c), 0};
      }
    }
  }

  static void Row8(std::uint8_t* dst, const std::uint8_t* cov, int n, std::uint8_t v) {
    for (int x = 0; x < n; ++x) {
      if (cov[x]) dst[x] = Mix(v, dst[x], cov[x]);
    }
  }

  TTextDevice& device_;
  std::vector<TRect> clip_;
};

std::vector<TRect> EffectiveClip(const TTextDevice& device, const std::optional<TRect>& clip) {
  const TRect bounds = device.Bitmap32 ? device.Bitmap32->BoundsRect()
                       : device.Bitmap8
                           ? TRect{0, 0, device.Bitmap8->Width(), device.Bitmap8->Height()}
                           : TRect{};
  std::vector<TRect> out;
  for (const TRect& c : device.Clip) {
    TRect r = IntersectRect(c, bounds);
    if (clip) r = IntersectRect(r, clip->Offset(device.Origin.X, device.Origin.Y));
    if (!r.IsEmpty()) out.push_back(r);
  }
  return out;
}

}  // namespace

void PaintLines(TTextDevice& device, TSizedFont& font, const std::vector<TLaidLine>& lines,
                const TPaintStyle& style, const std::optional<TRect>& clip) {
  TWriter w(device, EffectiveClip(device, clip));
  if (w.Empty()) return;
  const TFontMetrics& fm = font.Metrics();
  const bool only_prefix = style.Prefix == TPrefixShow::Only;
  for (const TLaidLine& line : lines) {
    const int x0 = device.Origin.X + line.X;
    const int top = device.Origin.Y + line.Y;
    const int base = top + fm.Ascent;
    if (style.Opaque && !only_prefix)
      w.Fill({x0, top, x0 + line.Width, top + fm.Height}, style.BkColor);
    if (!only_prefix) {
      for (const TLaidGlyph& lg : line.Glyphs) {
        if (!lg.Visible) continue;
        const TGlyph& g = font.Glyph(lg.Char);
        w.Glyph(g, x0 + lg.X + g.Left, base - g.Top, style.Color);
      }
      if (style.Underline)
        w.Fill({x0, base + fm.UnderlineOffset, x0 + line.Width,
                base + fm.UnderlineOffset + fm.UnderlineThickness},
               style.Color);
      if (style.StrikeOut)
        w.Fill({x0, base - fm.StrikeoutOffset, x0 + line.Width,
                base - fm.StrikeoutOffset + fm.StrikeoutThickness},
               style.Color);
    }
    if (style.Prefix == TPrefixShow::Hidden) continue;
    for (const TLaidGlyph& lg : line.Glyphs) {
      if (!lg.Prefixed) continue;
      w.Fill({x0 + lg.X, base + fm.UnderlineOffset, x0 + lg.X + lg.Advance,
              base + fm.UnderlineOffset + fm.UnderlineThickness},
             style.Color);
    }
  }
}

}  // namespace qv::text
