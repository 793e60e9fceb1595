// Applying the application's common sections to a loaded skin.
#include "skin/common_sections.h"

#include <algorithm>

#include "platform/image_error.h"
#include "skin/section_model.h"

namespace qv {

namespace {

void Int(const TMemIniFile& ini, ustring_view section, const char16_t* key, int& field, int hi) {
  if (const ustring* v = ini.FindValue(section, key))
    if (const auto n = TryParseSkinInt(*v)) field = std::clamp(*n, 0, hi);
}

void Bool(const TMemIniFile& ini, ustring_view section, const char16_t* key, bool& field) {
  if (const ustring* v = ini.FindValue(section, key)) field = *v == u"TRUE" || *v == u"1";
}

int FindIgnoringCase(const TacSkinData& sd, ustring_view name) {
  const ustring upper = UpperCase(name);
  for (std::size_t i = 0; i < sd.gd.size(); ++i)
    if (UpperCase(sd.gd[i].ClassName) == upper) return static_cast<int>(i);
  return -1;
}

void AddBitmapElements(const TMemIniFile& ini, const ustring& section, int index, TacSkinData& sd,
                       const TacSkinFiles& files) {
  for (const auto& kv : ini.SectionValues(section)) {
    const ustring upper = UpperCase(kv.Value);
    if (upper.find(u".BMP") == ustring::npos) continue;
    const auto file = files.Read(kv.Value);
    if (!file) continue;
    std::shared_ptr<TBitmap32> bmp;
    try {
      bmp = std::make_shared<TBitmap32>(DecodeSkinImage(file->Bytes, upper));
    } catch (const EInvalidGraphic&) {
      continue;
    }
    if (bmp->Width() == 0) continue;
    TsMaskData md;
    md.Bmp = bmp;
    md.ClassName = UpperCase(section);
    md.PropertyName = UpperCase(kv.Key);
    md.R = bmp->BoundsRect();
    md.ImgType = itisaTexture;
    md.Manager = sd.FOwner;
    md.MulPPi = md.DivPPI = sd.PPI;
    md.SkinIndex = index;
    sd.BmpArray.push_back({sd.PPI, sd.PPI, 0, files.Describe(kv.Value), upper, bmp, md.R, md.R});
    sd.ma.push_back(std::move(md));
  }
}

}  // namespace

void ApplyCommonSections(const std::vector<ustring>& lines, TacSkinData& sd,
                         const TacSkinFiles& files) {
  if (lines.empty()) return;
  TMemIniFile ini;
  ini.SetStrings(lines);
  const bool has_elements = !sd.ma.empty();
  for (const ustring& name : ini.ReadSections()) {
    int index = GetSkinIndex(sd, name);
    TsGeneralData g;
    if (index >= 0) {
      g = sd.gd[static_cast<std::size_t>(index)];
    } else {
      const ustring parent = ini.ReadString(name, u"PARENTCLASS", u"");
      const int base = parent.empty() ? -1 : FindIgnoringCase(sd, parent);
      if (base >= 0) g = sd.gd[static_cast<std::size_t>(base)];
      g.ClassName = name;
      g.ParentClass = parent;
    }
    Int(ini, name, u"STATES", g.States, 255);
    if (const ustring* v = ini.FindValue(name, u"USESTATE2")) g.UseState2 = *v == u"1";
    ReadStateOverrides(ini, name, 0, g.Props[0]);
    if (g.States >= 2) ReadStateOverrides(ini, name, 1, g.Props[1]);
    if (g.UseState2) ReadStateOverrides(ini, name, 2, g.Props[2]);
    Bool(ini, name, u"RESERVEDBOOLEAN", g.ReservedBoolean);
    Bool(ini, name, u"GIVEOWNFONT", g.GiveOwnFont);
    Int(ini, name, u"GLOW", g.GlowCount, 255);
    int margin = -1;
    Int(ini, name, u"GLOWMARGIN", margin, 255);
    if (margin >= 0) g.GlowMargin = has_elements ? (margin * sd.PPI + 48) / 96 : margin;
    if (const ustring* v = ini.FindValue(name, u"BORDERSMASK"))
      if (v->size() < 5 && *v != u")") {
        g.BorderRemoved = true;
        g.BorderIndex = -1;
      }
    if (index >= 0) {
      sd.gd[static_cast<std::size_t>(index)] = std::move(g);
    } else {
      sd.gd.push_back(std::move(g));
      index = static_cast<int>(sd.gd.size()) - 1;
    }
    if (name != u"GLOBALINFO") AddBitmapElements(ini, name, index, sd, files);
  }
}

}  // namespace qv
