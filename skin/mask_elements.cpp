// Conversion between the skin's element records and the painter's view.
#include "skin/mask_elements.h"

#include "paint/mask_scale.h"

namespace qv {

TMaskElement MaskElementOf(const TsMaskData& m, const TBitmap32* master) {
  TMaskElement e;
  e.Bmp = m.Bmp;
  e.Master = master;
  e.HasManager = m.Manager != nullptr;
  e.R = m.R;
  if (e.R.IsEmpty() && m.Bmp) e.R = m.Bmp->BoundsRect();
  e.ImageCount = m.ImageCount;
  e.MaskType = m.MaskType;
  e.DrawMode = m.DrawMode;
  e.WL = m.WL;
  e.WT = m.WT;
  e.WR = m.WR;
  e.WB = m.WB;
  e.Cfg = m.Cfg;
  e.MulPPi = m.MulPPi;
  e.DivPPI = m.DivPPI;
  e.Width = m.Width;
  e.Height = m.Height;
  return e;
}

bool ScaleSkinElement(TsMaskData& m, const TBitmap32* master, TColor main_color, bool keep_key) {
  if (m.DrawMode & kMaskFixedSize) return false;
  TMaskElement e = MaskElementOf(m, master);
  if (!ScaleMaskData(e, main_color, keep_key)) return false;
  m.Bmp = std::move(e.Bmp);
  m.R = e.R;
  m.Width = e.Width;
  m.Height = e.Height;
  m.WL = static_cast<std::int16_t>(e.WL);
  m.WT = static_cast<std::int16_t>(e.WT);
  m.WR = static_cast<std::int16_t>(e.WR);
  m.WB = static_cast<std::int16_t>(e.WB);
  return true;
}

}  // namespace qv
