// quorvane-skingen: draws the program's skin "MetroUI (internal)" and writes
// its package into a resources folder (skin/MetroUI.asz below it); on request
// also the package's files one by one and contact sheets at the four densities.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/png_write.h"
#include "skin/skin_scale.h"
#include "tools/skingen/sheet.h"
#include "tools/skingen/skin.h"

namespace {

namespace fs = std::filesystem;

int Usage() {
  std::fputs("usage: quorvane-skingen RESOURCES_DIR [--sheets DIR] [--files DIR]\n", stderr);
  return 2;
}

void Write(const fs::path& path, const qv::TBytes& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
  std::string out_dir, sheets_dir, files_dir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--sheets" || arg == "--files") {
      if (++i == argc) return Usage();
      (arg == "--sheets" ? sheets_dir : files_dir) = argv[i];
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
    const qv::skingen::TSkinFiles skin = qv::skingen::GenerateSkin();
    Write(fs::path(out_dir) / qv::skingen::kPackagePath, skin.Package);
    if (!files_dir.empty()) {
      const fs::path dir(files_dir);
      Write(dir / qv::skingen::kOptionsName, skin.Options);
      Write(dir / qv::skingen::kHugeButtonName, skin.HugeButton);
      Write(dir / qv::skingen::kMasterName, skin.Master);
      Write(dir / "preview.png", skin.Preview);
    }
    if (!sheets_dir.empty())
      for (int ppi : qv::kScalePPI) {
        const fs::path path = fs::path(sheets_dir) / ("sheet-" + std::to_string(ppi) + ".png");
        fs::create_directories(path.parent_path());
        qv::WritePng(qv::skingen::RenderContactSheet(skin.Package, ppi), path.string(),
                     qv::TPngAlpha::Opaque);
      }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
