// The skin sheet: a chequered background that is every cell's ready parent,
// each section painted into a cache of the cell's size at the cell's place,
// then copied onto the sheet, as a control paints over its parent.
#include "tools/gallery/skin_sheet.h"

#include <cstdio>
#include <exception>

#include "platform/canvas.h"
#include "platform/controls/flat_look.h"
#include "platform/png_write.h"
#include "skin/section_paint.h"
#include "skin/skin_scale.h"
#include "tools/gallery/skin_folder.h"

namespace qv::gallery {

TBitmap32 RenderSkinSections(const TSectionSkin& skin, int ppi) {
  auto s = [ppi](int n) { return ScaleByPPI(n, ppi); };
  const int pad = s(10), name_w = s(150), cell_w = s(132), cell_h = s(40), header = s(26);
  const int rows = skin.Data ? static_cast<int>(skin.Data->gd.size()) : 0;
  const int width = pad + name_w + 3 * (cell_w + pad);
  const int height = header + pad + rows * (cell_h + pad);
  TBitmap32 sheet(width, height);
  const int square = std::max(1, s(8));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const bool dark = ((x / square) + (y / square)) % 2 != 0;
      sheet.Pixel(x, y) = dark ? TBGRA{188, 188, 188, 255} : TBGRA{236, 236, 236, 255};
    }
  TCanvas c(sheet);
  const TFlatPalette p = FlatPalette();
  c.FillRect({0, 0, width, header}, p.Face);
  c.FillRect({0, header, pad + name_w, height}, p.Face);
  c.Font = FlatFont();
  c.Font.Height = -s(11);
  c.Font.Color = p.Text;
  c.SetBkMode(TRANSPARENT);
  const char16_t* const states[] = {u"normal", u"hot", u"pressed"};
  c.Font.Style = fsBold;
  TRect hr = Bounds(pad, 0, name_w, header);
  c.DrawText(u"section (" + IntToStr(ppi) + u" PPI)", hr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  for (int st = 0; st < 3; ++st) {
    TRect r = Bounds(pad + name_w + st * (cell_w + pad), 0, cell_w, header);
    c.DrawText(states[st], r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  c.Font.Style = 0;

  TCacheInfo parent;
  parent.Bmp = &sheet;
  parent.X = parent.Y = 0;
  parent.Ready = true;
  for (int i = 0; i < rows; ++i) {
    const TsGeneralData& g = skin.Data->gd[static_cast<std::size_t>(i)];
    const int y = header + pad + i * (cell_h + pad);
    TRect nr = Bounds(pad, y, name_w - s(6), cell_h);
    c.DrawText(g.ClassName, nr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (g.States <= 0) {
      TRect r = Bounds(pad + name_w, y, cell_w, cell_h);
      c.FillRect(r, p.Face);
      c.DrawText(u"no states: nothing painted", r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    for (int st = 0; st < 3 && st < g.States; ++st) {
      const TPoint at{pad + name_w + st * (cell_w + pad), y};
      TBitmap32 cache(cell_w, cell_h);
      PaintSection(i, parent, -1, -1, skin, cache, at, cache.BoundsRect(), st);
      BlendBitmaps(sheet, cache, 0, at, cache.BoundsRect());
    }
  }
  // The sheet is a picture of a screen, which has no alpha.
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) sheet.Pixel(x, y).A = 255;
  return sheet;
}

int RunSkinGallery(const std::string& folder, int ppi, const std::string& out) {
  if (folder.empty()) {
    std::fprintf(stderr,
                 "quorvane-gallery: the program's own skin needs the skin loader, which is not "
                 "part of this build yet; give a skin folder: --skin DIR\n");
    return 2;
  }
  try {
    const TGallerySkin skin = LoadGallerySkin(folder, ppi);
    WritePng(RenderSkinSections(skin.Skin(), ppi), out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvane-gallery: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace qv::gallery
