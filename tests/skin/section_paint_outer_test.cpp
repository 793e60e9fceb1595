// Outer effects: which children the parent asks, and what a child draws -
// the skin-wide shadow or its section's own element, element 0 included,
// offsets the skin leaves out, and the picture kept of the parent beneath.
#include "skin/section_paint_outer.h"

#include <gtest/gtest.h>

#include <random>

#include "paint/outer_mask.h"
#include "skin/mask_elements.h"
#include "tests/paint/paint_test_util.h"
#include "tests/skin/section_paint_test_skin.h"

namespace qv {
namespace {

TEST(OuterEffects, ParentAsksOnlyChildrenThatCanPaint) {
  std::vector<int> asked;
  std::vector<TOuterEffectsChild> children(7);
  for (std::size_t i = 0; i < children.size(); ++i) {
    TOuterEffectsChild& c = children[i];
    c.Visible = c.HasParent = true;
    c.Paint = [&asked, i](TBitmap32&, TPoint offset) {
      EXPECT_EQ(offset, (TPoint{3, 4}));
      asked.push_back(static_cast<int>(i));
    };
  }
  children[1].Visible = false;
  children[2].HasParent = false;
  children[3].Windowed = true;  // no window yet
  children[4].Windowed = children[4].HasWindow = true;
  children[5].Creating = true;
  children[6].Reading = true;
  TBitmap32 cache(10, 10);
  PaintOuterEffects(true, true, cache, {3, 4}, children);
  EXPECT_EQ(asked, (std::vector<int>{0, 4}));
  asked.clear();
  PaintOuterEffects(false, true, cache, {3, 4}, children);
  PaintOuterEffects(true, false, cache, {3, 4}, children);
  EXPECT_TRUE(asked.empty());
}

class ChildOuterEffect : public ::testing::Test {
 protected:
  ChildOuterEffect() {
    ts.PaintMaster(Rect(0, 0, 12, 24),
                   [this](int, int) { return test::RandomBitmap(rng, 1, 1).Pixel(0, 0); });
    shadow = ts.AddElement(Rect(0, 0, 12, 24), 1, 1, 1, 4);  // element 0
    child.Skin = ts.Skin();
    child.SkinIndex = ts.AddSection();
    child.OuterEffects = true;
    ts.Section(child.SkinIndex).OuterMode = 2;
    TacOutEffData& oe = ts.data.oe[1];
    oe.Source = 2;
    oe.Mask = shadow;
    oe.OffsetL = 3;
    oe.OffsetT = 2;
    oe.OffsetR = 3;
    oe.OffsetB = 5;
    oe.Opacity = 60;
  }

  std::mt19937 rng{21};
  test::TTestSkin ts;
  int shadow = -1;
  TControlPaintView child;
  const TBitmap32 start = test::RandomBitmap(rng, 60, 50);
  const TRect bounds = Rect(10, 8, 40, 30);
  const TPoint offset{4, 2};
};

// The skin-wide shadow (element 0) around the bounds grown by its offsets.
TEST_F(ChildOuterEffect, SkinWideShadowAroundTheGrownBounds) {
  TBitmap32 cache = start, outer;
  PaintChildOuterEffect(child, bounds, cache, offset, outer);
  const TRect grown = Rect(14 - 3, 10 - 2, 44 + 3, 32 + 5);
  ASSERT_EQ(outer.Width(), grown.Width());
  ASSERT_EQ(outer.Height(), grown.Height());
  for (int y = 0; y < outer.Height(); ++y)
    for (int x = 0; x < outer.Width(); ++x)
      ASSERT_EQ(outer.Pixel(x, y), start.Pixel(grown.Left + x, grown.Top + y));
  TBitmap32 want = start;
  DrawOuterMask(want, grown, {}, 60, Rect(3, 2, 3, 5), 0,
                MaskElementOf(ts.data.ma[static_cast<std::size_t>(shadow)], &ts.master));
  EXPECT_EQ(test::Diff(cache, want), "");
  EXPECT_NE(test::Diff(cache, start), "");
}

TEST_F(ChildOuterEffect, NothingWithoutAnEffectToShow) {
  auto untouched = [&] {
    TBitmap32 cache = start, outer;
    PaintChildOuterEffect(child, bounds, cache, offset, outer);
    return test::Diff(cache, start) == "" && outer.Empty();
  };
  ts.data.oe[1].Source = 0;  // the skin makes no shadow
  EXPECT_TRUE(untouched());
  ts.data.oe[1].Source = 2;
  ts.data.oe[1].Mask = -1;
  EXPECT_TRUE(untouched());
  ts.data.oe[1].Mask = shadow;
  ts.Section(child.SkinIndex).OuterMode = 0;
  EXPECT_TRUE(untouched());
  ts.Section(child.SkinIndex).OuterMode = 2;
  child.OuterEffects = false;
  EXPECT_TRUE(untouched());
  child.OuterEffects = true;
  child.SkinIndex = 99;
  EXPECT_TRUE(untouched());
}

// A section's own element, with offsets the skin left out (-1) taken as none.
TEST_F(ChildOuterEffect, SectionsOwnElementAndMissingOffsets) {
  TsGeneralData& g = ts.Section(child.SkinIndex);
  g.OuterMode = 3;
  g.OuterMask = shadow;
  g.OuterOffset = Rect(-1, 2, -1, -1);
  g.OuterOpacity = 255;
  TBitmap32 cache = start, outer;
  PaintChildOuterEffect(child, bounds, cache, offset, outer);
  EXPECT_EQ(outer.Width(), bounds.Width());
  EXPECT_EQ(outer.Height(), bounds.Height() + 2);
  TBitmap32 want = start;
  DrawOuterMask(want, Rect(14, 8, 44, 32), {}, 255, Rect(0, 2, 0, 0), 0,
                MaskElementOf(ts.data.ma[static_cast<std::size_t>(shadow)], &ts.master));
  EXPECT_EQ(test::Diff(cache, want), "");
}

}  // namespace
}  // namespace qv
