// The palette of a skin: 59 colours derived from "GLOBALINFO" and from the
// sections "EDIT", "SELECTION", "MENUITEM" and "HINT", with the platform's
// classic colours where the skin says nothing.
#pragma once

#include "skin/options_store.h"
#include "skin/skin_data.h"

namespace qv {

// Every entry from the options and the sections of sd, as loaded (before any
// colour setting is applied). A button colour that is not a number raises
// ESkinConvertError.
TacPaletteArray BuildPalette(const TMemIniFile& ini, const TacSkinData& sd);

}  // namespace qv
