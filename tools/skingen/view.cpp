// Reading the generated package back for the contact sheet and the preview.
#include "tools/skingen/view.h"

#include <algorithm>
#include <stdexcept>

#include "paint/compositing.h"
#include "paint/gradient.h"
#include "paint/mask_draw.h"
#include "platform/acPNG.h"
#include "platform/image_bmp.h"
#include "skin/element_notation.h"
#include "skin/mask_elements.h"
#include "skin/section_model.h"
#include "skin/skin_scale.h"
#include "skin/skin_transforms.h"
#include "tools/skingen/palette.h"

namespace qv::skingen {
namespace {

// An image file of the package; without alpha of its own it is made opaque,
// magenta transparent, as loading does.
std::shared_ptr<TBitmap32> Decode(const TacFileItem& f) {
  const ustring name = UpperCase(f.Name);
  auto bmp = std::make_shared<TBitmap32>(
      name.find(u".BMP") != ustring::npos ? DecodeBmp(f.Stream) : LoadPngImage(f.Stream));
  if (bmp->PixelFormat != TPixelFormat::pf32bit)
    for (int y = 0; y < bmp->Height(); ++y)
      for (TBGRA* p = bmp->ScanLine(y); p != bmp->ScanLine(y) + bmp->Width(); ++p)
        *p = PixelToColor(*p) == clKeyColor ? kKeyPixel : TBGRA{p->B, p->G, p->R, 255};
  return bmp;
}

// The element's rectangle drawn over r: stretched (mode 1), as one row along
// the top (mode 2), or tiled (anything else).
void DrawTexture(TBitmap32& dst, const TRect& r, const TBitmap32& src, const TRect& s, int mode) {
  const int tw = s.Width(), th = s.Height();
  if (tw <= 0 || th <= 0) return;
  const int bottom = mode == 2 ? std::min(r.Bottom, r.Top + th) : r.Bottom;
  for (int y = std::max(r.Top, 0); y < std::min(bottom, dst.Height()); ++y)
    for (int x = std::max(r.Left, 0); x < std::min(r.Right, dst.Width()); ++x) {
      int sx = (x - r.Left) % tw, sy = (y - r.Top) % th;
      if (mode == 1) {
        sx = (2 * (x - r.Left) + 1) * tw / (2 * r.Width());
        sy = (2 * (y - r.Top) + 1) * th / (2 * r.Height());
      }
      TBGRA p = src.Pixel(s.Left + sx, s.Top + sy);
      p.A = 255;
      dst.Pixel(x, y) = p;
    }
}

}  // namespace

TSkinView::TSkinView(TByteView package, int ppi) {
  TacSkinConvertor conv;
  conv.ShowError = [](ustring_view text) { throw std::runtime_error(Utf16ToUtf8(text)); };
  conv.BorrowPackedData(package);
  const bool read = conv.ReadPackage();
  conv.ReleasePackedData();
  if (!read || !conv.Options) throw std::runtime_error("the package has no options file");
  ini_.LoadFromBytes(*conv.Options);

  const ustring master_name = ini_.ReadString(u"GLOBALINFO", u"MASTERBITMAP", u"");
  const TacFileItem* master = conv.FindFile(master_name);
  if (!master) throw std::runtime_error("the package has no master bitmap");
  master_ = LoadPngImage(master->Stream);

  data_ = std::make_unique<TacSkinData>(nullptr, ppi);
  TacSkinData& sd = *data_;
  BuildSectionModel(ini_, sd, info_, [ppi](int n) { return ScaleByPPI(n, ppi); });
  info_.BIKeepHUE = ini_.ReadInteger(u"GLOBALINFO", u"BIKEEPHUE", 0);

  // Images from files, and the frame sizes, as loading prepares them.
  for (TsMaskData& m : sd.ma) {
    const auto chosen = ChooseScaleVariant(ini_, m.ClassName, m.PropertyName, ppi);
    ustring file;
    if (chosen) ReadElementValue(UpperCase(chosen->Value), m, &file);
    if (!file.empty()) {
      const TacFileItem* f = conv.FindFile(file);
      if (!f) throw std::runtime_error("the package lacks " + Utf16ToUtf8(file));
      m.Bmp = Decode(*f);
      m.R = m.Bmp->BoundsRect();
      sd.BmpArray.push_back({m.MulPPi, m.DivPPI, m.MaskType, u"", file, m.Bmp, m.R, m.R});
    }
    m.Width = m.R.Width() / std::max<int>(1, m.ImageCount);
    m.Height = m.R.Height() / (m.MaskType + 1);
  }
  for (std::size_t i = 0; i < sd.gd.size(); ++i) {
    TsGeneralData& g = sd.gd[i];
    const int si = static_cast<int>(i);
    if (g.ClassName == u"GLOBALINFO") continue;
    g.BorderIndex = GetMaskIndex(sd, si, u"BORDERSMASK");
    g.Props[0].TextureIndex = GetTextureIndex(sd, si, u"PATTERN");
    if (g.States > 1) g.Props[1].TextureIndex = GetTextureIndex(sd, si, u"HOTPATTERN");
    g.Props[2].TextureIndex = g.States > 2 && g.UseState2 ? GetTextureIndex(sd, si, u"PATTERN2")
                                                          : g.Props[1].TextureIndex;
  }
  TSkinTransformSettings hue;
  hue.HueOffset = kShownHueOffset;
  ApplySkinTransforms(hue, {&master_, &sd, &info_, nullptr});
}

int TSkinView::Section(ustring_view name) const { return GetSkinIndex(*data_, name); }

const TsGenState& TSkinView::Look(int section, int state) const {
  const TsGeneralData& g = Gd(section);
  return g.Props[static_cast<std::size_t>(std::clamp(std::min(state, g.States - 1), 0, 2))];
}

int TSkinView::Element(int section, ustring_view key) const {
  return GetMaskIndex(*data_, section, key);
}

TMaskElement TSkinView::Mask(int element) const {
  TMaskElement e = MaskElementOf(data_->ma[static_cast<std::size_t>(element)], &master_);
  e.HasManager = true;
  return e;
}

int TSkinView::ScaledGlobal(ustring_view key, int def) const {
  const ustring scaled = ScaledKey(key, data_->ScaleValue);
  if (data_->ScaleValue > 0 && ini_.ValueExists(u"GLOBALINFO", scaled))
    return ini_.ReadInteger(u"GLOBALINFO", scaled, def);
  const int plain = ini_.ReadInteger(u"GLOBALINFO", key, def);
  return data_->ScaleValue == 0 ? plain : ScaleByPPI(plain, PPI());
}

void TSkinView::PaintSection(TBitmap32& dst, const TRect& r, int section, int state) const {
  if (section < 0 || r.IsEmpty()) return;
  const TsGeneralData& g = Gd(section);
  const TsGenState& s = Look(section, state);
  if (s.Transparency >= 100) {
    // Only what lies behind shows.
  } else {
    if (s.Transparency <= 0)
      FillRectAlpha(dst, r, s.Color, 255);
    else
      BlendColorRect(dst, r, static_cast<std::uint8_t>(s.Transparency * 255 / 100), s.Color);
    if (s.GradientPercent > 0 && !s.GradientArray.empty()) {
      PaintGradient(dst, r, s.GradientArray);
      if (s.GradientPercent < 100)
        BlendColorRect(dst, r, static_cast<std::uint8_t>(s.GradientPercent * 255 / 100), s.Color);
    }
    if (s.ImagePercent > 0 && s.TextureIndex >= 0) {
      const TMaskElement t = Mask(s.TextureIndex);
      if (const TBitmap32* src = t.Source()) DrawTexture(dst, r, *src, t.R, t.DrawMode);
    }
  }
  if (g.BorderIndex >= 0) DrawBorder(dst, r, g.BorderIndex, std::min(state, g.States - 1));
}

void TSkinView::DrawImage(TBitmap32& dst, TPoint p, int element, int state, int mode) const {
  if (element < 0) return;
  DrawMaskImage(dst, p, state, EmptyCacheInfo(), Mask(element), mode);
}

void TSkinView::DrawBorder(TBitmap32& dst, const TRect& r, int element, int state) const {
  if (element < 0) return;
  DrawBorderMask(dst, r, EmptyCacheInfo(), false, state, Mask(element));
}

}  // namespace qv::skingen
