// The HTML label as a control: its size from the markup, the about text's
// link lighting up under the mouse and opening, only the link pressed and
// released on opening, the disabled mix on every run, and what a hidden
// label does with a new text.
#include "controls/html_label.h"

#include "platform/text/text.h"
#include "skinned_test_control.h"

namespace qv::test {
namespace {

const ustring kAbout =
    u"Хотите видеть новый функционал в программе или поддержать автора<br>\r\n"
    u"пишите в личку профиля в игре - "
    u"<a href=\"http://www.ballora.example/users/1\">Quorvane</a>";

class HtmlLabelTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    white = Make<TCustomControl>(form.get(), Bounds(0, 0, 300, 200));
    white->SetColor(clWhite);
    html = Make<TsHTMLLabel>(white, Bounds(10, 20, 100, 13));
    html->SetAlignment(TAlignment::taCenter);
    html->ChangeFont([](TFont& f) { f.Color = clBlack; });
    Show();
  }
  TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  void Press(TPoint p) {
    headless->AdvanceTime(1000);
    headless->MoveMouse(At(html, p));
    headless->MouseDown(At(html, p));
  }
  void Release(TPoint p) {
    headless->MoveMouse(At(html, p));
    headless->MouseUp(At(html, p));
    PumpPendingMessages();
  }
  bool Shows(TColor color) {
    PumpPendingMessages();
    for (int y = 0; y < html->Height(); ++y)
      for (int x = 0; x < html->Width(); ++x)
        if (ColorOf(Painted(html, {x, y})) == color) return true;
    return false;
  }
  const std::vector<std::string>& Opened() { return headless->OpenedUrls(); }

  TCustomControl* white = nullptr;
  TsHTMLLabel* html = nullptr;
};

TEST_F(HtmlLabelTest, AboutTextIsTwoLinesWithTheNicknameAsItsLink) {
  html->SetCaption(kAbout);
  EXPECT_EQ(html->Height(), 13 + 2 + 13) << "two lines and their gap";
  PumpPendingMessages();
  ASSERT_EQ(html->Links().size(), 1u);
  const TacLink& link = html->Links()[0];
  ASSERT_EQ(link.Pieces.size(), 1u);
  const TRect nick = link.Pieces[0];
  EXPECT_EQ(nick.Top, 15);
  EXPECT_EQ(nick.Width(), TextExtentOf(html->Font(), u"Quorvane").cx);
  // The centred second line ends with it.
  const int second = TextExtentOf(html->Font(), u"пишите в личку профиля в игре - Quorvane").cx;
  EXPECT_EQ(nick.Right, (html->Width() - second) / 2 + second);
  EXPECT_EQ(link.URL, u"http://www.ballora.example/users/1");
  EXPECT_TRUE(Shows(RGB(0, 0, 255)));

  // Hovering lights it up: underlined, and the hand.
  headless->MoveMouse(At(html, Centre(nick)));
  EXPECT_EQ(html->HotLink, 0);
  EXPECT_EQ(html->Cursor, static_cast<int>(IDC_HAND));
  headless->MoveMouse(At(html, {2, 2}));
  EXPECT_EQ(html->HotLink, -1);
  EXPECT_EQ(html->Cursor, 0);

  // The rest of the text is not clickable; the nickname opens the profile.
  Press({2, 2});
  Release({2, 2});
  EXPECT_TRUE(Opened().empty());
  Press(Centre(nick));
  EXPECT_EQ(html->PressedLink, 0);
  Release(Centre(nick));
  EXPECT_EQ(html->PressedLink, -1);
  ASSERT_EQ(Opened().size(), 1u);
  EXPECT_EQ(Opened()[0], "http://www.ballora.example/users/1");
}

TEST_F(HtmlLabelTest, OnlyTheLinkPressedOpensWhenReleasedOverIt) {
  html->SetCaption(
      u"<a href=\"http://a.example/\">один</a> и <a href=\"http://b.example/\">два</a>");
  PumpPendingMessages();
  ASSERT_EQ(html->Links().size(), 2u);
  const TPoint first = Centre(html->Links()[0].Pieces[0]);
  const TPoint second = Centre(html->Links()[1].Pieces[0]);
  // Pressed on one, released on the other: neither opens.
  Press(first);
  Release(second);
  EXPECT_TRUE(Opened().empty());
  // Released outside every link: nothing.
  Press(second);
  Release({html->Width() + 20, 5});
  EXPECT_TRUE(Opened().empty());
  Press(second);
  Release(second);
  ASSERT_EQ(Opened().size(), 1u);
  EXPECT_EQ(Opened()[0], "http://b.example/");
}

TEST_F(HtmlLabelTest, ClicksOpenNothingWithoutAValidLinkOrAddress) {
  html->SetCaption(u"<a>без адреса</a> <a href='javascript:alert(1)'>скрипт</a>");
  PumpPendingMessages();
  ASSERT_EQ(html->Links().size(), 2u);
  EXPECT_FALSE(html->DoClick(0));
  EXPECT_FALSE(html->DoClick(1));
  EXPECT_FALSE(html->DoClick(2)) << "an index the last layout does not have";
  EXPECT_FALSE(html->DoClick(-1));
  EXPECT_TRUE(Opened().empty());

  // The click event may change the address.
  html->OnLinkClick = [](TObject*, ustring& link, bool&) { link = u"https://safe.example/"; };
  EXPECT_TRUE(html->DoClick(1));
  EXPECT_EQ(Opened().back(), "https://safe.example/");
}

TEST_F(HtmlLabelTest, ALinkBrokenAcrossLinesOpensFromEitherPiece) {
  html->SetAutoSize(false);
  html->SetAlignment(TAlignment::taLeftJustify);
  html->SetBounds(10, 20, 90, 40);
  html->SetCaption(u"Пишите <a href=\"http://c.example/\">автору программы в личку</a>");
  PumpPendingMessages();
  ASSERT_EQ(html->Links().size(), 1u);
  ASSERT_GE(html->Links()[0].Pieces.size(), 2u);
  const TPoint last = Centre(html->Links()[0].Pieces.back());
  Press(last);
  Release(last);
  ASSERT_EQ(Opened().size(), 1u);
}

TEST_F(HtmlLabelTest, SizeFollowsTheMarkupAndFitToWidthWraps) {
  html->SetCaption(u"1. <b>4-4-2</b>, нормальная");
  const int one_line = html->Width();
  EXPECT_EQ(html->Height(), 13);
  // As plain text the tags count.
  html->SetUseHTML(false);
  EXPECT_GT(html->Width(), one_line);
  html->SetUseHTML(true);
  EXPECT_EQ(html->Width(), one_line);

  // Fitted to a width that holds one word a line.
  html->SetAlignment(TAlignment::taLeftJustify);
  html->SetWordWrap(true);
  html->SetFitToWidth(true);
  const int word = TextExtentOf(html->Font(), u"нормальная").cx;
  html->SetCaption(u"нормальная игра в пас");
  html->SetBounds(10, 20, word + 5, 13);
  html->AdjustBounds();
  EXPECT_LE(html->Width(), word + 5);
  EXPECT_GE(html->Height(), 2 * 13 + 2);
  EXPECT_EQ(html->PlainCaption(), u"нормальная игра в пас");
}

TEST_F(HtmlLabelTest, DisabledRunsAndLinksAreMixedWithTheBackground) {
  html->SetCaption(
      u"<font size=+8>Ш</font><a href=\"http://a.example/\"><font size=+8>Ш</font></a>");
  html->SetEnabled(false);
  // Black on white and blue on white, each mixed at weight 100.
  EXPECT_TRUE(Shows(RGB(154, 154, 154)));
  EXPECT_TRUE(Shows(RGB(154, 154, 254)));
  EXPECT_FALSE(Shows(RGB(0, 0, 0)));
  EXPECT_FALSE(Shows(RGB(0, 0, 255)));
}

TEST_F(HtmlLabelTest, LinkColoursComeFromTheSkin) {
  skin->AddSection(u"GROUPBOX", 0x00FFFFFF, 1, ssGroupBox);
  skin->Manager().Palette[pcWebText] = 0x00600000;
  skin->Manager().Palette[pcWebTextHot] = 0x00000060;
  Activate();
  html->SetCaption(u"<a href=\"http://a.example/\"><font size=+8>Ш</font></a>");
  EXPECT_TRUE(Shows(0x00600000));
  headless->MoveMouse(At(html, {html->Width() / 2, html->Height() / 2}));
  EXPECT_TRUE(Shows(0x00000060));
}

TEST_F(HtmlLabelTest, AHiddenLabelFitsItsNewTextWhenShown) {
  html->SetCaption(u"Ник:");
  const TRect shown = html->BoundsRect();
  html->Hide();
  html->SetCaption(u"<b>Очень длинный ник игрока</b>");
  EXPECT_EQ(html->BoundsRect(), shown) << "not fitted while hidden";
  html->Show();
  EXPECT_GT(html->Width(), shown.Width());
}

}  // namespace
}  // namespace qv::test
