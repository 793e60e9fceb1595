// The standard controls' side of the paint protocol: each control's own
// state in its PaintState, a subclass replacing one paint part and keeping
// the others, parts that light up on their own as hot parts, and image lists
// drawn through their replaceable Draw.
#include <gtest/gtest.h>

#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/edit.h"
#include "platform/controls/flat_look.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/trackbar.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

constexpr TColor kMagenta = RGB(255, 0, 255);

class PaintProtocolTest : public test::ControlsTest {};

TEST_F(PaintProtocolTest, EachControlReportsItsOwnStateInOneRecord) {
  auto* button = Make<TButton>(form.get(), Bounds(10, 10, 75, 25));
  button->SetDefault(true);
  auto* check = Make<TCheckBox>(form.get(), Bounds(10, 40, 100, 17));
  check->SetAllowGrayed(true);
  auto* combo = Make<TComboBox>(form.get(), Bounds(10, 70, 120, 21));
  combo->Items().Assign({u"a", u"b"});
  auto* edit = Make<TEdit>(form.get(), Bounds(10, 100, 120, 21));
  auto* track = Make<TTrackBar>(form.get(), Bounds(10, 130, 150, 33));
  Show();

  EXPECT_TRUE(button->PaintState().Default);
  button->SetFocus();
  headless->KeyDown(VK_SPACE);
  EXPECT_TRUE(button->PaintState().Pressed);
  EXPECT_TRUE(button->PaintState().Focused);
  headless->KeyUp(VK_SPACE);
  EXPECT_FALSE(button->PaintState().Pressed);

  EXPECT_EQ(check->PaintState().Checked, 0);
  check->Toggle();
  EXPECT_EQ(check->PaintState().Checked, 1);
  check->Toggle();
  EXPECT_EQ(check->PaintState().Checked, 2);

  combo->SetFocus();
  Key(VK_F4);
  EXPECT_TRUE(combo->PaintState().DroppedDown);
  EXPECT_TRUE(combo->PaintState().Pressed);
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->PaintState().DroppedDown);

  EXPECT_FALSE(edit->PaintState().ReadOnly);
  edit->SetReadOnly(true);
  EXPECT_TRUE(edit->PaintState().ReadOnly);

  const TRect thumb = track->ThumbRect();
  const TPoint on_thumb{(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2};
  Press(track, on_thumb);
  EXPECT_TRUE(track->PaintState().Pressed);
  Release(track, on_thumb);
  EXPECT_FALSE(track->PaintState().Pressed);
  track->SetEnabled(false);
  EXPECT_FALSE(track->PaintState().Enabled);
}

// A button and a check box whose faces another look paints.
class TMagentaButton : public TButton {
 public:
  using TButton::TButton;

 protected:
  void PaintFace(TCanvas& c, const TPaintState&) override { c.FillRect(ClientRect(), kMagenta); }
};

class TMagentaCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;

 protected:
  void PaintFace(TCanvas& c, const TPaintState&) override { c.FillRect(ClientRect(), kMagenta); }
};

TEST_F(PaintProtocolTest, ASubclassReplacesTheFaceAndKeepsContentAndFocus) {
  auto* button = Make<TMagentaButton>(form.get(), Bounds(10, 10, 75, 25));
  button->SetCaption(u"WWWW");
  auto* check = Make<TMagentaCheckBox>(form.get(), Bounds(10, 50, 100, 17));
  check->SetCaption(u"Box");
  Show();
  const TFlatPalette p = FlatPalette();
  EXPECT_EQ(PixelAt(button, {1, 1}), kMagenta) << "the replaced face";
  int text_pixels = 0;
  for (int x = 20; x < 55; ++x)
    if (PixelAt(button, {x, 12}) != kMagenta) ++text_pixels;
  EXPECT_GT(text_pixels, 0) << "the caption is still drawn";
  button->SetFocus();
  EXPECT_EQ(PixelAt(button, {3, 3}), p.Accent) << "and the focus frame";

  EXPECT_EQ(PixelAt(check, {60, 1}), kMagenta);
  const TRect box = check->BoxRect();
  EXPECT_EQ(PixelAt(check, {box.Left, box.Top}), p.Border) << "the box is content";
}

TEST_F(PaintProtocolTest, PartsThatLightUpOnTheirOwnAreHotParts) {
  auto* combo = Make<TComboBox>(form.get(), Bounds(10, 10, 120, 21));
  auto* pc = Make<TPageControl>(form.get(), Bounds(10, 50, 300, 100));
  for (const char16_t* name : {u"One", u"Two", u"Three"}) {
    auto* sheet = new TTabSheet(form.get());
    sheet->SetPageControl(pc);
    sheet->SetCaption(name);
  }
  Show();
  const TRect b = combo->ButtonRect();
  MoveTo(combo, {b.Left + 2, 10});
  EXPECT_TRUE(combo->ButtonHot());
  EXPECT_EQ(combo->HotPart(), TCustomComboBox::kButtonPart);
  MoveTo(combo, {5, 10});
  EXPECT_FALSE(combo->ButtonHot());
  EXPECT_TRUE(combo->MouseInControl());

  const TRect second = pc->TabRect(1);
  MoveTo(pc, {second.Left + 3, second.Top + 3});
  EXPECT_EQ(pc->HotTab(), 1);
  const TFlatPalette p = FlatPalette();
  EXPECT_EQ(PixelAt(pc, {second.Left + 2, second.Bottom - 2}), p.FaceHot);
  // The hot tab's page goes: no tab is hot any more.
  delete pc->Pages(2);
  delete pc->Pages(1);
  EXPECT_EQ(pc->HotTab(), -1);
  MoveTo(form.get(), {390, 290});
  EXPECT_EQ(pc->HotTab(), -1);
}

// An image list that draws its own way and counts the calls.
class TCountingList : public TImageList {
 public:
  using TImageList::TImageList;
  mutable int draws = 0;
  void Draw(TCanvas& c, int x, int y, int index, bool enabled) const override {
    ++draws;
    TImageList::Draw(c, x, y, index, enabled);
  }
};

TEST_F(PaintProtocolTest, ControlsDrawImagesThroughTheListsOwnDraw) {
  TCountingList list(form.get());
  TBitmap32 image(16, 16);
  image.Fill({0, 0, 255, 255});
  list.Add(image);
  auto* button = Make<TBitBtn>(form.get(), Bounds(10, 10, 100, 25));
  button->SetImages(&list);
  button->SetImageIndex(0);
  auto* pc = Make<TPageControl>(form.get(), Bounds(10, 50, 300, 100));
  pc->SetImages(&list);
  auto* sheet = new TTabSheet(form.get());
  sheet->SetPageControl(pc);
  sheet->SetImageIndex(0);
  Show();
  EXPECT_GE(list.draws, 2);
}

}  // namespace
}  // namespace qv
