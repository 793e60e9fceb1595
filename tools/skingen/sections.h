// The sections of the program's skin in the order of its options text, with
// every key that is not an image element: parents, state counts, the colours
// of each state (authored for the window's hue offset), metrics, fonts and
// the palette keys of "GLOBALINFO".
#pragma once

#include <vector>

#include "platform/ustring.h"

namespace qv::skingen {

struct TKeyLine {
  ustring Key;
  ustring Value;
};

struct TSectionDef {
  ustring Name;
  std::vector<TKeyLine> Keys;
};

// The 71 sections: "GLOBALINFO" first, then "DIVIDER" and "EDIT".
std::vector<TSectionDef> SectionCatalogue();

}  // namespace qv::skingen
