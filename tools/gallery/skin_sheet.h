// The gallery's skin mode: every section of a skin painted through
// PaintSection in each of its states, over a chequered parent background
// that shows what a transparent section lets through, labelled by name.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "skin/control_paint_view.h"

namespace qv::gallery {

// One row a section, one column a state (normal, hot, pressed); sizes and
// text follow ppi.
TBitmap32 RenderSkinSections(const TSectionSkin& skin, int ppi);

// The --skin mode: reads the skin folder (an empty path: the program's own
// skin) for ppi and writes the sheet to out. Returns the exit status;
// problems are written to stderr.
int RunSkinGallery(const std::string& folder, int ppi, const std::string& out);

}  // namespace qv::gallery
