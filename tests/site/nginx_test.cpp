// The page fetch against a real web server: nginx, started here on a loopback
// port with a configuration written by the test, serving a windows-1251 page.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "site/IdHTTP.h"
#include "site/ParseControl.h"
#include "tests/site/loopback.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNginx = "/usr/sbin/nginx";

// nginx in the foreground, one process, everything it writes inside one
// temporary directory; stopped and removed with the object.
class Nginx {
 public:
  Nginx() {
    char pattern[] = "/tmp/qv-nginx-XXXXXX";
    if (!::mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    fs::create_directories(dir_ / "www" / "users");
    fs::create_directories(dir_ / "tmp");
    // A free port: bind, read it back, release it for nginx.
    {
      test::RawServer probe([](int, const std::string&) { return false; });
      port_ = probe.Port();
    }
  }
  ~Nginx() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  void WritePage(const std::string& relative, const std::string& bytes) {
    std::ofstream(dir_ / "www" / relative, std::ios::binary) << bytes;
  }

  // Starts nginx and waits until it answers; false when it did not come up.
  bool Start() {
    const std::string d = dir_.string();
    std::ofstream(dir_ / "nginx.conf") << "daemon off;\n"
                                          "master_process off;\n"
                                          "worker_processes 1;\n"
                                          "pid "
                                       << d << "/nginx.pid;\n"
                                       << "error_log " << d << "/error.log;\n"
                                       << "events { worker_connections 64; }\n"
                                          "http {\n"
                                          "  access_log "
                                       << d << "/access.log;\n"
                                       << "  client_body_temp_path " << d << "/tmp/body;\n"
                                       << "  proxy_temp_path " << d << "/tmp/proxy;\n"
                                       << "  fastcgi_temp_path " << d << "/tmp/fastcgi;\n"
                                       << "  uwsgi_temp_path " << d << "/tmp/uwsgi;\n"
                                       << "  scgi_temp_path " << d << "/tmp/scgi;\n"
                                       << "  default_type text/html;\n"
                                          "  server {\n"
                                          "    listen 127.0.0.1:"
                                       << port_ << ";\n"
                                       << "    root " << d << "/www;\n"
                                       << "    charset windows-1251;\n"
                                          "  }\n"
                                          "}\n";
    std::fflush(nullptr);  // the child must not repeat buffered output
    pid_ = ::fork();
    if (pid_ == 0) {
      const int devnull = ::open("/dev/null", O_WRONLY);
      ::dup2(devnull, 1);
      ::dup2(devnull, 2);
      const std::string conf = d + "/nginx.conf";
      ::execl(kNginx, kNginx, "-p", d.c_str(), "-c", conf.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 500; ++i) {  // up to 10 s on a loaded machine
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
      }
      const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in addr{};
      addr.sin_family = AF_INET;
      addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      addr.sin_port = htons(static_cast<std::uint16_t>(port_));
      const bool up = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
      ::close(fd);
      if (up) return true;
      test::SleepMs(20);
    }
    return false;
  }

  ustring Url(const std::string& path) const {
    return Utf8ToUtf16("http://127.0.0.1:" + std::to_string(port_) + path);
  }
  std::string ErrorLog() const {
    std::ifstream in(dir_ / "error.log");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  fs::path dir_;
  int port_ = 0;
  pid_t pid_ = -1;
};

TEST(PageFetchNginx, ReadsAWindows1251ProfilePage) {
  if (!fs::exists(kNginx)) GTEST_SKIP() << kNginx << " is not installed";
  Nginx nginx;
  // "Дата регистрации</td><td width=100%>03.12.2012</td>" and a status, in windows-1251.
  const std::string page =
      "<html><body><a href=x>petrov</a> [12]</b><table><tr><td>"
      "\xc4\xe0\xf2\xe0 \xf0\xe5\xe3\xe8\xf1\xf2\xf0\xe0\xf6\xe8\xe8</td><td width=100%>"
      "03.12.2012</td></tr></table>"
      "<img src=line.gif width=10 border=0 align=absmiddle title=\xce\xed\xeb\xe0\xe9\xed>"
      "</body></html>";
  nginx.WritePage("users/petrov", page);
  ASSERT_TRUE(nginx.Start()) << nginx.ErrorLog();

  TIdHTTP http(nullptr);
  const ustring text = http.Get(nginx.Url("/users/petrov"));
  EXPECT_EQ(ExtractBetween(text, u"petrov</a> [", u"]</"), u"12");
  EXPECT_EQ(ExtractBetween(text, u"Дата регистрации</td><td width=100%>", u"</td>"), u"03.12.2012");
  EXPECT_EQ(ExtractBetween(text, u"line.gif width=10 border=0 align=absmiddle title=", u">"),
            u"Онлайн");

  try {
    http.Get(nginx.Url("/users/nobody"));
    ADD_FAILURE() << "a missing page was returned";
  } catch (const EIdHTTPProtocolException& e) {
    EXPECT_EQ(e.Message(), u"HTTP/1.1 404 Not Found");
  }
  // nginx answers a directory without its slash with a redirect; it is not followed.
  EXPECT_THROW(http.Get(nginx.Url("/users")), EIdHTTPProtocolException);
  EXPECT_EQ(http.ResponseCode(), 301);
}

}  // namespace
}  // namespace qv
