// Loopback servers for the page-fetch tests: a cpp-httplib server on a free
// 127.0.0.1 port, and a raw socket server whose handler writes the response
// bytes itself (for faults an HTTP library will not produce), plus a hook that
// measures how evenly the anti-freeze ran.
#pragma once

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/ustring.h"

namespace qv::test {

class HttplibServer {
 public:
  HttplibServer() {
    port_ = server.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot bind a loopback port");
  }
  ~HttplibServer() { Stop(); }
  void Start() {
    thread_ = std::thread([this] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  void Stop() {
    server.stop();
    if (thread_.joinable()) thread_.join();
  }
  int Port() const { return port_; }
  std::u16string Url(const std::string& path) const {
    const std::string s = "http://127.0.0.1:" + std::to_string(port_) + path;
    return Utf8ToUtf16(s);
  }

  httplib::Server server;

 private:
  int port_ = 0;
  std::thread thread_;
};

// Accepts connections one after another; for each, reads a request head and
// hands the socket to the handler, which writes the response bytes and returns
// true to wait for another request on the same connection.
class RawServer {
 public:
  using Handler = std::function<bool(int fd, const std::string& request)>;

  explicit RawServer(Handler handler, int backlog = 16) : handler_(std::move(handler)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listen_, backlog) != 0) {
      throw std::runtime_error("cannot listen on loopback");
    }
    socklen_t len = sizeof addr;
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
  }
  ~RawServer() {
    Stop();
    ::close(listen_);
  }

  // Serving is separate from listening so a test can hold connections queued.
  void Start() {
    thread_ = std::thread([this] { Loop(); });
  }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

  int Port() const { return port_; }
  std::u16string Url(const std::string& path) const {
    const std::string s = "http://127.0.0.1:" + std::to_string(port_) + path;
    return Utf8ToUtf16(s);
  }
  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  bool Stopping() const { return stop_; }
  int Connections() const { return connections_; }

  static void Send(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return;
      done += static_cast<std::size_t>(n);
    }
  }

 private:
  void Loop() {
    while (!stop_) {
      pollfd p{listen_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int fd = ::accept(listen_, nullptr, nullptr);
      if (fd < 0) continue;
      ++connections_;
      for (bool more = true; more && !stop_;) {
        std::string request;
        char buf[4096];
        while (request.find("\r\n\r\n") == std::string::npos && !stop_) {
          pollfd q{fd, POLLIN, 0};
          if (::poll(&q, 1, 20) <= 0) continue;
          const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
          if (n <= 0) break;
          request.append(buf, static_cast<std::size_t>(n));
        }
        if (request.empty()) break;
        {
          std::lock_guard lock(mutex_);
          requests_.push_back(request);
        }
        more = handler_(fd, request);
      }
      ::close(fd);
    }
  }

  Handler handler_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

// Counts anti-freeze calls and the largest gap between two of them.
struct TickMeter {
  using Clock = std::chrono::steady_clock;
  int ticks = 0;
  Clock::time_point last{};
  Clock::duration maxGap{};
  std::function<void()> extra;

  void Tick() {
    const auto now = Clock::now();
    if (ticks > 0) maxGap = std::max(maxGap, now - last);
    last = now;
    ++ticks;
    if (extra) extra();
  }
  long long MaxGapMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(maxGap).count();
  }
};

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace qv::test
