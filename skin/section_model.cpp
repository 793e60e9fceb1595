// Reading sections and element descriptions from the options store.
#include "skin/section_model.h"

#include <algorithm>
#include <vector>

#include "paint/gradient.h"
#include "platform/density.h"
#include "skin/element_notation.h"

namespace qv {

namespace {

bool IsMissingText(const ustring* v) { return !v || *v == u"?"; }

// The twelve keys of each state in reading order.
struct TStateKeys {
  const char16_t* Color;
  const char16_t* FontColor;
  const char16_t* Left;
  const char16_t* Top;
  const char16_t* Right;
  const char16_t* Bottom;
  const char16_t* GlowColor;
  const char16_t* GlowSize;
  const char16_t* GradientPercent;
  const char16_t* GradientData;
  const char16_t* ImagePercent;
  const char16_t* Transparency;
};

constexpr TStateKeys kStateKeys[3] = {
    {u"COLOR", u"FONTCOLOR", u"TCLEFT", u"TCTOP", u"TCRIGHT", u"TCBOTTOM", u"GCOL", u"GSIZE",
     u"GRADIENTPERCENT", u"GRADIENTDATA", u"IMAGEPERCENT", u"TRANSPARENCY"},
    {u"HOTCOLOR", u"HOTFONTCOLOR", u"HOTTCLEFT", u"HOTTCTOP", u"HOTTCRIGHT", u"HOTTCBOTTOM",
     u"HGCOL", u"HGSIZE", u"HOTGRADIENTPERCENT", u"HOTGRADIENTDATA", u"HOTIMAGEPERCENT",
     u"HOTTRANSPARENCY"},
    {u"COLOR2", u"FONTCOLOR2", u"TCLEFT2", u"TCTOP2", u"TCRIGHT2", u"TCBOTTOM2", u"GCOL2",
     u"GSIZE2", u"GRADIENTPERCENT2", u"GRADIENTDATA2", u"IMAGEPERCENT2", u"TRANSPARENCY2"},
};

void ParseGradientOf(ustring_view section, const char16_t* key, const ustring& text,
                     TsGradArray& out) {
  try {
    ParseGradient(text, out);
  } catch (const EGradientError& e) {
    throw EGradientError("Section [" + Utf16ToUtf8(section) + "], key " + Utf16ToUtf8(key) + ": " +
                         e.what());
  }
}

TsGenState ReadState(const TacSectionReader& r, ustring_view s, int state) {
  const TStateKeys& k = kStateKeys[state];
  const TsGenState t;  // every state starts from the template
  TsGenState g;
  g.Color = r.ReadInt(s, k.Color, t.Color);
  g.FontColor.Color = r.ReadInt(s, k.FontColor, t.FontColor.Color);
  g.FontColor.Left = r.ReadInt(s, k.Left, t.FontColor.Left);
  g.FontColor.Top = r.ReadInt(s, k.Top, t.FontColor.Top);
  g.FontColor.Right = r.ReadInt(s, k.Right, t.FontColor.Right);
  g.FontColor.Bottom = r.ReadInt(s, k.Bottom, t.FontColor.Bottom);
  g.GlowColor = r.ReadInt(s, k.GlowColor, t.GlowColor);
  g.GlowSize = r.ReadInt(s, k.GlowSize, t.GlowSize);
  g.GradientPercent = r.ReadInt(s, k.GradientPercent, t.GradientPercent);
  const ustring gradient = r.ReadString(s, k.GradientData, u"");
  // Shorter text (such as "N/A") leaves the template's empty gradient.
  if (gradient.size() >= 4) ParseGradientOf(s, k.GradientData, gradient, g.GradientArray);
  g.ImagePercent = r.ReadInt(s, k.ImagePercent, t.ImagePercent);
  g.Transparency = r.ReadInt(s, k.Transparency, t.Transparency);
  return g;
}

}  // namespace

void ReadStateOverrides(const TMemIniFile& ini, ustring_view section, int state, TsGenState& st) {
  const TStateKeys& k = kStateKeys[state];
  auto number = [&](const char16_t* key, auto& field) {
    if (const ustring* v = ini.FindValue(section, key))
      if (const auto n = TryParseSkinInt(*v)) field = *n;
  };
  number(k.Color, st.Color);
  number(k.FontColor, st.FontColor.Color);
  number(k.Left, st.FontColor.Left);
  number(k.Top, st.FontColor.Top);
  number(k.Right, st.FontColor.Right);
  number(k.Bottom, st.FontColor.Bottom);
  number(k.GlowColor, st.GlowColor);
  number(k.GlowSize, st.GlowSize);
  number(k.GradientPercent, st.GradientPercent);
  if (const ustring* v = ini.FindValue(section, k.GradientData)) {
    st.GradientArray.clear();
    if (v->size() >= 4) ParseGradientOf(section, k.GradientData, *v, st.GradientArray);
  }
  number(k.ImagePercent, st.ImagePercent);
  number(k.Transparency, st.Transparency);
}

ustring TacSectionReader::ParentOf(ustring_view section) const {
  const ustring* v = ini_.FindValue(section, u"PARENTCLASS");
  return IsMissingText(v) ? ustring() : *v;
}

template <class Accept>
const ustring* TacSectionReader::Find(ustring_view section, ustring_view key, Accept accept) const {
  std::vector<ustring> visited;
  ustring current(section);
  while (true) {
    const ustring* v = ini_.FindValue(current, key);
    if (!IsMissingText(v) && accept(*v)) return v;
    visited.push_back(current);
    ustring parent = ParentOf(current);
    if (parent.empty() || std::find(visited.begin(), visited.end(), parent) != visited.end())
      return nullptr;
    current = std::move(parent);
  }
}

ustring TacSectionReader::ReadString(ustring_view section, ustring_view key,
                                     ustring_view def) const {
  const ustring* v = Find(section, key, [](const ustring&) { return true; });
  return v ? *v : ustring(def);
}

bool TacSectionReader::ReadBool(ustring_view section, ustring_view key, bool def) const {
  const ustring* v = Find(section, key, [](const ustring&) { return true; });
  if (!v) return def;
  return *v == u"TRUE" || *v == u"1";
}

int TacSectionReader::ReadInt(ustring_view section, ustring_view key, int def, int limit,
                              bool raw) const {
  const ustring* v = Find(section, key, [](const ustring& text) {
    const auto n = TryParseSkinInt(text);
    return n && *n >= 0;
  });
  const int value = v ? *TryParseSkinInt(*v) : (raw ? -1 : def);
  return std::min(value, limit);
}

std::optional<TacScaledValue> ChooseScaleVariant(const TMemIniFile& ini, ustring_view section,
                                                 ustring_view key, int ppi) {
  int start = ScaleIndexOfPPI(ppi);
  if (kScalePPI[static_cast<std::size_t>(start)] < ppi) ++start;
  auto try_scale = [&](int scale) -> std::optional<TacScaledValue> {
    const ustring* v = ini.FindValue(section, ScaledKey(key, scale));
    if (!v || v->empty()) return std::nullopt;
    return TacScaledValue{UpperCase(*v), kScalePPI[static_cast<std::size_t>(scale)]};
  };
  for (int s = start; s < kScaleCount; ++s)
    if (auto v = try_scale(s)) return v;
  for (int s = std::min(start, kScaleCount) - 1; s >= 0; --s)
    if (auto v = try_scale(s)) return v;
  return std::nullopt;
}

TsGeneralData ReadGeneralData(const TacSectionReader& r, ustring_view s, int ppi, bool has_elements,
                              const TScaleInt& scale_int) {
  auto scale = [&](int n) { return scale_int ? scale_int(n) : n; };
  TsGeneralData g;
  g.ClassName = ustring(s);
  g.ParentClass = r.ParentOf(s);
  g.GiveOwnFont = r.ReadBool(s, u"GIVEOWNFONT", false);
  g.ShiftOnClick = r.ReadBool(s, u"SHIFTCLICK", false);
  g.ReservedBoolean = r.ReadBool(s, u"RESERVEDBOOLEAN", false);
  g.GlowCount = r.ReadInt(s, u"GLOW", 0, 255);
  g.GlowMargin = r.ReadInt(s, u"GLOWMARGIN", 0, 255);
  if (has_elements) g.GlowMargin = ScaleDesigned(g.GlowMargin, ppi);
  g.States = r.ReadInt(s, u"STATES", 3, 255);
  g.OuterOffset = {scale(r.ReadInt(s, u"OUTOFFSL", 0, 255, true)),
                   scale(r.ReadInt(s, u"OUTOFFST", 0, 255, true)),
                   scale(r.ReadInt(s, u"OUTOFFSR", 0, 255, true)),
                   scale(r.ReadInt(s, u"OUTOFFSB", 0, 255, true))};
  g.OuterOpacity = r.ReadInt(s, u"OUTOPACITY", 200, 255);
  g.OuterMode = r.ReadInt(s, u"OUTERMODE", 2);
  g.OuterBlur = scale(r.ReadInt(s, u"OUTBLUR", 9, 30));
  g.OuterRadius = scale(r.ReadInt(s, u"OUTRADIUS", 9, 30));
  g.OuterColorL = r.ReadInt(s, u"OUTCOLL", 0);
  g.OuterColorT = r.ReadInt(s, u"OUTCOLT", 0);
  g.OuterColorR = r.ReadInt(s, u"OUTCOLR", 0);
  g.OuterColorB = r.ReadInt(s, u"OUTCOLB", 0);
  g.ImgTL = g.ImgTR = g.ImgBL = g.ImgBR = -1;
  g.Props[0] = ReadState(r, s, 0);
  g.Props[1] = g.States < 2 ? g.Props[0] : ReadState(r, s, 1);
  g.UseState2 = r.ReadInt(s, u"USESTATE2", 0) == 1;
  g.Props[2] = g.UseState2 ? ReadState(r, s, 2) : g.Props[1];
  return g;
}

void ReadSkinElements(const TMemIniFile& ini, TacSkinData& sd, const TElementAccept& accept) {
  const std::vector<ustring> sections = ini.ReadSections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const ustring& section = sections[i];
    for (const auto& kv : ini.SectionValues(section)) {
      if (section == u"GLOBALINFO" && kv.Key == u"MASTERBITMAP") continue;
      if (kv.Key.find(u'*') != ustring::npos) continue;
      if (kv.Value.empty() || !IsElementValue(UpperCase(kv.Value))) continue;
      const auto chosen = ChooseScaleVariant(ini, section, kv.Key, sd.PPI);
      if (!chosen || !IsElementValue(chosen->Value)) continue;
      const TacElementFields f = ParseCanonicalElement(CanonicalElementText(chosen->Value));
      TsMaskData md;
      md.ClassName = section;
      md.PropertyName = kv.Key;
      md.SkinIndex = static_cast<int>(i);
      md.Manager = sd.FOwner;
      md.MulPPi = sd.PPI;
      md.DivPPI = chosen->DivPPI;
      ApplyElementFields(f, md);
      if (accept && !accept(md, f)) continue;
      sd.ma.push_back(std::move(md));
    }
  }
}

void ReadSkinSections(const TMemIniFile& ini, TacSkinData& sd, const TScaleInt& scale_int) {
  const TacSectionReader reader(ini);
  const std::vector<ustring> sections = ini.ReadSections();
  sd.gd.reserve(sd.gd.size() + sections.size() + kStandardSectionCount + 2);
  const bool has_elements = !sd.ma.empty();
  for (const ustring& section : sections)
    sd.gd.push_back(ReadGeneralData(reader, section, sd.PPI, has_elements, scale_int));
}

void AppendDefaultSections(TacSkinData& sd, TColor main_color, TColor label_text) {
  auto append = [&](const char16_t* name, int transparency, TColor color) {
    TsGeneralData g;
    g.ClassName = name;
    g.States = 1;
    for (TsGenState& st : g.Props) {
      st.Transparency = transparency;
      st.Color = color;
      st.FontColor = {label_text, -1, -1, -1, -1};
    }
    sd.gd.push_back(std::move(g));
  };
  if (GetSkinIndex(sd, u"TRANSPARENT") < 0) append(u"TRANSPARENT", 100, 0xFFFFFF);
  if (GetSkinIndex(sd, u"MAINCOLOR") < 0) append(u"MAINCOLOR", 0, main_color);
}

void BuildSectionModel(const TMemIniFile& ini, TacSkinData& sd, TacSkinCommonInfo& info,
                       const TScaleInt& scale_int) {
  sd.ma.clear();
  sd.gd.clear();
  ReadSkinElements(ini, sd);
  ReadSkinSections(ini, sd, scale_int);
  AppendDefaultSections(sd,
                        ini.ReadInteger(u"GLOBALINFO", u"COLOR", DefaultSysColor(COLOR_BTNFACE)),
                        ini.ReadInteger(u"GLOBALINFO", u"FONTCOLOR", 0));
  ResolveStandardSections(sd, info);
}

void ResolveStandardSections(TacSkinData& sd, TacSkinCommonInfo& info) {
  info.IndexGlobalInfo = GetSkinIndex(sd, u"GLOBALINFO");
  for (int s = 0; s < kStandardSectionCount; ++s)
    info.Sections[static_cast<std::size_t>(s)] =
        GetSkinIndex(sd, kStandardSectionNames[static_cast<std::size_t>(s)]);
  for (int s = 0; s < kStandardSectionCount; ++s) {
    const auto slot = static_cast<std::size_t>(s);
    const int fallback = StandardSectionFallback(static_cast<TacSection>(s));
    if (info.Sections[slot] >= 0 || fallback < 0) continue;
    const int source = info.Sections[static_cast<std::size_t>(fallback)];
    TsGeneralData copy;
    if (source >= 0) {
      copy = sd.gd[static_cast<std::size_t>(source)];
    } else {
      // Nothing to stand in: an empty section that paints nothing.
      copy.States = -1;
      for (TsGenState& st : copy.Props) {
        st.GlowSize = st.ImagePercent = st.TextureIndex = st.Transparency = -1;
        st.GradientPercent = -1;
        st.Color = st.GlowColor = -1;
        st.FontColor = {-1, -1, -1, -1, -1};
      }
    }
    copy.ParentClass.clear();
    copy.ClassName = kStandardSectionNames[slot];
    copy.BorderIndex = -1;
    info.Sections[slot] = source;
    sd.gd.push_back(std::move(copy));
  }
}

}  // namespace qv
