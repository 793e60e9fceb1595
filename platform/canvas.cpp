// The canvas: clipping state, block copies, nearest-pixel stretching, solid
// fills, lines, polygons and the focus rectangle over a 32-bit bitmap. Text
// drawing lives with the text engine and writes through DeviceClipRects().
#include "platform/canvas.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace qv {
namespace {

__extension__ typedef __int128 Wide;

// "No clip" as a region: wider than any bitmap, so that excluding from or
// intersecting with it keeps later growth of the bitmap visible.
constexpr int kFar = 1 << 30;
constexpr TRect kEverything{-kFar, -kFar, kFar, kFar};
constexpr int kMaxPenWidth = 1024;

int ClampInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

// Logical to device without overflow; far-away rectangles clamp to the int range.
TRect ToDevice(const TRect& r, TPoint origin) {
  return {ClampInt(static_cast<long long>(r.Left) + origin.X),
          ClampInt(static_cast<long long>(r.Top) + origin.Y),
          ClampInt(static_cast<long long>(r.Right) + origin.X),
          ClampInt(static_cast<long long>(r.Bottom) + origin.Y)};
}

TBGRA SolidPixel(TColor c) { return ColorToPixel(ColorToRGB(c), 0); }

long long FloorDiv(Wide a, Wide b) {
  if (b < 0) a = -a, b = -b;
  Wide q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<long long>(q);
}

long long CeilDiv(Wide a, Wide b) { return -FloorDiv(-a, b); }

// Fills n pixels with whole 64-byte blocks, which compilers turn into wide
// stores (a loop of 4-byte structs is several times slower); the last block
// overlaps the one before instead of running a tail loop.
void FillRow(TBGRA* row, int n, TBGRA p) {
  constexpr int kBlock = 16;
  auto* out = reinterpret_cast<unsigned char*>(row);
  if (n < kBlock) {
    for (int i = 0; i < n; ++i) std::memcpy(out + 4 * i, &p, 4);
    return;
  }
  TBGRA block[kBlock];
  std::fill_n(block, kBlock, p);
  for (int i = 0; i + kBlock <= n; i += kBlock) std::memcpy(out + 4 * i, block, sizeof block);
  std::memcpy(out + 4 * (n - kBlock), block, sizeof block);
}

// Fills a rectangle of the bitmap: the first row by blocks, the others as
// copies of it (the C library's copy uses the widest stores the CPU has).
void FillBlock(TBitmap32& target, const TRect& r, TBGRA p) {
  TBGRA* first = target.ScanLine(r.Top) + r.Left;
  FillRow(first, r.Width(), p);
  const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(TBGRA);
  for (int row = r.Top + 1; row < r.Bottom; ++row)
    std::memcpy(target.ScanLine(row) + r.Left, first, bytes);
}

// One axis of a stretch: destination pixel i (0 ≤ i < n) lies at start + dir·i;
// it takes source pixel sstart + sdir·j with j = ⌊(2i + 1)·sn / 2n⌋, the source
// pixel under the centre of the destination pixel.
struct StretchAxis {
  long long start;
  int dir;
  long long n;
  long long sstart;
  int sdir;
  long long sn;
  int limit;  // source pixels are 0 .. limit-1

  StretchAxis(int pos, int size, int spos, int ssize, int src_limit)
      : start(pos),
        dir(size < 0 ? -1 : 1),
        n(size < 0 ? -static_cast<long long>(size) : size),
        sstart(spos),
        sdir(ssize < 0 ? -1 : 1),
        sn(ssize < 0 ? -static_cast<long long>(ssize) : ssize),
        limit(src_limit) {}

  // Device pixels covered: [Lo, Hi).
  long long Lo() const { return dir > 0 ? start : start - n + 1; }
  long long Hi() const { return dir > 0 ? start + n : start + 1; }
  long long Index(long long device) const { return dir > 0 ? device - start : start - device; }
  // The nearest source pixel, or -1 outside the source bitmap.
  int Nearest(long long device) const {
    const long long i = Index(device);
    const long long j = static_cast<long long>((Wide(2 * i + 1) * sn) / (Wide(2) * n));
    const long long s = sstart + sdir * j;
    return s >= 0 && s < limit ? static_cast<int>(s) : -1;
  }
  // Nearest() for every device pixel of [d0, d1), without a division a pixel:
  // the numerator (2i + 1)·sn grows by 2·sn a step.
  void NearestRun(long long d0, long long d1, std::vector<int>& out) const {
    const long long count = d1 - d0;
    out.resize(static_cast<std::size_t>(count));
    if (count <= 0) return;
    const long long i0 = dir > 0 ? Index(d0) : Index(d1 - 1);  // smallest index
    const long long den = 2 * n, step = 2 * sn;
    const Wide num = Wide(2 * i0 + 1) * sn;
    long long q = static_cast<long long>(num / den), r = static_cast<long long>(num % den);
    const long long dq = step / den, dr = step % den;
    for (long long k = 0; k < count; ++k) {
      const long long s = sstart + sdir * q;
      const int v = s >= 0 && s < limit ? static_cast<int>(s) : -1;
      out[static_cast<std::size_t>(dir > 0 ? k : count - 1 - k)] = v;
      q += dq;
      r += dr;
      if (r >= den) {
        ++q;
        r -= den;
      }
    }
  }
  // The source pixels that shrink into one destination pixel, [lo, hi) clipped
  // to the source bitmap; one pixel (the nearest) when the axis does not shrink.
  std::pair<int, int> Block(long long device) const {
    if (sn <= n) {
      const int s = Nearest(device);
      return {s, s < 0 ? s : s + 1};
    }
    const long long i = Index(device);
    const long long j0 = static_cast<long long>((Wide(i) * sn) / n);
    const long long j1 = static_cast<long long>((Wide(i + 1) * sn) / n);
    long long lo = sdir > 0 ? sstart + j0 : sstart - j1 + 1;
    long long hi = sdir > 0 ? sstart + j1 : sstart - j0 + 1;
    lo = std::max<long long>(lo, 0);
    hi = std::min<long long>(hi, limit);
    if (lo >= hi) return {-1, -1};
    return {static_cast<int>(lo), static_cast<int>(hi)};
  }
};

// Combines the source pixels that shrink into one pixel, by stretch mode.
TBGRA CombineBlock(const TBitmap32& src, std::pair<int, int> xs, std::pair<int, int> ys,
                   TStretchMode mode) {
  if (mode == HALFTONE) {
    unsigned long long sum[4] = {0, 0, 0, 0};
    for (int y = ys.first; y < ys.second; ++y) {
      const TBGRA* row = src.ScanLine(y);
      for (int x = xs.first; x < xs.second; ++x) {
        sum[0] += row[x].B;
        sum[1] += row[x].G;
        sum[2] += row[x].R;
        sum[3] += row[x].A;
      }
    }
    const unsigned long long count =
        static_cast<unsigned long long>(xs.second - xs.first) * (ys.second - ys.first);
    auto avg = [&](int k) { return static_cast<std::uint8_t>((sum[k] + count / 2) / count); };
    return {avg(0), avg(1), avg(2), avg(3)};
  }
  // The boolean modes keep dark (AND) or light (OR) pixels as they shrink.
  const bool and_mode = mode != WHITEONBLACK;
  std::uint8_t acc[4];
  std::memset(acc, and_mode ? 0xFF : 0x00, sizeof acc);
  for (int y = ys.first; y < ys.second; ++y) {
    const TBGRA* row = src.ScanLine(y);
    for (int x = xs.first; x < xs.second; ++x) {
      const std::uint8_t v[4] = {row[x].B, row[x].G, row[x].R, row[x].A};
      for (int k = 0; k < 4; ++k) acc[k] = and_mode ? (acc[k] & v[k]) : (acc[k] | v[k]);
    }
  }
  return {acc[0], acc[1], acc[2], acc[3]};
}

}  // namespace

TCanvas::TCanvas(TBitmap32& target) : target_(&target) {}

// ---- clipping ----------------------------------------------------------

void TCanvas::InvalidateClipCache() { clip_cache_.reset(); }

TRegion TCanvas::DeviceClip() const { return clip_ ? *clip_ : TRegion(kEverything); }

void TCanvas::SetDeviceClip(TRegion region) {
  clip_ = std::move(region);
  InvalidateClipCache();
}

void TCanvas::SetClipRect(const TRect& r) { SetDeviceClip(TRegion(ToDevice(r, origin_))); }

void TCanvas::IntersectClipRect(const TRect& r) {
  TRegion clip = DeviceClip();
  clip.Intersect(ToDevice(r, origin_));
  SetDeviceClip(std::move(clip));
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  TRegion clip = DeviceClip();
  clip.Subtract(ToDevice(r, origin_));
  SetDeviceClip(std::move(clip));
}

void TCanvas::SetClipRegion(const TRegion* region) {
  if (!region) {
    ResetClip();
    return;
  }
  TRegion clip = *region;
  clip.Offset(origin_.X, origin_.Y);
  SetDeviceClip(std::move(clip));
}

void TCanvas::SetSystemClip(const TRegion* device_region) {
  if (device_region) {
    system_clip_ = *device_region;
  } else {
    system_clip_.reset();
  }
  InvalidateClipCache();
}

void TCanvas::ResetClip() {
  clip_.reset();
  InvalidateClipCache();
}

const std::vector<TRect>& TCanvas::DeviceClipRects() const {
  const TSize size{target_->Width(), target_->Height()};
  if (!clip_cache_ || clip_cache_size_ != size) {
    TRegion visible(target_->BoundsRect());
    if (system_clip_) visible.Intersect(*system_clip_);
    if (clip_) visible.Intersect(*clip_);
    clip_cache_ = visible.Rects();
    clip_cache_size_ = size;
  }
  return *clip_cache_;
}

TRect TCanvas::ClipBox() const {
  TRect box;
  for (const TRect& r : DeviceClipRects()) box = UnionRect(box, r);
  if (box.IsEmpty()) return {};
  return box.Offset(-origin_.X, -origin_.Y);
}

bool TCanvas::PtVisible(TPoint logical) const {
  const long long x = static_cast<long long>(logical.X) + origin_.X;
  const long long y = static_cast<long long>(logical.Y) + origin_.Y;
  if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) return false;
  const TPoint p{static_cast<int>(x), static_cast<int>(y)};
  for (const TRect& r : DeviceClipRects())
    if (r.Contains(p)) return true;
  return false;
}

bool TCanvas::RectVisible(const TRect& logical) const {
  const TRect d = ToDevice(logical, origin_);
  for (const TRect& r : DeviceClipRects())
    if (!IntersectRect(r, d).IsEmpty()) return true;
  return false;
}

// ---- saved states --------------------------------------------------------

int TCanvas::SaveDC() {
  saved_.push_back(
      {origin_, clip_, Font, Brush, Pen, pen_pos_, stretch_mode_, bk_mode_, bk_color_});
  return static_cast<int>(saved_.size());
}

bool TCanvas::RestoreDC(int saved) {
  const long long count = static_cast<long long>(saved_.size());
  const long long level = saved < 0 ? count + 1 + saved : saved;
  if (level < 1 || level > count) return false;
  Saved& s = saved_[static_cast<std::size_t>(level - 1)];
  origin_ = s.Origin;
  clip_ = std::move(s.Clip);
  Font = std::move(s.Font);
  Brush = s.Brush;
  Pen = s.Pen;
  pen_pos_ = s.PenPos;
  stretch_mode_ = s.StretchMode;
  bk_mode_ = s.BkMode;
  bk_color_ = s.BkColor;
  saved_.resize(static_cast<std::size_t>(level - 1));
  InvalidateClipCache();
  return true;
}

// ---- block copies -------------------------------------------------------

void TCanvas::BitBlt(int x, int y, int w, int h, const TBitmap32& src, int sx, int sy,
                     std::uint32_t rop) {
  if (rop != SRCCOPY) throw std::invalid_argument("BitBlt: unsupported raster operation");
  if (w <= 0 || h <= 0 || src.Empty()) return;
  // The source block, cut to the source bitmap, placed at the destination.
  const TRect src_block = IntersectRect(ToDevice(Bounds(0, 0, w, h), {sx, sy}), src.BoundsRect());
  if (src_block.IsEmpty()) return;
  const long long shift_x = static_cast<long long>(x) + origin_.X - sx;
  const long long shift_y = static_cast<long long>(y) + origin_.Y - sy;
  const TRect dest = ToDevice(src_block, {ClampInt(shift_x), ClampInt(shift_y)});
  if (shift_x != ClampInt(shift_x) || shift_y != ClampInt(shift_y)) return;  // far off the bitmap

  const TBitmap32* from = &src;
  TBitmap32 copy;
  long long from_dx = -shift_x, from_dy = -shift_y;  // device -> source coordinates
  if (&src == target_) {
    // Copying within one bitmap: take the source block apart first so that
    // overlapping blocks copy as if all at once.
    copy.SetSize(src_block.Width(), src_block.Height());
    for (int row = 0; row < src_block.Height(); ++row)
      std::memcpy(copy.ScanLine(row), src.ScanLine(src_block.Top + row) + src_block.Left,
                  static_cast<std::size_t>(src_block.Width()) * sizeof(TBGRA));
    from = &copy;
    from_dx -= src_block.Left;
    from_dy -= src_block.Top;
  }
  for (const TRect& clip : DeviceClipRects()) {
    const TRect r = IntersectRect(clip, dest);
    if (r.IsEmpty()) continue;
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(TBGRA);
    for (int row = r.Top; row < r.Bottom; ++row)
      std::memcpy(target_->ScanLine(row) + r.Left,
                  from->ScanLine(static_cast<int>(row + from_dy)) + (r.Left + from_dx), bytes);
  }
}

void TCanvas::BitBlt(int x, int y, int w, int h, const TCanvas& src, int sx, int sy,
                     std::uint32_t rop) {
  const TPoint o = src.ViewportOrg();
  BitBlt(x, y, w, h, src.Target(), ClampInt(static_cast<long long>(sx) + o.X),
         ClampInt(static_cast<long long>(sy) + o.Y), rop);
}

void TCanvas::StretchBlt(int x, int y, int w, int h, const TBitmap32& src, int sx, int sy, int sw,
                         int sh, std::uint32_t rop) {
  if (rop != SRCCOPY) throw std::invalid_argument("StretchBlt: unsupported raster operation");
  if (w == 0 || h == 0 || sw == 0 || sh == 0 || src.Empty()) return;
  if (w > 0 && h > 0 && w == sw && h == sh) {
    BitBlt(x, y, w, h, src, sx, sy, rop);
    return;
  }
  const StretchAxis ax(ClampInt(static_cast<long long>(x) + origin_.X), w, sx, sw, src.Width());
  const StretchAxis ay(ClampInt(static_cast<long long>(y) + origin_.Y), h, sy, sh, src.Height());
  const bool shrinks = ax.sn > ax.n || ay.sn > ay.n;
  const bool nearest = stretch_mode_ == COLORONCOLOR || !shrinks;

  const TBitmap32* from = &src;
  TBitmap32 copy;
  if (&src == target_) {
    copy = src;  // reading while writing the same pixels would smear them
    from = &copy;
  }

  const std::vector<TRect>& clips = DeviceClipRects();
  TRect bounds;
  for (const TRect& c : clips) bounds = UnionRect(bounds, c);
  // The device span that can be written: the destination within the clip.
  const long long vx0 = std::max<long long>(bounds.Left, ax.Lo());
  const long long vx1 = std::min<long long>(bounds.Right, ax.Hi());
  const long long vy0 = std::max<long long>(bounds.Top, ay.Lo());
  const long long vy1 = std::min<long long>(bounds.Bottom, ay.Hi());
  if (vx0 >= vx1 || vy0 >= vy1) return;
  // Scratch tables kept between calls: small stretches are common and
  // allocating them each time would cost more than the copying.
  static thread_local std::vector<int> cols, rows;
  std::vector<std::pair<int, int>> blocks;
  if (nearest) {
    ax.NearestRun(vx0, vx1, cols);
    ay.NearestRun(vy0, vy1, rows);
  }
  for (const TRect& clip : clips) {
    const long long x0 = std::max<long long>(clip.Left, vx0);
    const long long x1 = std::min<long long>(clip.Right, vx1);
    const long long y0 = std::max<long long>(clip.Top, vy0);
    const long long y1 = std::min<long long>(clip.Bottom, vy1);
    if (x0 >= x1 || y0 >= y1) continue;
    if (nearest) {
      // Source columns are monotonic in the destination column, so the ones
      // inside the source bitmap form one run.
      long long first = x0, last = x1;
      while (first < last && cols[static_cast<std::size_t>(first - vx0)] < 0) ++first;
      while (last > first && cols[static_cast<std::size_t>(last - 1 - vx0)] < 0) --last;
      if (first >= last) continue;
      const int* map = cols.data() + (first - vx0);
      const int n = static_cast<int>(last - first);
      int prev_src = -1;
      TBGRA* prev_row = nullptr;
      for (long long dy = y0; dy < y1; ++dy) {
        const int s = rows[static_cast<std::size_t>(dy - vy0)];
        if (s < 0) continue;
        TBGRA* out = target_->ScanLine(static_cast<int>(dy)) + first;
        if (s == prev_src && prev_row) {
          // Enlarged rows repeat: copy the row just made.
          std::memcpy(out, prev_row, static_cast<std::size_t>(n) * sizeof(TBGRA));
        } else {
          const TBGRA* in = from->ScanLine(s);
          for (int k = 0; k < n; ++k) out[k] = in[map[k]];
        }
        prev_src = s;
        prev_row = out;
      }
    } else {
      blocks.clear();
      for (long long dx = x0; dx < x1; ++dx) blocks.push_back(ax.Block(dx));
      for (long long dy = y0; dy < y1; ++dy) {
        const std::pair<int, int> rows = ay.Block(dy);
        if (rows.first < 0) continue;
        TBGRA* out = target_->ScanLine(static_cast<int>(dy));
        for (long long dx = x0; dx < x1; ++dx) {
          const std::pair<int, int>& c = blocks[static_cast<std::size_t>(dx - x0)];
          if (c.first >= 0) out[dx] = CombineBlock(*from, c, rows, stretch_mode_);
        }
      }
    }
  }
}

void TCanvas::StretchBlt(int x, int y, int w, int h, const TCanvas& src, int sx, int sy, int sw,
                         int sh, std::uint32_t rop) {
  const TPoint o = src.ViewportOrg();
  StretchBlt(x, y, w, h, src.Target(), ClampInt(static_cast<long long>(sx) + o.X),
             ClampInt(static_cast<long long>(sy) + o.Y), sw, sh, rop);
}

// ---- fills and outlines -------------------------------------------------

namespace {

void FillDevice(TBitmap32& target, const std::vector<TRect>& clips, const TRect& device, TBGRA p) {
  if (device.IsEmpty()) return;
  for (const TRect& clip : clips) {
    const TRect r = IntersectRect(clip, device);
    if (r.IsEmpty()) continue;
    FillBlock(target, r, p);
  }
}

// The offsets k for which start + step·k lies in [lo, hi], as an inclusive range.
std::pair<long long, long long> OffsetsInside(long long start, int step, long long lo,
                                              long long hi) {
  if (step > 0) return {lo - start, hi - start};
  return {start - hi, start - lo};
}

void PlotDevice(TBitmap32& target, const std::vector<TRect>& clips, long long x, long long y,
                TBGRA p) {
  if (x < INT_MIN || x > INT_MAX || y < INT_MIN || y > INT_MAX) return;
  const TPoint pt{static_cast<int>(x), static_cast<int>(y)};
  for (const TRect& clip : clips) {
    if (clip.Contains(pt)) {
      target.Pixel(pt.X, pt.Y) = p;
      return;
    }
  }
}

}  // namespace

void TCanvas::FillRect(const TRect& r) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  FillRect(r, Brush.Color);
}

void TCanvas::FillRect(const TRect& r, TColor color) {
  FillDevice(*target_, DeviceClipRects(), ToDevice(r, origin_), SolidPixel(color));
}

void TCanvas::FillRegion(const TRegion& region, TColor color) {
  const TBGRA p = SolidPixel(color);
  const std::vector<TRect>& clips = DeviceClipRects();
  for (const TRect& r : region.Rects()) FillDevice(*target_, clips, ToDevice(r, origin_), p);
}

void TCanvas::FrameRect(const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  const TRect d = ToDevice(r, origin_);
  const TBGRA p = SolidPixel(color);
  const std::vector<TRect>& clips = DeviceClipRects();
  FillDevice(*target_, clips, {d.Left, d.Top, d.Right, d.Top + 1}, p);
  // Sizes are compared edge to edge: a huge rectangle's width overflows int.
  if (d.Bottom - 1 > d.Top)
    FillDevice(*target_, clips, {d.Left, d.Bottom - 1, d.Right, d.Bottom}, p);
  FillDevice(*target_, clips, {d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, p);
  if (d.Right - 1 > d.Left)
    FillDevice(*target_, clips, {d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, p);
}

void TCanvas::Rectangle(const TRect& r) {
  if (r.IsEmpty()) return;
  const bool outline = Pen.Style != TPenStyle::psClear;
  if (Brush.Style != TBrushStyle::bsClear) FillRect(outline ? r.Inflate(-1, -1) : r);
  if (!outline) return;
  const TPoint keep = pen_pos_;
  MoveTo(r.Left, r.Top);
  LineTo(r.Right - 1, r.Top);
  LineTo(r.Right - 1, r.Bottom - 1);
  LineTo(r.Left, r.Bottom - 1);
  LineTo(r.Left, r.Top);
  pen_pos_ = keep;
}

void TCanvas::MoveTo(int x, int y) { pen_pos_ = {x, y}; }

// A line walks its longer axis one pixel a step; the shorter coordinate of
// step t is the start plus ⌊(2t·minor + major) / 2·major⌋ (rounded to the
// nearest pixel, halves away from the start). Only the steps that can reach
// the clip are walked, so far-away end points cost nothing.
void TCanvas::LineTo(int x, int y) {
  const TPoint from = pen_pos_;
  pen_pos_ = {x, y};
  if (Pen.Style == TPenStyle::psClear) return;
  const long long x0 = static_cast<long long>(from.X) + origin_.X;
  const long long y0 = static_cast<long long>(from.Y) + origin_.Y;
  const long long x1 = static_cast<long long>(x) + origin_.X;
  const long long y1 = static_cast<long long>(y) + origin_.Y;
  const long long dx = x1 - x0, dy = y1 - y0;
  const bool x_major = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const long long major = x_major ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
  if (major == 0) return;  // the end point is not drawn, so nothing is
  const long long minor = x_major ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
  const int step_major = (x_major ? dx : dy) < 0 ? -1 : 1;
  const int step_minor = (x_major ? dy : dx) < 0 ? -1 : 1;
  const long long m0 = x_major ? x0 : y0;  // major-axis start
  const long long n0 = x_major ? y0 : x0;  // minor-axis start

  const std::vector<TRect>& clips = DeviceClipRects();
  if (clips.empty()) return;
  TRect bounds;
  for (const TRect& c : clips) bounds = UnionRect(bounds, c);
  // A wide pen is a square centred on the path. Widths are capped so that a
  // hostile value cannot turn one line into billions of fills.
  const int width = std::clamp(Pen.Width, 1, kMaxPenWidth);
  const long long before = (width - 1) / 2;
  const long long after = width - 1 - before;
  // Step range whose major coordinate can touch the clip bounds.
  const long long lo = (x_major ? bounds.Left : bounds.Top) - after;
  const long long hi = (x_major ? bounds.Right : bounds.Bottom) - 1 + before;
  auto [t0, t1] = OffsetsInside(m0, step_major, lo, hi);  // inclusive
  t0 = std::max<long long>(t0, 0);
  t1 = std::min<long long>(t1, major - 1);
  // Narrow further by the minor axis: the minor offset grows with t.
  if (minor > 0 && t0 <= t1) {
    const long long nlo = (x_major ? bounds.Top : bounds.Left) - after;
    const long long nhi = (x_major ? bounds.Bottom : bounds.Right) - 1 + before;
    const auto [k_lo, k_hi] = OffsetsInside(n0, step_minor, nlo, nhi);
    // offset(t) ≥ k  ⇔  t ≥ ⌈(2k − 1)·major / 2·minor⌉.
    if (k_lo > 0) t0 = std::max(t0, CeilDiv(Wide(2 * k_lo - 1) * major, Wide(2) * minor));
    if (k_hi < 0)
      t1 = -1;
    else
      t1 = std::min(t1, CeilDiv(Wide(2 * (k_hi + 1) - 1) * major, Wide(2) * minor) - 1);
  }
  const TBGRA p = SolidPixel(Pen.Color);
  const bool dotted = Pen.Style == TPenStyle::psDot;
  for (long long t = t0; t <= t1; ++t) {
    if (dotted && (t & 1)) continue;
    const long long off = FloorDiv(Wide(2 * t) * minor + major, Wide(2) * major);
    const long long mj = m0 + step_major * t;
    const long long mn = n0 + step_minor * off;
    const long long px = x_major ? mj : mn;
    const long long py = x_major ? mn : mj;
    if (width == 1) {
      PlotDevice(*target_, clips, px, py, p);
    } else {
      const TRect square{ClampInt(px - before), ClampInt(py - before), ClampInt(px + after + 1),
                         ClampInt(py + after + 1)};
      FillDevice(*target_, clips, square, p);
    }
  }
}

// Even-odd fill: a pixel is inside when its centre is; then the pen outline.
void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return;
  const std::vector<TRect>& clips = DeviceClipRects();
  if (Brush.Style != TBrushStyle::bsClear && points.size() >= 3 && !clips.empty()) {
    TRect bounds;
    for (const TRect& c : clips) bounds = UnionRect(bounds, c);
    long long top = LLONG_MAX, bottom = LLONG_MIN;
    for (const TPoint& pt : points) {
      top = std::min(top, static_cast<long long>(pt.Y) + origin_.Y);
      bottom = std::max(bottom, static_cast<long long>(pt.Y) + origin_.Y);
    }
    top = std::max<long long>(top, bounds.Top);
    bottom = std::min<long long>(bottom, bounds.Bottom);
    const TBGRA p = SolidPixel(Brush.Color);
    std::vector<long long> xs;
    for (long long row = top; row < bottom; ++row) {
      xs.clear();
      for (std::size_t k = 0; k < points.size(); ++k) {
        const TPoint& a = points[k];
        const TPoint& b = points[(k + 1) % points.size()];
        const long long ax = static_cast<long long>(a.X) + origin_.X;
        const long long ay = static_cast<long long>(a.Y) + origin_.Y;
        const long long bx = static_cast<long long>(b.X) + origin_.X;
        const long long by = static_cast<long long>(b.Y) + origin_.Y;
        if (ay == by) continue;
        if (row < std::min(ay, by) || row >= std::max(ay, by)) continue;
        // First pixel whose centre is at or right of the crossing at row + ½:
        // ⌈X − ½⌉ with X = ax + (bx − ax)·(row + ½ − ay) / (by − ay).
        const Wide den = Wide(2) * (by - ay);
        const Wide num =
            Wide(2 * ax) * (by - ay) + Wide(bx - ax) * (2 * row + 1 - 2 * ay) - Wide(by - ay);
        xs.push_back(CeilDiv(num, den));
      }
      std::sort(xs.begin(), xs.end());
      for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
        const long long l = std::max<long long>(xs[k], bounds.Left);
        const long long r = std::min<long long>(xs[k + 1], bounds.Right);
        if (l >= r) continue;
        const int y = static_cast<int>(row);
        FillDevice(*target_, clips, {static_cast<int>(l), y, static_cast<int>(r), y + 1}, p);
      }
    }
  }
  if (Pen.Style == TPenStyle::psClear) return;
  const TPoint keep = pen_pos_;
  MoveTo(points.back().X, points.back().Y);
  for (const TPoint& pt : points) LineTo(pt.X, pt.Y);
  pen_pos_ = keep;
}

// Inverts every other pixel of a one-pixel frame inside r; drawing it twice
// restores the picture. Alpha is left alone.
void TCanvas::DrawFocusRect(const TRect& r) {
  if (r.IsEmpty()) return;
  const TRect d = ToDevice(r, origin_);
  const std::vector<TRect>& clips = DeviceClipRects();
  auto invert = [&](int px, int py) {
    if (((static_cast<long long>(px) - d.Left) + (static_cast<long long>(py) - d.Top)) & 1) return;
    for (const TRect& clip : clips) {
      if (clip.Contains({px, py})) {
        TBGRA& q = target_->Pixel(px, py);
        q.B = static_cast<std::uint8_t>(~q.B);
        q.G = static_cast<std::uint8_t>(~q.G);
        q.R = static_cast<std::uint8_t>(~q.R);
        return;
      }
    }
  };
  TRect bounds;
  for (const TRect& c : clips) bounds = UnionRect(bounds, c);
  const TRect visible = IntersectRect(bounds, d);
  if (visible.IsEmpty()) return;
  for (int px = visible.Left; px < visible.Right; ++px) {
    if (d.Top >= visible.Top) invert(px, d.Top);
    if (d.Bottom - 1 > d.Top && d.Bottom - 1 < visible.Bottom) invert(px, d.Bottom - 1);
  }
  const int y0 = std::max(visible.Top, d.Top + 1);
  const int y1 = std::min(visible.Bottom, d.Bottom - 1);
  for (int py = y0; py < y1; ++py) {
    if (d.Left >= visible.Left) invert(d.Left, py);
    if (d.Right - 1 > d.Left && d.Right - 1 < visible.Right) invert(d.Right - 1, py);
  }
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  PlotDevice(*target_, DeviceClipRects(), static_cast<long long>(x) + origin_.X,
             static_cast<long long>(y) + origin_.Y, SolidPixel(color));
}

TColor TCanvas::GetPixel(int x, int y) const {
  if (!PtVisible({x, y})) return -1;
  return PixelToColor(target_->Pixel(x + origin_.X, y + origin_.Y));
}

}  // namespace qv
