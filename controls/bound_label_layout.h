// Where a bound label (a caption attached to a control, such as "Схема:"
// left of its combo box) sits: the placement table by layout, offset,
// indent and spacing, right-to-left mirroring, docking beside a docked
// control, and the maximum width at the label's density. Pure geometry; the
// bound label applies the result to its label object.
#pragma once

#include "platform/component/control.h"
#include "platform/controls/alignment.h"
#include "platform/geometry.h"

namespace qv {

// Side and corner of the control, in the stored order.
enum TsCaptionLayout : int {
  sclLeft,
  sclTopLeft,
  sclTopCenter,
  sclTopRight,
  sclLeftTop,
  sclBottomLeft,
  sclBottomCenter,
  sclBottomRight,
  sclRight,
  sclRightTop,
  sclLeftLeft,
  sclRightRight,
};

// The text alignment a label gets for its layout.
TAlignment CaptionAlignment(TsCaptionLayout layout);
// The layout seen from the other side, for a right-to-left control; the
// centred layouts stay.
TsCaptionLayout MirroredLayout(TsCaptionLayout layout);

// What the placement needs to know.
struct TBoundLabelInput {
  TsCaptionLayout Layout = sclLeft;
  TRect Control;    // the control's bounds in its parent
  TSize Label;      // the label's size after fitting its text
  int Spacing = 0;  // the skin's spacing metric
  int Offset = 0;   // along the control's edge
  int Indent = 0;   // away from the control
  bool RightToLeft = false;
  TAlign ControlAlign = TAlign::alNone;
  int ControlMarginLeft = 0;
  bool ClientHeightDiffers = false;  // the control's client height is not its height
  int LineHeight = 0;                // the font's line height (sclLeftLeft)
  int CaptionTextHeight = 0;         // the caption's text height (sclRightRight)
};

// Where the label goes and how it aligns there.
struct TBoundLabelPlacement {
  TRect Bounds;
  TAlign Align = TAlign::alNone;  // docked beside a docked control
  TTextLayout VerticalLayout = TTextLayout::tlTop;
  // Set where docking fixes the text alignment; otherwise the layout's own
  // (CaptionAlignment) stands.
  bool AlignmentSet = false;
  TAlignment Alignment = TAlignment::taLeftJustify;
};

TBoundLabelPlacement PlaceBoundLabel(const TBoundLabelInput& in);

// A label auto-sizes (and wraps words) except in sclLeftLeft with a
// maximum width.
bool BoundLabelAutoSize(TsCaptionLayout layout, int max_width);
// The width a label is given before it fits its text: the maximum width,
// 9999 when there is none.
int BoundLabelFitWidth(int max_width);
// A maximum width given at from_ppi, at to_ppi (truncated). A density
// that is not positive leaves it as it is.
int ScaleBoundLabelWidth(int max_width, int from_ppi, int to_ppi);

}  // namespace qv
