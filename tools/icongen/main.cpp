// quorvane-icongen: writes the program's pictures as RGBA PNG files into a
// resources folder (images/ and icon/ below it), and on request a contact sheet.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/png_write.h"
#include "tools/icongen/icons.h"
#include "tools/icongen/sheet.h"

namespace {

int Usage() {
  std::fputs("usage: quorvane-icongen RESOURCES_DIR [--sheet FILE.png]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out_dir, sheet_path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sheet") {
      if (++i == argc) return Usage();
      sheet_path = argv[i];
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else if (out_dir.empty()) {
      out_dir = arg;
    } else {
      return Usage();
    }
  }
  if (out_dir.empty()) return Usage();

  try {
    namespace fs = std::filesystem;
    const std::vector<qv::icongen::TIconFile> files = qv::icongen::AllIconFiles();
    for (const auto& f : files) {
      const fs::path path = fs::path(out_dir) / f.Path;
      fs::create_directories(path.parent_path());
      qv::WritePng(f.Bitmap, path.string());
    }
    if (!sheet_path.empty())
      qv::WritePng(qv::icongen::ContactSheet(files), sheet_path, qv::TPngAlpha::Opaque);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-icongen: %s\n", e.what());
    return 1;
  }
  return 0;
}
