// The page fetch against a raw loopback server: the request on the wire,
// connection reuse, close-delimited bodies, network faults, limits, and the
// anti-freeze hook (tick gaps, cancelling, a second fetch while one is pending).
#include <fcntl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "site/IdAntiFreeze.h"
#include "site/IdHTTP.h"
#include "tests/site/loopback.h"

namespace qv {
namespace {

using test::RawServer;
using test::TickMeter;

std::string Ok(const std::string& body, const std::string& type = "text/html") {
  return "HTTP/1.1 200 OK\r\nContent-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

bool ServeOk(int fd, const std::string&) {
  RawServer::Send(fd, Ok("fine"));
  return true;
}

TEST(PageFetchWire, SendsTheConfiguredRequestAndIgnoresProxies) {
  RawServer s(ServeOk);
  RawServer proxy(ServeOk);
  s.Start();
  proxy.Start();
  const std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.Port());
  ::setenv("http_proxy", proxyUrl.c_str(), 1);
  ::setenv("HTTP_PROXY", proxyUrl.c_str(), 1);
  ::setenv("all_proxy", proxyUrl.c_str(), 1);

  TIdHTTP http(nullptr);
  EXPECT_EQ(http.Get(s.Url("/users/a+b c?x=%41&y=/../z")), u"fine");
  EXPECT_EQ(http.Get(s.Url("/users/Иван#1")), u"fine");
  // Control characters never reach the server.
  EXPECT_THROW(http.Get(s.Url("/users/x\r\nX-Injected: 1")), EIdURIException);
  ::unsetenv("http_proxy");
  ::unsetenv("HTTP_PROXY");
  ::unsetenv("all_proxy");

  const auto requests = s.Requests();
  ASSERT_EQ(requests.size(), 2u);
  const std::string& r = requests[0];
  EXPECT_EQ(r.substr(0, r.find("\r\n")), "GET /users/a+b%20c?x=%41&y=/../z HTTP/1.1");
  EXPECT_NE(r.find("\r\nHost: 127.0.0.1:" + std::to_string(s.Port()) + "\r\n"), std::string::npos);
  EXPECT_NE(r.find("\r\nAccept: text/html, */*\r\n"), std::string::npos);
  EXPECT_NE(r.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
            std::string::npos);
  EXPECT_EQ(r.find("Accept-Encoding"), std::string::npos);
  EXPECT_EQ(r.find("Proxy"), std::string::npos);
  EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")),
            "GET /users/%D0%98%D0%B2%D0%B0%D0%BD%231 HTTP/1.1");
  EXPECT_TRUE(proxy.Requests().empty());
}

TEST(PageFetchWire, KeepsOneConnectionWhileHostAndPortStay) {
  RawServer a(ServeOk), b(ServeOk);
  a.Start();
  b.Start();
  TIdHTTP http(nullptr);
  http.Get(a.Url("/1"));
  http.Get(a.Url("/2"));
  EXPECT_EQ(a.Connections(), 1);
  http.Get(b.Url("/3"));
  http.Get(a.Url("/4"));
  EXPECT_EQ(a.Connections(), 2);
  EXPECT_EQ(b.Connections(), 1);
}

TEST(PageFetchWire, ReadsABodyDelimitedByTheConnectionClosing) {
  RawServer s([](int fd, const std::string&) {
    RawServer::Send(fd,
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1251\r\n"
                    "Connection: close\r\n\r\n\xcf\xf0\xe8");
    test::SleepMs(50);
    RawServer::Send(fd, "\xe2\xe5\xf2");
    return false;
  });
  s.Start();
  TIdHTTP http(nullptr);
  EXPECT_EQ(http.Get(s.Url("/")), u"Привет");
  EXPECT_EQ(http.Get(s.Url("/")), u"Привет");  // a new connection after the close
}

TEST(PageFetchFaults, NetworkFailuresCarryTheLibrarysMessage) {
  TIdHTTP http(nullptr);
  int freePort = 0;
  {
    RawServer gone(ServeOk);
    freePort = gone.Port();
  }
  try {
    http.Get(u"http://127.0.0.1:" + IntToStr(freePort) + u"/");
    ADD_FAILURE() << "connecting to a closed port succeeded";
  } catch (const EIdSocketError& e) {
    EXPECT_NE(e.Message().find(u"127.0.0.1"), ustring::npos) << e.what();
  }

  http.ConnectTimeout = 30'000;
  try {
    http.Get(u"http://no-such-host.invalid/users/x");
    ADD_FAILURE() << "an unknown host was reached";
  } catch (const EIdSocketError& e) {
    EXPECT_NE(e.Message().find(u"no-such-host.invalid"), ustring::npos) << e.what();
  }

  // The server resets the connection in the middle of the body.
  RawServer reset([](int fd, const std::string&) {
    RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(100, 'x'));
    test::SleepMs(30);
    const linger hard{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    return false;
  });
  reset.Start();
  try {
    http.Get(reset.Url("/"));
    ADD_FAILURE() << "a reset body was accepted";
  } catch (const EIdSocketError& e) {
    EXPECT_FALSE(e.Message().empty());
  }
}

// Holds a connection without sending, until the test releases it (at most 10 s).
struct Release {
  std::atomic<bool> done{false};
  ~Release() { done = true; }
  void Wait() const {
    for (int i = 0; i < 1000 && !done; ++i) test::SleepMs(10);
  }
};

TEST(PageFetchFaults, ASilentServerFailsAfterTheReadTimeout) {
  Release release;
  RawServer afterHeaders([&release](int fd, const std::string&) {
    RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
    release.Wait();
    return false;
  });
  RawServer noAnswer([&release](int, const std::string&) {
    release.Wait();
    return false;
  });
  afterHeaders.Start();
  noAnswer.Start();

  TIdHTTP http(nullptr);
  http.ReadTimeout = 700;
  for (RawServer* server : {&afterHeaders, &noAnswer}) {
    try {
      http.Get(server->Url("/"));
      ADD_FAILURE() << "a stalled fetch returned";
    } catch (const EIdReadTimeout& e) {
      EXPECT_EQ(e.Message(), u"Read timed out: the server sent nothing for 700 ms.");
    }
  }
  EXPECT_FALSE(http.Busy());
  release.done = true;
}

TEST(PageFetchFaults, AServerThatNeverAcceptsFailsWithConnectTimedOut) {
  // A listening socket that never accepts, with its queue filled: later
  // connection attempts get no answer at all.
  RawServer deaf(ServeOk, 0);
  std::vector<int> fillers;
  for (int i = 0; i < 4; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<std::uint16_t>(deaf.Port()));
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    fillers.push_back(fd);
  }
  test::SleepMs(100);

  TickMeter meter;
  TIdAntiFreeze antiFreeze(nullptr, [&meter] { meter.Tick(); });
  TIdHTTP http(nullptr);
  http.ConnectTimeout = 1500;
  try {
    http.Get(deaf.Url("/"));
    ADD_FAILURE() << "connected to a server that never accepts";
  } catch (const EIdConnectTimeout& e) {
    EXPECT_EQ(e.Message(), u"Connect timed out.");
  }
  for (int fd : fillers) ::close(fd);
  std::cout << "connect: " << meter.ticks << " ticks, largest gap " << meter.MaxGapMs() << " ms\n";
  EXPECT_GE(meter.ticks, 10);
  EXPECT_LT(meter.MaxGapMs(), 500);
}

TEST(PageFetchAntiFreeze, ASlowTrickleKeepsTheWindowServiced) {
  RawServer trickle([](int fd, const std::string&) {
    const std::string body = "<p>slow page</p>";
    RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n");
    for (char c : body) {
      test::SleepMs(70);
      RawServer::Send(fd, std::string(1, c));
    }
    return false;
  });
  trickle.Start();

  TickMeter meter;
  TIdAntiFreeze antiFreeze(nullptr, [&meter] { meter.Tick(); });
  TIdHTTP http(nullptr);
  EXPECT_EQ(http.Get(trickle.Url("/")), u"<p>slow page</p>");
  std::cout << "trickle: " << meter.ticks << " ticks, largest gap " << meter.MaxGapMs()
            << " ms (target below 50)\n";
  EXPECT_GE(meter.ticks, 10);
  EXPECT_LT(meter.MaxGapMs(), 500);

  // Inactive, or asked from another thread than the window's: no servicing.
  meter.ticks = 0;
  antiFreeze.Active = false;
  EXPECT_EQ(http.Get(trickle.Url("/")), u"<p>slow page</p>");
  antiFreeze.Active = true;
  std::thread other([&] {
    TIdHTTP own(nullptr);
    EXPECT_EQ(own.Get(trickle.Url("/")), u"<p>slow page</p>");
  });
  other.join();
  EXPECT_EQ(meter.ticks, 0);
}

TEST(PageFetchAntiFreeze, CancelEndsThePendingFetchSilently) {
  Release release;
  RawServer stall([&release](int fd, const std::string&) {
    RawServer::Send(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
    release.Wait();
    return false;
  });
  RawServer good(ServeOk);
  stall.Start();
  good.Start();

  TIdHTTP http(nullptr);
  TickMeter meter;
  meter.extra = [&] {
    if (meter.ticks == 5) http.Cancel();
  };
  TIdAntiFreeze antiFreeze(nullptr, [&meter] { meter.Tick(); });
  EXPECT_THROW(http.Get(stall.Url("/")), EIdCancelled);
  EXPECT_FALSE(http.Busy());
  http.Cancel();  // idle: no effect on the next fetch
  EXPECT_EQ(http.Get(good.Url("/")), u"fine");

  // An exception out of the hook ends the fetch too, and the client stays usable.
  meter.ticks = 0;
  meter.extra = [&] {
    if (meter.ticks == 3) throw std::runtime_error("window gone");
  };
  EXPECT_THROW(http.Get(stall.Url("/")), std::runtime_error);
  meter.extra = nullptr;
  EXPECT_EQ(http.Get(good.Url("/")), u"fine");
  release.done = true;
}

TEST(PageFetchAntiFreeze, ASecondFetchWhileOneIsPendingStartsNothing) {
  RawServer slow([](int fd, const std::string&) {
    test::SleepMs(300);
    RawServer::Send(fd, Ok("first"));
    return false;
  });
  slow.Start();

  TIdHTTP http(nullptr);
  int refused = 0;
  TickMeter meter;
  meter.extra = [&] {
    EXPECT_TRUE(http.Busy());
    try {
      http.Get(slow.Url("/second"));
    } catch (const EIdBusy&) {
      ++refused;
    }
  };
  TIdAntiFreeze antiFreeze(nullptr, [&meter] { meter.Tick(); });
  EXPECT_EQ(http.Get(slow.Url("/first")), u"first");
  EXPECT_GT(refused, 0);
  EXPECT_EQ(refused, meter.ticks);
  ASSERT_EQ(slow.Requests().size(), 1u);
  EXPECT_EQ(slow.Requests()[0].rfind("GET /first ", 0), 0u);
  EXPECT_FALSE(http.Busy());
}

TEST(PageFetchAntiFreeze, OnlyOneExistsPerProcess) {
  TIdAntiFreeze first(nullptr);
  EXPECT_THROW(TIdAntiFreeze second(nullptr), EIdException);
  EXPECT_EQ(TIdAntiFreeze::ForThisThread(), &first);
}

}  // namespace
}  // namespace qv
