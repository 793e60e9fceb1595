// Reading a skin folder for the gallery: files found without regard to
// letter case, images made 32-bit with magenta transparent, elements
// rescaled for the density, section element indexes looked up by key.
#include "tools/gallery/skin_folder.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "platform/acPNG.h"
#include "platform/image_bmp.h"
#include "skin/element_notation.h"
#include "skin/mask_elements.h"
#include "skin/package.h"
#include "skin/section_model.h"

namespace qv::gallery {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The file of that name in folder, in any letter case.
std::optional<std::filesystem::path> FindFile(const std::filesystem::path& folder,
                                              const std::string& name) {
  const std::string want = Upper(name);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file() && Upper(entry.path().filename().string()) == want)
      return entry.path();
  return std::nullopt;
}

// An image file made 32-bit: magenta pixels transparent, files without an
// alpha channel opaque elsewhere.
TBitmap32 ReadImage(const std::filesystem::path& path) {
  const std::optional<TBytes> bytes = ReadWholeFile(path.string());
  if (!bytes) throw ESkinFolderError("cannot read " + path.string());
  TBitmap32 b;
  bool has_alpha = false;
  try {
    if (IsPngData(*bytes)) {
      b = LoadPngImage(*bytes);
      has_alpha = true;
    } else {
      b = DecodeBmp(*bytes);
      has_alpha = b.PixelFormat == TPixelFormat::pf32bit;
    }
  } catch (const std::exception& e) {
    throw ESkinFolderError(path.string() + ": " + e.what());
  }
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      TBGRA& p = b.Pixel(x, y);
      const bool magenta = p.R == 0xFF && p.G == 0 && p.B == 0xFF;
      if (magenta)
        p.A = 0;
      else if (!has_alpha)
        p.A = 255;
    }
  b.PixelFormat = TPixelFormat::pf32bit;
  b.Transparent = true;
  return b;
}

// The file an element's value names (empty: cut from the master bitmap).
ustring ElementFile(const TMemIniFile& ini, const TsMaskData& m, int ppi) {
  const auto chosen = ChooseScaleVariant(ini, m.ClassName, m.PropertyName, ppi);
  if (!chosen) return {};
  TsMaskData scratch;
  ustring file;
  ReadElementValue(chosen->Value, scratch, &file);
  return file;
}

// Border elements whose corner areas hold key-colour pixels show the parent
// there (Cfg bit 0), as loading marks them.
void MarkKeyCorners(TsMaskData& m, const TBitmap32* master) {
  const TBitmap32* src = m.Bmp ? m.Bmp.get() : master;
  if (m.ImgType != itisaBorder || !src) return;
  const TRect f = Bounds(m.R.Left, m.R.Top, m.Width, m.Height);
  const TRect corners[] = {Bounds(f.Left, f.Top, m.WL, m.WT),
                           Bounds(f.Right - m.WR, f.Top, m.WR, m.WT),
                           Bounds(f.Left, f.Bottom - m.WB, m.WL, m.WB),
                           Bounds(f.Right - m.WR, f.Bottom - m.WB, m.WR, m.WB)};
  for (const TRect& c : corners) {
    const TRect a = IntersectRect(c, src->BoundsRect());
    for (int y = a.Top; y < a.Bottom; ++y)
      for (int x = a.Left; x < a.Right; ++x) {
        const TBGRA p = src->Pixel(x, y);
        if (p.R == 0xFF && p.G == 0 && p.B == 0xFF) {
          m.Cfg |= kCfgKeyInCorners;
          return;
        }
      }
  }
}

void ResolveSectionElements(TacSkinData& sd) {
  for (int i = 0; i < static_cast<int>(sd.gd.size()); ++i) {
    TsGeneralData& g = sd.gd[static_cast<std::size_t>(i)];
    if (g.ClassName == u"GLOBALINFO") continue;
    g.BorderIndex = GetMaskIndex(sd, i, u"BORDERSMASK");
    g.ImgTL = GetMaskIndex(sd, i, u"IMGTOPLEFT");
    g.ImgTR = GetMaskIndex(sd, i, u"IMGTOPRIGHT");
    g.ImgBL = GetMaskIndex(sd, i, u"IMGBTMLEFT");
    g.ImgBR = GetMaskIndex(sd, i, u"IMGBTMRIGHT");
    g.Props[0].TextureIndex = GetTextureIndex(sd, i, u"PATTERN");
    if (g.States > 1) g.Props[1].TextureIndex = GetTextureIndex(sd, i, u"HOTPATTERN");
    g.Props[2].TextureIndex =
        g.States > 2 && g.UseState2 ? GetTextureIndex(sd, i, u"PATTERN2") : g.Props[1].TextureIndex;
  }
}

}  // namespace

TGallerySkin LoadGallerySkin(const std::filesystem::path& folder, int ppi) {
  const std::optional<std::filesystem::path> options = FindFile(folder, "Options.dat");
  if (!options) throw ESkinFolderError("no Options.dat in " + folder.string());
  const std::optional<TBytes> text = ReadWholeFile(options->string());
  if (!text) throw ESkinFolderError("cannot read " + options->string());
  TMemIniFile ini;
  ini.LoadFromBytes(*text);

  TGallerySkin skin;
  skin.Manager = std::make_unique<TsSkinManager>(nullptr);
  skin.Data = std::make_unique<TacSkinData>(skin.Manager.get(), ppi);
  TacSkinData& sd = *skin.Data;
  try {
    BuildSectionModel(ini, sd, skin.Info, [ppi](int n) { return ScaleByPPI(n, ppi); });
  } catch (const std::exception& e) {
    throw ESkinFolderError(options->string() + ": " + e.what());
  }

  const ustring master_name = ini.ReadString(u"GLOBALINFO", u"MASTERBITMAP", u"");
  if (!master_name.empty()) {
    const auto path = FindFile(folder, Utf16ToUtf8(master_name));
    if (!path) throw ESkinFolderError("no master bitmap " + Utf16ToUtf8(master_name));
    skin.Master = ReadImage(*path);
  }
  const TColor main_colour = ini.ReadInteger(u"GLOBALINFO", u"COLOR", 0xF0F0F0);
  for (TsMaskData& m : sd.ma) {
    const ustring file = ElementFile(ini, m, ppi);
    if (!file.empty()) {
      const auto path = FindFile(folder, Utf16ToUtf8(file));
      if (!path) {
        m.Manager = nullptr;  // stays in place, paints nothing
        continue;
      }
      m.Bmp = std::make_shared<TBitmap32>(ReadImage(*path));
      m.R = m.Bmp->BoundsRect();
    }
    m.Width = m.ImageCount > 0 ? m.R.Width() / m.ImageCount : 0;
    m.Height = m.MaskType != 0 ? m.R.Height() / (m.MaskType + 1) : m.R.Height();
    MarkKeyCorners(m, skin.Master.Empty() ? nullptr : &skin.Master);
    if (m.MulPPi != m.DivPPI) {
      const bool keep_key = !file.empty() && m.ImgType != itisaBorder && m.ImgType != itisaGlyph;
      ScaleSkinElement(m, skin.Master.Empty() ? nullptr : &skin.Master, main_colour, keep_key);
    }
  }
  ResolveSectionElements(sd);
  return skin;
}

}  // namespace qv::gallery
