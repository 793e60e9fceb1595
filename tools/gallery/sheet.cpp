// The gallery's contact sheet: names on the left, states across, and the
// scenes in a row below, each under its name.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/look/plain_look.h"
#include "platform/ustring.h"
#include "tools/gallery/render.h"

namespace qv::gallery {

namespace {
constexpr int kPad = 12;
constexpr int kNameWidth = 110;
constexpr int kHeaderHeight = 28;
constexpr int kSceneNameHeight = 32;  // two lines
}  // namespace

TBitmap32 ComposeSheet(const TGalleryPictures& pictures) {
  int col_w = 60;
  int height = kHeaderHeight + kPad;
  for (const auto& row : pictures.Pictures) {
    int row_h = 0;
    for (const TBitmap32& b : row) {
      col_w = std::max(col_w, b.Width());
      row_h = std::max(row_h, b.Height());
    }
    height += row_h + kPad;
  }
  int scenes_w = 0, scenes_h = 0;
  for (const TBitmap32& b : pictures.Scenes) {
    scenes_w += b.Width() + 2 * kPad;
    scenes_h = std::max(scenes_h, b.Height());
  }
  if (!pictures.Scenes.empty()) height += kHeaderHeight + kSceneNameHeight + scenes_h + kPad;
  const int width =
      std::max(kPad + kNameWidth + kStateCount * (col_w + kPad), kPad + kNameWidth + scenes_w);
  TBitmap32 sheet(width, height);
  TCanvas c(sheet);
  const TFlatPalette p = FlatPalette();
  c.FillRect({0, 0, width, height}, p.Face);
  c.Font = FlatFont();
  c.Font.Color = p.Text;
  c.SetBkMode(TRANSPARENT);
  for (int s = 0; s < kStateCount; ++s) {
    TRect r = Bounds(kPad + kNameWidth + s * (col_w + kPad), 0, col_w, kHeaderHeight);
    c.Font.Style = fsBold;
    c.DrawText(U(kStateNames[s]), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  c.Font.Style = 0;
  c.FillRect({kPad, kHeaderHeight - 1, width - kPad, kHeaderHeight}, p.Border);
  int y = kHeaderHeight + kPad;
  for (std::size_t i = 0; i < pictures.Pictures.size(); ++i) {
    const auto& row = pictures.Pictures[i];
    int row_h = 0;
    for (const TBitmap32& b : row) row_h = std::max(row_h, b.Height());
    TRect nr = Bounds(kPad, y, kNameWidth - 8, std::max(row_h, 14));
    c.DrawText(U(pictures.Names[i]), nr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    for (int s = 0; s < kStateCount; ++s) {
      const TBitmap32& b = row[static_cast<std::size_t>(s)];
      c.BitBlt(kPad + kNameWidth + s * (col_w + kPad), y, b.Width(), b.Height(), b, 0, 0);
    }
    y += row_h + kPad;
  }
  if (!pictures.Scenes.empty()) {
    c.Font.Style = fsBold;
    TRect hr = Bounds(kPad + kNameWidth, y, width - kNameWidth - 2 * kPad, kHeaderHeight);
    c.DrawText(u"scenes", hr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    c.Font.Style = 0;
    c.FillRect({kPad, y + kHeaderHeight - 1, width - kPad, y + kHeaderHeight}, p.Border);
    y += kHeaderHeight + kPad / 2;
    int x = kPad + kNameWidth;
    for (std::size_t i = 0; i < pictures.Scenes.size(); ++i) {
      const TBitmap32& b = pictures.Scenes[i];
      TRect nr = Bounds(x, y, b.Width() + kPad, kSceneNameHeight);
      c.DrawText(U(pictures.SceneNames[i]), nr, DT_WORDBREAK | DT_TOP | DT_LEFT | DT_END_ELLIPSIS);
      c.BitBlt(x, y + kSceneNameHeight, b.Width(), b.Height(), b, 0, 0);
      x += b.Width() + 2 * kPad;
    }
  }
  // The window pixels carry alpha 0 where fills wrote; the sheet is opaque.
  for (int yy = 0; yy < sheet.Height(); ++yy)
    for (int xx = 0; xx < sheet.Width(); ++xx) sheet.Pixel(xx, yy).A = 255;
  return sheet;
}

}  // namespace qv::gallery
