// The skin view's element drawing and the button face. They live apart from
// view.cpp because the mask drawing's header and the skin manager's (through
// the platform's controls) both define a TMargins.
#include <algorithm>

#include "paint/mask_draw.h"
#include "skin/section_paint.h"
#include "tools/skingen/view.h"

namespace qv::skingen {

void TSkinView::DrawImage(TBitmap32& dst, TPoint p, int element, int state, int mode) const {
  if (element < 0) return;
  DrawMaskImage(dst, p, state, EmptyCacheInfo(), Mask(element), mode);
}

void TSkinView::DrawBorder(TBitmap32& dst, const TRect& r, int element, int state) const {
  if (element < 0) return;
  DrawBorderMask(dst, r, EmptyCacheInfo(), false, state, Mask(element));
}

void TSkinView::PaintButtonFace(TBitmap32& dst, const TRect& r, int section, int state) const {
  const TRect area = IntersectRect(r, dst.BoundsRect());
  if (section < 0 || area.IsEmpty()) return;
  const TsGeneralData& g = Gd(section);
  // Three states or fewer: the default look is the hot one.
  const int painted = state == 3 && g.States < 4 ? 1 : std::min(state, g.States - 1);
  TCacheInfo parent;
  parent.Bmp = &dst;
  parent.X = parent.Y = 0;
  parent.Ready = true;
  TBitmap32 cache(r.Width(), r.Height());
  PaintSectionBackground(section, parent, painted, clKeyColor, -1, -1, Skin(), cache, r.TopLeft(),
                         cache.BoundsRect());
  if (g.BorderIndex >= 0) {
    const TMaskElement border = Mask(g.BorderIndex);
    if (painted != 0 || !(border.DrawMode & kMaskNoNormal)) {
      TCacheInfo moved = parent;
      moved.X += r.Left;
      moved.Y += r.Top;
      DrawBorderMask(cache, cache.BoundsRect(), moved, true, painted, border);
    }
  }
  BlendBitmaps(dst, cache, 0, area.TopLeft(), area.Offset(-r.Left, -r.Top));
}

}  // namespace qv::skingen
