// Charset names, Content-Type values, meta declarations and body decoding.
#include "site/charset.h"

#include <gtest/gtest.h>

#include "site/html_meta.h"

namespace qv {
namespace {

TEST(Charset, ContentTypeParts) {
  EXPECT_EQ(ParseContentType("Text/HTML; charset=windows-1251").mediaType, "text/html");
  EXPECT_EQ(ParseContentType("text/html; charset=windows-1251").charset, "windows-1251");
  EXPECT_EQ(ParseContentType("text/html;foo=\"a;b\"; Charset = \"UTF-8\" ").charset, "UTF-8");
  EXPECT_EQ(ParseContentType("text/plain").charset, "");
  EXPECT_EQ(ParseContentType("").mediaType, "");
}

TEST(Charset, AllowListAndAliases) {
  EXPECT_EQ(CanonicalCharset(" UTF8 "), "UTF-8");
  EXPECT_EQ(CanonicalCharset("Windows-1251"), "WINDOWS-1251");
  EXPECT_EQ(CanonicalCharset("cp1250"), "WINDOWS-1250");
  EXPECT_EQ(CanonicalCharset("'koi8-r'"), "KOI8-R");
  EXPECT_EQ(CanonicalCharset("KOI8-U"), "KOI8-U");
  EXPECT_EQ(CanonicalCharset("IBM866"), "CP866");
  EXPECT_EQ(CanonicalCharset("iso_8859-5:1988"), "ISO-8859-5");
  EXPECT_EQ(CanonicalCharset("ISO-8859-16"), "ISO-8859-16");
  EXPECT_EQ(CanonicalCharset("us-ascii"), "US-ASCII");
  for (const char* bad : {"", "utf-16", "windows-1259", "iso-8859-12", "iso-8859-017", "ebcdic",
                          "../../etc/passwd", "UTF-8//TRANSLIT", "windows-12510"}) {
    EXPECT_EQ(CanonicalCharset(bad), "") << bad;
  }
}

TEST(Charset, DecodesEachAllowedFamily) {
  EXPECT_EQ(DecodeBody("\xcf\xf0\xe8\xe2\xe5\xf2", "WINDOWS-1251"), u"Привет");
  EXPECT_EQ(DecodeBody("\xf0\xd2\xc9\xd7\xc5\xd4", "KOI8-R"), u"Привет");
  EXPECT_EQ(DecodeBody("\x8f\xe0\xa8\xa2\xa5\xe2", "CP866"), u"Привет");
  EXPECT_EQ(DecodeBody("\xbf\xe0\xd8\xd2\xd5\xe2", "ISO-8859-5"), u"Привет");
  EXPECT_EQ(DecodeBody("\xd0\x9f\xd1\x80\xf0\x9f\x98\x80", "UTF-8"), u"Пр\U0001F600");
  // No charset: each byte is the code of the same value.
  EXPECT_EQ(DecodeBody("\xcf\xf0", ""), u"\u00cf\u00f0");
}

TEST(Charset, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(DecodeBody("a\xff"
                       "b",
                       "UTF-8"),
            u"a\uFFFDb");
  EXPECT_EQ(DecodeBody("a\xd0", "UTF-8"), u"a\uFFFD");  // cut off at the end
  EXPECT_EQ(DecodeBody("a\x98"
                       "b",
                       "WINDOWS-1251"),
            u"a\uFFFDb");
  EXPECT_EQ(DecodeBody("\x80", "US-ASCII"), u"\uFFFD");
  // Larger than one conversion chunk, with a fault past the first chunk.
  std::string big(20000, 'x');
  big[15000] = '\xff';
  const ustring decoded = DecodeBody(big, "UTF-8");
  ASSERT_EQ(decoded.size(), big.size());
  EXPECT_EQ(decoded[15000], u'\uFFFD');
}

TEST(MetaScan, FindsCharsetDeclarationsOfBothForms) {
  EXPECT_EQ(ScanMetaHeaders("<html><head><META CHARSET=utf-8></head>").charset, "UTF-8");
  EXPECT_EQ(ScanMetaHeaders("<meta http-equiv='Content-Type' content='text/html; "
                            "charset=windows-1251'>")
                .charset,
            "WINDOWS-1251");
  EXPECT_EQ(ScanMetaHeaders("<meta content=\"text/html; charset=koi8-r\" "
                            "http-equiv=content-type />")
                .charset,
            "KOI8-R");
}

TEST(MetaScan, FirstKnownDeclarationInTheHeadWins) {
  EXPECT_EQ(
      ScanMetaHeaders("<meta charset=bogus><meta charset=cp1251><meta charset=utf-8>").charset,
      "WINDOWS-1251");
  // Comments, other tags and anything after the head do not count.
  EXPECT_EQ(ScanMetaHeaders("<!-- <meta charset=utf-8> --><metadata charset=utf-8>"
                            "<meta name=charset content=utf-8></head><meta charset=utf-8>")
                .charset,
            "");
  EXPECT_EQ(ScanMetaHeaders("<body><meta charset=utf-8>").charset, "");
  // A charset attribute elsewhere than on meta is nothing.
  EXPECT_EQ(ScanMetaHeaders("<script charset=utf-8></script>").charset, "");
}

TEST(MetaScan, CollectsHttpEquivCookies) {
  const TMetaHeaders meta = ScanMetaHeaders(
      "<meta http-equiv=\"Set-Cookie\" content=\"a=1; path=/\">"
      "<meta http-equiv=Refresh content=5><META HTTP-EQUIV=set-cookie CONTENT='b=2'>");
  ASSERT_EQ(meta.setCookies.size(), 2u);
  EXPECT_EQ(meta.setCookies[0], "a=1; path=/");
  EXPECT_EQ(meta.setCookies[1], "b=2");

  std::string many;
  for (int i = 0; i < 100; ++i) many += "<meta http-equiv=set-cookie content=c=1>";
  EXPECT_EQ(ScanMetaHeaders(many).setCookies.size(), TMetaHeaders::kMaxCookies);
}

TEST(MetaScan, SurvivesBrokenMarkup) {
  for (const char* s : {"<", "<meta", "<meta charset", "<meta charset=", "<meta charset='utf-8",
                        "<!--", "<meta =x>", "<meta/charset=utf-8/>", "<<<meta>>>"}) {
    (void)ScanMetaHeaders(s);
  }
  EXPECT_EQ(ScanMetaHeaders("<meta/charset=utf-8/>").charset, "");  // value is "utf-8/"
  EXPECT_EQ(ScanMetaHeaders("<meta charset='utf-8").charset, "UTF-8");
}

}  // namespace
}  // namespace qv
