// Section painting. Index:
//   - layer parameters of a state and the opaque layers (colour, gradient, texture)
//   - the parent background behind a rectangle (copy, rebuilt border bands)
//   - PaintSectionBackground: the layers mixed with the parent by transparency
//   - PaintSection / PaintControlSection: corners, border, colour adjustments
#include "skin/section_paint.h"

#include <algorithm>
#include <optional>

#include "paint/gradient.h"
#include "paint/mask_draw.h"
#include "paint/pixel_kernels.h"
#include "paint/pixel_ops.h"
#include "paint/texture_draw.h"
#include "skin/color_transforms.h"
#include "skin/mask_elements.h"

namespace qv {

namespace {

TSectionPaintPaths g_paths;

// ---------------------------------------------------------------------------
// Layers

// What the background of one state is made of.
struct TLayers {
  TColor C = 0;          // base colour
  int T = 0;             // transparency: share of the parent, percent
  int G = 0;             // share of the gradient, percent
  int I = 0;             // share of the texture, percent
  int A = -1;            // texture element
  bool Overlay = false;  // the gradient carries alpha and goes over the finished background
  const TsGradArray* Gradient = nullptr;
};

int Percent(int v) { return std::clamp(v, 0, 100); }
int Weight(int percent) { return percent * 255 / 100; }

// The parent background moved so that it lies behind a bitmap whose origin
// is at `at` in the parent.
TCacheInfo Moved(const TCacheInfo& ci, TPoint at) {
  TCacheInfo m = ci;
  m.X += at.X;
  m.Y += at.Y;
  return m;
}

// "Ready" without a bitmap holds no pixels: such a parent is known by its
// colour alone, if at all.
bool ParentKnown(const TCacheInfo& ci) {
  return (ci.Ready && ci.Bmp) || ci.FillColor != clKeyColor;
}

// Plain fills: the colour with alpha 255 in 32-bit pictures; other pictures
// keep their alpha bytes.
void FillPlain(TBitmap32& bmp, const TRect& r, TColor c) {
  if (bmp.PixelFormat == TPixelFormat::pf32bit) {
    FillRectAlpha(bmp, r, c, 255);
    return;
  }
  const TRect a = IntersectRect(r, bmp.BoundsRect());
  const TBGRA p = ColorToPixel(c, 0);
  for (int y = a.Top; y < a.Bottom; ++y)
    for (TBGRA *d = bmp.ScanLine(y) + a.Left, *e = d + a.Width(); d < e; ++d)
      *d = {p.B, p.G, p.R, d->A};
}

// The element of a mask index as the drawing sees it, or nothing.
std::optional<TMaskElement> Element(const TSectionSkin& skin, int index) {
  if (!skin.Data->IsValidImgIndex(index)) return std::nullopt;
  return MaskElementOf(skin.Data->ma[static_cast<std::size_t>(index)], skin.Master);
}

// A texture the one-pass path can tile: opaque, tiled, lying in its image.
bool TilesInOnePass(const TMaskElement& e) {
  const TBitmap32* src = e.Source();
  return e.HasManager && e.DrawMode == 0 && e.MaskType == 0 && src && !e.R.IsEmpty() &&
         e.R.Left >= 0 && e.R.Top >= 0 && e.R.Right <= src->Width() && e.R.Bottom <= src->Height();
}

// The gradient mixed with a texture tiled from W's corner, in one pass. That
// pass tiles from the bitmap's origin, so a texture whose tiles would not
// start there is handed over turned to the right phase.
void PaintOnePass(TBitmap32& t, const TRect& w, const TLayers& L, const TMaskElement& e) {
  const TBitmap32& src = *e.Source();
  const int tw = e.R.Width(), th = e.R.Height();
  const int sx = ((w.Left % tw) + tw) % tw, sy = ((w.Top % th) + th) % th;
  const auto weight = static_cast<std::uint8_t>(Weight(L.I));
  if (sx == 0 && sy == 0) {
    PaintGradientTextured(t, w, *L.Gradient, 255, weight, e.R, src);
    return;
  }
  TBitmap32 turned(tw, th);
  for (int v = 0; v < th; ++v)
    for (int u = 0; u < tw; ++u)
      turned.Pixel(u, v) = src.Pixel(e.R.Left + (u - sx + tw) % tw, e.R.Top + (v - sy + th) % th);
  PaintGradientTextured(t, w, *L.Gradient, 255, weight, turned.BoundsRect(), turned);
}

// The opaque layers over w: C x (100 - G - I) % + gradient x G % + texture x I %.
// ci lies behind t (for the parts of a texture that show the parent).
void PaintOpaqueLayers(TBitmap32& t, const TRect& w, const TLayers& L, const TCacheInfo& ci,
                       const TSectionSkin& skin) {
  const std::optional<TMaskElement> tex = Element(skin, L.A);
  const bool has_gradient = L.Gradient && !L.Gradient->empty();
  if (g_paths.OnePass && L.I + L.G == 100 && L.G >= 1 && L.G <= 99 && tex && TilesInOnePass(*tex) &&
      has_gradient &&
      ((*L.Gradient)[0].Mode == gmVertical || (*L.Gradient)[0].Mode == gmHorizontal)) {
    PaintOnePass(t, w, L, *tex);
    return;
  }
  bool drawn = false;
  if (L.I > 0) {
    TRect u = w;
    if (tex) {
      // A masked texture mixes with what lies under it: the base colour.
      if (tex->MaskType != 0) FillPlain(t, w, L.C);
      DrawTexture(t, u, ci, tex->DrawMode, *tex);
      drawn = true;
    }
    if (u.Right != -1) FillPlain(t, u, L.C);
  }
  if (L.G > 0) {
    if (drawn) {
      TBitmap32 g(w.Width(), w.Height());
      if (has_gradient)
        PaintGradient(g, g.BoundsRect(), *L.Gradient);
      else
        FillPlain(g, g.BoundsRect(), L.C);
      BlendBitmaps(t, g, static_cast<std::uint8_t>(std::min(Weight(L.I), 255)), w.TopLeft(),
                   g.BoundsRect());
    } else if (has_gradient) {
      PaintGradient(t, w, *L.Gradient);
    } else {
      FillPlain(t, w, L.C);
    }
  }
  const int c = L.G + L.I;
  if (c == 0)
    FillPlain(t, w, L.C);
  else if (c < 100)
    BlendColorRect(t, w, static_cast<std::uint8_t>(Weight(c)), L.C);
}

// ---------------------------------------------------------------------------
// The parent behind a rectangle

// The parent's pixels behind r, where it has them.
void CopyParent(TBitmap32& bmp, const TRect& r, const TCacheInfo& ci, TPoint p) {
  if (ci.Bmp == &bmp) return;  // already there
  BlendBitmaps(bmp, *ci.Bmp, 0, r.TopLeft(), r.Offset(ci.X + p.X, ci.Y + p.Y));
}

// Only the parent shows: its pixels, or its border bands and its fill colour.
void PaintParentOnly(TBitmap32& bmp, const TRect& r, const TCacheInfo& ci, TPoint p) {
  if (ci.Ready && ci.Bmp) {
    CopyParent(bmp, r, ci, p);
    return;
  }
  if (!ci.Bmp) {
    FillRectAlpha(bmp, r, ci.FillColor, 255);
    return;
  }
  // The bands lie in Bmp; they never reach past r.
  const TRect q = r.Offset(p.X, p.Y);  // r in the parent
  const TRect& f = ci.FillRect;
  const int bw = ci.Bmp->Width(), bh = ci.Bmp->Height();
  const int w = r.Width(), h = r.Height();
  int left = 0, top = 0, right = 0, bottom = 0;
  if (f.Left - ci.X > 0 && f.Left > q.Left) left = std::min(f.Left - q.Left, w);
  if (f.Top - ci.Y > 0 && f.Top > q.Top) top = std::min(f.Top - q.Top, h);
  if (f.Right > 0 && bw - f.Right < q.Right && q.Right < bw)
    right = std::min(q.Right - (bw - f.Right), w);
  if (f.Bottom > 0 && bh - f.Bottom < q.Bottom && q.Bottom < bh)
    bottom = std::min(q.Bottom - (bh - f.Bottom), h);
  const TBitmap32& src = *ci.Bmp;
  const TRect s = q.Offset(ci.X, ci.Y);  // r in Bmp
  if (left > 0)
    BlendBitmaps(bmp, src, 0, r.TopLeft(), Rect(s.Left, s.Top, s.Left + left, s.Bottom));
  if (top > 0) BlendBitmaps(bmp, src, 0, r.TopLeft(), Rect(s.Left, s.Top, s.Right, s.Top + top));
  if (right > 0)
    BlendBitmaps(bmp, src, 0, {r.Right - right, r.Top},
                 Rect(s.Right - right, s.Top, s.Right, s.Bottom));
  if (bottom > 0)
    BlendBitmaps(bmp, src, 0, {r.Left, r.Bottom - bottom},
                 Rect(s.Left, s.Bottom - bottom, s.Right, s.Bottom));
  const TRect inner{r.Left + left, r.Top + top, r.Right - right, r.Bottom - bottom};
  if (!inner.IsEmpty()) FillRectAlpha(bmp, inner, ci.FillColor, 255);
}

// The layers over the parent, the parent weighted t: each byte
// (t (parent - layer) + layer x 256) >> 8.
void PaintOverParent(TBitmap32& bmp, const TRect& r, const TLayers& L, const TCacheInfo& ci,
                     TPoint p, const TSectionSkin& skin) {
  const auto t = static_cast<std::uint8_t>(Weight(L.T));
  auto lay_parent = [&] {
    if (ci.Ready && ci.Bmp)
      CopyParent(bmp, r, ci, p);
    else
      FillRectAlpha(bmp, r, ci.FillColor, 255);
  };
  if (g_paths.DirectBlend && L.I + L.G == 0 && bmp.PixelFormat == TPixelFormat::pf32bit) {
    // The layers are the base colour alone: no need to paint them apart.
    const TRect a = IntersectRect(r, bmp.BoundsRect());
    if (a.IsEmpty()) return;
    lay_parent();
    std::vector<TBGRA> layer(static_cast<std::size_t>(a.Width()), ColorToPixel(L.C, 255));
    const TPaintKernels& k = ActiveKernels();
    for (int y = a.Top; y < a.Bottom; ++y) {
      TBGRA* d = bmp.ScanLine(y) + a.Left;
      k.mix(d, d, layer.data(), a.Width(), t);
    }
    return;
  }
  TBitmap32 layers(r.Width(), r.Height());
  PaintOpaqueLayers(layers, layers.BoundsRect(), L, Moved(ci, {p.X + r.Left, p.Y + r.Top}), skin);
  lay_parent();
  BlendBitmaps(bmp, layers, t, r.TopLeft(), layers.BoundsRect());
}

bool LiesInside(const TRect& r, const TBitmap32& bmp) {
  return !r.IsEmpty() && r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width() &&
         r.Bottom <= bmp.Height();
}

// Corner images over the freshly painted background, whose own pixels show
// through their transparent parts.
void PaintCorners(const TsGeneralData& g, const TSectionSkin& skin, TBitmap32& bmp, const TRect& r,
                  int state) {
  TCacheInfo self;
  self.Bmp = &bmp;
  self.X = self.Y = 0;
  self.Ready = true;
  auto corner = [&](int index, bool right, bool bottom) {
    const std::optional<TMaskElement> e = Element(skin, index);
    if (!e) return;
    const TPoint at{right ? r.Right - e->Width : r.Left, bottom ? r.Bottom - e->Height : r.Top};
    DrawMaskImage(bmp, at, state, self, *e, 1);
  };
  corner(g.ImgTL, false, false);
  corner(g.ImgTR, true, false);
  corner(g.ImgBL, false, true);
  corner(g.ImgBR, true, true);
}

const TsGeneralData* Section(const TSectionSkin& skin, int skin_index) {
  if (!skin.Data || !skin.Data->IsValidSkinIndex(skin_index)) return nullptr;
  return &skin.Data->gd[static_cast<std::size_t>(skin_index)];
}

}  // namespace

int SectionPaintState(const TsGeneralData& g, int state) {
  if (g.States <= 0) return -1;
  return std::clamp(state, 0, std::min(2, g.States - 1));
}

void PaintSectionBackground(int skin_index, const TCacheInfo& ci, int state, TColor custom,
                            int hot_texture, int texture, const TSectionSkin& skin, TBitmap32& bmp,
                            TPoint p, const TRect& r) {
  const TsGeneralData* g = Section(skin, skin_index);
  if (!g || bmp.Empty() || r.IsEmpty()) return;
  const int st = SectionPaintState(*g, state);
  if (st < 0) return;
  const TsGenState& s = g->Props[static_cast<std::size_t>(st)];

  TLayers L;
  L.A = texture;
  L.Gradient = &s.GradientArray;
  if (custom == clKeyColor) {
    L.Overlay = !s.GradientArray.empty() && (s.GradientArray[0].Mode & gmHasAlpha) != 0;
    L.C = s.Color;
    L.T = Percent(s.Transparency);
    if (L.T < 100) {
      L.I = Percent(s.ImagePercent);
      L.G = L.Overlay ? 0 : Percent(s.GradientPercent);
      if (L.I > 0 && L.A < 0) L.A = s.TextureIndex;
    }
  } else {
    L.C = custom;
  }

  if (!ParentKnown(ci) || L.T == 0)
    PaintOpaqueLayers(bmp, r, L, Moved(ci, p), skin);
  else if (L.T == 100)
    PaintParentOnly(bmp, r, ci, p);
  else if ((ci.Ready && ci.Bmp) || L.I + L.G > 0)
    PaintOverParent(bmp, r, L, ci, p, skin);
  else
    FillRectAlpha(bmp, r, MixColors(ci.FillColor, L.C, Weight(L.T)), 255);

  if (L.Overlay) PaintGradient(bmp, r, s.GradientArray);

  // Texture overlay: the state's own (or the caller's) texture; hot and
  // pressed states without one show the normal state's.
  int a = L.A >= 0 ? L.A : s.TextureIndex;
  int index = a;
  if (st > 0) index = hot_texture >= 0 ? hot_texture : a >= 0 ? a : g->Props[0].TextureIndex;
  if (const std::optional<TMaskElement> e = Element(skin, index);
      e && e->MaskType > 0 && e->DrawMode == 10) {
    TRect u = r;
    DrawTexture(bmp, u, Moved(ci, p), 10, *e);
  }
}

void PaintSection(int skin_index, const TCacheInfo& ci, int hot_texture, int texture,
                  const TSectionSkin& skin, TBitmap32& bmp, TPoint p, const TRect& r, int state) {
  const TsGeneralData* g = Section(skin, skin_index);
  if (!g || !LiesInside(r, bmp)) return;
  const int st = SectionPaintState(*g, state);
  if (st < 0) return;
  PaintSectionBackground(skin_index, ci, st, clKeyColor, hot_texture, texture, skin, bmp, p, r);
  PaintCorners(*g, skin, bmp, r, st);
  if (const std::optional<TMaskElement> border = Element(skin, g->BorderIndex))
    DrawBorderMask(bmp, r, Moved(ci, p), true, st, *border);
}

void PaintControlBackground(const TControlPaintView& c, const TCacheInfo& ci, int state,
                            TBitmap32& bmp, TPoint p, const TRect& r) {
  TColor custom = clKeyColor;
  if (c.CustomColor) custom = SkinColorToRGB(c.OwnerColor, c.Skin.Colors);
  PaintSectionBackground(c.SkinIndex, ci, state, custom, -1, -1, c.Skin, bmp, p, r);
}

void PaintControlSection(const TControlPaintView& c, const TCacheInfo& ci, bool update_corners,
                         TBitmap32& bmp, TPoint p, const TRect& r, int state) {
  const TsGeneralData* g = Section(c.Skin, c.SkinIndex);
  if (!g || !LiesInside(r, bmp)) return;
  const int st = SectionPaintState(*g, state);
  if (st < 0) return;
  PaintControlBackground(c, ci, st, bmp, p, r);
  PaintCorners(*g, c.Skin, bmp, r, st);
  const std::optional<TMaskElement> border = Element(c.Skin, g->BorderIndex);
  bool adjust;
  if (!border || (st == 0 && (border->DrawMode & kMaskNoNormal))) {
    // Without a border the colours change only where the section is opaque.
    adjust = g->Props[static_cast<std::size_t>(st)].Transparency == 0;
  } else {
    DrawBorderMask(bmp, r, Moved(ci, p), update_corners, st, *border);
    adjust = true;
  }
  if (!adjust) return;
  if (c.ColorTone != clNone)
    ApplyToBitmap(bmp, TPixelOp::Tone, SkinColorToRGB(c.ColorTone, c.Skin.Colors));
  if (c.HUEOffset != 0) ApplyToBitmap(bmp, TPixelOp::Hue, c.HUEOffset);
  if (c.Saturation != 0) ApplyToBitmap(bmp, TPixelOp::Saturation, c.Saturation);
}

void SetSectionPaintPaths(const TSectionPaintPaths& paths) { g_paths = paths; }
TSectionPaintPaths SectionPaintPaths() { return g_paths; }

}  // namespace qv
