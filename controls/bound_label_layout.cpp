// The bound label's placement table and its width rules.
#include "controls/bound_label_layout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qv {

TAlignment CaptionAlignment(TsCaptionLayout layout) {
  switch (layout) {
    case sclLeft:
    case sclTopRight:
    case sclBottomRight:
    case sclRightRight:
      return TAlignment::taRightJustify;
    case sclTopCenter:
    case sclBottomCenter:
      return TAlignment::taCenter;
    default:
      return TAlignment::taLeftJustify;
  }
}

TsCaptionLayout MirroredLayout(TsCaptionLayout layout) {
  switch (layout) {
    case sclLeft:
      return sclRight;
    case sclRight:
      return sclLeft;
    case sclTopLeft:
      return sclTopRight;
    case sclTopRight:
      return sclTopLeft;
    case sclLeftTop:
      return sclRightTop;
    case sclRightTop:
      return sclLeftTop;
    case sclBottomLeft:
      return sclBottomRight;
    case sclBottomRight:
      return sclBottomLeft;
    case sclLeftLeft:
      return sclRightRight;
    case sclRightRight:
      return sclLeftLeft;
    default:
      return layout;
  }
}

TBoundLabelPlacement PlaceBoundLabel(const TBoundLabelInput& in) {
  const TRect& c = in.Control;
  const int s = in.Spacing;
  const int i = in.Indent;
  const int o = in.Offset;
  const int w = in.Label.cx;
  int h = in.Label.cy;
  const TsCaptionLayout layout = in.RightToLeft ? MirroredLayout(in.Layout) : in.Layout;

  TBoundLabelPlacement p;
  int left = 0;
  int top = 0;
  switch (layout) {
    case sclLeft:
      if (in.ControlAlign == TAlign::alLeft) {
        p.Align = TAlign::alLeft;
        p.VerticalLayout = TTextLayout::tlCenter;
        left = c.Left - w - in.ControlMarginLeft;
      } else {
        left = c.Left - w - s - i;
      }
      top = c.Top + (c.Height() - h) / 2 + o - (in.ClientHeightDiffers ? 1 : 0);
      break;
    case sclTopLeft:
      left = c.Left + o;
      top = c.Top - h - i;
      break;
    case sclTopCenter:
      left = c.Left + (c.Width() - w) / 2 + o;
      top = c.Top - h - i;
      break;
    case sclTopRight:
      left = c.Left + c.Width() - w + o;
      top = c.Top - h - i;
      break;
    case sclLeftTop:
      left = c.Left - w - s - i;
      top = c.Top + o + 3;
      break;
    case sclBottomLeft:
      left = c.Left + o;
      top = c.Top + c.Height() + i;
      break;
    case sclBottomCenter:
      left = c.Left + (c.Width() - w) / 2 + o;
      top = c.Top + c.Height() + i;
      break;
    case sclBottomRight:
      left = c.Left + c.Width() - w + o;
      top = c.Top + c.Height() + i;
      break;
    case sclRight:
      left = c.Left + c.Width() + s + i;
      top = c.Top + (c.Height() - h) / 2 - 1 + o;
      break;
    case sclRightTop:
      left = c.Left + c.Width() + s + i;
      top = c.Top + o + 3;
      break;
    case sclLeftLeft:
      // One text line high, centred in it; the indent is added here.
      h = in.LineHeight;
      p.VerticalLayout = TTextLayout::tlCenter;
      if (in.ControlAlign == TAlign::alLeft) {
        p.Align = TAlign::alLeft;
        p.AlignmentSet = true;
        p.Alignment = TAlignment::taLeftJustify;
      }
      left = c.Left - w - s + i;
      top = c.Top + (c.Height() - h) / 2 - 1 + o;
      break;
    case sclRightRight:
      // As high as the caption's text; the indent is subtracted here.
      h = in.CaptionTextHeight;
      if (in.ControlAlign == TAlign::alRight) {
        p.Align = TAlign::alRight;
        p.AlignmentSet = true;
        p.Alignment = TAlignment::taRightJustify;
      }
      left = c.Left + c.Width() + s - i;
      top = c.Top + (c.Height() - h) / 2 - 1 + o;
      break;
  }
  p.Bounds = Bounds(left, top, w, h);
  return p;
}

bool BoundLabelAutoSize(TsCaptionLayout layout, int max_width) {
  return !(layout == sclLeftLeft && max_width != 0);
}

int BoundLabelFitWidth(int max_width) { return max_width != 0 ? max_width : 9999; }

int ScaleBoundLabelWidth(int max_width, int from_ppi, int to_ppi) {
  if (from_ppi <= 0 || to_ppi <= 0 || from_ppi == to_ppi) return max_width;
  const std::int64_t scaled = static_cast<std::int64_t>(max_width) * to_ppi / from_ppi;
  return static_cast<int>(std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace qv
