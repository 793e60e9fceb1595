// Start-up cost of the whole program, headless: the time from spawning
// quorvane-snapshot with a script of one "dump" until the first control's
// line arrives (the window read from its description, scaled, created and
// painted once). The rest of the run is waited for outside the timing.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Reads the child's output until a line starting with "{" has begun.
bool WaitForDumpLine(int fd) {
  bool line_start = true;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return false;
    for (ssize_t i = 0; i < n; ++i) {
      if (line_start && buf[i] == '{') return true;
      line_start = buf[i] == '\n';
    }
  }
}

void Drain(int fd) {
  char buf[4096];
  while (::read(fd, buf, sizeof buf) > 0) {
  }
}

void BM_SnapshotStartToFirstDumpLine(benchmark::State& state) {
  const fs::path script =
      fs::temp_directory_path() / ("qv-bench-" + std::to_string(::getpid()) + ".qvs");
  std::ofstream(script) << "dump\n";
  const std::string exe = QV_SNAPSHOT_EXE;
  const std::string path = script.string();
  char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>("--script"),
                  const_cast<char*>(path.c_str()), nullptr};
  for (auto _ : state) {
    int fds[2];
    if (::pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    const bool got = rc == 0 && WaitForDumpLine(fds[0]);
    const auto end = std::chrono::steady_clock::now();
    Drain(fds[0]);
    ::close(fds[0]);
    int status = 0;
    if (rc == 0) ::waitpid(pid, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("quorvane-snapshot printed no dump line");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  fs::remove(script);
}
BENCHMARK(BM_SnapshotStartToFirstDumpLine)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
