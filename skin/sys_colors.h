// The skin-aware colour lookup: system colours and the skin's named colour
// codes read as colours of the active skin's palette and sections.
#pragma once

#include <cstddef>

#include "platform/color.h"
#include "skin/skin_types.h"

namespace qv {

class TacSkinData;
class TsSkinManager;

// What the lookup reads of an active skin. The sections may be absent.
struct TSkinColorSource {
  const TacPaletteArray* Palette = nullptr;
  const TsGeneralData* FormTitle = nullptr;  // "FORMTITLE"
  const TsGeneralData* Hint = nullptr;       // "HINT"
};

// The source for one loaded skin; the pointers refer into the arguments.
TSkinColorSource SkinColorSourceOf(const TacSkinData& sd, const TacSkinCommonInfo& ci,
                                   const TacPaletteArray& palette);

// Plain colours pass unchanged. With a skin (skin not null), system colours
// and named codes take the skin's colours, anything else negative the
// platform's conversion. Without one, a named code reads as its low 24 bits
// and a system colour as the platform's colour.
TColor SkinColorToRGB(TColor x, const TSkinColorSource* skin);
inline TColor SkinColorToRGB(TColor x, std::nullptr_t) {
  return SkinColorToRGB(x, static_cast<const TSkinColorSource*>(nullptr));
}

// The same through a manager (null: the default manager): its skin counts
// while it is active or changing skins.
TColor SkinColorToRGB(TColor x, const TsSkinManager* manager);
inline TColor SkinColorToRGB(TColor x) {
  return SkinColorToRGB(x, static_cast<const TsSkinManager*>(nullptr));
}

}  // namespace qv
