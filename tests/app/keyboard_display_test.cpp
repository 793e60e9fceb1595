// The real program under the X server driven by the keyboard alone, with
// keys typed through the X server (xdotool): the window opens with the
// keyboard on its tab row, so arrows and Ctrl+Tab switch pages at once; Tab,
// Enter, Space, a list opened with Alt+Down and a typed number reach the
// controls; Alt+Space opens the system menu and Esc closes it; Alt+F4 ends
// the program. What the program does is seen from outside: the URLs it
// hands to xdg-open (a stand-in on PATH writes them down), the windows it
// maps, and its exit.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/form1.h"
#include "app/site_settings.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// Waits up to ten seconds (a busy machine answers slowly) for pred.
bool WaitFor(const std::function<bool()>& pred) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return pred();
}

class KeyboardDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    dir_ = fs::temp_directory_path() / ("qv-keys-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    // The desktop's URL opener, replaced: it only writes the URL down.
    const fs::path opener = dir_ / "xdg-open";
    std::ofstream(opener) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << (dir_ / "urls").string()
                          << "'\n";
    fs::permissions(opener, fs::perms::owner_all);
    // Under the sanitizer build SDL's desktop-bus connection keeps a buffer
    // until exit, which would turn the program's exit status into a failure.
    std::ofstream(dir_ / "lsan.supp") << "leak:libdbus-1.so\n";
  }
  void TearDown() override {
    if (pid_ > 0) {  // still running after a failure: ours to stop
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  void Start() {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string var = *e;
      if (var.rfind("PATH=", 0) != 0 && var.rfind("LSAN_OPTIONS=", 0) != 0) env.push_back(var);
    }
    const char* path = std::getenv("PATH");
    env.push_back("PATH=" + dir_.string() + ":" + (path ? path : "/usr/bin:/bin"));
    const char* lsan = std::getenv("LSAN_OPTIONS");
    env.push_back("LSAN_OPTIONS=" + (lsan ? std::string(lsan) + ":" : std::string()) +
                  "suppressions=" + (dir_ / "lsan.supp").string());
    std::vector<char*> envp;
    for (std::string& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    const char* argv[] = {QV_PROGRAM, nullptr};
    ASSERT_EQ(
        posix_spawn(&pid_, QV_PROGRAM, nullptr, nullptr, const_cast<char**>(argv), envp.data()), 0);
  }
  // The process's exit status once it has ended within the time given; -1.
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
  // The program's mapped X windows: its main window, and any popup it shows.
  std::vector<std::string> Windows() {
    return Lines(
        Capture("xdotool search --onlyvisible --pid " + std::to_string(pid_) + " 2>/dev/null"));
  }
  std::vector<std::string> Urls() {
    std::ifstream in(dir_ / "urls");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Lines(text);
  }
  // Types the keys (xdotool's names) into the window that has the X focus.
  static void Keys(const std::string& keys) {
    ASSERT_EQ(std::system(("xdotool key --delay 30 " + keys).c_str()), 0) << keys;
  }

  fs::path dir_;
  pid_t pid_ = 0;
};

TEST_F(KeyboardDisplay, TheWholeWindowAnswersTheKeyboardAlone) {
  Start();
  std::string window;
  ASSERT_TRUE(WaitFor([&] {
    const auto w = Windows();
    if (!w.empty()) window = w.front();
    return !w.empty();
  })) << "the window did not appear";
  // Without a window manager nobody gives the new window the X focus: do it,
  // as a user's click on the desktop's task bar would.
  ASSERT_EQ(std::system(("xdotool windowfocus --sync " + window).c_str()), 0);

  // The keyboard starts on the tab row: two arrows and two Ctrl+Tabs reach
  // page 5, which has no control of its own, so Tab goes on to "Сайт
  // разработчика" and Enter presses it. Had nothing had the focus, the
  // arrows and Ctrl+Tab would have done nothing and Tab would have landed on
  // the tab row.
  Keys("Right Right ctrl+Tab ctrl+Tab Tab Return");
  ASSERT_TRUE(WaitFor([&] { return Urls().size() == 1; })) << "no URL opened";
  EXPECT_EQ(Urls()[0], qv::Utf16ToUtf8(qv::DeveloperSiteUrl()));
  // Past "Выйти" to "Сайт игры", pressed with Space.
  Keys("Tab Tab space");
  ASSERT_TRUE(WaitFor([&] { return Urls().size() == 2; }));
  EXPECT_EQ(Urls()[1], qv::Utf16ToUtf8(qv::GameSiteUrl()));

  // Back to the tab row and page 3: the second server from the list opened
  // with Alt+Down, 42 typed into the first number, and "Поиск", eight stops
  // further in the page's tab order, pressed with Enter.
  Keys("Tab Left Left Tab alt+Down Down Return Tab 4 2");
  Keys("Tab Tab Tab Tab Tab Tab Tab Tab Return");
  ASSERT_TRUE(WaitFor([&] { return Urls().size() == 3; }));
  const std::string search = Urls()[2];
  EXPECT_NE(search.find("http://" + qv::Utf16ToUtf8(qv::site_settings::kGameServers[1]) + "/"),
            std::string::npos)
      << search;
  EXPECT_NE(search.find("&Skl_1=42&"), std::string::npos) << search;

  // Alt+Space maps the system menu, a window of its own; Esc takes it away.
  Keys("alt+space");
  EXPECT_TRUE(WaitFor([&] { return Windows().size() == 2; })) << "no system menu";
  Keys("Escape");
  EXPECT_TRUE(WaitFor([&] { return Windows().size() == 1; })) << "the menu stayed";
  EXPECT_EQ(WaitExit(std::chrono::seconds(0)), -1) << "still running";

  // Alt+F4 ends the program, as closing its window does.
  Keys("alt+F4");
  EXPECT_EQ(WaitExit(std::chrono::seconds(10)), 0);
  EXPECT_EQ(Urls().size(), 3u) << "nothing else was opened on the way";
}

}  // namespace
