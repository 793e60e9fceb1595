// The compositing primitives: clipping of each piece to both bitmaps, then the
// row kernels (or the per-pixel arithmetic of pixel_ops.h) over its rows.
#include "paint/compositing.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"
#include "paint/resample.h"

namespace qv {

namespace {

// A piece of w x h pixels read at (sx, sy) and written at (dx, dy).
struct TPiece {
  int dx = 0, dy = 0, sx = 0, sy = 0, w = 0, h = 0;
  bool Empty() const { return w <= 0 || h <= 0; }
};

// Maps the source rectangle [l, r) x [t, b) to the destination at p and clips
// both sides; 64-bit arithmetic keeps extreme rectangles from overflowing.
TPiece ClipPiece(const TBitmap32& dst, const TBitmap32& src, long long px, long long py,
                 long long l, long long t, long long r, long long b) {
  TPiece piece;
  // Source bounds.
  if (l < 0) px -= l, l = 0;
  if (t < 0) py -= t, t = 0;
  r = std::min<long long>(r, src.Width());
  b = std::min<long long>(b, src.Height());
  // Destination bounds.
  if (px < 0) l -= px, px = 0;
  if (py < 0) t -= py, py = 0;
  r = std::min<long long>(r, l + (dst.Width() - px));
  b = std::min<long long>(b, t + (dst.Height() - py));
  if (r <= l || b <= t) return piece;
  piece = {static_cast<int>(px), static_cast<int>(py),    static_cast<int>(l),
           static_cast<int>(t),  static_cast<int>(r - l), static_cast<int>(b - t)};
  return piece;
}

TRect ClipToBitmap(const TRect& r, const TBitmap32& bmp) {
  return IntersectRect(r, bmp.BoundsRect());
}

std::uint32_t KeyBits(TColor key) { return px::Bits(ColorToPixel(key, 0)) & 0x00FFFFFFu; }

// Reading a bitmap while writing it would smear overlapping pieces.
const TBitmap32& Readable(const TBitmap32& src, const TBitmap32& dst,
                          std::optional<TBitmap32>& copy) {
  if (&src != &dst) return src;
  copy.emplace(src);
  return *copy;
}

// Where the parent bitmap lies under the destination columns of a piece:
// columns [first, last) of the piece have a parent column, the others not.
// Key pixels take the parent's pixel where there is one and stay elsewhere.
struct TParentSpan {
  const TBitmap32* parent = nullptr;
  long long px0 = 0;  // parent column under the piece's first column
  int first = 0, last = 0;

  TParentSpan(const TBitmap32* p, long long parent_x, int n) : parent(p), px0(parent_x) {
    if (!p) return;
    first = static_cast<int>(std::clamp<long long>(-px0, 0, n));
    last = static_cast<int>(std::clamp<long long>(p->Width() - px0, first, n));
  }

  // Runs the kernel over one row of n pixels whose parent row is parent_y.
  template <class Kernel>
  void Row(long long parent_y, int n, TKeyedRow k, Kernel&& run) const {
    if (!parent || parent_y < 0 || parent_y >= parent->Height() || last <= first) {
      k.action = TKeyAction::kLeave;
      run(0, n, k);
      return;
    }
    k.parent = parent->ScanLine(static_cast<int>(parent_y)) + (px0 + first);
    if (first == 0 && last == n) {
      run(0, n, k);
      return;
    }
    TKeyedRow leave = k;
    leave.action = TKeyAction::kLeave;
    if (first > 0) run(0, first, leave);
    run(first, last - first, k);
    if (n > last) run(last, n - last, leave);
  }
};

// Index maps and gathered rows of the nearest-pixel stretches, kept between
// calls so that painting many small pieces does not allocate for each.
struct TStretchScratch {
  std::vector<int> cols, rows;
  std::vector<TBGRA> img, mask;
};

TStretchScratch& Scratch() {
  thread_local TStretchScratch scratch;
  return scratch;
}

}  // namespace

TColor MixColors(TColor a, TColor b, int w) {
  w = std::clamp(w, 0, 255);
  auto ch = [&](int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return ((ca * w + cb * (255 - w)) >> 8) << shift;
  };
  return static_cast<TColor>((static_cast<std::uint32_t>(a) & 0xFF000000u) |
                             static_cast<std::uint32_t>(ch(0) | ch(8) | ch(16)));
}

void FillRectAlpha(TBitmap32& bmp, const TRect& r, TColor color, std::uint8_t alpha) {
  const TRect c = ClipToBitmap(r, bmp);
  if (c.IsEmpty()) return;
  const std::uint32_t p = px::Bits(ColorToPixel(color, alpha));
  const TPaintKernels& k = ActiveKernels();
  for (int y = c.Top; y < c.Bottom; ++y) k.fill(bmp.ScanLine(y) + c.Left, c.Width(), p);
}

void BlendColorRect(TBitmap32& bmp, const TRect& r, std::uint8_t w, TColor color) {
  const TRect c = ClipToBitmap(r, bmp);
  if (c.IsEmpty()) return;
  const std::uint32_t p = px::Bits(ColorToPixel(ColorToRGB(color), 0));
  const TPaintKernels& k = ActiveKernels();
  for (int y = c.Top; y < c.Bottom; ++y) k.blend_color(bmp.ScanLine(y) + c.Left, c.Width(), p, w);
}

void BlendBitmaps(TBitmap32& dst, const TBitmap32& src_in, std::uint8_t w, TPoint p,
                  const TRect& s) {
  const TPiece pc = ClipPiece(dst, src_in, p.X, p.Y, s.Left, s.Top, s.Right, s.Bottom);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const TPaintKernels& k = ActiveKernels();
  for (int y = 0; y < pc.h; ++y) {
    TBGRA* d = dst.ScanLine(pc.dy + y) + pc.dx;
    k.mix(d, d, src.ScanLine(pc.sy + y) + pc.sx, pc.w, w);
  }
}

void BlendAlphaPiece(TBitmap32& dst, const TBitmap32& src_in, const TRect& s, std::uint8_t o,
                     TPoint p) {
  const TPiece pc =
      ClipPiece(dst, src_in, p.X, p.Y, s.Left, s.Top, static_cast<long long>(s.Right) + 1,
                static_cast<long long>(s.Bottom) + 1);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const TPaintKernels& k = ActiveKernels();
  for (int y = 0; y < pc.h; ++y)
    k.blend_alpha(dst.ScanLine(pc.dy + y) + pc.dx, src.ScanLine(pc.sy + y) + pc.sx, pc.w, o);
}

void StretchAlphaPiece(TBitmap32& dst, const TRect& target, std::uint8_t o, const TBitmap32& src,
                       const TRect& region) {
  if (target.IsEmpty() || region.IsEmpty() || dst.Empty() || src.Empty()) return;
  const TRect t = ClipToBitmap(target, dst);
  if (t.IsEmpty()) return;
  // Only the part of the region inside the source can be scaled.
  const TRect reg = ClipToBitmap(region, src);
  if (reg.IsEmpty()) return;
  if (reg.Left == 0 && reg.Top == 0) {
    TBitmap32 scaled;
    bool done;
    if (reg == src.BoundsRect()) {
      done = Resample(src, scaled, target.Width(), target.Height());
    } else {
      TBitmap32 part(reg.Width(), reg.Height());
      for (int y = 0; y < reg.Height(); ++y)
        std::memcpy(part.ScanLine(y), src.ScanLine(y), reg.Width() * sizeof(TBGRA));
      done = Resample(part, scaled, target.Width(), target.Height());
    }
    if (done) {
      BlendAlphaPiece(dst, scaled, Rect(0, 0, scaled.Width() - 1, scaled.Height() - 1), o,
                      target.TopLeft());
      return;
    }
    // Sources too small to filter are stretched to the nearest pixel instead.
  }
  // Nearest pixel: each visible row is gathered from its source row and blended.
  TStretchScratch& sc = Scratch();
  std::vector<int>& cols = sc.cols;
  std::vector<int>& rows = sc.rows;
  NearestMap(reg.Left, reg.Width(), target.Width(), t.Left - target.Left, t.Right - target.Left,
             cols);
  NearestMap(reg.Top, reg.Height(), target.Height(), t.Top - target.Top, t.Bottom - target.Top,
             rows);
  std::vector<TBGRA>& line = sc.img;
  line.resize(cols.size());
  const TPaintKernels& k = ActiveKernels();
  int gathered = -1;
  for (int y = t.Top; y < t.Bottom; ++y) {
    const int sy = rows[y - t.Top];
    if (sy != gathered) {
      const TBGRA* s = src.ScanLine(sy);
      for (std::size_t i = 0; i < cols.size(); ++i) line[i] = s[cols[i]];
      gathered = sy;
    }
    k.blend_alpha(dst.ScanLine(y) + t.Left, line.data(), t.Width(), o);
  }
}

void CopyKeyedPiece(TBitmap32& dst, const TBitmap32& src_in, TPoint p, const TRect& s, TColor key,
                    bool from_parent, const TCacheInfo& ci) {
  const TPiece pc =
      ClipPiece(dst, src_in, p.X, p.Y, s.Left, s.Top, static_cast<long long>(s.Right) + 1,
                static_cast<long long>(s.Bottom) + 1);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const TPaintKernels& kern = ActiveKernels();
  TKeyedRow k;
  k.key = KeyBits(key);
  const bool parent_case = from_parent && ci.Ready && ci.Bmp;
  if (parent_case && ci.Bmp == &dst) {
    k.action = TKeyAction::kLeave;
    k.or_alpha = 0xFF000000u;
  } else if (parent_case) {
    k.action = TKeyAction::kParent;
  } else if (ci.Ready) {
    k.action = TKeyAction::kLeave;
  } else {
    k.action = TKeyAction::kFill;
    const std::uint8_t a = dst.ScanLine(0)[0].A;
    k.fill = px::Bits(ColorToPixel(ci.FillColor, a));
  }
  const TParentSpan span(ci.Bmp, static_cast<long long>(pc.dx) + ci.X, pc.w);
  for (int y = 0; y < pc.h; ++y) {
    TBGRA* d = dst.ScanLine(pc.dy + y) + pc.dx;
    const TBGRA* sr = src.ScanLine(pc.sy + y) + pc.sx;
    if (k.action != TKeyAction::kParent) {
      kern.copy_keyed(d, sr, pc.w, k);
      continue;
    }
    span.Row(static_cast<long long>(pc.dy) + y + ci.Y, pc.w, k,
             [&](int off, int n, const TKeyedRow& part) {
               kern.copy_keyed(d + off, sr + off, n, part);
             });
  }
}

void CopyKeyedFaded(TBitmap32& dst, const TBitmap32& src_in, TPoint p, const TRect& s, TColor key,
                    std::uint8_t w) {
  const TPiece pc =
      ClipPiece(dst, src_in, p.X, p.Y, s.Left, s.Top, static_cast<long long>(s.Right) + 1,
                static_cast<long long>(s.Bottom) + 1);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const std::uint32_t kb = KeyBits(key);
  const int ws = 255 - w;
  auto mix = [&](int sv, int dv) { return static_cast<std::uint8_t>((ws * sv + w * dv) >> 8); };
  for (int y = 0; y < pc.h; ++y) {
    TBGRA* d = dst.ScanLine(pc.dy + y) + pc.dx;
    const TBGRA* sr = src.ScanLine(pc.sy + y) + pc.sx;
    for (int x = 0; x < pc.w; ++x) {
      if (px::IsKey(sr[x], kb)) continue;
      d[x] = {mix(sr[x].B, d[x].B), mix(sr[x].G, d[x].G), mix(sr[x].R, d[x].R),
              mix(sr[x].A, d[x].A)};
    }
  }
}

void CopyMaskedPiece(const TRect& dst_rect, const TRect& src_rect, TBitmap32& dst,
                     const TMaskElementView& e, bool from_parent, const TCacheInfo& ci,
                     const TBitmap32& src_in) {
  const long long w = std::min<long long>(static_cast<long long>(dst_rect.Right) - dst_rect.Left,
                                          static_cast<long long>(src_rect.Right) - src_rect.Left);
  const long long h = std::min<long long>(static_cast<long long>(dst_rect.Bottom) - dst_rect.Top,
                                          static_cast<long long>(src_rect.Bottom) - src_rect.Top);
  if (w <= 0 || h <= 0) return;
  const TPiece pc = ClipPiece(dst, src_in, dst_rect.Left, dst_rect.Top, src_rect.Left, src_rect.Top,
                              src_rect.Left + w, src_rect.Top + h);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const long long offset = static_cast<long long>(e.R.Bottom - e.R.Top) / 2;
  const TPaintKernels& kern = ActiveKernels();

  TKeyedRow k;
  k.key = KeyBits(clKeyColor);
  if (ci.Ready && from_parent) {
    k.action = TKeyAction::kParent;
    k.or_alpha = k.key_or_alpha = 0xFF000000u;
  } else if (ci.Ready) {
    k.action = TKeyAction::kNoKeyTest;
    k.or_alpha = 0xFF000000u;
  } else if (from_parent) {
    k.action = TKeyAction::kFill;
    const auto c = static_cast<std::uint32_t>(ci.FillColor);
    k.fill = px::Bits(ColorToPixel(ci.FillColor, static_cast<std::uint8_t>(c >> 24)));
  } else {
    k.action = TKeyAction::kLeave;
  }
  const TParentSpan span(ci.Bmp, static_cast<long long>(ci.X) + pc.dx, pc.w);
  for (int y = 0; y < pc.h; ++y) {
    const int sy = pc.sy + y;
    // The mask row stays inside the source even for a short mask half.
    const int my = static_cast<int>(std::clamp<long long>(sy + offset, 0, src.Height() - 1));
    TBGRA* d = dst.ScanLine(pc.dy + y) + pc.dx;
    const TBGRA* img = src.ScanLine(sy) + pc.sx;
    const TBGRA* mask = src.ScanLine(my) + pc.sx;
    if (k.action != TKeyAction::kParent) {
      kern.copy_masked(d, img, mask, pc.w, k);
      continue;
    }
    span.Row(static_cast<long long>(ci.Y) + pc.dy + y, pc.w, k,
             [&](int off, int n, const TKeyedRow& part) {
               kern.copy_masked(d + off, img + off, mask + off, n, part);
             });
  }
}

void StretchMaskedPiece(const TRect& target, bool centre, int mask_offset, const TBitmap32& src,
                        TBitmap32& dst, const TRect& region) {
  if (target.Left < 0 || target.Top < 0 || target.IsEmpty()) return;
  if (dst.Width() < 2 || dst.Height() < 2 || src.Empty() || region.IsEmpty()) return;
  if (mask_offset == 0) {
    const TRect reg = ClipToBitmap(region, src);
    if (reg.IsEmpty()) return;
    TBitmap32 scaled;
    StretchNearest(src, reg, scaled, target.Width(), target.Height());
    BlendBitmaps(dst, scaled, 0, target.TopLeft(), scaled.BoundsRect());
    return;
  }
  const TRect mask_region = region.Offset(0, mask_offset);
  const TRect bounds = src.BoundsRect();
  if (IntersectRect(region, bounds) != region || IntersectRect(mask_region, bounds) != mask_region)
    return;
  const TRect t = ClipToBitmap(target, dst);
  if (t.IsEmpty()) return;

  if (centre && region.Width() == 1 && region.Height() == 1) {
    const TBGRA c = src.Pixel(region.Left, region.Top);
    const int m = src.Pixel(mask_region.Left, mask_region.Top).R;
    if (m == 255) return;
    if (m == 0) {
      FillRectAlpha(dst, t, PixelToColor(c), 255);
      return;
    }
    const TBGRA mm{static_cast<std::uint8_t>(m), static_cast<std::uint8_t>(m),
                   static_cast<std::uint8_t>(m), 0};
    for (int y = t.Top; y < t.Bottom; ++y) {
      TBGRA* d = dst.ScanLine(y);
      for (int x = t.Left; x < t.Right; ++x) d[x] = px::MaskMix3(d[x], c, mm);
    }
    return;
  }

  const int tw = target.Width(), th = target.Height();
  const bool filter = centre || (tw > 1 && th > 1 &&
                                 ((tw < region.Width() && th == region.Height()) ||
                                  (th < region.Height() && tw == region.Width())));
  TKeyedRow k;
  k.action = TKeyAction::kNoKeyTest;
  k.or_alpha = 0xFF000000u;
  const TPaintKernels& kern = ActiveKernels();
  if (filter) {
    auto scale = [&](const TRect& reg, TBitmap32& out) {
      TBitmap32 part(reg.Width(), reg.Height());
      for (int y = 0; y < reg.Height(); ++y)
        std::memcpy(part.ScanLine(y), src.ScanLine(reg.Top + y) + reg.Left,
                    reg.Width() * sizeof(TBGRA));
      return Resample(part, out, tw, th);
    };
    TBitmap32 img, mask;
    if (scale(region, img) && scale(mask_region, mask)) {
      for (int y = t.Top; y < t.Bottom; ++y) {
        const int iy = y - target.Top, ix = t.Left - target.Left;
        kern.copy_masked(dst.ScanLine(y) + t.Left, img.ScanLine(iy) + ix, mask.ScanLine(iy) + ix,
                         t.Width(), k);
      }
      return;
    }
    // Regions too small to filter are stretched to the nearest pixel instead.
  }
  TStretchScratch& sc = Scratch();
  std::vector<int>& cols = sc.cols;
  std::vector<int>& rows = sc.rows;
  NearestMap(region.Left, region.Width(), tw, t.Left - target.Left, t.Right - target.Left, cols);
  NearestMap(region.Top, region.Height(), th, t.Top - target.Top, t.Bottom - target.Top, rows);
  std::vector<TBGRA>& img = sc.img;
  std::vector<TBGRA>& mask = sc.mask;
  img.resize(cols.size());
  mask.resize(cols.size());
  int gathered = -1;
  for (int y = t.Top; y < t.Bottom; ++y) {
    const int sy = rows[y - t.Top];
    if (sy != gathered) {
      const TBGRA* s = src.ScanLine(sy);
      const TBGRA* m = src.ScanLine(sy + mask_offset);
      for (std::size_t i = 0; i < cols.size(); ++i) {
        img[i] = s[cols[i]];
        mask[i] = m[cols[i]];
      }
      gathered = sy;
    }
    kern.copy_masked(dst.ScanLine(y) + t.Left, img.data(), mask.data(), t.Width(), k);
  }
}

void DrawImageMasked(const TRect& dst_rect, const TRect& src_rect, TBitmap32& dst,
                     const TMaskElementView& e, int mode, const TBitmap32& src_in) {
  const long long w = std::min<long long>(static_cast<long long>(dst_rect.Right) - dst_rect.Left,
                                          static_cast<long long>(src_rect.Right) - src_rect.Left);
  const long long h = std::min<long long>(static_cast<long long>(dst_rect.Bottom) - dst_rect.Top,
                                          static_cast<long long>(src_rect.Bottom) - src_rect.Top);
  if (w <= 0 || h <= 0 || dst.Empty() || src_in.Empty()) return;
  const bool has_mask = e.MaskType >= 1;
  const bool has_alpha = !has_mask && (e.DrawMode & 0x10) != 0;
  if ((has_mask || has_alpha) && dst.PixelFormat != TPixelFormat::pf32bit) return;
  long long offset = 0;
  long long src_bottom = src_rect.Top + h;
  if (has_mask) {
    offset =
        (static_cast<long long>(e.R.Bottom) - e.R.Top) / (static_cast<long long>(e.MaskType) + 1);
    if (offset <= 0) return;  // no room for a mask half
    // Only image rows whose mask row lies inside the source.
    src_bottom = std::min<long long>(src_bottom, src_in.Height() - offset);
  }
  const TPiece pc = ClipPiece(dst, src_in, dst_rect.Left, dst_rect.Top, src_rect.Left, src_rect.Top,
                              src_rect.Left + w, src_bottom);
  if (pc.Empty()) return;
  std::optional<TBitmap32> copy;
  const TBitmap32& src = Readable(src_in, dst, copy);
  const std::uint32_t key = KeyBits(clKeyColor);
  auto u8 = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };

  for (int y = 0; y < pc.h; ++y) {
    TBGRA* d = dst.ScanLine(pc.dy + y) + pc.dx;
    const TBGRA* s = src.ScanLine(pc.sy + y) + pc.sx;
    if (has_mask) {
      const TBGRA* m = src.ScanLine(static_cast<int>(pc.sy + y + offset)) + pc.sx;
      for (int x = 0; x < pc.w; ++x) {
        TBGRA& dp = d[x];
        const TBGRA i = s[x], mp = m[x];
        if (!px::IsKey(i, key) && mp.R != 255) {
          auto ch = [&](int dv, int iv, int mv) {
            if (mode == 1) return u8(((dv - iv) * mv + iv * 256) >> 8);
            const int m2 = std::min(mv + 100, 255);
            return u8((m2 * (dv - iv) + iv * 256) >> 8);
          };
          dp.B = ch(dp.B, i.B, mp.B);
          dp.G = ch(dp.G, i.G, mp.G);
          dp.R = ch(dp.R, i.R, mp.R);
        }
        dp.A = u8(dp.A + (((255 - dp.A) * (255 - mp.R)) >> 8));
      }
    } else if (has_alpha) {
      for (int x = 0; x < pc.w; ++x) {
        TBGRA& dp = d[x];
        const TBGRA sp = s[x];
        const int hv = 255 - sp.A;
        const int l = mode == 1 ? hv : std::min(hv + 100, 255);
        // The shift floors: the product is negative where the source is darker.
        auto ch = [&](int sv, int dv) { return u8(sv - ((l * (sv - dv) + 255) >> 8)); };
        dp.B = ch(sp.B, dp.B);
        dp.G = ch(sp.G, dp.G);
        dp.R = ch(sp.R, dp.R);
        dp.A = u8(dp.A + (((255 - dp.A) * (255 - hv)) >> 8));
      }
    } else {
      for (int x = 0; x < pc.w; ++x) {
        const TBGRA sp = s[x];
        if (px::IsKey(sp, key)) continue;
        if (mode == 1) {
          d[x] = sp;
        } else {
          TBGRA& dp = d[x];
          auto ch = [](int sv, int dv) {
            return static_cast<std::uint8_t>((180 * (sv - dv) + dv * 256) >> 8);
          };
          dp = {ch(sp.B, dp.B), ch(sp.G, dp.G), ch(sp.R, dp.R), std::max<std::uint8_t>(dp.A, 180)};
        }
      }
    }
  }
}

}  // namespace qv
