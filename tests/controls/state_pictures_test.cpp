// The program's own skin on the test button at 96, 120, 144 and 192 pixels
// per inch, in each state: normal, half way into a hover, hot with its
// glow, pressed, focused and disabled, as the window shows them (the glow
// window composited). The pictures are written as one contact sheet
// (state_sheet.png in the build folder) to be looked at.
#include "platform/png_write.h"
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

constexpr int kPpis[] = {96, 120, 144, 192};

class StatePictures : public SkinnedControlTest {
 protected:
  // Loads the program's skin with the program's hue offset.
  void LoadProgramSkin(TsSkinManager& m) {
    m.SetSkinDirectory(Utf8ToUtf16(QV_TESTDATA_DIR "/../../resources/skin"));
    m.SetHueOffset(1000);
    m.SetSkinName(u"MetroUI");
  }
  // The form's presented pixels around the control, margin m on each side.
  TBitmap32 Cell(TControl* c, int m) {
    PumpPendingMessages();
    const auto* native = headless->Native(form->WindowHandle());
    TRect wr;
    GetWindowRect(form->WindowHandle(), wr);
    const TPoint o = At(c, {0, 0});
    TBitmap32 out(c->Width() + 2 * m, c->Height() + 2 * m);
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) {
        TBGRA p = native->screen.Pixel(o.X - wr.Left - m + x, o.Y - wr.Top - m + y);
        p.A = 255;
        out.Pixel(x, y) = p;
      }
    return out;
  }
  static void Put(TBitmap32& sheet, const TBitmap32& cell, int x, int y) {
    for (int j = 0; j < cell.Height(); ++j)
      for (int i = 0; i < cell.Width(); ++i)
        if (sheet.InBounds(x + i, y + j)) sheet.Pixel(x + i, y + j) = cell.Pixel(i, j);
  }
};

TEST_F(StatePictures, TheProgramsSkinInEveryStateAtEveryDensity) {
  skin.reset();  // the program's skin instead of the fixture's
  TsSkinManager manager(nullptr);
  LoadProgramSkin(manager);
  ASSERT_TRUE(manager.IsActive()) << "the program's skin loads";

  TBitmap32 sheet(6 * 300, 4 * 80);
  sheet.Fill({0x80, 0x80, 0x80, 255});
  int row = 0;
  for (int ppi : kPpis) {
    // Laid out at 96 and scaled to the density as the program's window is.
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetClientSize(350, 100);
    form->SetBounds(100, 100, form->Width(), form->Height());
    form->SetColor(ColorToRGB(manager.GetGlobalColor()));
    auto* c = Make<TsTestControl>(form.get(), Bounds(40, 40, 137, 25));
    c->SetCaption(u"Информация");
    auto* other = Make<TsTestControl>(form.get(), Bounds(250, 40, 60, 25));
    form->ScaleForPPI(ppi);
    Show();
    SendToFormAndControls(*form, scSetNewSkin, reinterpret_cast<LPARAM>(&manager));
    // The shown form focused its first tab stop; the pictures start unfocused.
    other->SetFocus();
    PumpPendingMessages();
    ASSERT_TRUE(c->SkinData()->Skinned()) << ppi;
    EXPECT_EQ(c->SkinData()->CurrentPPI, ppi) << "the binding follows the form's density";
    EXPECT_EQ(c->Width(), MulDiv(137, ppi, 96));
    const int m = MulDiv(10, ppi, 96);
    std::vector<TBitmap32> cells;
    cells.push_back(Cell(c, m));
    MoveTo(c);
    headless->AdvanceTime(24);
    cells.push_back(Cell(c, m));
    headless->AdvanceTime(100);
    cells.push_back(Cell(c, m));
    c->Press();
    headless->AdvanceTime(100);
    cells.push_back(Cell(c, m));
    c->Release();
    MoveAway();
    headless->AdvanceTime(400);
    c->SetFocus();
    PumpPendingMessages();
    cells.push_back(Cell(c, m));
    other->SetFocus();
    c->SetEnabled(false);
    cells.push_back(Cell(c, m));

    // What each picture must show: the hover differs from rest, with a halo
    // outside the control; pressed and disabled differ from both.
    const TColor rest = ColorOf(cells[0].Pixel(m + 5, m + c->Height() / 2));
    EXPECT_NE(ColorOf(cells[2].Pixel(m + 5, m + c->Height() / 2)), rest) << ppi;
    EXPECT_NE(ColorOf(cells[2].Pixel(m - 2, m + c->Height() / 2)),
              ColorOf(cells[0].Pixel(m - 2, m + c->Height() / 2)))
        << "the glow lies outside the control at " << ppi;
    EXPECT_NE(ColorOf(cells[3].Pixel(m + 5, m + c->Height() / 2)), rest) << ppi;
    EXPECT_NE(ColorOf(cells[5].Pixel(m + c->Width() / 2, m + c->Height() / 2)),
              ColorOf(cells[0].Pixel(m + c->Width() / 2, m + c->Height() / 2)))
        << ppi;
    for (std::size_t i = 0; i < cells.size(); ++i)
      Put(sheet, cells[i], static_cast<int>(i) * 300 + 4, row * 80 + 4);
    if (ppi == 96) {
      // Rest and hot at the smallest size four times enlarged, to see the halo.
      TBitmap32 zoom(2 * 4 * 160, 4 * 50);
      zoom.Fill({0x80, 0x80, 0x80, 255});
      for (std::size_t i = 0; i < 2; ++i)
        for (int y = 0; y < cells[i].Height() * 4; ++y)
          for (int x = 0; x < cells[i].Width() * 4; ++x)
            if (zoom.InBounds(static_cast<int>(i) * 640 + x, y))
              zoom.Pixel(static_cast<int>(i) * 640 + x, y) = cells[i * 2].Pixel(x / 4, y / 4);
      WritePng(zoom, QV_BINARY_DIR "/tests/controls/state_sheet_96_x4.png");
    }
    ++row;
  }
  WritePng(sheet, QV_BINARY_DIR "/tests/controls/state_sheet.png");
}

}  // namespace
}  // namespace qv::test
