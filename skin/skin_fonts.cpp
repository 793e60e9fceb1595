// Registering and unregistering the fonts of a skin.
#include "skin/skin_fonts.h"

#include <algorithm>

#include "platform/text/text.h"
#include "skin/skin_images.h"

namespace qv {

namespace {

constexpr char16_t kGlobal[] = u"GLOBALINFO";

ustring Numbered(const char16_t* key, int i) { return ustring(key) + IntToStr(i); }

// How many "FontFile<i>" keys a skin can mean: never more than it has keys.
int FontCount(const TMemIniFile& options) {
  const int declared = options.ReadInteger(kGlobal, u"FontCount", 0);
  const int present = static_cast<int>(options.SectionValues(kGlobal).size());
  return std::clamp(declared, 0, present);
}

}  // namespace

void TacSkinFonts::Clear() {
  for (const TacEmbeddedFont& f : items_)
    if (f.Handle != 0) RemoveFontMemResource(f.Handle);
  items_.clear();
}

void TacSkinFonts::Load(const TMemIniFile& options, const TacSkinConvertor* package,
                        const TacSkinFiles& files) {
  Clear();
  const int count = FontCount(options);
  if (package) {
    for (const TacFileItem& file : package->Files) {
      if (file.FileType != ftFont) continue;
      TacEmbeddedFont f;
      f.FileName = file.Name;
      for (int i = 0; i < count; ++i)
        if (options.ReadString(kGlobal, Numbered(u"FontFile", i), u"") == file.Name) {
          f.FamilyName = options.ReadString(kGlobal, Numbered(u"FontName", i), u"");
          break;
        }
      f.Handle = AddFontMemResource(file.Stream, f.FamilyName);
      items_.push_back(std::move(f));
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    const ustring* name = options.FindValue(kGlobal, Numbered(u"FontFile", i));
    if (name == nullptr) continue;
    TacEmbeddedFont f;
    f.FileName = *name;
    f.FamilyName = options.ReadString(kGlobal, Numbered(u"FontName", i), u"");
    if (auto bytes = files.Read(*name))
      f.Handle = AddFontMemResource(TBytes(bytes->Bytes.begin(), bytes->Bytes.end()), f.FamilyName);
    items_.push_back(std::move(f));
  }
}

}  // namespace qv
