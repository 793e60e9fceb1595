// quorvane-snapshot --out DIR [--ppi N]: renders the main window on the
// headless backend and writes page1.png ... page5.png into DIR, each with
// its page made active. The project's review tool for painting.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/snapshot/snapshot.h"

namespace {

int Usage() {
  std::fputs("usage: quorvane-snapshot --out DIR [--ppi N]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  int ppi = 96;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      out = argv[++i];
    } else if (arg == "--ppi" && i + 1 < argc) {
      char* end = nullptr;
      const long v = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || v < 48 || v > 480) {
        std::fputs("quorvane-snapshot: --ppi takes a number from 48 to 480\n", stderr);
        return 2;
      }
      ppi = static_cast<int>(v);
    } else {
      return Usage();
    }
  }
  if (out.empty()) return Usage();

  try {
    qv::snapshot::StartHeadless(ppi);
    std::vector<std::string> written;
    {
      auto form = qv::snapshot::CreateMainWindow();
      written = qv::snapshot::WritePages(qv::snapshot::RenderPages(*form), out);
    }
    qv::snapshot::StopHeadless();
    for (const std::string& path : written) std::printf("%s\n", path.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-snapshot: %s\n", e.what());
    return 1;
  }
  return 0;
}
