// The real program under the X server: it shows its window, and a click on
// "Выйти" made through the X server (xdotool) ends the process.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

extern char** environ;

namespace {

// Output of a command line, or empty.
std::string Capture(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  return out;
}

// "KEY=value" lines of xdotool's --shell output.
std::map<std::string, int> ShellValues(const std::string& text) {
  std::map<std::string, int> values;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
    const std::size_t eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = std::atoi(line.c_str() + eq + 1);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return values;
}

class QuorvaneDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  }
  void TearDown() override {
    if (pid_ > 0) {  // still running after a failure: ours to stop
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  void Start() {
    const char* argv[] = {QV_PROGRAM, nullptr};
    ASSERT_EQ(posix_spawn(&pid_, QV_PROGRAM, nullptr, nullptr, const_cast<char**>(argv), environ),
              0);
  }
  // Waits up to the time given for the process to end; its exit status, or -1.
  int WaitExit(std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      if (std::chrono::steady_clock::now() >= end) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  // The program's visible window, waited for; 0 when it never appeared.
  std::string FindWindow() {
    for (int i = 0; i < 100; ++i) {
      const std::string id = Capture("xdotool search --onlyvisible --pid " + std::to_string(pid_) +
                                     " 2>/dev/null | head -n 1");
      if (!id.empty()) return id.substr(0, id.find('\n'));
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
  }

  pid_t pid_ = 0;
};

TEST_F(QuorvaneDisplay, ExitButtonEndsTheProgram) {
  Start();
  const std::string window = FindWindow();
  ASSERT_FALSE(window.empty()) << "the window did not appear";
  EXPECT_NE(Capture("xdotool getwindowname " + window).find("Ballora Quorvane [Версия 1.2]"),
            std::string::npos);
  auto g = ShellValues(Capture("xdotool getwindowgeometry --shell " + window));
  // The frame is the program's own: equal borders, the caption above the
  // 516 x 412 client area.
  const int border = (g["WIDTH"] - 516) / 2;
  const int client_top = g["HEIGHT"] - 412 - border;
  ASSERT_GT(border, 0);
  ASSERT_GT(client_top, border);
  // Give the window a moment to paint, as a user would see it first.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(WaitExit(std::chrono::seconds(0)), -1);  // still running
  // On a busy machine the window may be mapped before the program reads its
  // input: click "Выйти" where the window stands now, again if need be.
  int status = -1;
  for (int attempt = 0; attempt < 4 && status == -1; ++attempt) {
    g = ShellValues(Capture("xdotool getwindowgeometry --shell " + window));
    const int x = g["X"] + border + 428 + 75 / 2;
    const int y = g["Y"] + client_top + 380 + 25 / 2;
    ASSERT_EQ(std::system(
                  ("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1")
                      .c_str()),
              0);
    status = WaitExit(std::chrono::seconds(5));
  }
  EXPECT_EQ(status, 0);
}

}  // namespace
