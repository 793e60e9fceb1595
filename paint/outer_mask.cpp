// Outer-effect elements: the nine pieces of a border element with thinned
// edges, each drawn through the primitive of its kind; the opacity scales
// alpha pieces in the primitive and mixes the other kinds afterwards.
#include "paint/outer_mask.h"

#include <algorithm>
#include <vector>

#include "paint/mask_draw.h"
#include "paint/pixel_kernels.h"
#include "paint/resample.h"

namespace qv {

namespace {

enum class TPiece { Corner, Edge, Centre };

TRect Inclusive(const TRect& r) { return {r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

class TOuterPainter {
 public:
  TOuterPainter(TBitmap32& dst, const TBitmap32& src, const TMaskElement& e, const TCacheInfo& ci,
                std::uint8_t opacity)
      : dst_(dst), src_(src), e_(e), view_(e.View()), ci_(ci), keyed_ci_(ci), o_(opacity) {
    // With no known parent, key pixels of keyed corners keep the target
    // instead of taking the key colour as a fill.
    if (!ci.Ready && ci.FillColor == clKeyColor) keyed_ci_.Ready = true;
  }

  // Alpha pieces carry the opacity themselves.
  bool OpacityInPieces() const { return e_.MaskType < 1 && (e_.DrawMode & kMaskAlpha); }

  void Copy(TPiece kind, const TRect& s, TPoint p) {
    if (s.IsEmpty()) return;
    if (e_.MaskType >= 1) {
      const TCacheInfo& ci = kind == TPiece::Corner ? ci_ : no_parent_;
      CopyMaskedPiece(Bounds(p.X, p.Y, s.Width(), s.Height()), s, dst_, view_, false, ci, src_);
    } else if (e_.DrawMode & kMaskAlpha) {
      BlendAlphaPiece(dst_, src_, Inclusive(s), o_, p);
    } else if (kind == TPiece::Corner) {
      CopyKeyedPiece(dst_, src_, p, Inclusive(s), clKeyColor, false, keyed_ci_);
    } else {
      BlendBitmaps(dst_, src_, 0, p, s);
    }
  }

  void Stretch(TPiece kind, const TRect& s, const TRect& t) {
    if (s.IsEmpty() || t.IsEmpty()) return;
    if (e_.MaskType >= 1) {
      StretchMaskedPiece(t, kind == TPiece::Centre, e_.R.Height() / (e_.MaskType + 1), src_, dst_,
                         s);
    } else if (e_.DrawMode & kMaskAlpha) {
      StretchAlphaPiece(dst_, t, o_, src_, s);
    } else {
      TBitmap32 scaled;
      StretchNearest(src_, s, scaled, t.Width(), t.Height());
      BlendBitmaps(dst_, scaled, 0, t.TopLeft(), scaled.BoundsRect());
    }
  }

  // Whole copies of s from t's top-left corner, the last ones cut.
  void Tile(TPiece kind, const TRect& s, const TRect& t) {
    const int sw = s.Width(), sh = s.Height();
    if (sw <= 0 || sh <= 0 || t.IsEmpty()) return;
    const TRect vis = IntersectRect(t, dst_.BoundsRect());
    if (vis.IsEmpty()) return;
    const int y_first = t.Top + (vis.Top - t.Top) / sh * sh;
    const int x_first = t.Left + (vis.Left - t.Left) / sw * sw;
    for (int y = y_first; y < vis.Bottom; y += sh)
      for (int x = x_first; x < vis.Right; x += sw)
        Copy(kind, Bounds(s.Left, s.Top, std::min(sw, t.Right - x), std::min(sh, t.Bottom - y)),
             {x, y});
  }

  void Middle(TPiece kind, const TRect& s, const TRect& t) {
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
  TCacheInfo keyed_ci_;
  TCacheInfo no_parent_ = EmptyCacheInfo();
  std::uint8_t o_;
};

}  // namespace

void DrawOuterMask(TBitmap32& dst, const TRect& r, const TCacheInfo& ci, std::uint8_t opacity,
                   const TRect& offsets, int state, const TMaskElement& e) {
  if (r.Width() < 2 || r.Height() < 2 || (e.DrawMode & kMaskNoNormal) || !e.HasManager ||
      e.ImageCount <= 0 || dst.Empty())
    return;
  const TBitmap32* src = e.Source();
  if (src == nullptr || src->Empty() || src == &dst) return;
  const TSliceMargins m = FitMargins(e, r.Width(), r.Height());
  const int cw = e.Width - m.L - m.R;
  const int ch = e.Height - m.T - m.B;
  if (cw < 0 || ch < 0 || e.Width <= 0 || e.Height <= 0) return;
  const int x0 = e.R.Left + MaskFrame(e, state) * e.Width;
  const int y0 = e.R.Top;
  const int rows = e.MaskType >= 1 ? e.R.Bottom - y0 : e.Height;
  if (x0 < 0 || y0 < 0 || x0 + e.Width > src->Width() || rows < e.Height ||
      y0 + rows > src->Height())
    return;

  TOuterPainter p(dst, *src, e, ci, opacity);
  // Mixed kinds: what the target held, to mix the drawn pieces over.
  const bool mix_after = opacity != 255 && !p.OpacityInPieces();
  const TRect area = IntersectRect(r, dst.BoundsRect());
  TBitmap32 before;
  if (mix_after && !area.IsEmpty()) {
    before.SetSize(area.Width(), area.Height());
    BlendBitmaps(before, dst, 0, {0, 0}, area);
  }

  // Edge thickness: the outer part, as far as the offset of that side reaches.
  const int kl = std::clamp(offsets.Left, 0, m.L), kt = std::clamp(offsets.Top, 0, m.T);
  const int kr = std::clamp(offsets.Right, 0, m.R), kb = std::clamp(offsets.Bottom, 0, m.B);
  const int xr = x0 + m.L + cw;        // source of the right column
  const int yb = y0 + e.Height - m.B;  // source of the bottom row
  const int in_top = r.Top + m.T, in_bottom = r.Bottom - m.B;
  const int in_left = r.Left + m.L, in_right = r.Right - m.R;
  using K = TPiece;
  p.Copy(K::Corner, Bounds(x0, y0, m.L, m.T), {r.Left, r.Top});
  p.Middle(K::Edge, Bounds(x0, y0 + m.T, kl, ch), Rect(r.Left, in_top, r.Left + kl, in_bottom));
  p.Middle(K::Edge, Bounds(x0 + m.L, y0, cw, kt), Rect(in_left, r.Top, in_right, r.Top + kt));
  p.Copy(K::Corner, Bounds(x0, yb, m.L, m.B), {r.Left, in_bottom});
  p.Middle(K::Edge, Bounds(x0 + m.L, yb + m.B - kb, cw, kb),
           Rect(in_left, r.Bottom - kb, in_right, r.Bottom));
  p.Copy(K::Corner, Bounds(xr, yb, m.R, m.B), {in_right, in_bottom});
  p.Copy(K::Corner, Bounds(xr, y0, m.R, m.T), {in_right, r.Top});
  p.Middle(K::Edge, Bounds(xr + m.R - kr, y0 + m.T, kr, ch),
           Rect(r.Right - kr, in_top, r.Right, in_bottom));
  if (e.DrawMode & kMaskFillCentre)
    p.Middle(K::Centre, Bounds(x0 + m.L, y0 + m.T, cw, ch),
             Rect(in_left, in_top, in_right, in_bottom));

  if (mix_after && !area.IsEmpty()) {
    // Pixels no piece touched mix with themselves and stay as they were.
    const TPaintKernels& k = ActiveKernels();
    for (int y = 0; y < area.Height(); ++y) {
      TBGRA* d = dst.ScanLine(area.Top + y) + area.Left;
      k.mix(d, d, before.ScanLine(y), area.Width(), opacity);
    }
  }
}

}  // namespace qv
