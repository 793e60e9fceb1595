// The label: fitting to its text, alignment kept while fitting, the empty
// caption's line, prefixes, layout, transparency and click.
#include "platform/controls/flat_look.h"
#include "platform/controls/label.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

using LabelTest = ControlsTest;

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheAlignedEdge) {
  auto* l = Make<TLabel>(form.get(), Bounds(100, 10, 80, 40));
  l->SetCaption(u"Тактика");
  const int w = l->Width();
  EXPECT_GT(w, 10);
  EXPECT_LT(w, 80);
  EXPECT_GT(l->Height(), 8);
  EXPECT_EQ(l->Left(), 100);
  // An empty caption still keeps one line's height.
  const int h = l->Height();
  l->SetCaption(u"");
  EXPECT_EQ(l->Height(), h);
  // A right-aligned label grows to the left.
  l->SetAlignment(TAlignment::taRightJustify);
  l->SetCaption(u"Тактика");
  const int right = l->Left() + l->Width();
  l->SetCaption(u"Тактика соперника");
  EXPECT_EQ(l->Left() + l->Width(), right);
  EXPECT_LT(l->Left(), 100);
}

TEST_F(LabelTest, PrefixIsHiddenUnlessShowAccelCharIsOff) {
  auto* l = Make<TLabel>(form.get(), Bounds(10, 10, 80, 20));
  l->SetCaption(u"&Поиск");
  const int with_prefix = l->Width();
  l->SetShowAccelChar(false);
  EXPECT_GT(l->Width(), with_prefix);  // the "&" is drawn now
}

TEST_F(LabelTest, WordWrapGrowsDownwards) {
  auto* l = Make<TLabel>(form.get(), Bounds(10, 10, 60, 20));
  l->SetWordWrap(true);
  l->SetCaption(u"один два три четыре пять шесть");
  EXPECT_LE(l->Width(), 60);  // the widest line
  EXPECT_GT(l->Height(), 30);
}

TEST_F(LabelTest, OpaqueLabelFillsAndTransparentShowsTheParent) {
  form->SetColor(clWhite);
  auto* l = Make<TLabel>(form.get(), Bounds(10, 10, 60, 20));
  l->SetAutoSize(false);
  l->SetParentColor(false);
  l->SetColor(RGB(255, 255, 0));
  l->SetCaption(u"x");
  l->SetLayout(TTextLayout::tlBottom);
  Show();
  EXPECT_EQ(PixelAt(l, {50, 2}), RGB(255, 255, 0));
  l->SetTransparent(true);
  EXPECT_EQ(PixelAt(l, {50, 2}), clWhite);
}

TEST_F(LabelTest, ClickReachesTheLabel) {
  auto* l = Make<TLabel>(form.get(), Bounds(10, 10, 60, 20));
  l->SetCaption(u"Ссылка");
  l->OnClick = [this](TObject*) { events.push_back("click"); };
  Show();
  Click(l, {3, 3});
  EXPECT_EQ(events.size(), 1u);
}

}  // namespace
}  // namespace qv
