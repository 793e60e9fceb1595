// The fake game site tool serves profile pages that the four look-up markers
// read, and the error answers it promises.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "site/IdHTTP.h"
#include "site/ParseControl.h"
#include "site/game_site.h"
#include "tests/site/loopback.h"

namespace qv {
namespace {

class FakeSite {
 public:
  FakeSite() {
    {
      test::RawServer probe([](int, const std::string&) { return false; });
      port_ = probe.Port();
    }
    const std::string exe = std::string(QV_BINARY_DIR) + "/tools/fake-site/quorvane-fake-site";
    if (!std::filesystem::exists(exe)) throw std::runtime_error(exe + " is not built");
    std::fflush(nullptr);  // the child must not repeat buffered output
    pid_ = ::fork();
    if (pid_ == 0) {
      const std::string port = std::to_string(port_);
      ::freopen("/dev/null", "w", stdout);
      ::execl(exe.c_str(), exe.c_str(), "--port", port.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~FakeSite() {
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  ustring Host() const { return u"127.0.0.1:" + IntToStr(port_); }

 private:
  int port_ = 0;
  pid_t pid_ = -1;
};

// Retries while the tool is still starting up.
ustring GetWhenUp(TIdHTTP& http, const ustring& url) {
  for (int i = 0;; ++i) {
    try {
      return http.Get(url);
    } catch (const EIdSocketError&) {
      if (i >= 250) throw;
      test::SleepMs(20);
    }
  }
}

TEST(FakeSite, ServesProfilesWithTheLookUpMarkers) {
  FakeSite site;
  TIdHTTP http(nullptr);
  const ustring login = u"Иван Петров";
  ustring url = u"http://" + site.Host() + u"/users/" + login;
  for (char16_t& c : url) {
    if (c == u' ') c = u'+';
  }
  const ustring page = GetWhenUp(http, url);
  const ustring level = ExtractBetween(page, login + u"</a> [", u"]</");
  const int n = StrToIntDef(level, 0);
  EXPECT_TRUE(n >= 1 && n <= 60) << Utf16ToUtf8(level);
  EXPECT_EQ(ExtractBetween(page, u"Дата регистрации</td><td width=100%>", u"</td>").size(), 10u);
  const ustring status =
      ExtractBetween(page, u"line.gif width=10 border=0 align=absmiddle title=", u">");
  EXPECT_TRUE(status == u"Онлайн" || status == u"Оффлайн" || status == u"Заблокирован")
      << Utf16ToUtf8(status);
  EXPECT_EQ(ExtractBetween(page, u"ame=\"LastLogin\"  value=\"", u"\"/>").size(), 16u);
  // The same login always has the same profile; the visit counter is a cookie.
  const ustring again = http.Get(url);
  EXPECT_EQ(ExtractBetween(again, login + u"</a> [", u"]</"), level);
  EXPECT_NE(again.find(u"Визитов за сеанс: 2"), ustring::npos);

  const ustring bare = http.Get(u"http://" + site.Host() + u"/users/nomarkers");
  EXPECT_EQ(bare.find(u"Дата регистрации"), ustring::npos);
  for (const char16_t* failing : {u"nobody", u"moved", u"broken"}) {
    EXPECT_THROW(http.Get(u"http://" + site.Host() + u"/users/" + failing),
                 EIdHTTPProtocolException);
  }
}

TEST(GameSite, ProfileUrlsReplaceSpacesOnly) {
  EXPECT_EQ(ProfileUrl(u"a b#c"), u"http://" + GameHost() + u"/users/a+b#c");
  EXPECT_EQ(ProfileUrl(u""), u"http://" + GameHost() + u"/users/");
}

TEST(GameSite, HostForOneRunReplacesTheBuildsUntilCleared) {
  const ustring built = GameHost();
  SetGameHostForRun(u"127.0.0.1:8080");
  EXPECT_EQ(ProfileUrl(u"x"), u"http://127.0.0.1:8080/users/x");
  SetGameHostForRun({});
  EXPECT_EQ(GameHost(), built);
  EXPECT_NE(built, u"127.0.0.1:8080");
}

}  // namespace
}  // namespace qv
