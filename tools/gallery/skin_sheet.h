// The gallery's skin mode: every section of a loaded skin painted through
// PaintSection in each of its states, over a chequered parent background
// that shows what a transparent section lets through, labelled by name.
#pragma once

#include <string>

#include "platform/bitmap.h"
#include "skin/control_paint_view.h"

namespace qv::gallery {

// One row a section, one column a state (normal, hot, pressed), under a
// heading of title; sizes and text follow ppi.
TBitmap32 RenderSkinSections(const TSectionSkin& skin, int ppi, ustring_view title);

// The --skin mode: loads the skin (an empty source: the program's own stored
// skin; else a skin folder or a package file) through the program's skin
// manager for ppi and writes the sheet to out. Returns the exit status;
// problems are written to stderr.
int RunSkinGallery(const std::string& source, int ppi, const std::string& out);

}  // namespace qv::gallery
