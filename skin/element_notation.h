// Image elements in the options text. Every notation ("!", "&", "@", "^", "~"
// and bare ".JPG"/".BMP" file names) is first turned into one canonical
// fixed-position text, which is then read into the element's fields:
//
//   &LLLLTTTTRRRRBBBBwlwlwtwtwrwrwbwbNMKDD000000file
//
// rectangle and margins four digits each, N frames, M mask type, K image kind,
// DD draw mode, six unread digits, then the image file name (none: the
// element is cut from the master bitmap).
#pragma once

#include <stdexcept>

#include "platform/ustring.h"
#include "skin/skin_types.h"

namespace qv {

// A field of an element value that is not a number; it aborts the load.
class ESkinConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True when the (upper-cased) value describes an image element.
bool IsElementValue(ustring_view upper_value);

// The canonical text of an upper-cased element value.
ustring CanonicalElementText(ustring_view upper_value);

// The fields of an element as the canonical text gives them.
struct TacElementFields {
  TRect R;
  std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  TacImgType ImgType = itisaBorder;
  std::int16_t DrawMode = 0;
  ustring FileName;
  // The text gave no frame count (0): the margins that are not positive are
  // derived from the frame size once it is known.
  bool NoFrameCount = false;
};

// Reads canonical text; ESkinConvertError on a field that is not a number. An
// image count below 1 is read as 1 (and NoFrameCount set), since every frame
// width divides by it.
TacElementFields ParseCanonicalElement(ustring_view canonical);

// The fields into the element (rectangle, margins, frames, mask, kind, mode).
void ApplyElementFields(const TacElementFields& f, TsMaskData& md);

// Both steps, filling the element's geometry fields.
void ReadElementValue(ustring_view upper_value, TsMaskData& md, ustring* file_name);

}  // namespace qv
