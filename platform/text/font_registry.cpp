// Face resolution over memory fonts, fontconfig and the fallback face, and the
// process-private registration of fonts from memory.
#include "platform/text/font_registry.h"

#include <fontconfig/fontconfig.h>
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <map>
#include <memory>
#include <tuple>

#include "platform/text/text.h"

namespace qv::text {

namespace {

constexpr const char* kFallbackFiles[2][2] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
     "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
     "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"},
};

struct TMemoryFace {
  int Handle = 0;
  ustring FamilyName;  // as the face spells it
  ustring Family;      // lower case
  ustring Alias;       // lower case; empty when none was given
  TFontBytes Bytes;
  int Index = 0;
  bool Bold = false;
  bool Italic = false;
};

// Our own fontconfig configuration, so that adding the Windows font folder
// touches nobody else's view of the system fonts.
class TFontConfig {
 public:
  TFontConfig() : config_(FcInitLoadConfigAndFonts()) {
    if (config_) FcConfigAppFontAddDir(config_, reinterpret_cast<const FcChar8*>(kWindowsFontDir));
  }
  ~TFontConfig() {
    if (config_) FcConfigDestroy(config_);
  }
  TFontConfig(const TFontConfig&) = delete;
  TFontConfig& operator=(const TFontConfig&) = delete;

  TFaceSource Match(const std::string& family, bool bold, bool italic, int charset) const {
    TFaceSource out;
    if (!config_) return out;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    // A Cyrillic request prefers faces that have it when the family is unknown.
    if (charset == RUSSIAN_CHARSET)
      FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ru"));
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return out;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
      out.Path = reinterpret_cast<const char*>(file);
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) out.Index = index;
    }
    FcPatternDestroy(match);
    return out;
  }

 private:
  FcConfig* config_;
};

class TRegistry {
 public:
  TFaceSource Resolve(ustring_view family, bool bold, bool italic, int charset) {
    const ustring lower = LowerCase(family);
    if (auto mem = FromMemory(lower, bold, italic); mem.Valid()) return mem;
    const auto key = std::make_tuple(lower, bold, italic, charset == RUSSIAN_CHARSET);
    if (auto it = resolved_.find(key); it != resolved_.end()) return it->second;
    TFaceSource source;
    if (!family.empty()) source = Config().Match(Utf16ToUtf8(family), bold, italic, charset);
    if (!Inspect(source, bold, italic)) {
      source = Fallback(bold, italic);
    } else if (bold && !source.SynthBold && !family.empty()) {
      TFaceSource regular = Config().Match(Utf16ToUtf8(family), false, italic, charset);
      if (Inspect(regular, false, italic) && regular.Key() != source.Key())
        source.ThinBold =
            StemWidth(source) > 0 && StemWidth(source) * 10 <= StemWidth(regular) * 11;
    }
    resolved_.emplace(key, source);
    return source;
  }

  TFaceSource Fallback(bool bold, bool italic) {
    const auto key = std::make_pair(bold, italic);
    if (auto it = fallback_.find(key); it != fallback_.end()) return it->second;
    TFaceSource source = Config().Match(kFallbackFamily, bold, italic, DEFAULT_CHARSET);
    if (!Inspect(source, bold, italic)) {
      // fontconfig unusable: the files themselves, with synthesis when a style is missing.
      source = {};
      for (int b = bold ? 1 : 0; b >= 0 && !source.Valid(); --b) {
        for (int i = italic ? 1 : 0; i >= 0 && !source.Valid(); --i) {
          TFaceSource candidate;
          candidate.Path = kFallbackFiles[b][i];
          if (Inspect(candidate, bold, italic)) source = candidate;
        }
      }
    }
    fallback_.emplace(key, source);
    return source;
  }

  int Add(std::vector<std::uint8_t> bytes, ustring_view alias) {
    auto shared = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    auto first = TFtFace::OpenMemory(shared, 0);
    if (!first || !FT_IS_SCALABLE(first->Get()) || !first->Get()->family_name) return 0;
    const int handle = ++last_handle_;
    const long count = first->Get()->num_faces;
    for (long i = 0; i < count && i < 64; ++i) {
      auto face = i == 0 ? std::move(first) : TFtFace::OpenMemory(shared, static_cast<int>(i));
      if (!face || !face->Get()->family_name) continue;
      TMemoryFace entry;
      entry.Handle = handle;
      entry.FamilyName = Utf8ToUtf16(face->Get()->family_name);
      entry.Family = LowerCase(entry.FamilyName);
      entry.Alias = LowerCase(alias);
      entry.Bytes = shared;
      entry.Index = static_cast<int>(i);
      entry.Bold = IsBold(face->Get());
      entry.Italic = (face->Get()->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
      memory_.push_back(std::move(entry));
    }
    ++generation_;
    return handle;
  }

  bool Remove(int handle) {
    const auto before = memory_.size();
    std::erase_if(memory_, [&](const TMemoryFace& f) { return f.Handle == handle; });
    if (memory_.size() == before) return false;
    ++generation_;
    return true;
  }

  ustring Family(int handle) const {
    for (const auto& f : memory_)
      if (f.Handle == handle) return f.FamilyName;
    return {};
  }

  unsigned Generation() const { return generation_; }

 private:
  TFaceSource FromMemory(const ustring& lower, bool bold, bool italic) const {
    const TMemoryFace* best = nullptr;
    int best_score = 4;
    for (const auto& f : memory_) {
      if (f.Family != lower && (f.Alias.empty() || f.Alias != lower)) continue;
      const int score = (f.Bold != bold ? 2 : 0) + (f.Italic != italic ? 1 : 0);
      // The latest registration wins among equals.
      if (score <= best_score) best = &f, best_score = score;
    }
    TFaceSource out;
    if (!best) return out;
    out.Bytes = best->Bytes;
    out.Index = best->Index;
    out.SynthBold = bold && !best->Bold;
    out.SynthItalic = italic && !best->Italic;
    return out;
  }

  // Whether the source opens as a scalable face; marks the styles it lacks
  // for synthesis (read from the face itself: fontconfig reports a synthesised
  // style as if the face had it).
  static bool Inspect(TFaceSource& s, bool bold, bool italic) {
    if (!s.Valid()) return false;
    auto face =
        s.Bytes ? TFtFace::OpenMemory(s.Bytes, s.Index) : TFtFace::OpenFile(s.Path, s.Index);
    if (!face || !FT_IS_SCALABLE(face->Get())) return false;
    s.SynthBold = bold && !IsBold(face->Get());
    s.SynthItalic = italic && !(face->Get()->style_flags & FT_STYLE_FLAG_ITALIC);
    return true;
  }

  // Width of the stem of "l" in design units per thousand em; 0 when the
  // face has no "l".
  static long StemWidth(const TFaceSource& s) {
    auto face =
        s.Bytes ? TFtFace::OpenMemory(s.Bytes, s.Index) : TFtFace::OpenFile(s.Path, s.Index);
    if (!face || FT_Select_Charmap(face->Get(), FT_ENCODING_UNICODE) != 0) return 0;
    FT_Face f = face->Get();
    const FT_UInt index = FT_Get_Char_Index(f, 'l');
    if (index == 0 || FT_Load_Glyph(f, index, FT_LOAD_NO_SCALE) != 0 ||
        f->glyph->format != FT_GLYPH_FORMAT_OUTLINE || f->units_per_EM == 0)
      return 0;
    FT_BBox box;
    FT_Outline_Get_CBox(&f->glyph->outline, &box);
    return (box.xMax - box.xMin) * 1000 / f->units_per_EM;
  }

  static bool IsBold(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWeightClass > 0) return os2->usWeightClass >= 600;
    return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  }

  TFontConfig& Config() {
    if (!config_) config_ = std::make_unique<TFontConfig>();
    return *config_;
  }

  std::unique_ptr<TFontConfig> config_;
  std::map<std::tuple<ustring, bool, bool, bool>, TFaceSource> resolved_;
  std::map<std::pair<bool, bool>, TFaceSource> fallback_;
  std::vector<TMemoryFace> memory_;
  int last_handle_ = 0;
  unsigned generation_ = 0;
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

std::string TFaceSource::Key() const {
  if (Bytes)
    return "mem:" + std::to_string(reinterpret_cast<std::uintptr_t>(Bytes.get())) + ":" +
           std::to_string(Index);
  return Path + ":" + std::to_string(Index);
}

TFaceSource ResolveFace(ustring_view family, bool bold, bool italic, int charset) {
  return Registry().Resolve(family, bold, italic, charset);
}

TFaceSource FallbackFace(bool bold, bool italic) { return Registry().Fallback(bold, italic); }

unsigned RegistryGeneration() { return Registry().Generation(); }

}  // namespace qv::text

namespace qv {

int AddFontMemResource(std::vector<std::uint8_t> bytes, ustring_view alias) {
  return text::Registry().Add(std::move(bytes), alias);
}

bool RemoveFontMemResource(int handle) { return text::Registry().Remove(handle); }

ustring FontMemResourceFamily(int handle) { return text::Registry().Family(handle); }

}  // namespace qv
