// The markup engine: what runs it draws where, in which font and colour,
// where lines break, and which links it records; plain text of a caption and
// opening a clicked link.
#include "controls/html_parse.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/text/text.h"
#include "platform/window/headless.h"
#include "platform/window/system.h"

namespace qv {
namespace {

struct TRecordedRun {
  ustring Text;
  TFont Font;
  TRect Rect;
  unsigned Flags;
  int Link;
};

const ustring kAboutText =
    u"Хотите видеть новый функционал в программе или поддержать автора<br>\r\n"
    u"пишите в личку профиля в игре - "
    u"<a href=\"http://www.ballora.example/users/1\">Quorvane</a>";

class HtmlLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    bmp.Fill({255, 255, 255, 255});
    canvas.Font.Name = u"Tahoma";
    canvas.Font.Height = -11;
    canvas.Font.Color = clBlack;
  }

  TFont Base() const { return canvas.Font; }
  int Width(ustring_view text, TFontStyles style = 0) const {
    TFont f = Base();
    f.Style = style;
    return TextExtentOf(f, text).cx;
  }

  // Lays text out twice, measuring only and drawing, recording the runs; the
  // two must agree on the size.
  TRect Lay(ustring_view text, TRect area = {0, 0, 400, 100}, int pressed = -1, int hot = -1,
            const THtmlLinkColors& colors = {}) {
    runs.clear();
    TsHtml html(colors);
    html.Alignment = alignment;
    html.RightToLeft = rtl;
    html.RunPainter = [this](TCanvas&, const THtmlRun& r) {
      runs.push_back({ustring(r.Text), r.Font, r.Rect, r.Flags, r.Link});
    };
    const TFont before = canvas.Font;
    html.Init(canvas, ustring(text), pressed, hot, area);
    const TRect measured = html.HTMLText(links, true);
    EXPECT_TRUE(runs.empty());
    const TRect drawn = html.HTMLText(links, false);
    EXPECT_EQ(measured, drawn);
    EXPECT_EQ(canvas.Font, before);
    lines = html.LineSizes();
    return drawn;
  }

  ustring Text() const {
    ustring s;
    for (const auto& r : runs) s += r.Text;
    return s;
  }
  const TRecordedRun& Run(ustring_view text) const {
    for (const auto& r : runs)
      if (r.Text == text) return r;
    ADD_FAILURE() << "no run " << Utf16ToUtf8(text);
    return runs.front();
  }

  TBitmap32 bmp{400, 100};
  TCanvas canvas{bmp};
  TAlignment alignment = TAlignment::taLeftJustify;
  bool rtl = false;
  std::vector<TRecordedRun> runs;
  std::vector<TSize> lines;
  TacLinks links;
};

TEST_F(HtmlLayout, BoldRunSitsBetweenNormalTextOnOneLine) {
  const TRect size = Lay(u"1. <b>4-4-2</b>, нормальная");
  EXPECT_EQ(Text(), u"1. 4-4-2, нормальная");
  int x = 0;
  for (const auto& r : runs) {
    EXPECT_EQ(r.Font.Style, r.Text == u"4-4-2" ? fsBold : 0u) << Utf16ToUtf8(r.Text);
    EXPECT_EQ(r.Rect.Left, x);
    EXPECT_EQ(r.Rect.Top, 0);
    EXPECT_EQ(r.Flags & (DT_NOPREFIX | DT_RTLREADING), unsigned{DT_NOPREFIX});
    x = r.Rect.Right;
  }
  EXPECT_EQ(size, (TRect{0, 0, x, 13}));
  EXPECT_EQ(x, Width(u"1.") + Width(u" ") + Width(u"4-4-2", fsBold) + Width(u",") +
                   Width(u" нормальная"));
}

TEST_F(HtmlLayout, AboutTextIsTwoCentredLinesEndingWithTheNicknameLink) {
  alignment = TAlignment::taCenter;
  const TRect size = Lay(kAboutText, {0, 0, 368, 28});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(size, (TRect{0, 0, std::max(lines[0].cx, lines[1].cx), 13 + 2 + 13}));
  EXPECT_EQ(runs.front().Rect.Left, (368 - lines[0].cx) / 2);
  EXPECT_EQ(Text(),
            u"Хотите видеть новый функционал в программе или поддержать автора"
            u"пишите в личку профиля в игре - Quorvane");

  const TRecordedRun& nick = Run(u"Quorvane");
  EXPECT_EQ(nick.Link, 0);
  EXPECT_EQ(nick.Font.Color, RGB(0, 0, 255));
  EXPECT_EQ(nick.Font.Style, 0u);
  EXPECT_EQ(nick.Rect.Right, (368 - lines[1].cx) / 2 + lines[1].cx);
  for (const auto& r : runs) {
    if (r.Text != u"Quorvane") {
      EXPECT_EQ(r.Link, -1) << Utf16ToUtf8(r.Text);
    }
  }

  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].URL, u"http://www.ballora.example/users/1");
  ASSERT_EQ(links[0].Pieces.size(), 1u);
  EXPECT_EQ(links[0].Pieces[0], (TRect{nick.Rect.Left, 15, nick.Rect.Right, 28}));
  EXPECT_EQ(LinkAt(links, {nick.Rect.Left, 20}), 0);
  EXPECT_EQ(LinkAt(links, {nick.Rect.Left - 1, 20}), -1);
  EXPECT_EQ(LinkAt(links, {nick.Rect.Left + 5, 14}), -1);
}

TEST_F(HtmlLayout, LinkStatesChangeColourAndUnderline) {
  const ustring text = u"x <a href=\"http://h/\">one</a> <a href=\"http://h/2\">two</a>";
  Lay(text, {0, 0, 400, 100}, -1, 1);
  EXPECT_EQ(Run(u"one").Font.Style, 0u);
  EXPECT_EQ(Run(u"two").Font.Style, unsigned{fsUnderline});
  EXPECT_EQ(Run(u"two").Font.Color, RGB(0, 0, 255));
  Lay(text, {0, 0, 400, 100}, 1, 1);
  EXPECT_EQ(Run(u"two").Font.Color, RGB(255, 0, 0));
  EXPECT_EQ(Run(u"x").Font.Color, clBlack);

  TacPaletteArray palette{};
  palette[pcWebText] = RGB(0, 0, 200);
  palette[pcWebTextHot] = RGB(200, 100, 0);
  palette[pcLabelText] = RGB(10, 20, 30);
  const THtmlLinkColors skinned = HtmlLinkColors(&palette);
  // Pressed: (hot * 127 + label text * 128) div 256 per channel.
  EXPECT_EQ(skinned.Pressed, RGB(104, 59, 15));
  Lay(text, {0, 0, 400, 100}, 0, 1, skinned);
  EXPECT_EQ(Run(u"one").Font.Color, RGB(200, 100, 0));
  EXPECT_EQ(Run(u"two").Font.Color, RGB(200, 100, 0));
  Lay(text, {0, 0, 400, 100}, -1, -1, skinned);
  EXPECT_EQ(Run(u"one").Font.Color, RGB(0, 0, 200));
}

TEST_F(HtmlLayout, DoubledAngleBracketAndAmpersandAreText) {
  Lay(u"a<<b>c");
  EXPECT_EQ(Text(), u"a<b>c");
  for (const auto& r : runs) EXPECT_EQ(r.Font.Style, 0u);
  Lay(u"a&&b &&amp;");
  EXPECT_EQ(Text(), u"a&b &amp;");
  // A "<" with no ">" after it is dropped.
  Lay(u"a <b");
  EXPECT_EQ(Text(), u"a b");
}

TEST_F(HtmlLayout, CharacterReferences) {
  const struct {
    const char16_t* markup;
    const char16_t* shown;
  } cases[] = {
      {u"&amp;", u"&"},
      {u"&AMP;", u"&AMP;"},
      {u"&nbsp", u"&nbsp"},
      {u"&#169;", u"\u00A9"},
      {u"&#39;", u"'"},
      {u"&#96;&#180;", u"`\u00B4"},
      {u"&trade;", u"\u2122"},
      {u"&#153;", u"\u2122"},
      {u"&#65;", u"&#65;"},
      {u"&#0169;", u"&#0169;"},
      {u"&Aacute;&aacute;", u"\u00C1\u00E1"},
      {u"&laquo;x&raquo;", u"\u00ABx\u00BB"},
      {u"&a b;", u"&a b;"},
      {u"&mdash;&#8212;", u"\u2014\u2014"},
      {u"&;", u"&;"},
  };
  for (const auto& c : cases) {
    Lay(c.markup);
    EXPECT_EQ(Text(), c.shown) << Utf16ToUtf8(c.markup);
  }
  EXPECT_EQ(SpecialCharacter(u"euro"), u'\u20AC');
  EXPECT_EQ(SpecialCharacter(u"#8364"), u'\u20AC');
  EXPECT_FALSE(SpecialCharacter(u"Euro"));
  EXPECT_FALSE(SpecialCharacter(u"#"));
}

TEST_F(HtmlLayout, FontTagChangesColourAndSizeUntilItCloses) {
  Lay(u"<FONT COLOR=#FF0000 SIZE=+2>x</FONT>y");
  EXPECT_EQ(Run(u"x").Font.Color, RGB(255, 0, 0));
  EXPECT_EQ(Run(u"x").Font.Size(), Base().Size() + 2);
  EXPECT_EQ(Run(u"y").Font, Base());
  // Runs share their top edge, not a baseline.
  EXPECT_EQ(Run(u"y").Rect.Top, Run(u"x").Rect.Top);

  // Points follow the font's density.
  canvas.Font.PixelsPerInch = 192;
  canvas.Font.Height = -22;
  Lay(u"<font size=+2>x</font>");
  EXPECT_EQ(Run(u"x").Font.Height, -27);
}

TEST_F(HtmlLayout, FontAttributesAreReadSafely) {
  const struct {
    const char16_t* tag;
    int points;
    TColor color;
  } cases[] = {
      {u"<font size=-20>", 1, clBlack},
      {u"<font size=+500>", 144, clBlack},
      {u"<font size=0>", 1, clBlack},
      {u"<font size=99999999999>", 144, clBlack},
      {u"<font size=abc>", 8, clBlack},
      {u"<font size=+x>", 8, clBlack},
      {u"<font size=\"14\">", 14, clBlack},
      {u"<font color=#1FF0000>", 8, RGB(255, 0, 0)},
      {u"<font color=navy>", 8, RGB(0, 0, 128)},
      {u"<font color=ff8000h>", 8, RGB(255, 128, 0)},
      {u"<font color=#GG0000>", 8, clBlack},
      {u"<font color=\"Teal\">", 8, RGB(0, 128, 128)},
  };
  for (const auto& c : cases) {
    Lay(ustring(c.tag) + u"x");
    EXPECT_EQ(Run(u"x").Font.Size(), c.points) << Utf16ToUtf8(c.tag);
    EXPECT_EQ(Run(u"x").Font.Color, c.color) << Utf16ToUtf8(c.tag);
  }
  Lay(u"<font face=\"Courier New\">x</font><font face=Arial>y");
  EXPECT_EQ(Run(u"x").Font.Name, u"COURIER NEW");
  EXPECT_EQ(Run(u"y").Font.Name, u"Tahoma");
  // Nesting pops in order; an extra closing tag changes nothing.
  Lay(u"<font color=red>a<font color=blue>b</font>c</font>d</font>e");
  EXPECT_EQ(Run(u"a").Font.Color, RGB(255, 0, 0));
  EXPECT_EQ(Run(u"b").Font.Color, RGB(0, 0, 255));
  EXPECT_EQ(Run(u"c").Font.Color, RGB(255, 0, 0));
  EXPECT_EQ(Run(u"d").Font, Base());
  EXPECT_EQ(Run(u"e").Font, Base());
}

TEST_F(HtmlLayout, StyleTagsAndBreaks) {
  Lay(u"<b><i><u>a</u></i></b><B>b</BR>c");
  EXPECT_EQ(Run(u"a").Font.Style, unsigned{fsBold | fsItalic | fsUnderline});
  EXPECT_EQ(Run(u"b").Font.Style, unsigned{fsBold});
  // Any closing tag starting with B clears bold, and makes no line.
  EXPECT_EQ(Run(u"c").Font.Style, 0u);
  EXPECT_EQ(Run(u"c").Rect.Top, 0);

  const TRect size = Lay(u"a<br/>b<p>c</p><br>d");
  EXPECT_EQ(Run(u"b").Rect.Top, 15);
  EXPECT_EQ(Run(u"c").Rect.Top, 30);
  // The closing P and the BR make one line of break height between.
  EXPECT_EQ(Run(u"d").Rect.Top, 60);
  EXPECT_EQ(size.Bottom, 73);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[3], (TSize{0, 13}));
}

TEST_F(HtmlLayout, UnknownTagsAreTextButAnyTagWithAnAOpensALink) {
  Lay(u"<XyZ w>x");
  EXPECT_EQ(Text(), u"<XyZ w>x");
  EXPECT_TRUE(links.empty());
  Lay(u"<table>x</a>y");
  EXPECT_EQ(Text(), u"xy");
  EXPECT_EQ(Run(u"x").Link, 0);
  EXPECT_EQ(Run(u"y").Link, -1);
  EXPECT_EQ(Run(u"x").Font.Color, RGB(0, 0, 255));
  ASSERT_EQ(links.size(), 1u);
  // No HREF: nothing to open.
  EXPECT_EQ(links[0].URL, u"");
  Lay(u"</>x");
  EXPECT_EQ(Text(), u"</>x");
}

TEST_F(HtmlLayout, WordsWrapAtSpacesWithoutTheSpace) {
  const int w = Width(u"Quorvane");
  const TRect area{0, 0, w * 5 / 3, 100};
  ASSERT_GT(w + Width(u" Quorvane"), area.Right);
  const TRect size = Lay(u"Quorvane Quorvane", area);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].Text, u"Quorvane");
  EXPECT_EQ(runs[1].Rect.TopLeft(), (TPoint{0, 15}));
  EXPECT_EQ(size, (TRect{0, 0, w, 28}));

  // A word wider than the area stays on its line; what follows starts anew.
  Lay(u"a Quorvane b", {0, 0, w - 5, 100});
  EXPECT_EQ(Run(u"Quorvane").Rect.TopLeft(), (TPoint{Width(u"a"), 0}));
  // A piece that fits keeps its leading space, also at a line's start.
  EXPECT_EQ(Run(u" b").Rect.TopLeft(), (TPoint{0, 15}));

  // No right edge: no wrapping.
  Lay(u"Quorvane Quorvane Quorvane", {0, 0, 0, 0});
  EXPECT_EQ(lines.size(), 1u);
}

TEST_F(HtmlLayout, LargerLineIsDrawnWhereItWasMeasured) {
  const TRect size = Lay(u"a<br><font size=+10>Big</font> b");
  const int big = Run(u"Big").Font.Height;
  TFont f = Base();
  f.Height = big;
  const int big_height = TextExtentOf(f, u"Big").cy;
  EXPECT_EQ(Run(u"Big").Rect.Top, 15);
  EXPECT_EQ(size.Bottom, 15 + big_height);
  EXPECT_EQ(Run(u" b").Rect.Top, 15);
}

TEST_F(HtmlLayout, LinesAlignByAlignmentAndReadingOrder) {
  const ustring text = u"a<br>bbb";
  const TRect area{10, 0, 110, 40};
  const int wa = Width(u"a");
  const int wb = Width(u"bbb");
  const struct {
    TAlignment alignment;
    bool rtl;
    int a_left, b_left;
  } cases[] = {
      {TAlignment::taLeftJustify, false, 10, 10},
      {TAlignment::taRightJustify, false, 110 - wa, 110 - wb},
      {TAlignment::taCenter, false, 10 + (100 - wa) / 2, 10 + (100 - wb) / 2},
      {TAlignment::taLeftJustify, true, 110 - wa, 110 - wb},
      {TAlignment::taRightJustify, true, 10, 10},
      {TAlignment::taCenter, true, 10 + (100 - wa) / 2, 10 + (100 - wb) / 2},
  };
  for (const auto& c : cases) {
    alignment = c.alignment;
    rtl = c.rtl;
    Lay(text, area);
    EXPECT_EQ(Run(u"a").Rect.Left, c.a_left);
    EXPECT_EQ(Run(u"bbb").Rect.Left, c.b_left);
    EXPECT_EQ((Run(u"a").Flags & DT_RTLREADING) != 0, c.rtl);
  }
}

TEST_F(HtmlLayout, LinkBrokenAcrossLinesIsClickableOnEveryPiece) {
  const int w = Width(u"Quorvane");
  Lay(u"<a href=\"http://h/\">Quorvane Quorvane</a>", {0, 0, w + 4, 100});
  ASSERT_EQ(links.size(), 1u);
  ASSERT_EQ(links[0].Pieces.size(), 2u);
  EXPECT_EQ(links[0].Pieces[0], (TRect{0, 0, w, 13}));
  EXPECT_EQ(links[0].Pieces[1], (TRect{0, 15, w, 28}));
  EXPECT_EQ(LinkAt(links, {2, 20}), 0);
  EXPECT_EQ(LinkAt(links, {2, 14}), -1);

  // A link that is never closed still has its address and rectangle, and a
  // stray closing tag changes nothing.
  Lay(u"</a><a href='http://h/x' >x y");
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0].URL, u"http://h/x");
  EXPECT_EQ(links[0].Pieces[0].Width(), Width(u"x y"));
  // An unquoted address keeps its first character.
  Lay(u"<A HREF=http://h/Users/1>n</A>");
  EXPECT_EQ(links[0].URL, u"http://h/Users/1");
}

TEST_F(HtmlLayout, PositionsFollowTheCaptionThroughUpperCasing) {
  // Characters whose full upper case is longer keep one unit each.
  Lay(u"ßﬀё<b>x</b>y");
  EXPECT_EQ(Text(), u"ßﬀёxy");
  EXPECT_EQ(Run(u"ßﬀё").Font.Style, 0u);
  EXPECT_EQ(Run(u"x").Font.Style, unsigned{fsBold});
}

TEST_F(HtmlLayout, DefaultPainterDrawsOnTheCanvasTransparently) {
  canvas.SetBkMode(OPAQUE);
  TsHtml html;
  html.Init(canvas, u"<font color=#FF0000>Ш</font>", -1, -1, {0, 0, 400, 100});
  TacLinks none;
  const TRect size = html.HTMLText(none, false);
  int red = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const TBGRA p = bmp.Pixel(x, y);
      if (!size.Contains({x, y})) {
        EXPECT_EQ(p, (TBGRA{255, 255, 255, 255}));
      } else if (p.R > 200 && p.G < 100) {
        ++red;
      } else {
        EXPECT_EQ(p.R, 255);  // no background fill: every touched pixel is red-ish
      }
    }
  EXPECT_GT(red, 5);
  EXPECT_EQ(canvas.BkMode(), OPAQUE);
}

TEST(HtmlMarkup, StripMarkupRemovesTagsOnly) {
  EXPECT_EQ(StripMarkup(u"1. <b>4-4-2</b>, x"), u"1. 4-4-2, x");
  EXPECT_EQ(StripMarkup(u"a<b"), u"a<b");
  EXPECT_EQ(StripMarkup(u"a<b>c<"), u"ac<");
  EXPECT_EQ(StripMarkup(u"a<<b>>c"), u"a>c");
  EXPECT_EQ(StripMarkup(u"&amp;<i>x</i>"), u"&amp;x");
  EXPECT_EQ(StripMarkup(u""), u"");
}

class HtmlClick : public ::testing::Test {
 protected:
  void SetUp() override {
    auto b = std::make_unique<THeadlessBackend>();
    backend = b.get();
    InitWindowSystem(std::move(b));
  }
  void TearDown() override { ShutdownWindowSystem(); }
  THeadlessBackend* backend = nullptr;
  const TacLinks links{{{{0, 0, 10, 10}}, u"http://h/1"},
                       {{{0, 20, 10, 30}}, u""},
                       {{{0, 40, 10, 50}}, u"javascript:x"}};
};

TEST_F(HtmlClick, OpensOnlyAValidLinkWithAnAddress) {
  EXPECT_TRUE(ClickHtmlLink(links, 0, nullptr, {}, SW_SHOWDEFAULT));
  EXPECT_FALSE(ClickHtmlLink(links, 1, nullptr, {}, SW_SHOWDEFAULT));
  EXPECT_FALSE(ClickHtmlLink(links, 2, nullptr, {}, SW_SHOWDEFAULT));
  EXPECT_FALSE(ClickHtmlLink(links, 3, nullptr, {}, SW_SHOWDEFAULT));
  EXPECT_FALSE(ClickHtmlLink(links, -1, nullptr, {}, SW_SHOWDEFAULT));
  ASSERT_EQ(backend->OpenedUrls().size(), 1u);
  EXPECT_EQ(backend->OpenedUrls()[0], "http://h/1");
}

TEST_F(HtmlClick, EventMayChangeTheAddressOrVeto) {
  ustring seen;
  EXPECT_TRUE(ClickHtmlLink(
      links, 0, nullptr,
      [&](TObject*, ustring& url, bool&) {
        seen = url;
        url = u"https://other.example/";
      },
      SW_SHOWDEFAULT));
  EXPECT_EQ(seen, u"http://h/1");
  EXPECT_FALSE(ClickHtmlLink(
      links, 0, nullptr, [](TObject*, ustring&, bool& d) { d = false; }, SW_SHOWDEFAULT));
  ASSERT_EQ(backend->OpenedUrls().size(), 1u);
  EXPECT_EQ(backend->OpenedUrls()[0], "https://other.example/");
}

}  // namespace
}  // namespace qv
