// A contact sheet of the generated pictures for looking at them: each at its
// own size and enlarged four times pixel by pixel, on light grey and on white.
#pragma once

#include <vector>

#include "tools/icongen/icons.h"

namespace qv::icongen {

TBitmap32 ContactSheet(const std::vector<TIconFile>& files);

}  // namespace qv::icongen
