// Outer effects: choosing the children, and a child's element, offsets and
// opacity, then the element drawn around its grown bounds.
#include "skin/section_paint_outer.h"

#include <algorithm>

#include "paint/outer_mask.h"
#include "skin/mask_elements.h"

namespace qv {

void PaintOuterEffects(bool parent_skinned, bool allow_outer_effects, TBitmap32& cache,
                       TPoint offset, std::span<const TOuterEffectsChild> children) {
  if (!parent_skinned || !allow_outer_effects) return;
  for (const TOuterEffectsChild& c : children) {
    if (!c.Visible || !c.HasParent || (c.Windowed && !c.HasWindow) || c.Creating || c.Reading)
      continue;
    if (c.Paint) c.Paint(cache, offset);
  }
}

void PaintChildOuterEffect(const TControlPaintView& child, const TRect& bounds,
                           TBitmap32& parent_cache, TPoint offset, TBitmap32& outer_cache) {
  const TacSkinData* sd = child.Skin.Data;
  if (!sd || !sd->IsValidSkinIndex(child.SkinIndex) || !child.OuterEffects) return;
  const TsGeneralData& g = sd->gd[static_cast<std::size_t>(child.SkinIndex)];
  if (g.OuterMode < 1) return;

  int mask = g.OuterMask;
  TRect off = g.OuterOffset;
  int opacity = g.OuterOpacity;
  if (g.OuterMask < 0 && (g.OuterMode == 1 || g.OuterMode == 2)) {
    const TacOutEffData& oe = sd->oe[static_cast<std::size_t>(g.OuterMode - 1)];
    if (oe.Source == 0 || oe.Mask < 0) return;
    mask = oe.Mask;
    off = {oe.OffsetL, oe.OffsetT, oe.OffsetR, oe.OffsetB};
    opacity = oe.Opacity;
  }
  // An offset the skin leaves out reads -1; it stands for none.
  off = {std::max(off.Left, 0), std::max(off.Top, 0), std::max(off.Right, 0),
         std::max(off.Bottom, 0)};

  const TRect r = Rect(bounds.Left + offset.X - off.Left, bounds.Top + offset.Y - off.Top,
                       bounds.Right + offset.X + off.Right, bounds.Bottom + offset.Y + off.Bottom);
  outer_cache.SetSize(std::max(r.Width(), 0), std::max(r.Height(), 0));
  if (!outer_cache.Empty())
    BlendBitmaps(outer_cache, parent_cache, 0, {0, 0}, r);  // clipped to the parent's picture
  if (!sd->IsValidImgIndex(mask)) return;
  const TMaskElement e = MaskElementOf(sd->ma[static_cast<std::size_t>(mask)], child.Skin.Master);
  DrawOuterMask(parent_cache, r, EmptyCacheInfo(),
                static_cast<std::uint8_t>(std::clamp(opacity, 0, 255)), off, 0, e);
}

}  // namespace qv
