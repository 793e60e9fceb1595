// Texture layers: every fill mode maps each axis of the destination either by
// tiling (source index = start + offset mod size) or by nearest-pixel
// stretching, and lays the source through those two index maps; runs of
// consecutive source pixels are copied as blocks.
#include "paint/texture_draw.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"
#include "paint/resample.h"

namespace qv {

namespace {

// How one destination axis reads the texture.
struct TAxis {
  bool stretch = false;
  int first = 0;        // first source index
  int count = 0;        // source length (tile size, or length stretched)
  long long start = 0;  // destination coordinate of a tile's start, or of the stretch
  int length = 0;       // destination length of a stretch
};

TAxis Tile(int first, int count, long long start) { return {false, first, count, start, 0}; }
TAxis Stretch(int first, int count, int start, int length) {
  return {true, first, count, start, length};
}

void AxisMap(const TAxis& a, int from, int to, std::vector<int>& map) {
  if (a.stretch) {
    NearestMap(a.first, a.count, a.length, static_cast<int>(from - a.start),
               static_cast<int>(to - a.start), map);
    return;
  }
  map.clear();
  for (long long v = from; v < to; ++v) {
    long long m = (v - a.start) % a.count;
    if (m < 0) m += a.count;
    map.push_back(a.first + static_cast<int>(m));
  }
}

struct TMaps {
  TRect area;  // what is drawn: the requested area inside the clip and the bitmap
  std::vector<int> cols, rows;
};

// The index maps of area (clipped to clip and the bitmap); false when nothing is left.
bool Maps(const TBitmap32& bmp, const TRect& area, const TRect& clip, const TAxis& ax,
          const TAxis& ay, TMaps& m) {
  m.area = IntersectRect(IntersectRect(area, clip), bmp.BoundsRect());
  if (m.area.IsEmpty()) return false;
  AxisMap(ax, m.area.Left, m.area.Right, m.cols);
  AxisMap(ay, m.area.Top, m.area.Bottom, m.rows);
  return true;
}

// The length of the run of consecutive source columns starting at i.
int RunLength(const std::vector<int>& cols, int i, int n) {
  int j = i + 1;
  while (j < n && cols[static_cast<std::size_t>(j)] == cols[static_cast<std::size_t>(j - 1)] + 1)
    ++j;
  return j - i;
}

// Opaque texture pixels, all four bytes.
void Lay(TBitmap32& bmp, const TRect& area, const TRect& clip, const TBitmap32& src_in,
         const TAxis& ax, const TAxis& ay) {
  thread_local TMaps m;
  if (!Maps(bmp, area, clip, ax, ay, m)) return;
  std::optional<TBitmap32> copy;
  if (&src_in == &bmp) copy.emplace(src_in);
  const TBitmap32& src = copy ? *copy : src_in;
  const int n = m.area.Width();
  for (int y = m.area.Top; y < m.area.Bottom; ++y) {
    const TBGRA* s = src.ScanLine(m.rows[static_cast<std::size_t>(y - m.area.Top)]);
    TBGRA* d = bmp.ScanLine(y) + m.area.Left;
    for (int i = 0; i < n;) {
      const int len = RunLength(m.cols, i, n);
      std::memcpy(d + i, s + m.cols[static_cast<std::size_t>(i)],
                  static_cast<std::size_t>(len) * sizeof(TBGRA));
      i += len;
    }
  }
}

// Masked tiles: the image row and the mask row mask_offset below it, mixed
// into the destination; key image pixels show the parent as ci says.
void LayMasked(TBitmap32& bmp, const TRect& area, const TRect& clip, const TBitmap32& src_in,
               const TAxis& ax, const TAxis& ay, int mask_offset, const TCacheInfo& ci) {
  thread_local TMaps m;
  if (!Maps(bmp, area, clip, ax, ay, m)) return;
  std::optional<TBitmap32> copy;
  if (&src_in == &bmp) copy.emplace(src_in);
  const TBitmap32& src = copy ? *copy : src_in;
  const TPaintKernels& kern = ActiveKernels();
  TKeyedRow k;
  const TBitmap32* parent = nullptr;
  if (ci.FillColor != clKeyColor) {
    k.action = TKeyAction::kFill;
    k.fill = px::Bits(ColorToPixel(ci.FillColor, 255));
  } else if (ci.Ready && ci.Bmp) {
    k.action = TKeyAction::kParent;
    parent = ci.Bmp;
  } else {
    k.action = TKeyAction::kLeave;
  }
  const int n = m.area.Width();
  for (int y = m.area.Top; y < m.area.Bottom; ++y) {
    const int sy = m.rows[static_cast<std::size_t>(y - m.area.Top)];
    const TBGRA* img = src.ScanLine(sy);
    const TBGRA* mask = src.ScanLine(sy + mask_offset);
    TBGRA* d = bmp.ScanLine(y) + m.area.Left;
    // Parent columns exist for destination columns [lo, hi) of this row.
    int lo = 0, hi = 0;
    const TBGRA* prow = nullptr;
    if (parent) {
      const long long py = static_cast<long long>(ci.Y) + y;
      if (py >= 0 && py < parent->Height()) {
        const long long px0 = static_cast<long long>(ci.X) + m.area.Left;
        lo = static_cast<int>(std::clamp<long long>(-px0, 0, n));
        hi = static_cast<int>(std::clamp<long long>(parent->Width() - px0, lo, n));
        prow = parent->ScanLine(static_cast<int>(py)) + px0;
      }
    }
    for (int i = 0; i < n;) {
      const int len = RunLength(m.cols, i, n);
      const int sx = m.cols[static_cast<std::size_t>(i)];
      if (!parent) {
        kern.copy_masked(d + i, img + sx, mask + sx, len, k);
      } else {
        // Pieces of the run before, inside and after the parent's columns.
        const int cuts[4] = {i, std::clamp(lo, i, i + len), std::clamp(hi, i, i + len), i + len};
        for (int c = 0; c < 3; ++c) {
          const int a = cuts[c], b = cuts[c + 1];
          if (b <= a) continue;
          TKeyedRow part = k;
          if (c == 1)
            part.parent = prow + a;
          else
            part.action = TKeyAction::kLeave;
          kern.copy_masked(d + a, img + sx + (a - i), mask + sx + (a - i), b - a, part);
        }
      }
      i += len;
    }
  }
}

// A strip that whole tiles leave free shows the parent background.
void FillFromParent(TBitmap32& bmp, const TRect& strip, const TCacheInfo& ci) {
  const TRect s = IntersectRect(strip, bmp.BoundsRect());
  if (s.IsEmpty()) return;
  if (ci.Ready && ci.Bmp) {
    if (ci.Bmp != &bmp) BlendBitmaps(bmp, *ci.Bmp, 0, s.TopLeft(), s.Offset(ci.X, ci.Y));
  } else if (ci.FillColor != clKeyColor) {
    FillRectAlpha(bmp, s, ci.FillColor, 255);
  }
}

}  // namespace

void DrawTexture(TBitmap32& bmp, TRect& r, const TCacheInfo& ci, int mode, const TMaskElement& e) {
  if (r.IsEmpty() || bmp.Empty() || !e.HasManager) return;
  const TBitmap32* src = e.Source();
  if (src == nullptr || src->Empty()) return;
  const bool masked = e.MaskType >= 1;
  const TRect& s = e.R;
  const int tw = s.Width();
  const int th = masked ? s.Height() / 2 : s.Height();
  if (tw <= 0 || th <= 0) return;
  // A texture (with its mask half) that does not lie in its image is not drawn.
  if (s.Left < 0 || s.Top < 0 || s.Right > src->Width() ||
      static_cast<long long>(s.Top) + (masked ? 2LL * th : th) > src->Height())
    return;

  const TRect rr = r;
  const int w = rr.Width(), h = rr.Height();
  const TAxis tile_x = Tile(s.Left, tw, rr.Left);
  const TAxis tile_y = Tile(s.Top, th, rr.Top);

  if (masked) {
    if (mode != 0 && mode != 10) return;
    const int rows = h / th * th;
    const int cols = mode == 10 ? w / tw * tw : w;
    LayMasked(bmp, Rect(rr.Left, rr.Top, rr.Left + cols, rr.Top + rows), rr, *src, tile_x, tile_y,
              th, ci);
    FillFromParent(bmp, Rect(rr.Left + cols, rr.Top, rr.Right, rr.Top + rows), ci);
    FillFromParent(bmp, Rect(rr.Left, rr.Top + rows, rr.Right, rr.Bottom), ci);
    r = kTextureCovered;
    return;
  }

  switch (mode) {
    case 0:
      Lay(bmp, rr, rr, *src, tile_x, tile_y);
      r = kTextureCovered;
      break;
    case 1:
      Lay(bmp, rr, rr, *src, Stretch(s.Left, tw, rr.Left, w), Stretch(s.Top, th, rr.Top, h));
      r = kTextureCovered;
      break;
    case 2:
      Lay(bmp, Bounds(rr.Left, rr.Top, w, th), rr, *src, tile_x, tile_y);
      r.Top = std::min(rr.Top + th, rr.Bottom);
      break;
    case 3:
      Lay(bmp, Bounds(rr.Left, rr.Top, tw, h), rr, *src, tile_x, tile_y);
      r.Left = std::min(rr.Left + tw, rr.Right);
      break;
    case 4:
      Lay(bmp, Bounds(rr.Left, rr.Top, w, th), rr, *src, Stretch(s.Left, tw, rr.Left, w), tile_y);
      r.Top = std::min(rr.Top + th, rr.Bottom);
      break;
    case 5:
      Lay(bmp, Bounds(rr.Left, rr.Top, tw, h), rr, *src, tile_x, Stretch(s.Top, th, rr.Top, h));
      r.Left = std::min(rr.Left + tw, rr.Right);
      break;
    case 6:
      Lay(bmp, Rect(rr.Left, rr.Bottom - th, rr.Right, rr.Bottom), rr, *src, tile_x,
          Tile(s.Top, th, static_cast<long long>(rr.Bottom) - th));
      r.Bottom = std::max(rr.Bottom - th, rr.Top);
      break;
    case 7:
      Lay(bmp, Rect(rr.Right - tw, rr.Top, rr.Right, rr.Bottom), rr, *src, tile_x, tile_y);
      r.Right = std::max(rr.Right - tw, rr.Left);
      break;
    case 10: {
      // Whole rows only; the strip below them shows the parent.
      const int rows = h / th * th;
      Lay(bmp, Rect(rr.Left, rr.Top, rr.Right, rr.Top + rows), rr, *src, tile_x, tile_y);
      FillFromParent(bmp, Rect(rr.Left, rr.Top + rows, rr.Right, rr.Bottom), ci);
      r = kTextureCovered;
      break;
    }
    case 11:
      // The last row may reach past the bottom edge; it is cut there.
      Lay(bmp, rr, rr, *src, Stretch(s.Left, tw, rr.Left, w), tile_y);
      r = kTextureCovered;
      break;
    case 12:
      Lay(bmp, rr, rr, *src, tile_x, Stretch(s.Top, th, rr.Top, h));
      r = kTextureCovered;
      break;
    case 13:
      Lay(bmp, rr, rr, *src, Tile(s.Left, tw, rr.Right), Tile(s.Top, th, rr.Bottom));
      r = kTextureCovered;
      break;
    default:
      Lay(bmp, rr, rr, *src, tile_x, tile_y);
      r = Rect(std::max(rr.Right - tw, rr.Left), rr.Top, rr.Right, rr.Bottom);
      break;
  }
}

}  // namespace qv
