// The page fetch against a loopback HTTP server: decoding, statuses, cookies,
// connection reuse, body framing and the size limit.
#include <gtest/gtest.h>

#include <atomic>

#include "site/IdHTTP.h"
#include "tests/site/loopback.h"

namespace qv {
namespace {

using test::HttplibServer;

// "Привет" in windows-1251 and in UTF-8.
const std::string kCp1251 = "\xcf\xf0\xe8\xe2\xe5\xf2";
const std::string kUtf8 = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82";

TEST(PageFetch, DecodesBodiesByHeaderAndMetaCharset) {
  HttplibServer s;
  auto serve = [&s](const char* path, std::string body, const char* type) {
    s.server.Get(path, [body, type](const httplib::Request&, httplib::Response& res) {
      res.set_content(body, type);
    });
  };
  serve("/header1251", "<p>" + kCp1251 + "</p>", "text/html; charset=windows-1251");
  serve("/meta-utf8", "<html><head><meta charset=\"utf-8\"></head><body>" + kUtf8, "text/html");
  serve("/meta-over-header",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">" + kUtf8,
        "text/html; charset=windows-1251");
  serve("/none", kCp1251, "text/html");
  serve("/bad-name", kCp1251, "text/html; charset=x-no-such-charset");
  serve("/bad-meta", "<meta charset=nonsense>" + kCp1251, "text/html; charset=windows-1251");
  // Only HTML pages are scanned for declarations.
  serve("/plain-meta", "<meta charset=utf-8>" + kCp1251, "text/plain; charset=windows-1251");
  s.Start();

  TIdHTTP http(nullptr);
  EXPECT_EQ(http.Get(s.Url("/header1251")), u"<p>Привет</p>");
  EXPECT_EQ(http.Get(s.Url("/meta-utf8")),
            u"<html><head><meta charset=\"utf-8\"></head><body>Привет");
  EXPECT_TRUE(http.Get(s.Url("/meta-over-header")).ends_with(u"\">Привет"));
  // No known charset: each byte stands for the code of the same value.
  EXPECT_EQ(http.Get(s.Url("/none")), u"\u00cf\u00f0\u00e8\u00e2\u00e5\u00f2");
  EXPECT_EQ(http.Get(s.Url("/bad-name")), u"\u00cf\u00f0\u00e8\u00e2\u00e5\u00f2");
  EXPECT_EQ(http.Get(s.Url("/bad-meta")), u"<meta charset=nonsense>Привет");
  EXPECT_EQ(http.Get(s.Url("/plain-meta")), u"<meta charset=utf-8>Привет");
  EXPECT_EQ(http.ResponseCode(), 200);
  EXPECT_EQ(http.ResponseText(), u"HTTP/1.1 200 OK");
}

TEST(PageFetch, StatusesOutside2xxFailWithTheStatusLine) {
  HttplibServer s;
  std::atomic<int> targetHits{0};
  s.server.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/target", 301);
  });
  s.server.Get("/found", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/target", 302);
  });
  s.server.Get("/target", [&](const httplib::Request&, httplib::Response& res) {
    ++targetHits;
    res.set_content("target", "text/html");
  });
  s.server.Get("/boom", [](const httplib::Request&, httplib::Response& res) {
    res.status = 500;
    res.set_content("server trouble", "text/html");
  });
  s.server.Get("/empty", [](const httplib::Request&, httplib::Response& res) { res.status = 204; });
  s.Start();

  TIdHTTP http(nullptr);
  struct Case {
    const char* path;
    int code;
    const char16_t* line;
  };
  for (const Case& c : {Case{"/moved", 301, u"HTTP/1.1 301 Moved Permanently"},
                        Case{"/found", 302, u"HTTP/1.1 302 Found"},
                        Case{"/missing", 404, u"HTTP/1.1 404 Not Found"},
                        Case{"/boom", 500, u"HTTP/1.1 500 Internal Server Error"}}) {
    try {
      http.Get(s.Url(c.path));
      ADD_FAILURE() << c.path << " did not fail";
    } catch (const EIdHTTPProtocolException& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_EQ(e.Message(), c.line);
      EXPECT_EQ(http.ResponseCode(), c.code);
    }
  }
  EXPECT_EQ(targetHits.load(), 0);
  // The client goes on working after failures; a 2xx without a body is empty text.
  EXPECT_EQ(http.Get(s.Url("/empty")), u"");
  EXPECT_EQ(http.Get(s.Url("/target")), u"target");
}

TEST(PageFetch, CookiesLiveAsLongAsTheClient) {
  HttplibServer s;
  s.server.Get("/login", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "sid=42; Path=/");
    res.set_content("ok", "text/html");
  });
  s.server.Get("/page", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(
        "<html><head><meta http-equiv=\"Set-Cookie\" content=\"theme=dark; path=/\">"
        "<meta http-equiv=\"Set-Cookie\" content=\"evil=1; domain=elsewhere.test\">"
        "</head></html>",
        "text/html");
  });
  s.server.Get("/echo", [](const httplib::Request& req, httplib::Response& res) {
    res.set_content(req.get_header_value("Cookie"), "text/plain");
  });
  s.Start();

  {
    TIdHTTP http(nullptr);
    EXPECT_EQ(http.Get(s.Url("/echo")), u"");
    http.Get(s.Url("/login"));
    EXPECT_EQ(http.Get(s.Url("/echo")), u"sid=42");
    http.Get(s.Url("/page"));
    const ustring sent = http.Get(s.Url("/echo"));
    EXPECT_NE(sent.find(u"sid=42"), ustring::npos);
    EXPECT_NE(sent.find(u"theme=dark"), ustring::npos);
    EXPECT_EQ(sent.find(u"evil"), ustring::npos);
  }
  // A new client (a new run of the program) starts without cookies.
  TIdHTTP fresh(nullptr);
  EXPECT_EQ(fresh.Get(s.Url("/echo")), u"");
}

TEST(PageFetch, SettingsChangedBetweenFetchesApplyToTheNext) {
  HttplibServer s;
  s.server.Get("/login", [](const httplib::Request&, httplib::Response& res) {
    res.set_header("Set-Cookie", "sid=42; Path=/");
    res.set_content("<meta http-equiv=Set-Cookie content='m=1'>", "text/html");
  });
  s.server.Get("/echo", [](const httplib::Request& req, httplib::Response& res) {
    res.set_content(req.get_header_value("Cookie") + "|" + req.get_header_value("Accept") + "|" +
                        req.get_header_value("User-Agent") + "|" + req.version,
                    "text/plain");
  });
  s.Start();

  TIdHTTP http(nullptr);
  http.Get(s.Url("/login"));
  EXPECT_EQ(http.Get(s.Url("/echo")),
            u"sid=42; m=1|text/html, */*|Mozilla/3.0 (compatible; Indy Library)|HTTP/1.1");
  http.AllowCookies = false;
  http.Request.Accept = "text/plain";
  http.Request.UserAgent = "Quorvane";
  http.ProtocolVersion = pv1_0;
  EXPECT_EQ(http.Get(s.Url("/echo")), u"|text/plain|Quorvane|HTTP/1.0");
  http.Get(s.Url("/login"));  // neither kind of cookie is kept now
  http.AllowCookies = true;
  EXPECT_EQ(http.Get(s.Url("/echo")), u"|text/plain|Quorvane|HTTP/1.0");
  http.Request.UserAgent = "bad\r\nX-Injected: 1";
  EXPECT_THROW(http.Get(s.Url("/echo")), EIdException);
  EXPECT_FALSE(http.Busy());
}

TEST(PageFetch, ReadsChunkedBodiesAndHonoursTheSizeLimit) {
  HttplibServer s;
  const std::string big(3000, 'z');
  s.server.Get("/chunked", [](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("text/html", [](std::size_t offset, httplib::DataSink& sink) {
      if (offset >= 30) {
        sink.done();
        return true;
      }
      sink.write("0123456789", 10);
      return true;
    });
  });
  s.server.Get("/big", [&big](const httplib::Request&, httplib::Response& res) {
    res.set_content(big, "text/html");
  });
  s.server.Get("/big-chunked", [](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("text/html", [](std::size_t offset, httplib::DataSink& sink) {
      if (offset >= 3000) {
        sink.done();
        return true;
      }
      const std::string piece(500, 'y');
      sink.write(piece.data(), piece.size());
      return true;
    });
  });
  s.Start();

  TIdHTTP http(nullptr);
  EXPECT_EQ(http.Get(s.Url("/chunked")), u"012345678901234567890123456789");
  http.MaxContentLength = 3000;
  EXPECT_EQ(http.Get(s.Url("/big")).size(), 3000u);
  http.MaxContentLength = 2999;
  EXPECT_THROW(http.Get(s.Url("/big")), EIdSocketError);
  try {
    http.Get(s.Url("/big-chunked"));
    ADD_FAILURE() << "a chunked body over the limit was accepted";
  } catch (const EIdSocketError& e) {
    EXPECT_EQ(e.Message(), u"The response is larger than 2999 bytes; the fetch was stopped.");
  }
  http.MaxContentLength = std::size_t{16} << 20;
  EXPECT_EQ(http.Get(s.Url("/chunked")).size(), 30u);
}

}  // namespace
}  // namespace qv
