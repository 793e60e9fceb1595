// The paint cycle: update regions, erase, clipping to the update region and
// to children, redraw-now, validation, printing, the default frame and what
// reaches the screen.
#include "platform/window/metrics.h"
#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class WindowPaint : public WindowTest {
 protected:
  // Paints the whole update area of h in a colour through BeginPaint.
  void PaintWith(HWND h, TColor color) {
    handlers[h.id] = [this, color](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, ps);
      last_paint = ps.rcPaint;
      last_erase = ps.fErase;
      dc->FillRect(Rect(-1000, -1000, 1000, 1000), color);
      EndPaint(w, ps);
      return 0;
    };
  }

  TColor ScreenPixel(HWND top, TPoint screen) const {
    TRect r;
    GetWindowRect(top, r);
    const TBGRA p = backend->Native(top)->screen.Pixel(screen.X - r.Left, screen.Y - r.Top);
    return PixelToColor(p);
  }

  TRect last_paint;
  bool last_erase = false;
};

TEST_F(WindowPaint, FirstPaintErasesWithTheClassColourAndReachesTheScreen) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  const TBGRA face = ColorToPixel(ColorToRGB(clBtnFace), 0);
  EXPECT_EQ(GetWindowPixels(f)->Pixel(50, 50), face);
  EXPECT_EQ(ScreenPixel(f, At(f, 10, 10)), ColorToRGB(clBtnFace));
  EXPECT_GE(backend->Native(f)->presents, 1);
  // The default frame painted the caption in the active caption colour.
  TRect wr;
  GetWindowRect(f, wr);
  const TPoint caption{wr.Left + 30, wr.Top + 3 + 2};
  EXPECT_EQ(ScreenPixel(f, caption), ColorToRGB(clActiveCaption));
  SetClassBackground(f, clRed);
  RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(ScreenPixel(f, At(f, 10, 10)), clRed) << "redraw-now paints and presents at once";
  SetClassBackground(f, clBtnFace);
}

TEST_F(WindowPaint, PaintingIsClippedToTheUpdateRegion) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  PaintWith(f, clBlue);
  const TRect small = Rect(10, 10, 20, 30);
  InvalidateRect(f, &small, false);
  log.clear();
  PumpPendingMessages();
  EXPECT_EQ(last_paint, small);
  EXPECT_FALSE(last_erase);
  EXPECT_TRUE(Of(WM_ERASEBKGND).empty()) << "no erase was asked for";
  EXPECT_EQ(ScreenPixel(f, At(f, 15, 15)), clBlue);
  EXPECT_EQ(ScreenPixel(f, At(f, 25, 15)), ColorToRGB(clBtnFace));
  EXPECT_EQ(ScreenPixel(f, At(f, 15, 30)), ColorToRGB(clBtnFace));

  // Two invalidations before the paint merge into one WM_PAINT.
  InvalidateRect(f, &small, true);
  const TRect other = Rect(50, 50, 60, 60);
  InvalidateRect(f, &other, false);
  log.clear();
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u);
  EXPECT_EQ(last_paint, UnionRect(small, other));
  EXPECT_EQ(Of(WM_ERASEBKGND).size(), 1u);
}

TEST_F(WindowPaint, ChildrenPaintAfterTheirParentAndClipChildrenIsHonoured) {
  HWND f = Form(100, 100, 200, 150, WS_CAPTION | WS_SYSMENU);  // no WS_CLIPCHILDREN
  HWND c = Child(f, 20, 20, 40, 40);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  PaintWith(f, clBlue);
  PaintWith(c, clGreen);
  log.clear();
  InvalidateRect(f, nullptr, true);
  PumpPendingMessages();
  EXPECT_EQ(Sequence({WM_PAINT}), (std::vector<UINT>{WM_PAINT, WM_PAINT}));
  ASSERT_EQ(Of(WM_PAINT).size(), 2u);
  EXPECT_EQ(Of(WM_PAINT)[0].hwnd, f);
  EXPECT_EQ(Of(WM_PAINT)[1].hwnd, c);
  EXPECT_EQ(ScreenPixel(f, At(c, 5, 5)), clGreen);

  // With WS_CLIPCHILDREN the parent neither paints over nor invalidates the child.
  SetWindowLongPtr(f, GWL_STYLE, GetWindowLongPtr(f, GWL_STYLE) | WS_CLIPCHILDREN);
  PaintWith(c, clGreen);
  log.clear();
  InvalidateRect(f, nullptr, true);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u);
  EXPECT_EQ(ScreenPixel(f, At(c, 5, 5)), clGreen);
  EXPECT_EQ(ScreenPixel(f, At(f, 5, 5)), clBlue);
  // ...unless asked for all children.
  log.clear();
  RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT, c).size(), 1u);
}

TEST_F(WindowPaint, SiblingsAboveClipWithClipSiblings) {
  HWND f = Form();
  HWND below = Child(f, 0, 0, 60, 60, WS_CLIPSIBLINGS);
  HWND above = Child(f, 30, 30, 60, 60, WS_CLIPSIBLINGS);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  PaintWith(above, clGreen);
  PaintWith(below, clRed);
  RedrawWindow(f, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(ScreenPixel(f, At(f, 40, 40)), clGreen);
  InvalidateRect(below, nullptr, false);
  UpdateWindow(below);
  EXPECT_EQ(ScreenPixel(f, At(f, 40, 40)), clGreen) << "the lower sibling stays under";
  EXPECT_EQ(ScreenPixel(f, At(f, 10, 10)), clRed);
}

TEST_F(WindowPaint, ValidationAndRedrawOffStopPainting) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  InvalidateRect(f, nullptr, true);
  ValidateRect(f, nullptr);
  log.clear();
  PumpPendingMessages();
  EXPECT_TRUE(Of(WM_PAINT).empty());
  TRect r;
  EXPECT_FALSE(GetUpdateRect(f, &r, false));

  SendMessage(f, WM_SETREDRAW, 0, 0);
  InvalidateRect(f, nullptr, true);
  PumpPendingMessages();
  EXPECT_TRUE(Of(WM_PAINT).empty());
  EXPECT_TRUE(GetUpdateRect(f, &r, false)) << "the update region is kept";
  SendMessage(f, WM_SETREDRAW, 1, 0);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u);
}

TEST_F(WindowPaint, AProcedureThatNeverValidatesIsNotAskedForever) {
  HWND f = Form();
  handlers[f.id] = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_PAINT) return 0;  // no BeginPaint
    return std::nullopt;
  };
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT).size(), 1u);
}

TEST_F(WindowPaint, HiddenWindowsArePaintedWhenShown) {
  HWND f = Form();
  HWND c = CreateWindowEx(0, u"QvTestWindow", u"", WS_CHILD, 10, 10, 20, 20, f);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  EXPECT_TRUE(Of(WM_PAINT, c).empty());
  InvalidateRect(c, nullptr, true);
  PumpPendingMessages();
  EXPECT_TRUE(Of(WM_PAINT, c).empty());
  PaintWith(c, clGreen);
  ShowWindow(c, SW_SHOW);
  PumpPendingMessages();
  EXPECT_EQ(Of(WM_PAINT, c).size(), 1u);
  EXPECT_EQ(ScreenPixel(f, At(c, 1, 1)), clGreen);
  PaintWith(f, clBlue);
  ShowWindow(c, SW_HIDE);
  PumpPendingMessages();
  EXPECT_EQ(ScreenPixel(f, At(f, 15, 15)), clBlue) << "the parent repaints where it was";
}

TEST_F(WindowPaint, FrameRepaintsOnActivationAndCaptionChange) {
  HWND f = Form();
  HWND g = Form(400, 300);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  TRect wr;
  GetWindowRect(f, wr);
  const TPoint caption{wr.Left + 40, wr.Top + 5};
  EXPECT_EQ(ScreenPixel(f, caption), ColorToRGB(clActiveCaption));
  ShowWindow(g, SW_SHOW);
  PumpPendingMessages();
  EXPECT_EQ(ScreenPixel(f, caption), ColorToRGB(clInactiveCaption));
  log.clear();
  SetWindowText(f, u"Другой заголовок");
  PumpPendingMessages();
  EXPECT_EQ(GetWindowText(f), u"Другой заголовок");
  EXPECT_EQ(backend->Native(f)->title, u"Другой заголовок");
  EXPECT_EQ(Of(WM_NCPAINT, f).size(), 1u);
  EXPECT_TRUE(Of(WM_PAINT, f).empty()) << "only the frame";
}

TEST_F(WindowPaint, PrintDrawsFrameClientAndChildrenIntoAGivenCanvas) {
  HWND f = Form();
  HWND c = Child(f, 10, 10, 20, 20);
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  handlers[c.id] = [](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_PRINTCLIENT) return std::nullopt;
    reinterpret_cast<HDC>(w)->FillRect(Rect(0, 0, 20, 20), clGreen);
    return 0;
  };
  TRect wr;
  GetWindowRect(f, wr);
  TBitmap32 target(wr.Width(), wr.Height());
  TCanvas canvas(target);
  SendMessage(f, WM_PRINT, reinterpret_cast<WPARAM>(&canvas),
              PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT | PRF_CHILDREN);
  const TPoint client = At(c, 5, 5);
  EXPECT_EQ(PixelToColor(target.Pixel(client.X - wr.Left, client.Y - wr.Top)), clGreen);
  EXPECT_EQ(PixelToColor(target.Pixel(40, 5)), ColorToRGB(clActiveCaption));
  const TPoint face = At(f, 50, 50);
  EXPECT_EQ(PixelToColor(target.Pixel(face.X - wr.Left, face.Y - wr.Top)), ColorToRGB(clBtnFace));
}

TEST_F(WindowPaint, DeviceContextsShowTheirDrawingAfterRelease) {
  HWND f = Form();
  ShowWindow(f, SW_SHOW);
  PumpPendingMessages();
  HDC dc = GetDC(f);
  ASSERT_NE(dc, nullptr);
  dc->FillRect(Rect(0, 0, 5, 5), clRed);
  EXPECT_NE(ScreenPixel(f, At(f, 1, 1)), clRed);
  EXPECT_EQ(ReleaseDC(f, dc), 1);
  PresentPending();
  EXPECT_EQ(ScreenPixel(f, At(f, 1, 1)), clRed);
  EXPECT_EQ(ReleaseDC(f, dc), 0) << "a context is released once";
  {
    TWindowDC wdc(f, true);
    ASSERT_TRUE(wdc);
    wdc.get()->FillRect(Rect(0, 0, 2, 2), clGreen);
  }
  PresentPending();
  TRect wr;
  GetWindowRect(f, wr);
  EXPECT_EQ(ScreenPixel(f, wr.TopLeft()), clGreen);
}

}  // namespace
}  // namespace qv::test
