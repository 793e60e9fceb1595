// Push buttons on the headless window system: the press-and-release click
// rule, keyboard presses, the default and cancel buttons, the pressed look
// only while the pointer is over the button, and the glyph layout.
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/flat_look.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

class ButtonTest : public ControlsTest {
 protected:
  TBitBtn* MakeButton(TRect r, const char* name) {
    auto* b = Make<TBitBtn>(form.get(), r);
    b->SetCaption(u"Go");
    b->OnClick = [this, name](TObject*) { events.push_back(name); };
    return b;
  }
};

TEST_F(ButtonTest, ClickNeedsPressAndReleaseOverTheButton) {
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "click");
  Show();
  Click(b, {20, 10});
  EXPECT_EQ(events, (std::vector<std::string>{"click"}));

  // Press, leave, release outside: no click, and the pressed look goes away
  // while the pointer is outside, coming back when it returns.
  events.clear();
  Press(b, {20, 10});
  EXPECT_TRUE(b->Pushed());
  EXPECT_TRUE(b->MouseCapture());
  MoveTo(b, {200, 100});
  EXPECT_FALSE(b->Pushed());
  EXPECT_TRUE(b->MouseDownOnIt());
  MoveTo(b, {30, 12});
  EXPECT_TRUE(b->Pushed());
  MoveTo(b, {-40, 12});
  Release(b, {-40, 12});
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(b->Pushed());
  EXPECT_FALSE(b->MouseCapture());

  // Pressed outside, released over it: still no click.
  headless->MouseDown(At(b, {-40, 12}));
  Release(b, {20, 10});
  EXPECT_TRUE(events.empty());
}

TEST_F(ButtonTest, PressedFaceShowsOnScreenOnlyWhileHeldOver) {
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "click");
  b->SetCaption(u"");
  Show();
  const TFlatPalette p = FlatPalette();
  EXPECT_EQ(PixelAt(b, {5, 5}), p.Face);
  MoveTo(b, {5, 5});
  EXPECT_TRUE(b->MouseInControl());
  EXPECT_EQ(PixelAt(b, {5, 5}), p.FaceHot);
  Press(b, {5, 5});
  EXPECT_EQ(PixelAt(b, {5, 5}), p.FacePressed);
  MoveTo(b, {150, 150});
  EXPECT_NE(PixelAt(b, {5, 5}), p.FacePressed);
  Release(b, {150, 150});
  MoveTo(b, {160, 160});
  EXPECT_FALSE(b->MouseInControl());
}

TEST_F(ButtonTest, SpaceAndEnterPressTheFocusedButton) {
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "b");
  Show();
  b->SetFocus();
  headless->KeyDown(VK_SPACE);
  EXPECT_TRUE(b->Pushed());
  EXPECT_TRUE(events.empty());  // a click on release, not on press
  headless->KeyUp(VK_SPACE);
  EXPECT_FALSE(b->Pushed());
  Key(VK_RETURN);
  EXPECT_EQ(events, (std::vector<std::string>{"b", "b"}));
}

TEST_F(ButtonTest, DefaultAnswersEnterUnlessAnotherButtonHasTheFocus) {
  TBitBtn* ok = MakeButton(Bounds(10, 10, 75, 25), "ok");
  ok->SetDefault(true);
  TBitBtn* other = MakeButton(Bounds(100, 10, 75, 25), "other");
  TBitBtn* cancel = MakeButton(Bounds(190, 10, 75, 25), "cancel");
  cancel->SetCancel(true);
  auto* box = Make<TCheckBox>(form.get(), Bounds(10, 60, 100, 17));
  Show();
  box->SetFocus();
  EXPECT_TRUE(ok->Active());
  Key(VK_RETURN);
  EXPECT_EQ(events, (std::vector<std::string>{"ok"}));
  other->SetFocus();
  EXPECT_FALSE(ok->Active());
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(events, (std::vector<std::string>{"ok", "other", "cancel"}));
  EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
}

TEST_F(ButtonTest, DisabledButtonIgnoresMouseAndKeys) {
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "b");
  b->SetDefault(true);
  Show();
  b->SetEnabled(false);
  Click(b, {20, 10});
  Key(VK_RETURN);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(b->PaintState().Enabled);
}

TEST_F(ButtonTest, GlyphAndCaptionFormOneCentredBlockThatMovesWhenPressed) {
  TImageList images(nullptr);
  TBitmap32 red(16, 16);
  red.Fill({0, 0, 255, 255});
  images.Add(red);
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "b");
  b->SetImages(&images);
  b->SetImageIndex(0);
  const auto up = b->CalcLayout(false);
  EXPECT_EQ(up.GlyphPos.Y, (25 - 16 + 1) / 2);
  const int block = 16 + 4 + up.CaptionRect.Width();
  EXPECT_EQ(up.GlyphPos.X, (75 - block + 1) / 2);
  EXPECT_EQ(up.CaptionRect.Left, up.GlyphPos.X + 16 + 4);
  const auto down = b->CalcLayout(true);
  EXPECT_EQ(down.GlyphPos.X, up.GlyphPos.X + 1);
  EXPECT_EQ(down.GlyphPos.Y, up.GlyphPos.Y + 1);

  // A glyph alone has no spacing and sits in the middle.
  b->SetCaption(u"");
  const auto alone = b->CalcLayout(false);
  EXPECT_EQ(alone.GlyphPos.X, (75 - 16 + 1) / 2);

  // On screen: the glyph's middle is red.
  Show();
  EXPECT_EQ(PixelAt(b, {alone.GlyphPos.X + 8, alone.GlyphPos.Y + 8}), RGB(255, 0, 0));
  // An out-of-range index is no glyph at all.
  b->SetImageIndex(5);
  EXPECT_EQ(b->GlyphSize().cx, 0);
}

TEST_F(ButtonTest, ImageListChangesRepaintAndItsDestructionIsNoticed) {
  auto* images = new TImageList(form.get());
  TBitmap32 red(16, 16);
  red.Fill({0, 0, 255, 255});
  images->Add(red);
  TBitBtn* b = MakeButton(Bounds(10, 10, 75, 25), "b");
  b->SetCaption(u"");
  b->SetImages(images);
  b->SetImageIndex(0);
  Show();
  const TPoint mid{(75 - 16 + 1) / 2 + 8, (25 - 16 + 1) / 2 + 8};
  EXPECT_EQ(PixelAt(b, mid), RGB(255, 0, 0));
  TBitmap32 blue(16, 16);
  blue.Fill({255, 0, 0, 255});
  images->Replace(0, blue);
  EXPECT_EQ(PixelAt(b, mid), RGB(0, 0, 255));
  delete images;
  EXPECT_EQ(b->Images(), nullptr);
  EXPECT_EQ(PixelAt(b, mid), FlatPalette().Face);
}

}  // namespace
}  // namespace qv
