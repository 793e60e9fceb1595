// The game site as the look-up scripts meet it: a loopback server with one
// profile page holding the look-up's markers (windows-1251, as the site
// sends it) for any login, and a 404 answer for the login "nobody".
#pragma once

#include <string>

#include "platform/ustring.h"
#include "tests/site/loopback.h"

namespace qv::test {

class ScriptSite {
 public:
  ScriptSite() {
    server_.server.Get(R"(/users/(.*))", [](const httplib::Request& req, httplib::Response& res) {
      std::string login = req.matches[1];
      for (char& c : login)
        if (c == '+') c = ' ';
      const char* type = "text/html; charset=windows-1251";
      if (login == "nobody") {
        res.status = 404;
        res.set_content(Utf16ToAnsi(U("<p>Нет такого менеджера</p>")), type);
        return;
      }
      const std::string page =
          "<html><body><p><a href=\"/users/x\">" + login +
          "</a> [17]</p>\n<table><tr><td>Дата регистрации</td><td width=100%>03.12.2012"
          "</td></tr></table>\n<img src=line.gif width=10 border=0 align=absmiddle "
          "title=Онлайн>\n<input type=\"hidden\" name=\"LastLogin\"  value=\"сегодня, "
          "12:30\"/>\n</body></html>\n";
      res.set_content(Utf16ToAnsi(U(page)), type);
    });
    server_.Start();
  }
  int Port() const { return server_.Port(); }

 private:
  HttplibServer server_;
};

}  // namespace qv::test
