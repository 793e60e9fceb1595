// Text-drawing layout: line breaks, word wrapping, the measured rectangle and
// return value, alignment, prefixes, tabs, ellipses and reading order.
#include "platform/text/text_layout.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/text/font_cache.h"
#include "platform/text/text.h"

namespace qv {
namespace {

class TextLayout : public ::testing::Test {
 protected:
  TextLayout() {
    font_.Name = u"Tahoma";
    font_.Height = -11;
    sized_ = text::AcquireFont(font_);
  }

  int W(ustring_view s) { return TextExtentOf(font_, s).cx; }

  text::TTextLayout Lay(ustring_view s, TRect r, unsigned flags) {
    return text::LayoutDrawText(*sized_, s, r, flags, false);
  }

  static ustring LineText(const text::TLaidLine& l) {
    std::u32string s;
    for (const auto& g : l.Glyphs) s.push_back(g.Char);
    ustring out;
    for (char32_t c : s) out.push_back(static_cast<char16_t>(c));
    return out;
  }

  TRect Calc(ustring_view s, TRect r, unsigned flags) {
    MeasureDrawText(font_, s, r, flags);
    return r;
  }

  TFont font_;
  std::shared_ptr<text::TSizedFont> sized_;
};

TEST_F(TextLayout, MeasuringSetsRightAndBottomAndReturnsTheHeight) {
  TRect r{10, 20, 10, 20};
  EXPECT_EQ(MeasureDrawText(font_, u"Схема:", r, DT_SINGLELINE), 13);
  EXPECT_EQ(r, (TRect{10, 20, 45, 33}));
  // Centred or right-aligned text keeps its left edge when measured.
  EXPECT_EQ(Calc(u"Схема:", {5, 5, 200, 100}, DT_CENTER), (TRect{5, 5, 40, 18}));
  EXPECT_EQ(Calc(u"Схема:", {5, 5, 200, 100}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE),
            (TRect{5, 5, 40, 18}));
  // Measuring through the drawing entry draws nothing.
  TBitmap32 bmp(50, 50);
  bmp.Fill({1, 2, 3, 4});
  TTextDevice device(bmp);
  TRect q{0, 0, 50, 50};
  EXPECT_EQ(DrawTextTo(device, font_, u"Текст", q, DT_CALCRECT), 13);
  EXPECT_EQ(q.Right, W(u"Текст"));
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(bmp.Pixel(x, y), (TBGRA{1, 2, 3, 4}));
  }
}

TEST_F(TextLayout, EmptyTextHasNoLines) {
  EXPECT_EQ(Calc(u"", {3, 4, 90, 90}, 0), (TRect{3, 4, 3, 4}));
  // A lone prefix character leaves nothing either; without prefixes it is text.
  EXPECT_EQ(Calc(u"&", {3, 4, 90, 90}, 0), (TRect{3, 4, 3, 4}));
  EXPECT_EQ(Calc(u"&", {3, 4, 90, 90}, DT_NOPREFIX).Bottom, 17);
}

TEST_F(TextLayout, LinesBreakAtCrLfAndCrlf) {
  EXPECT_EQ(Calc(u"a\r\nb\nc\rd", {0, 0, 100, 0}, 0).Bottom, 4 * 13);
  EXPECT_EQ(Calc(u"a\n\nb", {0, 0, 100, 0}, 0).Bottom, 3 * 13);
  // A final break opens no empty line; a lone break is one empty line.
  EXPECT_EQ(Calc(u"a\r\n", {0, 0, 100, 0}, 0).Bottom, 13);
  EXPECT_EQ(Calc(u"\n", {0, 0, 100, 0}, 0).Bottom, 13);
  // Width is the widest line.
  EXPECT_EQ(Calc(u"Пас\nВыносливость", {0, 0, 1, 0}, 0).Right, W(u"Выносливость"));
  // A single line ignores breaks.
  EXPECT_EQ(Calc(u"a\r\nb", {0, 0, 100, 0}, DT_SINGLELINE).Bottom, 13);
}

TEST_F(TextLayout, WordBreakWrapsAtSpacesAndDropsThem) {
  const ustring hint =
      u"Помните! Данная помощь не гарантирует Вам 100% успех, но увеличит шансы "
      u"победы над соперником";
  const TRect r{12, 271, 483, 321};
  const auto layout = Lay(hint, r, DT_WORDBREAK | DT_CENTER | DT_VCENTER);
  ASSERT_EQ(layout.Lines.size(), 2u);
  ustring joined;
  for (const auto& l : layout.Lines) {
    EXPECT_LE(l.Width, r.Width());
    const ustring t = LineText(l);
    EXPECT_NE(t.front(), u' ');
    EXPECT_NE(t.back(), u' ');
    EXPECT_EQ(l.X, r.Left + (r.Width() - l.Width) / 2);
    joined += (joined.empty() ? u"" : u" ") + t;
  }
  EXPECT_EQ(joined, hint);
  // Vertical centring is for single lines only.
  EXPECT_EQ(layout.Lines[0].Y, r.Top);
  EXPECT_EQ(layout.Result, 26);

  const int aaaa = W(u"аааа");
  const auto two = Lay(u"аааа   бббб", {0, 0, aaaa, 100}, DT_WORDBREAK);
  ASSERT_EQ(two.Lines.size(), 2u);
  EXPECT_EQ(LineText(two.Lines[0]), u"аааа");
  EXPECT_EQ(LineText(two.Lines[1]), u"бббб");
  // Leading spaces of a paragraph stay.
  EXPECT_EQ(LineText(Lay(u"  аа", {0, 0, 100, 100}, DT_WORDBREAK).Lines[0]), u"  аа");
}

TEST_F(TextLayout, AWordWiderThanTheLineOverflowsUnlessEditControl) {
  const ustring word = u"Выносливость";
  const auto whole = Lay(word + u" а", {0, 0, 20, 100}, DT_WORDBREAK);
  ASSERT_EQ(whole.Lines.size(), 2u);
  EXPECT_EQ(LineText(whole.Lines[0]), word);
  // Measuring widens the rectangle to the long word.
  EXPECT_EQ(Calc(word + u" а", {0, 0, 20, 0}, DT_WORDBREAK), (TRect{0, 0, W(word), 26}));
  // The edit-control flavour breaks between characters.
  const auto broken = Lay(word, {0, 0, 20, 1000}, DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_GT(broken.Lines.size(), 2u);
  ustring joined;
  for (const auto& l : broken.Lines) {
    EXPECT_TRUE(l.Width <= 20 || l.Glyphs.size() == 1);
    joined += LineText(l);
  }
  EXPECT_EQ(joined, word);
  // A width of zero puts each word on its line.
  EXPECT_EQ(Lay(u"а б в", {0, 0, 0, 0}, DT_WORDBREAK).Lines.size(), 3u);
}

TEST_F(TextLayout, ExtremeRectanglesAndPositionsAreSafe) {
  TBitmap32 bmp(20, 20);
  TTextDevice device(bmp);
  device.Origin = {7, -7};
  for (unsigned flags :
       {0u, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
        DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS, DT_WORDBREAK | DT_CALCRECT}) {
    TRect r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    DrawTextTo(device, font_, u"Сброс\tпоиск", r, flags | DT_EXPANDTABS);
    TRect inverted{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    DrawTextTo(device, font_, u"Сброс поиск", inverted, flags);
  }
  TextOutTo(device, font_, INT_MAX, INT_MIN, u"Сброс");
  TRect r{0, 0, 100, 100};
  EXPECT_EQ(MeasureDrawText(font_, ustring(5000, u'\n'), r, 0), 5000 * 13);
}

TEST_F(TextLayout, EditControlDropsAPartlyVisibleLastLine) {
  const auto l = Lay(u"а\nб\nв", {0, 0, 100, 30}, DT_EDITCONTROL);
  EXPECT_EQ(l.Lines.size(), 2u);
  EXPECT_EQ(Calc(u"а\nб\nв", {0, 0, 100, 30}, DT_EDITCONTROL).Bottom, 39);
}

TEST_F(TextLayout, AlignmentAndReturnValue) {
  const int w = W(u"Нет");
  const TRect r{10, 10, 110, 40};
  EXPECT_EQ(Lay(u"Нет", r, DT_CENTER).Lines[0].X, 10 + (100 - w) / 2);
  EXPECT_EQ(Lay(u"Нет", r, DT_RIGHT).Lines[0].X, 110 - w);
  EXPECT_EQ(Lay(u"Нет", r, DT_LEFT).Lines[0].X, 10);
  auto v = Lay(u"Нет", r, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(v.Lines[0].Y, 10 + (30 - 13) / 2);
  EXPECT_EQ(v.Result, (30 - 13) / 2 + 13);  // from the top to the text's bottom
  auto b = Lay(u"Нет", r, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(b.Lines[0].Y, 40 - 13);
  EXPECT_EQ(b.Result, 30);
  // Without DT_SINGLELINE vertical alignment does nothing.
  auto m = Lay(u"Нет", r, DT_VCENTER | DT_BOTTOM);
  EXPECT_EQ(m.Lines[0].Y, 10);
  EXPECT_EQ(m.Result, 13);
  // Text taller than the rectangle centres above its top.
  EXPECT_EQ(Lay(u"Нет", {0, 10, 50, 15}, DT_SINGLELINE | DT_VCENTER).Lines[0].Y, 10 + (5 - 13) / 2);
}

TEST_F(TextLayout, PrefixMarksTheNextCharacter) {
  auto l = Lay(u"&Сброс", {0, 0, 200, 20}, 0).Lines[0];
  EXPECT_EQ(LineText(l), u"Сброс");
  EXPECT_TRUE(l.Glyphs[0].Prefixed);
  for (std::size_t i = 1; i < l.Glyphs.size(); ++i) EXPECT_FALSE(l.Glyphs[i].Prefixed);
  EXPECT_EQ(l.Width, W(u"Сброс"));
  EXPECT_EQ(LineText(Lay(u"Да && нет", {0, 0, 200, 20}, 0).Lines[0]), u"Да & нет");
  EXPECT_EQ(LineText(Lay(u"Пас&", {0, 0, 200, 20}, 0).Lines[0]), u"Пас");
  auto mid = Lay(u"Вы&йти", {0, 0, 200, 20}, 0).Lines[0];
  EXPECT_TRUE(mid.Glyphs[2].Prefixed);
  EXPECT_EQ(LineText(Lay(u"&Сброс", {0, 0, 200, 20}, DT_NOPREFIX).Lines[0]), u"&Сброс");
  // Hidden prefixes are still taken out.
  EXPECT_EQ(LineText(Lay(u"&Сброс", {0, 0, 200, 20}, DT_HIDEPREFIX).Lines[0]), u"Сброс");
}

TEST_F(TextLayout, TabsExpandToStopsOfEightAverageCharacters) {
  const int ave = GetTextMetrics(font_).AveCharWidth;
  auto l = Lay(u"а\tб\tв", {0, 0, 500, 20}, DT_EXPANDTABS).Lines[0];
  ASSERT_EQ(l.Glyphs.size(), 5u);
  EXPECT_FALSE(l.Glyphs[1].Visible);
  EXPECT_EQ(l.Glyphs[2].X, 8 * ave);
  EXPECT_EQ(l.Glyphs[4].X, 16 * ave);
  // DT_TABSTOP takes the size from the second byte of the flags.
  auto four = Lay(u"а\tб", {0, 0, 500, 20}, DT_EXPANDTABS | DT_TABSTOP | (4u << 8)).Lines[0];
  EXPECT_EQ(four.Glyphs[2].X, 4 * ave);
  // That byte is then no flag: 4 << 8 is DT_CALCRECT's bit, yet this draws.
  TBitmap32 bmp(200, 20);
  TTextDevice device(bmp);
  TRect r{0, 0, 200, 20};
  DrawTextTo(device, font_, u"\tб", r, DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
  EXPECT_EQ(r, (TRect{0, 0, 200, 20}));
  // Unexpanded tabs are characters of the font, not stops.
  EXPECT_NE(Lay(u"а\tб", {0, 0, 500, 20}, 0).Lines[0].Glyphs[2].X, 8 * ave);
}

TEST_F(TextLayout, EndEllipsisKeepsWhatFitsBeforeDots) {
  const ustring text = u"Специальные умения:";
  const auto l = Lay(text, {0, 0, 60, 20}, DT_END_ELLIPSIS | DT_SINGLELINE).Lines[0];
  const ustring shown = LineText(l);
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
  EXPECT_EQ(text.substr(0, shown.size() - 3), shown.substr(0, shown.size() - 3));
  EXPECT_LE(l.Width, 60);
  // One more character would not have fitted.
  EXPECT_GT(W(text.substr(0, shown.size() - 2) + u"..."), 60);
  // Text that fits is left alone.
  EXPECT_EQ(LineText(Lay(text, {0, 0, 200, 20}, DT_END_ELLIPSIS).Lines[0]), text);
  // Too narrow for anything: the dots alone.
  EXPECT_EQ(LineText(Lay(text, {0, 0, 2, 20}, DT_END_ELLIPSIS).Lines[0]), u"...");
  // Measuring with an ellipsis reports the shortened width.
  EXPECT_LE(Calc(text, {0, 0, 60, 0}, DT_END_ELLIPSIS).Right, 60);
}

TEST_F(TextLayout, WordEllipsisCutsAtAWord) {
  const ustring text = u"Сила удара высокая";
  const int avail = W(u"Сила удара...") + 3;
  EXPECT_EQ(LineText(Lay(text, {0, 0, avail, 20}, DT_WORD_ELLIPSIS).Lines[0]), u"Сила удара...");
  // When no whole word fits it falls back to characters.
  const ustring cut = LineText(Lay(text, {0, 0, W(u"Си..."), 20}, DT_WORD_ELLIPSIS).Lines[0]);
  EXPECT_EQ(cut, u"Си...");
}

TEST_F(TextLayout, PathEllipsisKeepsTheLastComponent) {
  const ustring path = u"C:\\Игры\\Ballora\\скины\\MetroUI.asz";
  const int avail = W(u"C:\\И...\\MetroUI.asz");
  const ustring shown = LineText(Lay(path, {0, 0, avail, 20}, DT_PATH_ELLIPSIS).Lines[0]);
  EXPECT_EQ(shown, u"C:\\И...\\MetroUI.asz");
  // Without a separator it cuts at the end.
  const ustring plain = LineText(Lay(u"Трансферный", {0, 0, 40, 20}, DT_PATH_ELLIPSIS).Lines[0]);
  EXPECT_EQ(plain.substr(plain.size() - 3), u"...");
}

TEST_F(TextLayout, RightToLeftReadingMovesNeutralEnds) {
  auto order = [&](ustring_view s, unsigned flags) {
    return LineText(Lay(s, {0, 0, 300, 20}, flags).Lines[0]);
  };
  // Left-to-right text keeps its order; a trailing neutral goes to the left end.
  EXPECT_EQ(order(u"Счёт 4:1", DT_RTLREADING), u"Счёт 4:1");
  EXPECT_EQ(order(u"Помните!", DT_RTLREADING), u"!Помните");
  EXPECT_EQ(order(u"(да)", DT_RTLREADING), u"(да)");
  // Right-to-left letters are reversed, also inside left-to-right text.
  EXPECT_EQ(order(u"אבג", 0), u"גבא");
  EXPECT_EQ(order(u"ab אבג cd", 0), u"ab גבא cd");
  EXPECT_EQ(order(u"ab אבג", DT_RTLREADING), u"גבא ab");
  // Positions follow the visual order.
  auto l = Lay(u"Помните!", {0, 0, 300, 20}, DT_RTLREADING).Lines[0];
  EXPECT_EQ(l.Glyphs[0].X, 0);
  EXPECT_EQ(l.Glyphs[1].X, l.Glyphs[0].Advance);
}

}  // namespace
}  // namespace qv
