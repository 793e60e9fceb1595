// Text helpers: UTF conversions, the 8-bit code page, 1-based routines.
#include "platform/ustring.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Utf, RoundTripsCyrillicAndAstral) {
  const std::string s = "Тактика: 4-4-2 \xF0\x9F\x98\x80";
  const ustring u = Utf8ToUtf16(s);
  EXPECT_EQ(u.substr(0, 7), u"Тактика");
  EXPECT_EQ(u.size(), 17u);  // the emoji is a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(u), s);
}

TEST(Utf, BadInputBecomesReplacement) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");      // overlong
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD");      // truncated
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");  // encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(ustring(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Ansi, Windows1251BothWays) {
  EXPECT_EQ(AnsiToUtf16("\xC0\xFF\xA8\xB8"), u"АяЁё");
  EXPECT_EQ(Utf16ToAnsi(u"Привет"), "\xCF\xF0\xE8\xE2\xE5\xF2");
  EXPECT_EQ(Utf16ToAnsi(u"日"), "?");
  EXPECT_EQ(AnsiToUtf16("\x98"), u"\uFFFD");
}

TEST(OneBased, PosCopyDeleteBounds) {
  EXPECT_EQ(Pos(u"X", u"abXcdX"), 3);
  EXPECT_EQ(Pos(u"", u"abc"), 0);
  EXPECT_EQ(Pos(u"a", u""), 0);
  EXPECT_EQ(Pos(u"abcd", u"abc"), 0);
  EXPECT_EQ(Copy(u"abcdef", 0, 2), u"ab");
  EXPECT_EQ(Copy(u"abcdef", 5, 10), u"ef");
  EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
  EXPECT_EQ(Copy(u"abcdef", 2, -1), u"");
  ustring s = u"abcdef";
  Delete(s, 0, 2);
  EXPECT_EQ(s, u"abcdef");
  Delete(s, 7, 1);
  EXPECT_EQ(s, u"abcdef");
  Delete(s, 2, 0);
  EXPECT_EQ(s, u"abcdef");
  Delete(s, 5, 100);
  EXPECT_EQ(s, u"abcd");
  Delete(s, 1, 2);
  EXPECT_EQ(s, u"cd");
}

TEST(Numbers, IntConversion) {
  EXPECT_EQ(IntToStr(-25), u"-25");
  EXPECT_EQ(TryStrToInt(u"42"), 42);
  EXPECT_EQ(TryStrToInt(u"+7"), 7);
  EXPECT_EQ(TryStrToInt(u"-2147483648"), -2147483647 - 1);
  EXPECT_FALSE(TryStrToInt(u"2147483648"));
  EXPECT_FALSE(TryStrToInt(u""));
  EXPECT_FALSE(TryStrToInt(u" 1"));
  EXPECT_FALSE(TryStrToInt(u"1a"));
  EXPECT_FALSE(TryStrToInt(u"+-1"));
  EXPECT_EQ(StrToIntDef(u"x", -1), -1);
}

TEST(Case, OneUnitForOneUnit) {
  EXPECT_EQ(UpperCase(u"abcЯяёђ1"), u"ABCЯЯЁЂ1");
  EXPECT_EQ(LowerCase(u"ABCЯЁЂ"), u"abcяёђ");
}

}  // namespace
}  // namespace qv
