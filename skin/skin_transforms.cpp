// Load-time recolouring of a skin. Masks say where an image is transparent,
// so they never take part: their halves are saved and put back around every
// step that would change grey values.
#include "skin/skin_transforms.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "skin/color_transforms.h"
#include "skin/skin_images.h"

namespace qv {

namespace {

constexpr TacPaletteColors kTransformedPalette[] = {
    pcMainColor,
    pcLabelText,
    pcWebText,
    pcEditText,
    pcEditBG,
    pcSelectionBG,
    pcSelectionText,
    pcSelectionBG_Focused,
    pcSelectionText_Focused,
    pcEditBG_Inverted,
    pcEditText_Inverted,
    pcEditBG_OddRow,
    pcEditBG_EvenRow,
    pcBtnColor1Active,
    pcBtnColor2Active,
    pcBtnBorderActive,
    pcBtnFontActive,
    pcBtnColor1Normal,
    pcBtnColor2Normal,
    pcBtnBorderNormal,
    pcBtnFontNormal,
    pcBtnColor1Pressed,
    pcBtnColor2Pressed,
    pcBtnBorderPressed,
    pcBtnFontPressed,
    pcBorder,
    pcGrid,
    pcHintBG,
    pcHintText,
};

constexpr const char16_t* kCloseGlyphs[] = {u"BICONCLOSE", u"BICLOSEALONE", u"SICONCLOSE"};
constexpr const char16_t* kOtherGlyphs[] = {u"BICONMAX", u"BICONMIN", u"BICONNORM", u"BICONHELP",
                                            u"SICONMAX", u"SICONMIN", u"SICONNORM"};

using TColorOp = std::function<TColor(TColor)>;

// A saved piece of a bitmap, put back later.
struct TSavedArea {
  TBitmap32* Bmp;
  TRect R;
  std::vector<TBGRA> Pixels;
};

TSavedArea Save(TBitmap32& bmp, const TRect& r) {
  TSavedArea a{&bmp, IntersectRect(r, bmp.BoundsRect()), {}};
  a.Pixels.reserve(static_cast<std::size_t>(a.R.Width()) * std::max(0, a.R.Height()));
  for (int y = a.R.Top; y < a.R.Bottom; ++y)
    a.Pixels.insert(a.Pixels.end(), a.Bmp->ScanLine(y) + a.R.Left, a.Bmp->ScanLine(y) + a.R.Right);
  return a;
}

void Restore(const std::vector<TSavedArea>& areas) {
  for (const TSavedArea& a : areas) {
    const TBGRA* p = a.Pixels.data();
    for (int y = a.R.Top; y < a.R.Bottom; ++y, p += a.R.Width())
      std::memcpy(a.Bmp->ScanLine(y) + a.R.Left, p, a.R.Width() * sizeof(TBGRA));
  }
}

// The lower part of an element rectangle that holds its mask.
TRect MaskHalf(const TRect& r, int mask_type) {
  return {r.Left, r.Top + r.Height() / (mask_type + 1), r.Right, r.Bottom};
}

// Mask halves that lie in the master bitmap: those of cached pieces cut from
// it and those of masked elements without an own image.
std::vector<TRect> MasterMaskAreas(const TacSkinData* sd) {
  std::vector<TRect> out;
  if (sd == nullptr) return out;
  for (const TacBmpData& b : sd->BmpArray)
    if (!b.Bmp && b.MaskType == 1) out.push_back(MaskHalf(b.R, 1));
  for (const TsMaskData& m : sd->ma)
    if (!m.Bmp && m.MaskType >= 1) out.push_back(MaskHalf(m.R, m.MaskType));
  return out;
}

// The title-button glyphs that keep their colours under the hue step.
std::vector<int> KeptGlyphs(const TacSkinData& sd, int keep_hue, std::vector<int>& glows) {
  std::vector<int> out;
  if (keep_hue <= 0) return out;
  std::vector<const char16_t*> names(std::begin(kCloseGlyphs), std::end(kCloseGlyphs));
  if (keep_hue == 1) names.insert(names.end(), std::begin(kOtherGlyphs), std::end(kOtherGlyphs));
  for (const char16_t* name : names) {
    const int i = GetMaskIndex(sd, u"GLOBALINFO", name);
    if (!sd.IsValidImgIndex(i)) continue;
    out.push_back(i);
    if (sd.ma[i].Bmp) {
      const int g = GetMaskIndex(sd, u"GLOBALINFO", ustring(name) + u"GLOW0");
      if (sd.IsValidImgIndex(g)) glows.push_back(g);
    }
  }
  return out;
}

// The button colours carry alpha in their top byte, so every value of theirs
// is a colour; the colour transforms keep that byte.
constexpr TacPaletteColors kAlphaPalette[] = {pcBtnColor1Active,  pcBtnColor2Active,
                                              pcBtnColor1Normal,  pcBtnColor2Normal,
                                              pcBtnColor1Pressed, pcBtnColor2Pressed};

bool HasAlphaByte(TacPaletteColors p) {
  return std::find(std::begin(kAlphaPalette), std::end(kAlphaPalette), p) !=
         std::end(kAlphaPalette);
}

TColor OnPlain(const TColorOp& op, TColor c) {
  // Unset (-1) and system colours are not pixel values.
  return c < 0 ? c : op(c);
}

// Gradient stops always hold a colour (with alpha in the fourth byte).
void GradientColors(TsGradArray& stops, const TColorOp& op) {
  for (TsGradPoint& p : stops)
    p.Color =
        TsColor::FromValue(static_cast<std::uint32_t>(op(static_cast<TColor>(p.Color.Value()))));
}

// The hue leaves the gradient of a state that does not mix one in.
enum class TGradients { All, Mixed };

void SectionColors(TacSkinData& sd, const TColorOp& op, TGradients gradients) {
  for (TsGeneralData& g : sd.gd)
    for (TsGenState& st : g.Props) {
      st.Color = OnPlain(op, st.Color);
      st.GlowColor = OnPlain(op, st.GlowColor);
      TsFontColor& f = st.FontColor;
      for (TColor* c : {&f.Color, &f.Left, &f.Top, &f.Right, &f.Bottom}) *c = OnPlain(op, *c);
      if (gradients == TGradients::All || st.GradientPercent > 0)
        GradientColors(st.GradientArray, op);
    }
}

// What one call works on: the master's layout (its glyphs and mask halves) is
// read from the skin data even when that data was transformed before.
struct TTargets {
  TBitmap32* Master;
  const TacSkinData* Layout;
  TacSkinData* Data;  // null when absent or already transformed
  TacSkinCommonInfo* Common;
  TacPaletteArray* Palette;
};

void PaletteAndShadow(const TTargets& t, const TColorOp& op) {
  if (t.Palette == nullptr) return;
  for (TacPaletteColors p : kTransformedPalette) {
    TColor& c = (*t.Palette)[p];
    c = HasAlphaByte(p) ? op(c) : OnPlain(op, c);
  }
  if (t.Common) t.Common->Shadow1Color = OnPlain(op, t.Common->Shadow1Color);
}

bool ContainsPng(const ustring& name) {
  ustring upper = name;
  for (char16_t& c : upper)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return upper.find(u".PNG") != ustring::npos;
}

// The master bitmap through op, its mask halves kept.
void MasterWithMasksKept(const TTargets& t, TPixelOp op, int amount) {
  if (t.Master == nullptr) return;
  std::vector<TSavedArea> masks;
  for (const TRect& r : MasterMaskAreas(t.Layout)) masks.push_back(Save(*t.Master, r));
  ApplyToBitmap(*t.Master, op, amount);
  Restore(masks);
}

// Every cached image through op; of masked ones only the image half.
void CachedImages(TacSkinData& sd, TPixelOp op, int amount) {
  for (TacBmpData& b : sd.BmpArray) {
    if (!b.Bmp) continue;
    if (b.MaskType != 0)
      ApplyToRect(*b.Bmp, Rect(0, 0, b.Bmp->Width(), b.Bmp->Height() / 2), op, amount);
    else
      ApplyToBitmap(*b.Bmp, op, amount);
  }
}

void Hue(const TTargets& t, int d) {
  std::vector<int> glows;
  const int keep = t.Common ? t.Common->BIKeepHUE : 0;
  const std::vector<int> kept = t.Layout ? KeptGlyphs(*t.Layout, keep, glows) : std::vector<int>{};
  if (t.Master) {
    std::vector<TSavedArea> saved;
    for (int i : kept)
      if (!t.Layout->ma[i].Bmp) saved.push_back(Save(*t.Master, t.Layout->ma[i].R));
    ApplyToBitmap(*t.Master, TPixelOp::Hue, d);
    Restore(saved);
  }
  if (t.Data == nullptr) return;
  std::vector<const TBitmap32*> exempt;
  for (int i : kept)
    if (t.Data->ma[i].Bmp) exempt.push_back(t.Data->ma[i].Bmp.get());
  for (int g : glows)
    if (t.Data->ma[g].Bmp) exempt.push_back(t.Data->ma[g].Bmp.get());
  for (TacBmpData& b : t.Data->BmpArray)
    if (b.Bmp && std::find(exempt.begin(), exempt.end(), b.Bmp.get()) == exempt.end())
      ApplyToBitmap(*b.Bmp, TPixelOp::Hue, d);
  SectionColors(
      *t.Data, [d](TColor c) { return HueColor(c, d); }, TGradients::Mixed);
}

}  // namespace

void ApplySkinTransforms(const TSkinTransformSettings& s, const TSkinTransformTarget& target) {
  TacSkinData* fresh = target.Data && !target.Data->ColorsTransformed ? target.Data : nullptr;
  const TTargets t{target.Master, target.Data, fresh, target.Common, target.Palette};
  if (s.HueOffset != 0) {
    Hue(t, s.HueOffset);
    PaletteAndShadow(t, [d = s.HueOffset](TColor c) { return HueColor(c, d); });
  }
  const int a = SaturationAmount(s.Saturation);
  if (a != 0) {
    const TColorOp op = [a](TColor c) { return SaturationColor(c, a); };
    MasterWithMasksKept(t, TPixelOp::Saturation, a);
    if (t.Data) {
      CachedImages(*t.Data, TPixelOp::Saturation, a);
      SectionColors(*t.Data, op, TGradients::All);
    }
    PaletteAndShadow(t, op);
  }
  const int b = std::clamp(s.Brightness, -100, 100);
  if (b != 0) {
    MasterWithMasksKept(t, TPixelOp::Brightness, b);
    if (t.Data) {
      CachedImages(*t.Data, TPixelOp::Brightness, b);
      if (b > 0)
        for (TacBmpData& e : t.Data->BmpArray)
          if (e.Bmp && e.MaskType == 0 && ContainsPng(e.FileName)) PremultiplyAlpha(*e.Bmp);
      SectionColors(
          *t.Data, [b](TColor c) { return BrightnessColor(c, b); }, TGradients::All);
    }
  }
  if (fresh) fresh->ColorsTransformed = true;
}

}  // namespace qv
