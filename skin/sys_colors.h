// The skin-aware colour lookup: system colours and the skin's named colour
// codes read as colours of the active skin's palette and sections.
#pragma once

#include "platform/color.h"
#include "skin/skin_types.h"

namespace qv {

class TacSkinData;

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

}  // namespace qv
