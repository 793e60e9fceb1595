// The snapshot tool: one picture of the whole window per page, each with its
// own page showing, written as page1.png ... page5.png; the density option;
// bad command lines.
#include "tools/snapshot/snapshot.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/acPNG.h"
#include "platform/window/window.h"

namespace qv::snapshot {
namespace {

namespace fs = std::filesystem;

// Pixels that differ between two pictures of the same size.
int Differences(const TBitmap32& a, const TBitmap32& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TBGRA p = a.Pixel(x, y), q = b.Pixel(x, y);
      n += p.R != q.R || p.G != q.G || p.B != q.B;
    }
  return n;
}

fs::path TempDir(const char* name) {
  const fs::path dir =
      fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  return dir;
}

int RunTool(const std::string& args) {
  const std::string cmd = std::string("'") + QV_SNAPSHOT_EXE + "' " + args + " >/dev/null 2>&1";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Snapshot, OnePicturePerPageOfTheWholeWindow) {
  StartHeadless(96);
  {
    auto form = CreateMainWindow();
    TRect wr;
    GetWindowRect(form->WindowHandle(), wr);
    const std::vector<TBitmap32> pages = RenderPages(*form);
    ASSERT_EQ(pages.size(), 5u);
    for (const TBitmap32& p : pages) {
      EXPECT_EQ(p.Width(), wr.Width());
      EXPECT_EQ(p.Height(), wr.Height());
    }
    // Every page looks different from every other.
    for (std::size_t i = 0; i < pages.size(); ++i)
      for (std::size_t j = i + 1; j < pages.size(); ++j)
        EXPECT_GT(Differences(pages[i], pages[j]), 500) << i << " " << j;
    EXPECT_EQ(form->sPageControl1->ActivePage(), form->sTabSheet5);
    // The same page rendered twice gives the same picture.
    form->sPageControl1->SetActivePage(form->sTabSheet1);
    EXPECT_EQ(Differences(RenderWindow(*form), pages[0]), 0);

    const fs::path dir = TempDir("qv-snapshot");
    const std::vector<std::string> written = WritePages(pages, dir.string());
    ASSERT_EQ(written.size(), 5u);
    for (int i = 0; i < 5; ++i) {
      const fs::path file = dir / ("page" + std::to_string(i + 1) + ".png");
      EXPECT_EQ(written[i], file.string());
      std::ifstream in(file, std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
      const TBitmap32 back = LoadPngImage(bytes);
      EXPECT_EQ(Differences(back, pages[i]), 0) << file;
    }
    fs::remove_all(dir);
  }
  StopHeadless();
}

TEST(Snapshot, DensityScalesTheWindow) {
  StartHeadless(144);
  {
    auto form = CreateMainWindow();
    TRect client;
    GetClientRect(form->WindowHandle(), client);
    EXPECT_EQ(client.Width(), 774);
    EXPECT_EQ(client.Height(), 618);
    EXPECT_GT(RenderWindow(*form).Width(), 774);
  }
  StopHeadless();
}

TEST(Snapshot, CommandLine) {
  const fs::path dir = TempDir("qv-snapshot-cli");
  EXPECT_EQ(RunTool(""), 2);
  EXPECT_EQ(RunTool("--ppi 96"), 2);
  EXPECT_EQ(RunTool("--out '" + dir.string() + "' --ppi many"), 2);
  EXPECT_EQ(RunTool("--out '" + dir.string() + "' --ppi 9999"), 2);
  EXPECT_EQ(RunTool("--out '" + dir.string() + "' --what"), 2);
  EXPECT_FALSE(fs::exists(dir));
  EXPECT_EQ(RunTool("--out '" + dir.string() + "' --ppi 120"), 0);
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(fs::exists(dir / ("page" + std::to_string(i) + ".png")));
  EXPECT_FALSE(fs::exists(dir / "page6.png"));
  // A folder that cannot be made is reported, not crashed on.
  std::ofstream(dir / "file") << "x";
  EXPECT_EQ(RunTool("--out '" + (dir / "file" / "sub").string() + "'"), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qv::snapshot
