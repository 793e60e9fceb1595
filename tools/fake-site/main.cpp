// quorvane-fake-site: a local stand-in for the game site, serving profile pages
// at /users/<login> (windows-1251, with the markers the look-up reads) so the
// look-up can be tried by hand. Listens on 127.0.0.1 only.
//
// Logins with a meaning of their own: "nobody" answers 404, "moved" a 302 to
// another profile, "broken" 500, "nomarkers" a page without the fields,
// "slow" sends its page over about five seconds. Any other login gets a
// profile whose values are derived from the login. A cookie counts visits.
#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/ustring.h"

namespace {

std::string Cp1251(const std::string& utf8) { return qv::Utf16ToAnsi(qv::Utf8ToUtf16(utf8)); }

std::uint32_t Hash(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}

std::string TwoDigits(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02u", v % 100);
  return buf;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '&')
      out += "&amp;";
    else
      out += c;
  }
  return out;
}

// The page is built in UTF-8 and sent in windows-1251, as the game site does.
std::string ProfilePage(const std::string& login, int visits, bool withMarkers) {
  const std::uint32_t h = Hash(login);
  const std::string level = std::to_string(1 + h % 60);
  const std::string date = TwoDigits(1 + h % 28) + "." + TwoDigits(1 + (h >> 5) % 12) + "." +
                           std::to_string(2005 + (h >> 9) % 8);
  static const char* const kStatus[] = {"Онлайн", "Оффлайн", "Заблокирован"};
  const std::string status = kStatus[(h >> 13) % 3];
  const std::string last = TwoDigits(1 + (h >> 15) % 28) + ".11.2012 " + TwoDigits((h >> 20) % 24) +
                           ":" + TwoDigits((h >> 25) % 60);
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=windows-1251\"><title>Ballora: " +
      Escape(login) + "</title></head><body>\n<h1>Профиль менеджера</h1>\n";
  if (withMarkers) {
    // The link text is the login exactly as it was asked for: the level marker
    // of the look-up is built from the typed login.
    page += "<p><a href=\"/users/" + Escape(login) + "\">" + login + "</a> [" + level +
            "]</p>\n<table><tr><td>Дата регистрации</td><td width=100%>" + date +
            "</td></tr></table>\n<p><img src=line.gif width=10 border=0 align=absmiddle title=" +
            status + "> " + status +
            "</p>\n<form><input type=\"hidden\" name=\"LastLogin\"  value=\"" + last +
            "\"/></form>\n";
  } else {
    page += "<p>Менеджер " + Escape(login) + " не заполнил профиль.</p>\n";
  }
  page += "<p>Визитов за сеанс: " + std::to_string(visits) + "</p>\n</body></html>\n";
  return Cp1251(page);
}

int VisitsFrom(const httplib::Request& req) {
  const std::string cookie = req.get_header_value("Cookie");
  const auto at = cookie.find("fake_visits=");
  return at == std::string::npos ? 0 : std::atoi(cookie.c_str() + at + 12);
}

}  // namespace

int main(int argc, char** argv) {
  int port = 8080;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--port") == 0 && i + 1 < argc) {
      port = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: %s [--port N]   (serves http://127.0.0.1:N/users/<login>)\n",
                   argv[0]);
      return 2;
    }
  }
  if (port <= 0 || port > 65535) {
    std::fprintf(stderr, "fake-site: bad port\n");
    return 2;
  }

  httplib::Server server;
  server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
    std::printf("%d %s %s\n", res.status, req.method.c_str(), req.target.c_str());
    std::fflush(stdout);
  });
  server.Get(R"(/users/(.*))", [](const httplib::Request& req, httplib::Response& res) {
    std::string login = req.matches[1];
    for (char& c : login) {
      if (c == '+') c = ' ';  // the look-up sends spaces as "+"
    }
    const int visits = VisitsFrom(req) + 1;
    res.set_header("Set-Cookie", "fake_visits=" + std::to_string(visits) + "; Path=/");
    const char* type = "text/html; charset=windows-1251";
    if (login == "nobody") {
      res.status = 404;
      res.set_content(Cp1251("<p>Нет такого менеджера</p>"), type);
    } else if (login == "moved") {
      res.set_redirect("/users/petrov", 302);
    } else if (login == "broken") {
      res.status = 500;
      res.set_content("<p>server trouble</p>", type);
    } else if (login == "slow") {
      const std::string page = ProfilePage(login, visits, true);
      res.set_chunked_content_provider(type, [page](std::size_t offset, httplib::DataSink& sink) {
        if (offset >= page.size()) {
          sink.done();
          return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const std::size_t n = std::min<std::size_t>(page.size() / 50 + 1, page.size() - offset);
        sink.write(page.data() + offset, n);
        return true;
      });
    } else {
      res.set_content(ProfilePage(login, visits, login != "nomarkers" && !login.empty()), type);
    }
  });
  std::printf("fake-site: http://127.0.0.1:%d/users/<login>\n", port);
  std::fflush(stdout);
  if (!server.listen("127.0.0.1", port)) {
    std::fprintf(stderr, "fake-site: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  return 0;
}
