// Page 4, the manager look-up, through the window: the login typed into its
// box, "Информация об игроке" pressed, the profile page served by a loopback
// server standing in for the game site, the four labels read back. Also what
// happens around a pending fetch: a second press, edits, closing the window.
#include <algorithm>
#include <string>

#include "site/game_site.h"
#include "tests/app/form1_fixture.h"
#include "tests/site/loopback.h"

namespace qv {
namespace {

using test::Form1Test;
using test::RawServer;

const char16_t kUnknown[] = u"<неизвестно>";

// A profile page holding all four markers, for the manager named login.
std::string ProfilePage(const std::string& login) {
  return "<html><body><table><tr><td><a href=/users/1>" + login +
         "</a> [17]</td></tr>"
         "<tr><td>Дата регистрации</td><td width=100%>03.12.2012</td></tr>"
         "<tr><td><img src=line.gif width=10 border=0 align=absmiddle title=Онлайн></td></tr>"
         "</table><input type=hidden name=\"LastLogin\"  value=\"09.12.2026 15:04\"/>"
         "</body></html>";
}

std::string Page1251(const std::string& login) { return Utf16ToAnsi(U(ProfilePage(login))); }

std::string Response(const std::string& status, const std::string& body) {
  return "HTTP/1.1 " + status +
         "\r\nContent-Type: text/html; charset=windows-1251\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// The path of a request's first line.
std::string RequestPath(const std::string& request) {
  const auto a = request.find(' ');
  const auto b = request.find(' ', a + 1);
  return request.substr(a + 1, b - a - 1);
}

class LookupTest : public Form1Test {
 protected:
  // The site answers with what respond returns for the request's path.
  void Serve(std::function<std::string(const std::string& path)> respond) {
    server = std::make_unique<RawServer>([respond](int fd, const std::string& request) {
      RawServer::Send(fd, respond(RequestPath(request)));
      return false;
    });
    server->Start();
    SetGameHostForRun(u"127.0.0.1:" + Utf8ToUtf16(std::to_string(server->Port())));
    ShowPage(F().sTabSheet4);
  }
  void TearDown() override {
    SetGameHostForRun({});
    Form1Test::TearDown();
    server.reset();
  }

  // Presses the button as the user does; the click's handler runs inside the
  // application's own message handling, as in the running program, so that
  // its errors reach the default handler.
  void PressLookup() {
    headless->Click(Center(F().sBitBtn8), TRawMouseButton::Left, false);
    Application().ProcessMessages();
  }

  std::vector<std::string> Labels() {
    return {Text(F().labLevel), Text(F().labRegDate), Text(F().labStatus), Text(F().labLastEnter)};
  }

  std::unique_ptr<RawServer> server;
};

TEST_F(LookupTest, AProfilePageFillsTheFourLabels) {
  const std::vector<std::string> unknown(4, Utf16ToUtf8(kUnknown));
  EXPECT_EQ(Labels(), unknown) << "before the first look-up";

  std::string path;
  Serve([&path](const std::string& p) {
    path = p;
    return Response("200 OK", Page1251("Иван Петров"));
  });
  TypeInto(F().cbUserLogin, u"Иван Петров");
  PressLookup();

  // The space becomes "+", the Cyrillic letters travel as UTF-8 escapes; the
  // level marker keeps the space as typed.
  EXPECT_EQ(path, "/users/%D0%98%D0%B2%D0%B0%D0%BD+%D0%9F%D0%B5%D1%82%D1%80%D0%BE%D0%B2");
  EXPECT_EQ(Labels(), (std::vector<std::string>{"17", "03.12.2012", "Онлайн", "09.12.2026 15:04"}));
  EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(LookupTest, MissingMarkersGiveWhatTheExtractionYields) {
  Serve([](const std::string&) { return Response("200 OK", Page1251("Boss")); });
  // The login differs in letter case from the page's: the level marker is not
  // found, so the label gets the page without its first length(marker) - 1
  // characters, cut at the first "]</".
  TypeInto(F().cbUserLogin, u"boss");
  PressLookup();
  const std::string page = ProfilePage("Boss");
  const std::string marker = "boss</a> [";
  const std::string rest = page.substr(marker.size() - 1);
  EXPECT_EQ(Text(F().labLevel), rest.substr(0, rest.find("]</")));
  EXPECT_EQ(Text(F().labRegDate), "03.12.2012") << "the other markers still match";

  // An empty page: every label is overwritten, none gets "<неизвестно>" back.
  server->Stop();
  Serve([](const std::string&) { return Response("200 OK", ""); });
  PressLookup();
  EXPECT_EQ(Labels(), std::vector<std::string>(4, ""));
}

TEST_F(LookupTest, AnEmptyLoginFetchesTheUsersPath) {
  std::string path;
  Serve([&path](const std::string& p) {
    path = p;
    return Response("200 OK", "x</a> [5]</td>");
  });
  PressLookup();
  EXPECT_EQ(path, "/users/");
  EXPECT_EQ(Text(F().labLevel), "5") << "the level marker is just \"</a> [\"";
}

TEST_F(LookupTest, AFailedFetchShowsTheErrorBoxAndKeepsTheLabels) {
  Serve([](const std::string& path) {
    return path == "/users/ok" ? Response("200 OK", Page1251("ok"))
                               : Response("404 Not Found", "no such manager");
  });
  TypeInto(F().cbUserLogin, u"ok");
  PressLookup();
  const std::vector<std::string> found = Labels();
  ASSERT_EQ(found[0], "17");

  TypeInto(F().cbUserLogin, u"nobody");
  PressLookup();
  ASSERT_EQ(headless->MessageBoxes().size(), 1u);
  EXPECT_EQ(headless->MessageBoxes()[0].title, u"Ballora Quorvane");
  EXPECT_EQ(headless->MessageBoxes()[0].text, u"HTTP/1.1 404 Not Found.");
  EXPECT_EQ(Labels(), found);
  EXPECT_TRUE(F().Visible()) << "the window stays open";

  // A server that is gone: the library's message, labels still kept.
  server->Stop();
  server.reset();
  PressLookup();
  ASSERT_EQ(headless->MessageBoxes().size(), 2u);
  EXPECT_FALSE(headless->MessageBoxes()[1].text.empty());
  EXPECT_EQ(Labels(), found);
}

// The servicing during a fetch is where the user's input of that time is
// handled; the test acts there once, as a user would while the page loads.
class PendingLookupTest : public LookupTest {
 protected:
  void SetUp() override {
    LookupTest::SetUp();
    Serve([this](const std::string&) {
      while (!release && !server->Stopping()) test::SleepMs(5);
      return Response("200 OK", Page1251("second"));
    });
    F().IdAntiFreeze1->OnProcess = [this] {
      if (!acted && during) {
        acted = true;
        during();
      }
      Application().ProcessMessages();
      if (acted) release = true;
    };
  }
  std::atomic<bool> release{false};
  bool acted = false;
  std::function<void()> during;
};

TEST_F(PendingLookupTest, TheLoginIsReadAgainAfterTheFetchAndPagesStillSwitch) {
  TypeInto(F().cbUserLogin, u"first");
  during = [this] {
    ASSERT_TRUE(F().IdHTTP1->Busy());
    TypeInto(F().cbUserLogin, u"second");
    // A second press while the fetch is pending starts nothing.
    Click(F().sBitBtn8);
    ShowPage(F().sTabSheet1);
  };
  PressLookup();
  ASSERT_TRUE(acted);
  EXPECT_EQ(server->Requests().size(), 1u);
  EXPECT_EQ(F().sPageControl1->ActivePage(), F().sTabSheet1);
  EXPECT_EQ(Text(F().labLevel), "17") << "the marker of the edited login";
  EXPECT_TRUE(headless->MessageBoxes().empty());
}

TEST_F(PendingLookupTest, ClosingTheWindowCancelsTheFetchSilentlyAndThenCloses) {
  during = [this] { Click(F().sBitBtn4); };  // "Выйти"
  PressLookup();
  ASSERT_TRUE(acted);
  Application().ProcessMessages();  // the close put off until the fetch ended
  EXPECT_FALSE(F().IdHTTP1->Busy());
  EXPECT_FALSE(F().Visible());
  EXPECT_TRUE(headless->MessageBoxes().empty()) << "a cancelled fetch is no error";
  EXPECT_EQ(Text(F().labLevel), Utf16ToUtf8(kUnknown));
}

}  // namespace
}  // namespace qv
