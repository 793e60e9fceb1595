// The page control and the group box: switching by tab click, Ctrl+Tab and
// arrows, the changing veto, which switches fire events, only the active
// sheet visible, pages filling the pane, and the group box's inner area.
#include "platform/controls/button.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/pagecontrol.h"
#include "tests/platform/controls/controls_fixture.h"

namespace qv {
namespace {

using test::ControlsTest;

class PagesTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    pc = Make<TPageControl>(form.get(), Bounds(5, 5, 390, 250));
    for (const char16_t* name : {u"Тактика", u"Тренировка", u"Трансфер"}) {
      auto* sheet = new TTabSheet(form.get());
      sheet->SetPageControl(pc);
      sheet->SetCaption(name);
      sheets.push_back(sheet);
    }
    pc->OnChanging = [this](TObject*, bool& allow) {
      events.push_back("changing");
      allow = allow_;
    };
    pc->OnChange = [this](TObject*) { events.push_back("change"); };
  }
  TPoint TabCentre(int i) {
    const TRect r = pc->TabRect(i);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }

  TPageControl* pc = nullptr;
  std::vector<TTabSheet*> sheets;
  bool allow_ = true;
};

TEST_F(PagesTest, OnlyTheActiveSheetIsVisibleAndFillsThePane) {
  Show();
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_TRUE(sheets[0]->Visible());
  EXPECT_FALSE(sheets[1]->Visible());
  EXPECT_EQ(sheets[0]->BoundsRect(), pc->DisplayRect());
  pc->SetActivePage(sheets[2]);  // from code: no events
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(sheets[0]->Visible());
  EXPECT_TRUE(sheets[2]->Visible());
  EXPECT_EQ(sheets[2]->BoundsRect(), pc->DisplayRect());
}

TEST_F(PagesTest, TabClickSwitchesUnlessVetoed) {
  Show();
  Click(pc, TabCentre(1));
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change"}));
  EXPECT_TRUE(pc->Focused());
  events.clear();
  Click(pc, TabCentre(1));  // the active tab: nothing to change
  EXPECT_TRUE(events.empty());
  allow_ = false;
  Click(pc, TabCentre(2));
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
  EXPECT_EQ(events, (std::vector<std::string>{"changing"}));
}

TEST_F(PagesTest, CtrlTabWrapsWhileFocusIsInsideArrowsDoNot) {
  auto* button = Make<TButton>(sheets[0], Bounds(10, 10, 75, 25));
  auto* outside = Make<TButton>(form.get(), Bounds(5, 265, 75, 25));
  Show();
  button->SetFocus();
  KeyWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
  KeyWith2(VK_CONTROL, VK_SHIFT, VK_TAB);
  KeyWith2(VK_CONTROL, VK_SHIFT, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[2]);  // wrapped backwards
  pc->SetFocus();
  Key(VK_RIGHT);
  EXPECT_EQ(pc->ActivePage(), sheets[2]);  // arrows stop at the end
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_TRUE(pc->Focused());
  outside->SetFocus();
  KeyWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);  // the focus is elsewhere
}

TEST_F(PagesTest, TheKeyboardFollowsIntoTheNewPageOrStaysOnTheTabRow) {
  auto* first = Make<TButton>(sheets[0], Bounds(10, 10, 75, 25));
  auto* second = Make<TButton>(sheets[1], Bounds(10, 10, 75, 25));
  Show();
  EXPECT_TRUE(pc->Focused()) << "the page control is the form's first tab stop";
  Key(VK_RIGHT);
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
  EXPECT_TRUE(pc->Focused()) << "switching on the tab row keeps the keyboard there";
  Key(VK_LEFT);
  first->SetFocus();
  KeyWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[1]);
  EXPECT_TRUE(second->Focused()) << "from a control on the old page to the new page's first";
  KeyWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[2]);
  EXPECT_TRUE(pc->Focused()) << "a page without tab stops leaves it on the tab row";
  KeyWith(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_TRUE(pc->Focused());
  // A switch from code moves a keyboard that was on the old page as well.
  first->SetFocus();
  pc->SetActivePage(sheets[1]);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(PagesTest, HiddenTabsAndRemovedPagesAreSkipped) {
  sheets[1]->SetTabVisible(false);
  EXPECT_EQ(pc->VisibleTabCount(), 2);
  EXPECT_EQ(pc->PageOfTab(1), sheets[2]);
  Show();
  Click(pc, TabCentre(1));
  EXPECT_EQ(pc->ActivePage(), sheets[2]);
  delete sheets[2];
  EXPECT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePage(), sheets[0]);
  EXPECT_TRUE(sheets[0]->Visible());
}

TEST_F(PagesTest, TabImagesWidenTheTabAndFollowTheList) {
  TImageList images(nullptr);
  TBitmap32 img(16, 16);
  img.Fill({0, 0, 255, 255});
  images.Add(img);
  const int plain = pc->TabRect(0).Width();
  pc->SetImages(&images);
  sheets[0]->SetImageIndex(0);
  sheets[1]->SetImageIndex(3);  // outside the list: no image
  EXPECT_EQ(pc->TabRect(0).Width(), plain + 16 + 4);
  Show();
  const TRect r = pc->TabRect(0);
  EXPECT_EQ(PixelAt(pc, {r.Left + 8 + 8, (r.Top + r.Bottom) / 2}), RGB(255, 0, 0));
  pc->SetImages(nullptr);
  EXPECT_EQ(pc->TabRect(0).Width(), plain);
}

using GroupBoxTest = ControlsTest;

TEST_F(GroupBoxTest, ChildrenAlignInsideTheFrameBelowTheCaption) {
  auto* g = Make<TGroupBox>(form.get(), Bounds(10, 10, 200, 120));
  g->SetCaption(u"Соперник");
  auto* inner = Make<TButton>(g, Bounds(0, 0, 10, 10));
  inner->SetAlign(TAlign::alClient);
  EXPECT_GE(inner->Top(), g->CaptionHeight());
  EXPECT_GT(inner->Left(), 0);
  EXPECT_LT(inner->Left() + inner->Width(), 200);
  EXPECT_EQ(g->CaptionTextRect().Left, 10);
  Show();
  // The frame line runs through the caption's middle and is broken under the text.
  const int line = g->CaptionHeight() / 2;
  EXPECT_NE(PixelAt(g, {3, line}), PixelAt(g, {3, line - 2}));
  EXPECT_EQ(PixelAt(g, {0, line + 20}), PixelAt(g, {3, line}));
}

}  // namespace
}  // namespace qv
