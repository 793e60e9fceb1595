// quorvane-gallery --out FILE.png: renders the sample form of standard
// controls in every state to a contact sheet; with --skinned [--ppi N], the
// skinned controls on the program's skin at that density; with --skin
// [DIR|FILE.asz] [--ppi N], every section of a skin (the program's own
// without an argument) in each of its states instead.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "platform/png_write.h"
#include "tools/gallery/render.h"
#include "tools/gallery/skin_sheet.h"
#include "tools/gallery/skin_source.h"

int main(int argc, char** argv) {
  const char* usage =
      "usage: quorvane-gallery --out FILE.png [--skinned | --skin [DIR|FILE.asz]] [--ppi N]\n";
  std::string out, skin_source;
  bool skin = false;
  bool skinned = false;
  int ppi = 96;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--skin") == 0) {
      skin = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') skin_source = argv[++i];
    } else if (std::strcmp(argv[i], "--skinned") == 0) {
      skinned = true;
    } else if (std::strcmp(argv[i], "--ppi") == 0 && i + 1 < argc) {
      char* end = nullptr;
      const long v = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || v < 48 || v > 480) {
        std::fprintf(stderr, "quorvane-gallery: --ppi takes 48 to 480\n");
        return 2;
      }
      ppi = static_cast<int>(v);
    } else {
      std::fprintf(stderr, "%s", usage);
      return 2;
    }
  }
  if (out.empty() || (skin && skinned)) {
    std::fprintf(stderr, "%s", usage);
    return 2;
  }
  if (skin) return qv::gallery::RunSkinGallery(skin_source, ppi, out);
  try {
    const auto look =
        skinned ? qv::gallery::TGalleryLook::Skinned : qv::gallery::TGalleryLook::Plain;
    const qv::TBitmap32 sheet = qv::gallery::ComposeSheet(qv::gallery::RenderStates(look, ppi));
    qv::WritePng(sheet, out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
