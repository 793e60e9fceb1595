// Horizontal and vertical placement of text and content inside controls,
// and the drawing flags they stand for.
#pragma once

#include "platform/canvas.h"

namespace qv {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

constexpr unsigned AlignmentFlags(TAlignment a) {
  return a == TAlignment::taCenter         ? DT_CENTER
         : a == TAlignment::taRightJustify ? DT_RIGHT
                                           : DT_LEFT;
}

}  // namespace qv
