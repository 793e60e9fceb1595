// Layered windows: their pictures blended into the top-level windows below
// them when those are presented, clipped at their edges, re-presented when a
// layered window moves, changes or goes, and never hit by the pointer.
#include "platform/window/layered.h"

#include "tests/platform/window/window_fixture.h"

namespace qv::test {
namespace {

class Layered : public WindowTest {
 protected:
  // A form painted in one colour, shown and presented.
  HWND PaintedForm(int x, int y, TBGRA colour) {
    HWND f = Form(x, y, 200, 150);
    handlers[f.id] = [colour](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, ps);
      dc->FillRect(Rect(0, 0, 200, 150), PixelToColor(colour));
      EndPaint(h, ps);
      return 0;
    };
    ShowWindow(f, SW_SHOW);
    PumpPendingMessages();
    return f;
  }
  HWND LayeredOver(HWND owner) {
    return CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, u"QvTestWindow",
                          u"", WS_POPUP, 0, 0, 10, 10, owner);
  }
  // The colour the desktop shows of top-level window f at a screen point.
  TColor Shown(HWND f, TPoint screen) {
    PumpPendingMessages();
    TRect r;
    GetWindowRect(f, r);
    return PixelToColor(backend->Native(f)->screen.Pixel(screen.X - r.Left, screen.Y - r.Top));
  }
};

TEST_F(Layered, PixelsBlendByTheirAlphaTimesTheConstantAlpha) {
  const TBGRA d{10, 100, 200, 0};
  // A premultiplied half-transparent white at full constant alpha: 128 + d/2.
  EXPECT_EQ(BlendLayeredPixel(d, {128, 128, 128, 128}, 255), (TBGRA{133, 178, 228, 0}));
  EXPECT_EQ(BlendLayeredPixel(d, {255, 255, 255, 255}, 255), (TBGRA{255, 255, 255, 0}));
  EXPECT_EQ(BlendLayeredPixel(d, {255, 255, 255, 255}, 0), d);
  EXPECT_EQ(BlendLayeredPixel(d, {0, 0, 0, 0}, 255), d) << "transparent pixels keep what is below";
  // Opaque black at half constant alpha halves the colour (rounded).
  EXPECT_EQ(BlendLayeredPixel(d, {0, 0, 0, 255}, 128), (TBGRA{5, 50, 100, 0}));
}

TEST_F(Layered, ALayeredWindowIsBlendedIntoTheFormBelowAndClippedAtItsEdge) {
  EXPECT_TRUE(IsLayeredWindowSupported());
  const TBGRA grey{100, 100, 100, 255};
  HWND f = PaintedForm(100, 100, grey);
  TRect fr;
  GetWindowRect(f, fr);
  HWND l = LayeredOver(f);
  TBitmap32 pic(40, 20);
  pic.Fill({0, 0, 255, 255});  // opaque red
  // Half of it past the form's right edge.
  const TPoint at{fr.Right - 20, fr.Top + 30};
  ASSERT_TRUE(UpdateLayeredWindow(l, &at, &pic, 255));
  ShowWindow(l, SW_SHOWNOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), f) << "never activated";

  EXPECT_EQ(Shown(f, {at.X + 5, at.Y + 5}), PixelToColor({0, 0, 255, 255}));
  EXPECT_EQ(Shown(f, {at.X - 1, at.Y + 5}), PixelToColor(grey));
  EXPECT_EQ(backend->Native(l), nullptr) << "no desktop window of its own";
  EXPECT_EQ(PixelToColor(GetWindowPixels(f)->Pixel(at.X + 5 - fr.Left, at.Y + 5 - fr.Top)),
            PixelToColor(grey))
      << "the form's own pixels stay as painted";

  // A constant alpha change re-presents with the picture kept.
  UpdateLayeredWindow(l, nullptr, nullptr, 128);
  EXPECT_EQ(Shown(f, {at.X + 5, at.Y + 5}),
            PixelToColor(BlendLayeredPixel(grey, {0, 0, 255, 255}, 128)));
  std::uint8_t alpha = 0;
  ASSERT_NE(GetLayeredWindowPicture(l, &alpha), nullptr);
  EXPECT_EQ(alpha, 128);

  // Moving shows the form again where it was.
  const TPoint moved{fr.Left + 10, fr.Top + 40};
  UpdateLayeredWindow(l, &moved, nullptr, 255);
  EXPECT_EQ(Shown(f, {at.X + 5, at.Y + 5}), PixelToColor(grey));
  EXPECT_EQ(Shown(f, {moved.X + 1, moved.Y + 1}), PixelToColor({0, 0, 255, 255}));

  // Hiding and destroying restore the form's picture.
  ShowWindow(l, SW_HIDE);
  EXPECT_EQ(Shown(f, {moved.X + 1, moved.Y + 1}), PixelToColor(grey));
  ShowWindow(l, SW_SHOWNOACTIVATE);
  EXPECT_EQ(Shown(f, {moved.X + 1, moved.Y + 1}), PixelToColor({0, 0, 255, 255}));
  DestroyWindow(l);
  EXPECT_EQ(Shown(f, {moved.X + 1, moved.Y + 1}), PixelToColor(grey));
}

TEST_F(Layered, ItShowsOnEveryWindowBelowItAndOnNoneAboveIt) {
  HWND below = PaintedForm(100, 100, {10, 10, 10, 255});
  HWND l = LayeredOver(below);
  HWND above = PaintedForm(150, 150, {200, 200, 200, 255});
  TBitmap32 pic(300, 300);
  pic.Fill({0, 0, 0, 255});
  const TPoint at{50, 50};
  UpdateLayeredWindow(l, &at, &pic, 255);
  // Order: below, layered, above.
  SetWindowPos(l, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_EQ(Shown(below, {120, 120}), PixelToColor({0, 0, 0, 255}));
  EXPECT_EQ(Shown(above, {200, 200}), PixelToColor({200, 200, 200, 255}));
}

TEST_F(Layered, ThePointerPassesThrough) {
  HWND f = PaintedForm(100, 100, {50, 50, 50, 255});
  TRect fr;
  GetWindowRect(f, fr);
  HWND l = LayeredOver(f);
  TBitmap32 pic(50, 50);
  pic.Fill({0, 0, 0, 255});
  const TPoint at{fr.Left + 20, fr.Top + 40};
  UpdateLayeredWindow(l, &at, &pic, 255);
  ShowWindow(l, SW_SHOWNOACTIVATE);
  EXPECT_EQ(GetAncestor(WindowFromPoint({at.X + 10, at.Y + 10}), GA_ROOT), f);
  log.clear();
  backend->Click({at.X + 10, at.Y + 10});
  EXPECT_FALSE(Of(WM_LBUTTONDOWN, f).empty());
  EXPECT_TRUE(Of(WM_LBUTTONDOWN, l).empty());

  EXPECT_FALSE(UpdateLayeredWindow(f, &at, &pic, 255)) << "not a layered window";
}

}  // namespace
}  // namespace qv::test
