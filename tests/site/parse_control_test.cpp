// Marker extraction: present, missing and degenerate markers.
#include <gtest/gtest.h>

#include "site/ParseControl.h"

namespace qv {
namespace {

TEST(ExtractBetween, TakesTextBetweenFirstStartAndFollowingEnd) {
  EXPECT_EQ(ExtractBetween(u"abXcdYef", u"X", u"Y"), u"cd");
  // Only first occurrences count; an end marker before the start is not seen.
  EXPECT_EQ(ExtractBetween(u"Y1X2Y3X4Y", u"X", u"Y"), u"2");
  // Equal markers: between the first and the second occurrence.
  EXPECT_EQ(ExtractBetween(u"a|b|c|", u"|", u"|"), u"b");
  EXPECT_EQ(ExtractBetween(u"<b>Иван</b>", u"<b>", u"</b>"), u"Иван");
}

TEST(ExtractBetween, MissingEndMarkerKeepsTheRest) {
  EXPECT_EQ(ExtractBetween(u"abXcdef", u"X", u"Y"), u"cdef");
  EXPECT_EQ(ExtractBetween(u"abXcd", u"X", u""), u"cd");
}

TEST(ExtractBetween, MissingStartMarkerDropsItsLengthLessOne) {
  EXPECT_EQ(ExtractBetween(u"abcdef", u"xyz", u"e"), u"cd");
  EXPECT_EQ(ExtractBetween(u"abcdef", u"xyz", u"q"), u"cdef");
  EXPECT_EQ(ExtractBetween(u"abcdef", u"x", u"q"), u"abcdef");
  EXPECT_EQ(ExtractBetween(u"abcdef", u"", u"d"), u"abc");
  // Longer than the text: everything goes.
  EXPECT_EQ(ExtractBetween(u"abc", u"abcdefgh", u"q"), u"");
  // Case matters: "x" spelled "X" is absent.
  EXPECT_EQ(ExtractBetween(u"aXbYc", u"x", u"Y"), u"aXb");
}

TEST(ExtractBetween, EmptyInputsNeverFail) {
  EXPECT_EQ(ExtractBetween(u"", u"", u""), u"");
  EXPECT_EQ(ExtractBetween(u"", u"X", u"Y"), u"");
  EXPECT_EQ(ExtractBetween(u"abc", u"", u""), u"abc");
  // The marker at the very end leaves nothing to cut.
  EXPECT_EQ(ExtractBetween(u"abcX", u"X", u"Y"), u"");
}

TEST(ExtractBetween, LeavesTheCallersTextAlone) {
  const ustring page = u"<p>Дата регистрации</td><td width=100%>03.12.2012</td>";
  EXPECT_EQ(ExtractBetween(page, u"Дата регистрации</td><td width=100%>", u"</td>"), u"03.12.2012");
  EXPECT_EQ(ExtractBetween(page, u"<p>", u"</td>"), u"Дата регистрации");
}

}  // namespace
}  // namespace qv
