// The load sequence of a skin at one pixel density.
#include "skin/skin_loader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "paint/shadow_image.h"
#include "platform/image_error.h"
#include "platform/window/metrics.h"
#include "skin/common_sections.h"
#include "skin/element_notation.h"
#include "skin/mask_elements.h"
#include "skin/section_model.h"
#include "skin/skin_manager.h"
#include "skin/skin_palette.h"
#include "skin/skin_transforms.h"
#include "skin/sys_colors.h"

namespace qv {

namespace {

constexpr char16_t kGlobal[] = u"GLOBALINFO";
constexpr int kAbsent = -99999;

bool Contains(ustring_view s, ustring_view part) { return s.find(part) != ustring_view::npos; }

// A colour to stand in for key pixels while rescaling: system colours and
// named codes as the platform shows them without a skin.
TColor PlainColor(TColor c) {
  if (c >= 0) return c;
  const auto u = static_cast<std::uint32_t>(c);
  if ((u & 0xFF000000u) == 0xFF000000u && (u & 0xFFFFFFu) < COLOR_ENDCOLORS)
    return DefaultSysColor(static_cast<int>(u & 0xFFFFFFu));
  return static_cast<TColor>(u & 0xFFFFFFu);
}

TacSkinFiles FilesOf(const TsSkinManager& m) {
  return TacSkinFiles(m.SkinIsPacked ? m.sc.get() : nullptr, m.SkinCommonInfo.SkinPath);
}

std::int16_t Short(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

// The whole of the element's rectangle lies inside the picture.
bool Inside(const TRect& r, const TBitmap32& bmp) {
  return !r.IsEmpty() && IntersectRect(r, bmp.BoundsRect()) == r;
}

// A picture of w x h scaled by mul/div stays within what the codecs allow.
bool ScaledSizeFits(int w, int h, int mul, int div) {
  if (div <= 0) return false;
  const long long nw = static_cast<long long>(w) * mul / div;
  const long long nh = static_cast<long long>(h) * mul / div;
  return nw <= kMaxImageSide && nh <= kMaxImageSide && nw * nh <= kMaxImagePixels;
}

bool IsMagenta(const TBGRA& p) { return p.R == 0xFF && p.G == 0 && p.B == 0xFF; }

// Cfg bit 1: a magenta pixel in a corner area (margin-sized) of any frame.
// Frames that do not lie inside their picture are not looked at.
int CornerKeyCfg(const TsMaskData& md, const TBitmap32* master) {
  const TBitmap32* src = md.Bmp ? md.Bmp.get() : master;
  if (src == nullptr) return 0;
  const TRect r = md.R.IsEmpty() ? src->BoundsRect() : md.R;
  const int frames = std::max<int>(1, md.ImageCount);
  const int fw = r.Width() / frames;
  const int fh = r.Height() / (std::max<int>(0, md.MaskType) + 1);
  for (int i = 0; i < frames; ++i) {
    const TRect frame = Bounds(r.Left + i * fw, r.Top, fw, fh);
    if (!Inside(frame, *src)) continue;
    const TRect corners[] = {
        Bounds(frame.Left, frame.Top, md.WL, md.WT),
        Bounds(frame.Right - md.WR, frame.Top, md.WR, md.WT),
        Bounds(frame.Left, frame.Bottom - md.WB, md.WL, md.WB),
        Bounds(frame.Right - md.WR, frame.Bottom - md.WB, md.WR, md.WB),
    };
    for (const TRect& c : corners) {
      const TRect a = IntersectRect(c, frame);
      for (int y = a.Top; y < a.Bottom; ++y) {
        const TBGRA* row = src->ScanLine(y);
        for (int x = a.Left; x < a.Right; ++x)
          if (IsMagenta(row[x])) return kCfgKeyInCorners;
      }
    }
  }
  return 0;
}

void CopyRows(const TBitmap32& src, TBitmap32& dst, int dst_top) {
  const int w = std::min(src.Width(), dst.Width());
  for (int y = 0; y < src.Height() && dst_top + y < dst.Height(); ++y)
    std::memcpy(dst.ScanLine(dst_top + y), src.ScanLine(y), static_cast<std::size_t>(w) * 4);
}

std::shared_ptr<TBitmap32> CopyOut(const TBitmap32& src, const TRect& r) {
  auto out = std::make_shared<TBitmap32>(r.Width(), r.Height());
  for (int y = 0; y < r.Height(); ++y)
    std::memcpy(out->ScanLine(y), src.ScanLine(r.Top + y) + r.Left,
                static_cast<std::size_t>(r.Width()) * 4);
  return out;
}

// Frame size from the rectangle; margins derived for elements that gave no
// frame count (their count is already 1, so nothing divides by zero).
void SetFrameSize(TsMaskData& md) {
  const TRect r = md.R.IsEmpty() && md.Bmp ? md.Bmp->BoundsRect() : md.R;
  md.Width = md.ImageCount > 0 ? r.Width() / md.ImageCount : 0;
  md.Height = md.MaskType == 0 ? r.Height() : md.MaskType < 0 ? 0 : r.Height() / (md.MaskType + 1);
}

void DeriveMargins(TsMaskData& md) {
  const int v = (md.Height - 1) / ((md.MaskType + 1) * 2);
  const int h = (md.Width - 1) / 2;
  if (md.WT <= 0) md.WT = Short(v);
  if (md.WB <= 0) md.WB = Short(v);
  if (md.WL <= 0) md.WL = Short(h);
  if (md.WR <= 0) md.WR = Short(h);
}

std::optional<ustring>& ArgumentOverride() {
  static std::optional<ustring> arg;
  return arg;
}

}  // namespace

ustring FirstProgramArgument() {
  if (ArgumentOverride()) return *ArgumentOverride();
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string program, first;
  if (!std::getline(in, program, '\0') || !std::getline(in, first, '\0')) return {};
  return Utf8ToUtf16(first);
}

void SetFirstProgramArgumentForTest(std::optional<ustring> arg) {
  ArgumentOverride() = std::move(arg);
}

void LoadCommonData(TsSkinManager& m) {
  const TMemIniFile& ini = *m.SkinCommonInfo.OptionsDat;
  m.MasterBitmap.reset();
  const ustring master = ini.ReadString(kGlobal, u"MASTERBITMAP", u"");
  if (!master.empty()) {
    const TacSkinFiles files = FilesOf(m);
    if (const auto file = files.Read(master)) {
      try {
        m.MasterBitmap =
            std::make_unique<TBitmap32>(DecodeMasterBitmap(file->Bytes, UpperCase(master)));
      } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic("The master bitmap " + Utf16ToUtf8(files.Describe(master)) +
                              " cannot be read: " + e.what());
      }
    }
  }
  TacSkinCommonInfo& ci = m.SkinCommonInfo;
  ci.Author = ini.ReadString(kGlobal, u"AUTHOR", u"");
  ci.Description = ini.ReadString(kGlobal, u"DESCRIPTION", u"");
  ci.MainFont = ini.ReadString(kGlobal, u"MainFont", u"");
  ci.UseAeroBluring = ini.ReadInteger(kGlobal, u"AEROBLUR", 0) != 0;
  ci.BrightMin = ini.ReadInteger(kGlobal, u"BRIGHTMIN", -50);
  ci.BrightMax = ini.ReadInteger(kGlobal, u"BRIGHTMAX", 50);
  ci.BIVAlign = ini.ReadInteger(kGlobal, u"BIVALIGN", 0);
  ci.BIKeepHUE = ini.ReadInteger(kGlobal, u"BIKEEPHUE", 0);
  ci.Shadow1Color = ini.ReadInteger(kGlobal, u"SHADOW1COLOR", 0);
  ci.ArrowStyle = static_cast<TacArrowsStyle>(
      std::clamp(ini.ReadInteger(kGlobal, u"ARROWSTYLE", 0), 0, static_cast<int>(arsDefault)));
  ci.Version = ini.ReadDecimal(kGlobal, u"VERSION", 0);
  // Older skins only concern the designer; newer ones may use what this
  // engine does not know, but are shown all the same.
  if (ci.Version > 14.99 && FirstProgramArgument() != u"/acpreview")
    m.ShowUnskinnedMessage(TacMessageKind::mkWarning, kNewerSkinText);
}

// ---------------------------------------------------------------------------
// Element images

// Finds, decodes, rescales and caches the images of elements.
class TacElementImages {
 public:
  // cache: the skin data whose BmpArray keeps the images (null: none kept).
  TacElementImages(const TsSkinManager& m, const TBitmap32* master, TacSkinData* cache)
      : files_(FilesOf(m)),
        master_(master),
        brightness_(m.Brightness()),
        main_color_(PlainColor(m.SkinCommonInfo.OptionsDat->ReadInteger(
            kGlobal, u"COLOR", DefaultSysColor(COLOR_BTNFACE)))),
        cache_(cache) {}

  const TacSkinFiles& Files() const { return files_; }
  const TBitmap32* Master() const { return master_; }

  // Gives md its image: reused, read from a file or cut from the master
  // bitmap, and prepared for md.MulPPi. False when md must be dropped.
  bool Resolve(TsMaskData& md, const ustring& file_name, const ustring& cache_name) {
    return file_name.empty() ? FromMaster(md, cache_name) : FromFile(md, file_name);
  }

  // The master piece of md copied into an own image (for callers that keep
  // the element beyond this skin).
  bool CopyFromMaster(TsMaskData& md) {
    if (master_ == nullptr || !Inside(md.R, *master_)) return false;
    md.Bmp = CopyOut(*master_, md.R);
    md.R = md.Bmp->BoundsRect();
    if (md.MulPPi != md.DivPPI && !(md.DrawMode & kDrawNoRescale))
      return Rescale(md, nullptr, false);
    return true;
  }

 private:
  bool FromFile(TsMaskData& md, const ustring& file_name) {
    const ustring upper = UpperCase(file_name);
    if (cache_)
      for (const TacBmpData& c : cache_->BmpArray)
        if (c.FileName == upper && c.Bmp) {
          Reuse(md, c);
          return true;
        }
    const auto file = files_.Read(file_name);
    if (!file) return false;
    TBitmap32 img;
    try {
      img = DecodeSkinImage(file->Bytes, upper);
    } catch (const EInvalidGraphic&) {
      return false;
    }
    if (Contains(upper, u".PNG") && brightness_ < 1 && md.ImgType != itisaBorder)
      PremultiplyAlpha(img);
    md.Bmp = std::make_shared<TBitmap32>(std::move(img));
    md.R = md.Bmp->BoundsRect();
    const TRect whole = md.R;
    if (md.MulPPi != md.DivPPI) {
      const bool keep_key =
          md.ImgType == itisaTexture || md.ImgType == itisaGlow || md.ImgType == itisaPngGlyph;
      if (!Rescale(md, nullptr, keep_key)) return false;
    }
    if (cache_)
      cache_->BmpArray.push_back({md.MulPPi, md.DivPPI, md.MaskType, files_.Describe(file_name),
                                  upper, md.Bmp, md.R, whole});
    return true;
  }

  bool FromMaster(TsMaskData& md, const ustring& cache_name) {
    // A rectangle the master bitmap does not hold cannot be drawn or cut.
    if (master_ == nullptr || !Inside(md.R, *master_)) return false;
    if (md.MulPPi == md.DivPPI || (md.DrawMode & kDrawNoRescale)) return true;
    if (cache_)
      for (const TacBmpData& c : cache_->BmpArray)
        if (c.FileName.empty() && c.Bmp && c.SrcRect == md.R && c.DivPPI == md.DivPPI &&
            c.MaskType == md.MaskType) {
          Reuse(md, c);
          return true;
        }
    const TRect source = md.R;
    if (!Rescale(md, master_, false)) return false;
    if (cache_ && md.Bmp)
      cache_->BmpArray.push_back(
          {md.MulPPi, md.DivPPI, md.MaskType, cache_name, u"", md.Bmp, md.R, source});
    return true;
  }

  bool Rescale(TsMaskData& md, const TBitmap32* master, bool keep_key) {
    if (!ScaledSizeFits(md.R.Width(), md.R.Height(), md.MulPPi, md.DivPPI)) return false;
    ScaleSkinElement(md, master, main_color_, keep_key);
    return true;
  }

  static void Reuse(TsMaskData& md, const TacBmpData& c) {
    md.Bmp = c.Bmp;
    md.R = c.Bmp->BoundsRect();
    md.Width = md.R.Width();
    md.Height = md.R.Height();
    md.MulPPi = c.MulPPI;
    md.DivPPI = c.DivPPI;
    auto scale = [&](int v) {
      return Short(static_cast<int>(std::nearbyint(static_cast<double>(v) * c.MulPPI / c.DivPPI)));
    };
    md.WL = scale(md.WL);
    md.WT = scale(md.WT);
    md.WR = scale(md.WR);
    md.WB = scale(md.WB);
    const int fw = md.Width / std::max<int>(1, md.ImageCount);
    const int fh = md.Height / (std::max<int>(0, md.MaskType) + 1);
    md.WR = Short(std::max(0, std::min<int>(md.WR, fw - md.WL - 1)));
    md.WB = Short(std::max(0, std::min<int>(md.WB, fh - md.WT - 1)));
  }

  TacSkinFiles files_;
  const TBitmap32* master_;
  int brightness_;
  TColor main_color_;
  TacSkinData* cache_;
};

// ---------------------------------------------------------------------------
// The steps

TacSkinLoader::TacSkinLoader(TsSkinManager& m, TacSkinData& sd)
    : m_(m),
      sd_(sd),
      ini_(*m.SkinCommonInfo.OptionsDat),
      images_(std::make_unique<TacElementImages>(m, m.MasterSource(), &sd)) {}

TacSkinLoader::~TacSkinLoader() = default;

void TacSkinLoader::Run(bool build_palette) {
  sd_.Initializing = true;
  struct TDone {
    TacSkinData& sd;
    ~TDone() { sd.Initializing = false; }
  } done{sd_};
  LoadParams();
  LoadAllMasks();
  LoadAllGeneralData();
  InitConstantIndexes();
  InitMaskIndexes();
  InitMaskParams();
  InitSkinParams(build_palette);
  CheckShadows();
}

int TacSkinLoader::ScaleEffect(int n) const {
  return m_.ScaleInt(std::clamp(n, -kMaxEffectRadius, kMaxEffectRadius), sd_.ScaleValue);
}

int TacSkinLoader::ScaledGlobalInt(ustring_view key, int def, const TsMaskData* element) const {
  auto scaled = [&](long long v, int design) {
    return static_cast<int>(std::clamp<long long>(v * sd_.PPI / design, -0x7FFFFFFF, 0x7FFFFFFF));
  };
  if (element) {
    const int scale = ScaleIndexOfPPI(element->DivPPI);
    const int v = ini_.ReadInteger(kGlobal, ScaledKey(key, scale), kAbsent);
    if (v != kAbsent) return scaled(v, DesignPPI(scale));
    return scaled(ini_.ReadInteger(kGlobal, key, def), 96);
  }
  const int v = ini_.ReadInteger(kGlobal, ScaledKey(key, sd_.ScaleValue), kAbsent);
  if (v != kAbsent) {
    const int custom = m_.Options.PixelsPerInch;
    if (m_.Options.ScaleMode == smCustomPPI && custom < 96 && custom > 0)
      return static_cast<int>(static_cast<long long>(v) * custom / 96);
    return v;
  }
  if (sd_.ScaleValue == 0) return def;
  return scaled(ini_.ReadInteger(kGlobal, key, def), 96);
}

void TacSkinLoader::LoadParams() {
  sd_.Spacing = sd_.ScaleIntValue(4);
  sd_.LineWidth = sd_.ScaleIntValue(2);
  sd_.ArrowSize = sd_.ScaleIntValue(5);
  sd_.SmallArrowSize = sd_.ScaleIntValue(4);
  sd_.ScrollBtnLength = sd_.ScaleIntValue(GetSystemMetricsForDpi(SM_CXVSCROLL, 96));
}

void TacSkinLoader::LoadAllMasks() {
  sd_.FreeBitmaps();
  sd_.ma.clear();
  sd_.ClearBmpArray();
  derive_margins_.clear();
  const TBitmap32* master = images_->Master();
  ReadSkinElements(ini_, sd_, [&](TsMaskData& md, const TacElementFields& f) {
    if (!images_->Resolve(md, f.FileName, md.ClassName + u"-" + md.PropertyName)) return false;
    if (f.NoFrameCount) derive_margins_.push_back(static_cast<int>(sd_.ma.size()));
    if (md.ImgType == itisaBorder)
      md.Cfg = md.ClassName == u"BUTTON_HUGE" && md.PropertyName == u"BORDERSMASK"
                   ? kCfgHugeButtonBorder
                   : CornerKeyCfg(md, master);
    return true;
  });
}

void TacSkinLoader::LoadAllGeneralData() {
  const TacSectionReader reader(ini_);
  sd_.TabsCovering = static_cast<std::uint8_t>(reader.ReadInt(u"TABTOP", u"TABSCOVERING", 0, 255));
  sd_.RibbonCovering =
      static_cast<std::uint8_t>(reader.ReadInt(u"RIBBONTAB", u"TABSCOVERING", 0, 255));
  sd_.gd.clear();
  ReadSkinSections(ini_, sd_, [this](int n) { return m_.ScaleInt(n, sd_.ScaleValue); });
  ApplyCommonSections(m_.CommonSections, sd_, images_->Files());
  // This skin's own colours, whatever was loaded before it.
  AppendDefaultSections(sd_, ini_.ReadInteger(kGlobal, u"COLOR", DefaultSysColor(COLOR_BTNFACE)),
                        ini_.ReadInteger(kGlobal, u"FONTCOLOR", 0));

  auto plain = [&](const char16_t* key, int def) { return ini_.ReadInteger(kGlobal, key, def); };
  auto bounded = [&](const char16_t* key, int def, int lo) {
    return std::clamp(ScaledGlobalInt(key, def), lo, kMaxEffectRadius);
  };
  sd_.ExDrawMode = plain(u"BORDERMODE", 0);
  sd_.ExShadowOffs = ScaledGlobalInt(u"ALIGNOFFSET", 0);
  // Each side defaults to the offset already obtained, not scaled again.
  auto side = [&](const char16_t* key) {
    const bool given =
        ini_.ValueExists(kGlobal, key) ||
        (sd_.ScaleValue > 0 && ini_.ValueExists(kGlobal, ScaledKey(key, sd_.ScaleValue)));
    return given ? ScaledGlobalInt(key, 0) : sd_.ExShadowOffs;
  };
  sd_.ExShadowOffsR = side(u"ALIGNOFFSETR");
  sd_.ExShadowOffsT = side(u"ALIGNOFFSETT");
  sd_.ExShadowOffsB = side(u"ALIGNOFFSETB");
  sd_.WndShadowRadius = bounded(u"WSHRAD", 17, 0);
  sd_.WndShadowOffset = bounded(u"WSHOFFS", 2, -kMaxEffectRadius);
  sd_.WndShadowSize = bounded(u"WSHSIZE", 13, 0);
  sd_.WndShadowColorN = plain(u"WSHCOLN", 0x44000000);
  sd_.WndShadowColorA = plain(u"WSHCOLA", static_cast<TColor>(0x99000000u));
  sd_.BISpacing = ScaledGlobalInt(u"BISPACE", 0);
  sd_.BIRightMargin = ScaledGlobalInt(u"BIRIGHT", 0);
  sd_.BILeftMargin = ScaledGlobalInt(u"BILEFT", 0);
  sd_.BITopMargin = ScaledGlobalInt(u"BITOP", 0);
  static constexpr const char16_t* kGlowGlyphs[] = {u"BICLOSEALONE", u"BICONCLOSE", u"BICONMAX",
                                                    u"BICONMIN", u"BICONNORM"};
  const int glows = std::clamp(plain(u"BICONCLOSEGLOW", 0), 0, kMaxTitleGlows);
  for (std::size_t g = 0; g < std::size(kGlowGlyphs); ++g) {
    sd_.GlowMargins[g] = ScaledGlobalInt(ustring(kGlowGlyphs[g]) + u"GLOWMARGIN", 0);
    sd_.TitleGlows[g].assign(static_cast<std::size_t>(glows), -1);
  }
  sd_.Shadow1Offset = ScaledGlobalInt(u"SHADOW1OFFSET", 0);
  sd_.Shadow1Blur = ScaledGlobalInt(u"SHADOW1BLUR", -1);
  sd_.Shadow1Transparency = plain(u"SHADOW1TRANSPARENCY", 0);
  sd_.ComboBoxMargin = plain(u"COMBOMARGIN", 2);
  if (sd_.ComboBoxMargin == 1 && sd_.PPI > 143) sd_.ComboBoxMargin = 2;
  sd_.SliderMargin = plain(u"SLIDERMARGIN", 1);

  TacOutEffData& sh = sd_.oe[1];
  ReadOuterEffect(sh, u"SH_", {3, 3, 2, 5, 60});
  sh.ColorL = plain(u"SH_COLORL", 0);
  sh.ColorT = clKeyColor;  // one colour
  sh.ColorR = sh.ColorB = 0;
  AddOuterEffectMask(1, u"SH_MASK");

  TacOutEffData& lo = sd_.oe[0];
  ReadOuterEffect(lo, u"LO_", {2, 2, 2, 4, 200});
  lo.ColorL = SkinColorToRGB(plain(u"LO_COLORL", 0xFFFFFF), &m_);
  lo.ColorR = SkinColorToRGB(plain(u"LO_COLORR", 0xFFFFFF), &m_);
  lo.ColorT = SkinColorToRGB(plain(u"LO_COLORT", 0), &m_);
  lo.ColorB = SkinColorToRGB(plain(u"LO_COLORB", 0xFFFFFF), &m_);
  AddOuterEffectMask(0, u"LO_MASK");
}

void TacSkinLoader::ReadOuterEffect(TacOutEffData& e, ustring_view prefix,
                                    const TOuterDefaults& d) {
  auto read = [&](const char16_t* key, int def) {
    return ini_.ReadInteger(kGlobal, ustring(prefix) + key, def);
  };
  e.WidthL = read(u"WIDTHL", -1);
  e.WidthR = read(u"WIDTHR", -1);
  e.WidthT = read(u"WIDTHT", -1);
  e.WidthB = read(u"WIDTHB", -1);
  e.OffsetL = ScaleEffect(read(u"OFFSETL", d.OffsetL));
  e.OffsetR = ScaleEffect(read(u"OFFSETR", d.OffsetR));
  e.OffsetT = ScaleEffect(read(u"OFFSETT", d.OffsetT));
  e.OffsetB = ScaleEffect(read(u"OFFSETB", d.OffsetB));
  e.Radius = ScaleEffect(std::clamp(read(u"RADIUS_OE", 9), 0, kMaxEffectRadius));
  e.Blur = ScaleEffect(std::clamp(read(u"BLUR_OE", 5), 0, kMaxEffectRadius));
  e.Source = read(u"SOURCE", 2);
  e.Opacity = read(u"OPACITY", d.Opacity);
}

TsMaskData TacSkinLoader::MaskedColors(const TBitmap32& colors, const TBitmap32& mask,
                                       ustring class_name, ustring property, int skin_index) {
  auto bmp = std::make_shared<TBitmap32>(mask.Width(), 2 * mask.Height());
  CopyRows(colors, *bmp, 0);
  CopyRows(mask, *bmp, mask.Height());
  TsMaskData md;
  md.Bmp = bmp;
  md.ClassName = std::move(class_name);
  md.PropertyName = std::move(property);
  md.R = bmp->BoundsRect();
  md.ImageCount = 1;
  md.MaskType = 1;
  md.DrawMode = 1;
  md.ImgType = itisaBorder;
  md.Manager = &m_;
  md.SkinIndex = skin_index;
  md.MulPPi = md.DivPPI = sd_.PPI;
  return md;
}

void TacSkinLoader::AddOuterEffectMask(int index, const char16_t* mask_key) {
  TacOutEffData& e = sd_.oe[static_cast<std::size_t>(index)];
  int* widths[] = {&e.WidthL, &e.WidthT, &e.WidthR, &e.WidthB};
  // Widths the skin gives are designed at 96 pixels per inch.
  for (int* w : widths)
    if (*w != -1) *w = ScaleEffect(*w);
  e.Mask = -1;
  const int global = GetSkinIndex(sd_, kGlobal);
  if (e.Source == 1) {
    const ustring* value = nullptr;
    bool enlarge = false;
    if (sd_.ScaleValue >= 1) value = ini_.FindValue(kGlobal, ScaledKey(mask_key, sd_.ScaleValue));
    if (value == nullptr || value->empty()) {
      value = ini_.FindValue(kGlobal, mask_key);
      enlarge = sd_.ScaleValue >= 1;
    }
    if (value == nullptr || value->empty()) return;
    const ustring upper = UpperCase(*value);
    if (!IsElementValue(upper)) return;
    const TacElementFields f = ParseCanonicalElement(CanonicalElementText(upper));
    TsMaskData md;
    ApplyElementFields(f, md);
    md.ImgType = itisaBorder;
    md.ClassName = kGlobal;
    md.PropertyName = mask_key;
    md.SkinIndex = global;
    md.Manager = &m_;
    md.MulPPi = sd_.PPI;
    md.DivPPI = enlarge ? 96 : sd_.PPI;
    const std::int16_t written[] = {md.WL, md.WT, md.WR, md.WB};
    if (!images_->Resolve(md, f.FileName, u"Outer")) return;
    if (enlarge) {
      std::int16_t* margins[] = {&md.WL, &md.WT, &md.WR, &md.WB};
      for (int i = 0; i < 4; ++i) *margins[i] = Short(ScaleEffect(written[i]));
    }
    e.Mask = static_cast<int>(sd_.ma.size());
    sd_.ma.push_back(std::move(md));
  } else if (e.Source == 2) {
    TBitmap32 shadow = ComputedShadowImage(0, e.Radius, 0, TShadowForm::Mask, e.Blur,
                                           e.OffsetL + e.OffsetR, e.OffsetT + e.OffsetB);
    const int w = shadow.Width(), h = shadow.Height();
    if (e.WidthL == -1) e.WidthL = (w + e.OffsetL - e.OffsetR - 1) / 2;
    if (e.WidthR == -1) e.WidthR = (w + e.OffsetR - e.OffsetL - 1) / 2;
    if (e.WidthT == -1) e.WidthT = (h + e.OffsetT - e.OffsetB - 1) / 2;
    if (e.WidthB == -1) e.WidthB = (h + e.OffsetB - e.OffsetT - 1) / 2;
    TBitmap32 colors;
    OuterColorHalf(colors, w, h, e.ColorL, e.ColorT, e.ColorR, e.ColorB);
    TsMaskData md = MaskedColors(colors, shadow, kGlobal, mask_key, global);
    md.WL = Short(e.WidthL);
    md.WT = Short(e.WidthT);
    md.WR = Short(e.WidthR);
    md.WB = Short(e.WidthB);
    sd_.BmpArray.push_back({sd_.PPI, sd_.PPI, 1, u"OuterCalc", u"", md.Bmp, md.R, md.R});
    e.Mask = static_cast<int>(sd_.ma.size());
    sd_.ma.push_back(std::move(md));
  }
}

void TacSkinLoader::InitConstantIndexes() {
  TacSkinCommonInfo& ci = m_.SkinCommonInfo;
  ResolveStandardSections(sd_, ci);
  const int gi = ci.IndexGlobalInfo;
  auto global = [&](ustring_view name) { return GetMaskIndex(sd_, gi, kGlobal, name); };
  sd_.CheckBox = {global(u"BOXUNCHECKED"), global(u"BOXCHECKED"), global(u"BOXGRAYED")};
  sd_.SmallCheckBox = {global(u"SMALLUNCHECKED"), global(u"SMALLCHECKED"), global(u"SMALLGRAYED")};
  sd_.RadioButton = {global(u"RADIOUNCHECKED"), global(u"RADIOCHECKED")};
  sd_.ExBorder = global(u"EXBORDER");
  sd_.GripRightBottom = global(u"GRIPIMAGE");
  sd_.GripHorizontal = global(u"GRIPHORZ");
  sd_.GripVertical = global(u"GRIPVERT");

  auto constant = [&](std::initializer_list<ustring> names) {
    TacConstElementData d;
    for (const ustring& name : names) {
      const int i = GetSkinIndex(sd_, name);
      if (i < 0) continue;
      d.SkinIndex = i;
      d.SkinSection = name;
      d.MaskIndex = GetMaskIndex(sd_, i, name, u"BORDERSMASK");
      d.GlyphIndex = GetMaskIndex(sd_, i, name, u"GLYPHMASK");
      d.BGIndex = {GetMaskIndex(sd_, i, name, u"PATTERN"),
                   GetMaskIndex(sd_, i, name, u"HOTPATTERN")};
      break;
    }
    return d;
  };
  sd_.MenuItem = constant({u"MENUITEM"});
  sd_.ComboBtn = constant({u"COMBOBTN"});
  const int combo = GetSkinIndex(sd_, u"COMBOBOX");
  sd_.ComboBtn.GlyphIndex = GetMaskIndex(sd_, combo, u"COMBOBOX", u"GLYPHMASK");
  static constexpr const char16_t* kSides[] = {u"LEFT", u"TOP", u"RIGHT", u"BOTTOM"};
  static constexpr const char16_t* kLayouts[] = {u"FIRST", u"LAST", u"MIDDLE", u""};
  for (int layout = 0; layout < 4; ++layout)
    for (int side = 0; side < 4; ++side)
      sd_.Tabs[static_cast<std::size_t>(layout)][static_cast<std::size_t>(side)] =
          constant({u"TAB" + ustring(kSides[side]) + kLayouts[layout]});
  sd_.Sliders = {constant({u"SCROLLSLIDERH"}), constant({u"SCROLLSLIDERV"})};
  sd_.ScrollBtns = {constant({u"SCROLLBTNLEFT"}), constant({u"SCROLLBTNTOP"}),
                    constant({u"SCROLLBTNRIGHT"}), constant({u"SCROLLBTNBOTTOM"})};
  sd_.Scrolls = {constant({u"SCROLLBAR1H"}), constant({u"SCROLLBAR1V"}), constant({u"SCROLLBAR2H"}),
                 constant({u"SCROLLBAR2V"})};
  sd_.UpDownBtns = {constant({u"UPDOWNBTN_LEFT", u"UPDOWNBTN", u"BUTTON"}),
                    constant({u"UPDOWNBTN_TOP", u"UPDOWNBTN", u"BUTTON"}),
                    constant({u"UPDOWNBTNRIGHT", u"UPDOWNBTN", u"BUTTON"}),
                    constant({u"UPDOWNBTN_BOTTOM", u"UPDOWNBTN", u"BUTTON"})};
  const int track = GetSkinIndex(sd_, u"TRACKBAR");
  for (int k = 0; k < 2; ++k) {
    auto in_track = [&](ustring_view name) { return GetMaskIndex(sd_, track, u"TRACKBAR", name); };
    TacTrackBarData& t = sd_.TrackBar[static_cast<std::size_t>(k)];
    t.SkinIndex = track;
    t.MaskIndex = in_track(u"BORDERSMASK");
    t.SliderIndex = in_track(k == 0 ? u"SLIDERVMASK" : u"SLIDERMASK");
    t.PatternIndex = in_track(u"PATTERN");
    t.HotPatternIndex = in_track(u"HOTPATTERN");
    t.TickIndex = in_track(k == 0 ? u"TICKVERT" : u"TICKHORZ");
    t.ProgIndex = in_track(k == 0 ? u"PROGVERT" : u"PROGHORZ");
    t.ChannelIndex = in_track(u"SLIDERCHANNEL");
  }

  static constexpr const char16_t* kGlyphs[] = {
      u"BICLOSEALONE", u"BICONCLOSE", u"BICONMAX", u"BICONMIN",  u"BICONNORM", u"BICONHELP",
      u"SICONCLOSE",   u"SICONMAX",   u"SICONMIN", u"SICONNORM", u"SICONHELP", u"TITLEBUTTON"};
  for (int g = 0; g < tgNone; ++g)
    sd_.TitleGlyphs[static_cast<std::size_t>(g)] = global(kGlyphs[g]);
  sd_.TitleGlyphs[tgNone] = -1;
  if (sd_.TitleGlyphs[tgCloseAlone] < 0) sd_.TitleGlyphs[tgCloseAlone] = sd_.TitleGlyphs[tgClose];
  for (int g = tgSmallClose; g <= tgSmallHelp; ++g)
    if (sd_.TitleGlyphs[static_cast<std::size_t>(g)] < 0)
      sd_.TitleGlyphs[static_cast<std::size_t>(g)] =
          sd_.TitleGlyphs[static_cast<std::size_t>(g - tgSmallClose + tgClose)];
  for (std::size_t g = 0; g < 5; ++g)
    for (std::size_t v = 0; v < sd_.TitleGlows[g].size(); ++v)
      sd_.TitleGlows[g][v] = global(ustring(kGlyphs[g]) + u"GLOW" + IntToStr(static_cast<int>(v)));
  if (sd_.TitleGlyphs[tgCloseAlone] == sd_.TitleGlyphs[tgClose]) {
    sd_.GlowMargins[0] = sd_.GlowMargins[1];
    sd_.TitleGlows[0] = sd_.TitleGlows[1];
  }
}

void TacSkinLoader::AddComputedOuterMask(std::size_t section) {
  TsGeneralData& g = sd_.gd[section];
  const TRect& o = g.OuterOffset;
  TBitmap32 shadow = ComputedShadowImage(g.OuterColorL, g.OuterRadius, 0, TShadowForm::Mask,
                                         g.OuterBlur, std::max(0, o.Left) + std::max(0, o.Right),
                                         std::max(0, o.Top) + std::max(0, o.Bottom));
  const int w = shadow.Width(), h = shadow.Height();
  TBitmap32 colors;
  if (g.OuterMode == 3)
    OuterColorHalf(colors, w, h, g.OuterColorL, clKeyColor, 0, 0);
  else
    OuterColorHalf(colors, w, h, g.OuterColorL, g.OuterColorT, g.OuterColorR, g.OuterColorB);
  TsMaskData md =
      MaskedColors(colors, shadow, g.ClassName, u"OUTERMASK", static_cast<int>(section));
  md.WL = Short((w + o.Left - o.Right) / 2);
  md.WR = Short((w + o.Right - o.Left) / 2);
  md.WT = Short((h + o.Top - o.Bottom) / 2);
  md.WB = Short((h + o.Bottom - o.Top) / 2);
  const int index = static_cast<int>(sd_.ma.size());
  sd_.BmpArray.push_back(
      {sd_.PPI, sd_.PPI, 1, u"Outer" + IntToStr(index), u"", md.Bmp, md.R, md.R});
  sd_.ma.push_back(std::move(md));
  g.OuterMask = index;
}

void TacSkinLoader::InitMaskIndexes() {
  for (std::size_t i = 0; i < sd_.gd.size(); ++i) {
    TsGeneralData& g = sd_.gd[i];
    if (g.ClassName == kGlobal) continue;
    const int si = static_cast<int>(i);
    const ustring name = g.ClassName;
    g.BorderIndex = g.BorderRemoved ? -1 : GetMaskIndex(sd_, si, name, u"BORDERSMASK");
    g.ImgTL = GetMaskIndex(sd_, si, name, u"IMGTOPLEFT");
    g.ImgTR = GetMaskIndex(sd_, si, name, u"IMGTOPRIGHT");
    g.ImgBL = GetMaskIndex(sd_, si, name, u"IMGBTMLEFT");
    g.ImgBR = GetMaskIndex(sd_, si, name, u"IMGBTMRIGHT");
    switch (g.OuterMode) {
      case 1:
      case 2:
        g.OuterMask = GetMaskIndex(sd_, si, name, u"OUTERMASK");
        break;
      case 3:
      case 4:
        g.OuterMask = GetMaskIndex(sd_, si, name, u"OUTERMASK");
        if (g.OuterMask < 0) AddComputedOuterMask(i);
        break;
      default:
        g.OuterMask = -1;
    }
    TsGeneralData& s = g;
    s.Props[0].TextureIndex = GetTextureIndex(sd_, si, name, u"PATTERN");
    if (s.States > 1) s.Props[1].TextureIndex = GetTextureIndex(sd_, si, name, u"HOTPATTERN");
    s.Props[2].TextureIndex = s.States > 2 && s.UseState2
                                  ? GetTextureIndex(sd_, si, name, u"PATTERN2")
                                  : s.Props[1].TextureIndex;
    if (!sd_.IsValidImgIndex(s.BorderIndex)) {
      s.ScrollBorderOffset = -2;
    } else {
      const TsMaskData& b = sd_.ma[static_cast<std::size_t>(s.BorderIndex)];
      const bool thin = b.WL == 1 && b.WT == 1 && b.WR == 1 && b.WB == 1;
      s.ScrollBorderOffset = thin && (name == u"EDIT" || name == u"ALPHAEDIT") ? -1 : 0;
    }
  }
  for (TsMaskData& md : sd_.ma) SetFrameSize(md);
  for (int i : derive_margins_)
    if (sd_.IsValidImgIndex(i)) DeriveMargins(sd_.ma[static_cast<std::size_t>(i)]);
}

void TacSkinLoader::InitMaskParams() {
  const TsMaskData* ex =
      sd_.IsValidImgIndex(sd_.ExBorder) ? &sd_.ma[static_cast<std::size_t>(sd_.ExBorder)] : nullptr;
  sd_.ExBorderWidth = std::max(1, ScaledGlobalInt(u"BORDERWIDTH", 4, ex));
  sd_.ExContentOffs =
      ScaledGlobalInt(u"FORMOFFSET", GetSystemMetricsForDpi(SM_CXSIZEFRAME, 96), ex);
  sd_.ExTitleHeight = ScaledGlobalInt(u"TITLEHEIGHT", 30, ex);
  if (sd_.ExTitleHeight <= 0) sd_.ExTitleHeight = m_.ScaleInt(30, sd_.ScaleValue);
  sd_.ExMaxHeight = ScaledGlobalInt(u"MAXHEIGHT", 0, ex);
  if (sd_.ExMaxHeight <= 0) sd_.ExMaxHeight = sd_.ExTitleHeight;
  sd_.ExCenterOffs = ScaledGlobalInt(u"CENTEROFFSET", 0, ex);
}

void TacSkinLoader::InitSkinParams(bool build_palette) {
  if (build_palette) m_.Palette = BuildPalette(ini_, sd_);
  const TSkinTransformSettings settings{m_.HueOffset(), m_.Saturation(), m_.Brightness()};
  TBitmap32* master = build_palette ? m_.MasterBitmap.get() : nullptr;
  // Densities loaded later cut their pieces from the pixels as read.
  if (master && !settings.Empty()) m_.master_source_ = std::make_unique<TBitmap32>(*master);
  ApplySkinTransforms(settings, {master, &sd_, build_palette ? &m_.SkinCommonInfo : nullptr,
                                 build_palette ? &m_.Palette : nullptr});
  if (build_palette)
    for (std::size_t i = 0; i < m_.Brushes.size(); ++i) m_.Brushes[i] = {m_.Palette[i]};
}

void TacSkinLoader::CheckShadows() {
  sd_.FormShadowSize = {};
  sd_.rsta.reset();
  sd_.rsti.reset();
  sd_.ShdaTemplate.reset();
  sd_.ShdiTemplate.reset();
  if (!m_.Active() || !m_.ExtendedBorders) return;
  if (sd_.IsValidImgIndex(sd_.ExBorder)) {
    const TsMaskData& e = sd_.ma[static_cast<std::size_t>(sd_.ExBorder)];
    const int c = sd_.ExContentOffs;
    if (sd_.ExDrawMode != 0)
      sd_.FormShadowSize = {c, c, c, c};
    else
      sd_.FormShadowSize = {std::max(0, e.WL - c), std::max(0, e.WT - c), std::max(0, e.WR - c),
                            std::max(0, e.WB - c)};
    const TBitmap32* src = e.Bmp ? e.Bmp.get() : m_.MasterBitmap.get();
    if (src == nullptr) return;
    auto frame = [&](int i) -> std::unique_ptr<TBitmap32> {
      const TRect r = IntersectRect(Bounds(e.R.Left + i * e.Width, e.R.Top, e.Width, e.Height),
                                    src->BoundsRect());
      if (r.IsEmpty()) return nullptr;
      return std::make_unique<TBitmap32>(*CopyOut(*src, r));
    };
    sd_.ShdiTemplate = frame(0);
    sd_.ShdaTemplate = e.ImageCount > 1 ? frame(1) : frame(0);
    return;
  }
  const int r = sd_.WndShadowRadius, o = std::max(0, sd_.WndShadowOffset);
  const int size = sd_.WndShadowSize;
  sd_.rsta = std::make_unique<TBitmap32>(
      ComputedShadowImage(sd_.WndShadowColorA, r, o, TShadowForm::Color, 0, 2 * size, 2 * size));
  sd_.rsti = std::make_unique<TBitmap32>(
      ComputedShadowImage(sd_.WndShadowColorN, r, o, TShadowForm::Color, 0, 2 * size, 2 * size));
  sd_.ShdaTemplate = std::make_unique<TBitmap32>(*sd_.rsta);
  sd_.ShdiTemplate = std::make_unique<TBitmap32>(*sd_.rsti);
  sd_.FormShadowSize = {size, std::max(0, size - sd_.WndShadowOffset), size,
                        std::max(0, size + sd_.WndShadowOffset)};
}

int GetScaledMaskData(TsSkinManager& m, ustring_view section, ustring_view prop, TsMaskData& md,
                      int ppi) {
  if (!m.IsActive() || ppi <= 0) return -1;
  const TMemIniFile& ini = *m.SkinCommonInfo.OptionsDat;
  const auto chosen = ChooseScaleVariant(ini, section, prop, ppi);
  if (!chosen || !IsElementValue(chosen->Value)) return -1;
  TacElementFields f;
  try {
    f = ParseCanonicalElement(CanonicalElementText(chosen->Value));
  } catch (const ESkinConvertError&) {
    return -1;  // a lookup reports nothing, whatever the text holds
  }
  TsMaskData out;
  ApplyElementFields(f, out);
  out.ClassName = ustring(section);
  out.PropertyName = ustring(prop);
  out.SkinIndex = 0;
  out.Manager = &m;
  out.MulPPi = ppi;
  out.DivPPI = chosen->DivPPI;
  // The caller keeps the element: it gets pixels of its own, as painted now.
  TacElementImages images(m, m.MasterBitmap.get(), nullptr);
  const bool ok =
      f.FileName.empty() ? images.CopyFromMaster(out) : images.Resolve(out, f.FileName, ustring());
  if (!ok) return -1;
  SetFrameSize(out);
  if (f.NoFrameCount) DeriveMargins(out);
  md = std::move(out);
  return 0;
}

}  // namespace qv
