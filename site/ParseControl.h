// Cutting one field out of a page's markup: the text between a start marker and
// the first end marker after it, with literal, case-sensitive matching.
#pragma once

#include "platform/ustring.h"

namespace qv {

// Never fails. A missing start marker still drops its length minus one leading
// units and a missing end marker leaves the rest whole: callers show whatever
// comes back, so this exact behaviour is part of what a label displays.
ustring ExtractBetween(ustring text, ustring startMarker, ustring endMarker);

}  // namespace qv
