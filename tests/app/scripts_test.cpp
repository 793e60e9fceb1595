// The window's pages driven end to end by scripts: every
// tests/app/scripts/*.qvs runs through quorvane-snapshot --script and must
// print exactly its .out file (what the tool printed, its exit status, what
// it said on stderr, and the files it wrote). A loopback server stands in for
// the game site; the tool is pointed at it with --game-host.
//
// QV_UPDATE_SCRIPTS=1 rewrites the .out files from the runs, for review.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/script_site.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Scripts() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(QV_SCRIPTS_DIR))
    if (e.path().extension() == ".qvs") names.push_back(e.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

class ScriptRun : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptRun, PrintsItsExpectedOutput) {
  test::ScriptSite site;
  const fs::path work =
      fs::temp_directory_path() / ("qv-script-" + GetParam() + "-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work);
  const fs::path out_dir = work / "out";
  const std::string cmd =
      "cd " + Quoted(QV_SCRIPTS_DIR) + " && " + Quoted(QV_SNAPSHOT_EXE) + " --script " +
      Quoted(GetParam() + ".qvs") + " --out " + Quoted(out_dir.string()) +
      " --game-host 127.0.0.1:" + std::to_string(site.Port()) + " >" +
      Quoted((work / "stdout").string()) + " 2>" + Quoted((work / "stderr").string());
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));

  std::string got = ReadFile(work / "stdout");
  got += "exit: " + std::to_string(WEXITSTATUS(status)) + "\n";
  got += ReadFile(work / "stderr");
  std::vector<std::string> written;
  if (fs::exists(out_dir))
    for (const auto& e : fs::recursive_directory_iterator(out_dir))
      if (e.is_regular_file() && fs::file_size(e.path()) > 0)
        written.push_back(fs::relative(e.path(), out_dir).string());
  std::sort(written.begin(), written.end());
  for (const std::string& w : written) got += "wrote: " + w + "\n";
  fs::remove_all(work);

  const fs::path expected = fs::path(QV_SCRIPTS_DIR) / (GetParam() + ".out");
  if (std::getenv("QV_UPDATE_SCRIPTS") != nullptr) std::ofstream(expected, std::ios::binary) << got;
  EXPECT_EQ(got, ReadFile(expected));
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptRun, ::testing::ValuesIn(Scripts()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace qv
