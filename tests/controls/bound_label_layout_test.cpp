// The bound label's placement beside its control, mirroring, docking and
// the maximum width across densities.
#include "controls/bound_label_layout.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BoundLabelLayout, SchemeCaptionEndsSpacingLeftOfItsComboBoxCentred) {
  TBoundLabelInput in;
  in.Control = Bounds(80, 24, 142, 21);
  in.Label = {35, 13};
  in.Spacing = 4;
  const TBoundLabelPlacement p = PlaceBoundLabel(in);
  EXPECT_EQ(p.Bounds, Bounds(41, 28, 35, 13));
  EXPECT_EQ(p.Bounds.Right, 80 - in.Spacing);
  EXPECT_EQ(p.Align, TAlign::alNone);
  EXPECT_EQ(p.VerticalLayout, TTextLayout::tlTop);
  EXPECT_EQ(CaptionAlignment(sclLeft), TAlignment::taRightJustify);
  // It follows the control.
  in.Control = Bounds(95, 30, 100, 21);
  EXPECT_EQ(PlaceBoundLabel(in).Bounds, Bounds(56, 34, 35, 13));
}

TEST(BoundLabelLayout, EveryLayoutOfTheTable) {
  TBoundLabelInput in;
  in.Control = Bounds(100, 50, 100, 30);
  in.Label = {40, 13};
  in.Spacing = 4;
  in.Indent = 2;
  in.Offset = 3;
  in.LineHeight = 14;
  in.CaptionTextHeight = 12;
  const struct {
    TsCaptionLayout layout;
    TRect bounds;
    TAlignment alignment;
  } cases[] = {
      {sclLeft, Bounds(54, 61, 40, 13), TAlignment::taRightJustify},
      {sclTopLeft, Bounds(103, 35, 40, 13), TAlignment::taLeftJustify},
      {sclTopCenter, Bounds(133, 35, 40, 13), TAlignment::taCenter},
      {sclTopRight, Bounds(163, 35, 40, 13), TAlignment::taRightJustify},
      {sclLeftTop, Bounds(54, 56, 40, 13), TAlignment::taLeftJustify},
      {sclBottomLeft, Bounds(103, 82, 40, 13), TAlignment::taLeftJustify},
      {sclBottomCenter, Bounds(133, 82, 40, 13), TAlignment::taCenter},
      {sclBottomRight, Bounds(163, 82, 40, 13), TAlignment::taRightJustify},
      {sclRight, Bounds(206, 60, 40, 13), TAlignment::taLeftJustify},
      {sclRightTop, Bounds(206, 56, 40, 13), TAlignment::taLeftJustify},
      // The indent moves these two toward the control; kept as designed.
      {sclLeftLeft, Bounds(58, 60, 40, 14), TAlignment::taLeftJustify},
      {sclRightRight, Bounds(202, 61, 40, 12), TAlignment::taRightJustify},
  };
  for (const auto& c : cases) {
    in.Layout = c.layout;
    const TBoundLabelPlacement p = PlaceBoundLabel(in);
    EXPECT_EQ(p.Bounds, c.bounds) << c.layout;
    EXPECT_EQ(CaptionAlignment(c.layout), c.alignment) << c.layout;
    EXPECT_EQ(p.VerticalLayout,
              c.layout == sclLeftLeft ? TTextLayout::tlCenter : TTextLayout::tlTop);
  }
  // Halves truncate toward zero: a label taller than its control.
  in.Layout = sclLeft;
  in.Control = Bounds(100, 50, 100, 8);
  EXPECT_EQ(PlaceBoundLabel(in).Bounds.Top, 50 - 2 + 3);
  in.ClientHeightDiffers = true;
  EXPECT_EQ(PlaceBoundLabel(in).Bounds.Top, 50 - 2 + 3 - 1);
}

TEST(BoundLabelLayout, RightToLeftMirrorsTheSide) {
  TBoundLabelInput in;
  in.Control = Bounds(100, 50, 100, 30);
  in.Label = {40, 13};
  in.Spacing = 4;
  in.LineHeight = 14;
  in.RightToLeft = true;
  in.Layout = sclRightRight;
  TBoundLabelInput as_left = in;
  as_left.RightToLeft = false;
  as_left.Layout = sclLeftLeft;
  EXPECT_EQ(PlaceBoundLabel(in).Bounds, PlaceBoundLabel(as_left).Bounds);
  in.Layout = sclLeft;
  EXPECT_EQ(PlaceBoundLabel(in).Bounds.Left, 204);
  in.Layout = sclTopCenter;
  EXPECT_EQ(PlaceBoundLabel(in).Bounds.Left, 130);
  for (int l = sclLeft; l <= sclRightRight; ++l) {
    const auto layout = static_cast<TsCaptionLayout>(l);
    EXPECT_EQ(MirroredLayout(MirroredLayout(layout)), layout);
  }
}

TEST(BoundLabelLayout, DockedControlsDockTheirLabel) {
  TBoundLabelInput in;
  in.Control = Bounds(100, 50, 100, 30);
  in.Label = {40, 13};
  in.Spacing = 4;
  in.Indent = 2;
  in.ControlAlign = TAlign::alLeft;
  in.ControlMarginLeft = 3;
  TBoundLabelPlacement p = PlaceBoundLabel(in);
  EXPECT_EQ(p.Align, TAlign::alLeft);
  EXPECT_EQ(p.VerticalLayout, TTextLayout::tlCenter);
  EXPECT_EQ(p.Bounds.Left, 100 - 40 - 3);
  EXPECT_FALSE(p.AlignmentSet);

  in.Layout = sclLeftLeft;
  p = PlaceBoundLabel(in);
  EXPECT_EQ(p.Align, TAlign::alLeft);
  EXPECT_TRUE(p.AlignmentSet);
  EXPECT_EQ(p.Alignment, TAlignment::taLeftJustify);

  in.Layout = sclRightRight;
  EXPECT_EQ(PlaceBoundLabel(in).Align, TAlign::alNone);
  in.ControlAlign = TAlign::alRight;
  p = PlaceBoundLabel(in);
  EXPECT_EQ(p.Align, TAlign::alRight);
  EXPECT_EQ(p.Alignment, TAlignment::taRightJustify);
}

TEST(BoundLabelLayout, WidthRulesAndDensity) {
  EXPECT_FALSE(BoundLabelAutoSize(sclLeftLeft, 100));
  EXPECT_TRUE(BoundLabelAutoSize(sclLeftLeft, 0));
  EXPECT_TRUE(BoundLabelAutoSize(sclLeft, 100));
  EXPECT_EQ(BoundLabelFitWidth(0), 9999);
  EXPECT_EQ(BoundLabelFitWidth(120), 120);
  EXPECT_EQ(ScaleBoundLabelWidth(100, 96, 144), 150);
  EXPECT_EQ(ScaleBoundLabelWidth(101, 96, 120), 126);
  EXPECT_EQ(ScaleBoundLabelWidth(150, 144, 96), 100);
  EXPECT_EQ(ScaleBoundLabelWidth(100, 0, 96), 100);
  EXPECT_EQ(ScaleBoundLabelWidth(2000000000, 96, 192), 2147483647);
}

}  // namespace
}  // namespace qv
