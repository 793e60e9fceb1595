// The canvas's text calls: font, background mode, viewport origin and clip
// go through to the text engine.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/text/text.h"

namespace qv {
namespace {

constexpr TBGRA kPaper{0xEE, 0xDD, 0xCC, 0xFF};

TRect Touched(const TBitmap32& b) {
  TRect box;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.Pixel(x, y).A != 0xFF) box = UnionRect(box, {x, y, x + 1, y + 1});
  return box;
}

TEST(TextCanvas, MeasuresWithItsFont) {
  TBitmap32 bmp(10, 10);
  TCanvas c(bmp);
  c.Font.Name = u"Tahoma";
  c.Font.Height = -11;
  EXPECT_EQ(c.TextExtent(u"Схема:"), TextExtentOf(c.Font, u"Схема:"));
  EXPECT_EQ(c.TextHeight(u"Yy"), 13);
  c.Font.Style = fsBold;
  EXPECT_EQ(c.TextWidth(u"<неизвестно>"), 85);
}

TEST(TextCanvas, TextOutHonoursOriginClipAndBackground) {
  TBitmap32 bmp(120, 40);
  bmp.Fill(kPaper);
  TCanvas c(bmp);
  c.Font.Height = -11;
  c.SetBkMode(OPAQUE);
  c.SetBkColor(RGB(255, 255, 0));
  c.SetViewportOrg({10, 5});
  c.SetClipRect({0, 0, 30, 40});  // logical: device 10..40
  c.TextOut(0, 0, u"ШШШШШШШШ");
  EXPECT_EQ(Touched(bmp), (TRect{10, 5, 40, 18}));
  EXPECT_EQ(bmp.Pixel(10, 5), ColorToPixel(RGB(255, 255, 0), 0));
  // Transparent mode leaves the background.
  bmp.Fill(kPaper);
  c.ResetClip();
  c.SetBkMode(TRANSPARENT);
  c.TextOut(0, 0, u"Ш");
  EXPECT_EQ(bmp.Pixel(10, 5), kPaper);
  EXPECT_FALSE(Touched(bmp).IsEmpty());
}

TEST(TextCanvas, DrawTextMeasuresAndDrawsThroughTheClipRegion) {
  TBitmap32 bmp(120, 40);
  bmp.Fill(kPaper);
  TCanvas c(bmp);
  c.Font.Height = -11;
  TRect calc{4, 4, 4, 4};
  EXPECT_EQ(c.DrawText(u"Стратегия:", calc, DT_CALCRECT | DT_SINGLELINE), 13);
  EXPECT_EQ(calc, (TRect{4, 4, 4 + c.TextWidth(u"Стратегия:"), 17}));
  EXPECT_TRUE(Touched(bmp).IsEmpty());
  TRegion region({0, 0, 20, 40});
  region.Union(TRect{60, 0, 120, 40});
  c.SetClipRegion(&region);
  c.SetBkMode(OPAQUE);
  TRect r{0, 0, 120, 40};
  EXPECT_EQ(c.DrawText(u"ШШШШШШШШШШШШШШ", r, DT_SINGLELINE | DT_VCENTER), 13 + (40 - 13) / 2);
  for (int x = 20; x < 60; ++x) EXPECT_EQ(bmp.Pixel(x, 20).A, 0xFF) << x;
  EXPECT_EQ(bmp.Pixel(5, 20).A, 0);
  EXPECT_EQ(bmp.Pixel(65, 20).A, 0);
}

}  // namespace
}  // namespace qv
