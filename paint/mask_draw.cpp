// Nine-slice border drawing and single frames of skin image elements. Pieces
// are copied straight between the bitmaps; only stretched masked and alpha
// pieces go through temporary bitmaps.
#include "paint/mask_draw.h"

#include <algorithm>
#include <vector>

#include "paint/resample.h"

namespace qv {

namespace {

enum class TPieceKind { Corner, Edge, Centre };

// Inclusive right and bottom, as the keyed and alpha copies take them.
TRect Inclusive(const TRect& r) { return {r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

// The frame of a state lies wholly inside the source, its mask half included.
bool FrameInside(const TMaskElement& e, const TBitmap32& src, int x0, int y0) {
  if (e.Width <= 0 || e.Height <= 0) return false;
  const long long rows = e.MaskType >= 1 ? static_cast<long long>(e.R.Bottom) - y0 : e.Height;
  return x0 >= 0 && y0 >= 0 && static_cast<long long>(x0) + e.Width <= src.Width() &&
         rows >= e.Height && static_cast<long long>(y0) + rows <= src.Height();
}

// An opaque nearest-pixel stretch of region onto target, clipped to dst.
void StretchOpaque(TBitmap32& dst, const TRect& target, const TBitmap32& src, const TRect& region) {
  const TRect t = IntersectRect(target, dst.BoundsRect());
  if (t.IsEmpty() || region.IsEmpty()) return;
  static thread_local std::vector<int> cols, rows;
  NearestMap(region.Left, region.Width(), target.Width(), t.Left - target.Left,
             t.Right - target.Left, cols);
  NearestMap(region.Top, region.Height(), target.Height(), t.Top - target.Top,
             t.Bottom - target.Top, rows);
  for (int y = t.Top; y < t.Bottom; ++y) {
    const TBGRA* s = src.ScanLine(rows[y - t.Top]);
    TBGRA* d = dst.ScanLine(y) + t.Left;
    for (std::size_t i = 0; i < cols.size(); ++i) d[i] = s[cols[i]];
  }
}

class TBorderPainter {
 public:
  TBorderPainter(TBitmap32& dst, const TBitmap32& src, const TMaskElement& e, const TCacheInfo& ci,
                 bool from_parent)
      : dst_(dst), src_(src), e_(e), view_(e.View()), ci_(ci), from_parent_(from_parent) {}

  // One piece copied unscaled: source s (exclusive) to the same-sized area at p.
  void Copy(TPieceKind kind, const TRect& s, TPoint p) {
    if (s.IsEmpty()) return;
    const TRect d = Bounds(p.X, p.Y, s.Width(), s.Height());
    if (e_.MaskType >= 1) {
      if (kind == TPieceKind::Corner)
        CopyMaskedPiece(d, s, dst_, view_, from_parent_, ci_, src_);
      else
        CopyMaskedPiece(d, s, dst_, view_, false, no_parent_, src_);
    } else if (e_.DrawMode & kMaskAlpha) {
      BlendAlphaPiece(dst_, src_, Inclusive(s), 255, p);
    } else if (kind == TPieceKind::Corner) {
      CopyKeyedPiece(dst_, src_, p, Inclusive(s), clKeyColor, from_parent_, ci_);
    } else {
      BlendBitmaps(dst_, src_, 0, p, s);
    }
  }

  // One piece scaled from s to the target t.
  void Stretch(TPieceKind kind, const TRect& s, const TRect& t) {
    if (s.IsEmpty() || t.IsEmpty()) return;
    if (e_.MaskType >= 1)
      StretchMaskedPiece(t, kind == TPieceKind::Centre, e_.R.Height() / (e_.MaskType + 1), src_,
                         dst_, s);
    else if (e_.DrawMode & kMaskAlpha)
      StretchAlphaPiece(dst_, t, 255, src_, s);
    else
      StretchOpaque(dst_, t, src_, s);
  }

  // Whole copies of s from t's top-left corner, the last ones cut.
  void Tile(TPieceKind kind, const TRect& s, const TRect& t) {
    const int sw = s.Width(), sh = s.Height();
    if (sw <= 0 || sh <= 0 || t.IsEmpty()) return;
    // Only the tiles that meet the destination are drawn.
    const TRect vis = IntersectRect(t, dst_.BoundsRect());
    if (vis.IsEmpty()) return;
    const int y_first = t.Top + (vis.Top - t.Top) / sh * sh;
    const int x_first = t.Left + (vis.Left - t.Left) / sw * sw;
    for (int y = y_first; y < vis.Bottom; y += sh) {
      const int h = std::min(sh, t.Bottom - y);
      for (int x = x_first; x < vis.Right; x += sw) {
        const int w = std::min(sw, t.Right - x);
        Copy(kind, Bounds(s.Left, s.Top, w, h), {x, y});
      }
    }
  }

  void Middle(TPieceKind kind, const TRect& s, const TRect& t) {
    if (e_.DrawMode & kMaskStretch)
      Stretch(kind, s, t);
    else
      Tile(kind, s, t);
  }

 private:
  TBitmap32& dst_;
  const TBitmap32& src_;
  const TMaskElement& e_;
  TMaskElementView view_;
  const TCacheInfo& ci_;
  TCacheInfo no_parent_ = EmptyCacheInfo();
  bool from_parent_;
};

void Shrink(int size, int& a, int& b) {
  const int excess = a + b - size;
  if (excess > 0) {
    const int h = excess / 2;
    a -= h;
    b -= h + (excess & 1);
  }
  a = std::max(a, 0);
  b = std::max(b, 0);
  // A margin left negative by the other must not push the pieces outside.
  b = std::min(b, std::max(size - a, 0));
  a = std::min(a, size);
}

}  // namespace

TSliceMargins FitMargins(const TMaskElement& e, int width, int height) {
  TSliceMargins m{e.WL, e.WT, e.WR, e.WB};
  Shrink(width, m.L, m.R);
  Shrink(height, m.T, m.B);
  return m;
}

int MaskFrame(const TMaskElement& e, int state) {
  return std::max(0, std::min(state, e.ImageCount - 1));
}

void DrawBorderMask(TBitmap32& dst, const TRect& r, const TCacheInfo& ci, bool update_corners,
                    int state, const TMaskElement& e) {
  if (state == 0 && (e.DrawMode & kMaskNoNormal)) return;
  if (r.Width() < 2 || r.Height() < 2 || !e.HasManager || e.ImageCount <= 0 || dst.Empty()) return;
  const TBitmap32* src = e.Source();
  if (src == nullptr || src->Empty()) return;
  const TSliceMargins m = FitMargins(e, r.Width(), r.Height());
  const int cw = e.Width - m.L - m.R;
  const int ch = e.Height - m.T - m.B;
  if (cw < 0 || ch < 0) return;
  const int x0 = e.R.Left + MaskFrame(e, state) * e.Width;
  const int y0 = e.R.Top;
  if (!FrameInside(e, *src, x0, y0)) return;

  TBorderPainter p(dst, *src, e, ci, update_corners && (e.Cfg & kMaskCornerHoles) != 0);
  const int xr = x0 + m.L + cw;        // source of the right column
  const int yb = y0 + e.Height - m.B;  // source of the bottom row
  const int in_top = r.Top + m.T, in_bottom = r.Bottom - m.B;
  const int in_left = r.Left + m.L, in_right = r.Right - m.R;
  using K = TPieceKind;
  p.Copy(K::Corner, Bounds(x0, y0, m.L, m.T), {r.Left, r.Top});
  p.Middle(K::Edge, Bounds(x0, y0 + m.T, m.L, ch), Rect(r.Left, in_top, in_left, in_bottom));
  p.Middle(K::Edge, Bounds(x0 + m.L, y0, cw, m.T), Rect(in_left, r.Top, in_right, in_top));
  p.Copy(K::Corner, Bounds(x0, yb, m.L, m.B), {r.Left, in_bottom});
  p.Middle(K::Edge, Bounds(x0 + m.L, yb, cw, m.B), Rect(in_left, in_bottom, in_right, r.Bottom));
  p.Copy(K::Corner, Bounds(xr, yb, m.R, m.B), {in_right, in_bottom});
  p.Copy(K::Corner, Bounds(xr, y0, m.R, m.T), {in_right, r.Top});
  p.Middle(K::Edge, Bounds(xr, y0 + m.T, m.R, ch), Rect(in_right, in_top, r.Right, in_bottom));
  if (e.DrawMode & kMaskFillCentre)
    p.Middle(K::Centre, Bounds(x0 + m.L, y0 + m.T, cw, ch),
             Rect(in_left, in_top, in_right, in_bottom));
}

void DrawMaskImage(TBitmap32& dst, TPoint p, int state, const TCacheInfo& ci, const TMaskElement& e,
                   int mode) {
  if (!e.HasManager || e.ImageCount <= 0 || dst.Empty()) return;
  const TBitmap32* src = e.Source();
  if (src == nullptr || src->Empty()) return;
  int sx = e.R.Left + MaskFrame(e, state) * e.Width;
  int sy = e.R.Top;
  int w = e.Width, h = e.Height;
  if (!FrameInside(e, *src, sx, sy)) return;
  if (e.Bmp && (e.Bmp->Width() < e.R.Right || e.Bmp->Height() < e.R.Bottom)) return;
  // Only the visible part of the same frame: never columns of the next one.
  if (p.X < 0) {
    sx -= p.X;
    w += p.X;
    p.X = 0;
  }
  if (p.Y < 0) {
    sy -= p.Y;
    h += p.Y;
    p.Y = 0;
  }
  if (w <= 0 || h <= 0) return;
  const TRect s = Bounds(sx, sy, w, h);
  const TRect d = Bounds(p.X, p.Y, w, h);
  if (e.Bmp || e.MaskType >= 1) {
    DrawImageMasked(d, s, dst, e.View(), mode, *src);
  } else if (e.DrawMode & kMaskAlpha) {
    BlendAlphaPiece(dst, *src, Inclusive(s), mode == 1 ? 255 : 127, p);
  } else if (mode == 1) {
    CopyKeyedPiece(dst, *src, p, Inclusive(s), clKeyColor, true, ci);
  } else {
    CopyKeyedFaded(dst, *src, p, Inclusive(s), clKeyColor, 127);
  }
}

}  // namespace qv
