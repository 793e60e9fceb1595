// quorvane-gallery --out FILE.png: renders the sample form of standard
// controls in every state to a contact sheet.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "platform/png_write.h"
#include "tools/gallery/render.h"

int main(int argc, char** argv) {
  std::string out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else {
      std::fprintf(stderr, "usage: quorvane-gallery --out FILE.png\n");
      return 2;
    }
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: quorvane-gallery --out FILE.png\n");
    return 2;
  }
  try {
    const qv::TBitmap32 sheet = qv::gallery::ComposeSheet(qv::gallery::RenderStates());
    qv::WritePng(sheet, out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}
