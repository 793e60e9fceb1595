// Fetch URLs on the wire: what is kept, what is escaped, what is refused.
#include "site/url.h"

#include <gtest/gtest.h>

#include <vector>

#include "site/IdException.h"

namespace qv {
namespace {

TEST(UrlToWire, KeepsAsciiPathAndQueryAsTheyStand) {
  EXPECT_EQ(UrlToWire(u"http://host/users/a+b?x=%41&y=/../z"),
            "http://host/users/a+b?x=%41&y=/../z");
  EXPECT_EQ(UrlToWire(u"HTTP://host:8080/"), "HTTP://host:8080/");
}

TEST(UrlToWire, EscapesWhatHttpCannotCarry) {
  EXPECT_EQ(UrlToWire(u"http://h/users/Иван"), "http://h/users/%D0%98%D0%B2%D0%B0%D0%BD");
  EXPECT_EQ(UrlToWire(u"http://h/users/a#1 b"), "http://h/users/a%231%20b");
  // A surrogate pair is one character, four UTF-8 bytes.
  EXPECT_EQ(UrlToWire(u"http://h/\U0001F600"), "http://h/%F0%9F%98%80");
}

TEST(UrlToWire, RefusesUnsafeOrForeignUrls) {
  const std::vector<ustring> urls = {u"http://h/a\r\nX-Evil: 1",
                                     u"http://h/\t",
                                     ustring(u"http://h/a\0b", 12),
                                     u"http://h/\u0085",
                                     u"https://h/",
                                     u"ftp://h/",
                                     u"h/users/x",
                                     u"http://",
                                     u"http:///path",
                                     u""};
  for (const ustring& url : urls) {
    EXPECT_THROW(UrlToWire(url), EIdURIException) << Utf16ToUtf8(url);
  }
}

}  // namespace
}  // namespace qv
