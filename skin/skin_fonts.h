// The font files a skin brings: registered with the text engine for this
// process while the skin is loaded, under the family names its options give,
// and removed again when the skin goes.
#pragma once

#include <vector>

#include "platform/ustring.h"
#include "skin/options_store.h"

namespace qv {

class TacSkinFiles;
class TacSkinConvertor;

struct TacEmbeddedFont {
  ustring FileName;
  ustring FamilyName;  // "FontName<i>" of the options; empty when none names the file
  int Handle = 0;      // the text engine's registration; 0 when not registered
};

class TacSkinFonts {
 public:
  TacSkinFonts() = default;
  TacSkinFonts(const TacSkinFonts&) = delete;
  TacSkinFonts& operator=(const TacSkinFonts&) = delete;
  ~TacSkinFonts() { Clear(); }

  // Unregisters every font of the previous skin.
  void Clear();
  // A packed skin registers each font entry of its package; a folder skin
  // each file "FontFile<i>" names (0 <= i < "FontCount", only keys present),
  // found like its images. A file that is missing or not a font is kept as an
  // empty item.
  void Load(const TMemIniFile& options, const TacSkinConvertor* package, const TacSkinFiles& files);
  const std::vector<TacEmbeddedFont>& Items() const { return items_; }

 private:
  std::vector<TacEmbeddedFont> items_;
};

}  // namespace qv
