// Section painting: the layers of a state at their exact weights, the
// parent behind transparent sections (copied, rebuilt from border bands,
// mixed), corners and border, a control's colour adjustments, state
// clamping, texture overlays, and input that paints nothing.
#include "skin/section_paint.h"

#include <gtest/gtest.h>

#include <random>

#include "paint/gradient.h"
#include "paint/mask_draw.h"
#include "skin/color_transforms.h"
#include "skin/mask_elements.h"
#include "tests/paint/paint_test_util.h"
#include "tests/skin/section_paint_test_skin.h"

namespace qv {
namespace {

using test::Coded;
using test::Diff;
using test::Solid;

constexpr TBGRA kOld{7, 7, 7, 7};
constexpr TColor kC = 0x00C08040;
constexpr TBGRA kCPixel{0xC0, 0x80, 0x40, 255};

TsGradArray Gradient(int mode, std::uint32_t c1, std::uint32_t c2) {
  TsGradArray a(2);
  a[0].Mode = mode;
  a[0].Color = TsColor::FromValue(c1);
  a[1].Color = TsColor::FromValue(c2);
  a[1].Percent = 100;
  return a;
}

TCacheInfo ReadyParent(TBitmap32& parent, int x = 0, int y = 0) {
  TCacheInfo ci;
  ci.Bmp = &parent;
  ci.X = x;
  ci.Y = y;
  ci.Ready = true;
  return ci;
}

TCacheInfo ColourParent(TColor c) {
  TCacheInfo ci;
  ci.FillColor = c;
  return ci;
}

class SectionPaint : public ::testing::Test {
 protected:
  test::TTestSkin ts;
  std::mt19937 rng{42};
  TBitmap32 bmp = Solid(20, 12, kOld);

  TBitmap32 Paint(int si, const TCacheInfo& ci, int state = 0, TRect r = Rect(0, 0, 20, 12),
                  TPoint p = {}) {
    TBitmap32 b = bmp;
    PaintSection(si, ci, -1, -1, ts.Skin(), b, p, r, state);
    return b;
  }
  // A 4 x 3 coded texture at (40, 0) of the master.
  int Texture(int draw_mode) {
    ts.PaintMaster(Rect(40, 0, 44, 3), Coded);
    return ts.AddElement(Rect(40, 0, 44, 3), 0, draw_mode);
  }
};

TEST_F(SectionPaint, NothingForInputThatCannotBePainted) {
  const int si = ts.AddSection();
  const int none = ts.AddSection(kC, 0);
  auto unchanged = [&](const TBitmap32& b) { return Diff(b, bmp); };
  TBitmap32 b = bmp;
  PaintSection(si, {}, -1, -1, TSectionSkin{}, b, {}, Rect(0, 0, 5, 5), 0);
  EXPECT_EQ(unchanged(b), "");
  EXPECT_EQ(unchanged(Paint(99, {})), "");
  EXPECT_EQ(unchanged(Paint(-1, {})), "");
  EXPECT_EQ(unchanged(Paint(si, {}, 0, Rect(3, 3, 3, 8))), "");
  EXPECT_EQ(unchanged(Paint(si, {}, 0, Rect(0, 0, 21, 12))), "");  // not inside the bitmap
  EXPECT_EQ(unchanged(Paint(si, {}, 0, Rect(-1, 0, 5, 5))), "");
  EXPECT_EQ(unchanged(Paint(none, {})), "");  // a section without states
  PaintSectionBackground(none, {}, 0, clKeyColor, -1, -1, ts.Skin(), b, {}, Rect(0, 0, 5, 5));
  EXPECT_EQ(unchanged(b), "");
  TControlPaintView c;  // no skin manager
  c.SkinIndex = si;
  PaintControlSection(c, {}, true, b, {}, Rect(0, 0, 5, 5), 0);
  EXPECT_EQ(unchanged(b), "");
}

// A state past the section's last paints as the last; a section of one
// state paints state 0 for every request, and a negative request as 0.
TEST_F(SectionPaint, StatesAreClampedToTheSection) {
  const int si = ts.AddSection();
  ts.State(si, 1).Color = 0x111111;
  ts.State(si, 2).Color = 0x222222;
  EXPECT_EQ(Paint(si, {}, 7).Pixel(0, 0), (TBGRA{0x22, 0x22, 0x22, 255}));
  EXPECT_EQ(Paint(si, {}, -4).Pixel(0, 0), kCPixel);
  ts.Section(si).States = 1;
  EXPECT_EQ(Paint(si, {}, 2).Pixel(0, 0), kCPixel);
  EXPECT_EQ(SectionPaintState(ts.Section(si), 2), 0);
  ts.Section(si).States = 0;
  EXPECT_EQ(SectionPaintState(ts.Section(si), 0), -1);
}

TEST_F(SectionPaint, OpaqueColourIgnoresTheParent) {
  const int si = ts.AddSection();
  TBitmap32 parent = test::RandomBitmap(rng, 30, 30);
  const TBitmap32 b = Paint(si, ReadyParent(parent), 0, Rect(2, 3, 9, 8));
  EXPECT_EQ(Diff(b,
                 [&] {
                   TBitmap32 w = bmp;
                   FillRectAlpha(w, Rect(2, 3, 9, 8), kC, 255);
                   return w;
                 }()),
            "");
}

TEST_F(SectionPaint, FullTransparencyShowsTheParentUnderCornersAndBorder) {
  const int si = ts.AddSection();
  ts.State(si, 0).Transparency = 100;
  ts.PaintMaster(Rect(0, 0, 4, 4), [](int u, int v) { return Coded(u + 20, v + 20); });
  ts.Section(si).BorderIndex = ts.AddElement(Rect(0, 0, 4, 4), 0, 0, 1, 1);
  ts.PaintMaster(Rect(10, 0, 13, 3), Coded);
  ts.Section(si).ImgTL = ts.AddElement(Rect(10, 0, 13, 3));
  TBitmap32 parent = test::RandomBitmap(rng, 40, 30);
  const TBitmap32 b = Paint(si, ReadyParent(parent, 2, 3), 0, Rect(0, 0, 20, 12), {5, 4});
  for (int y = 1; y < 11; ++y)
    for (int x = 3; x < 19; ++x) ASSERT_EQ(b.Pixel(x, y), parent.Pixel(2 + 5 + x, 3 + 4 + y));
  EXPECT_EQ(b.Pixel(0, 0), Coded(20, 20));  // border corner
  EXPECT_EQ(b.Pixel(2, 2), Coded(2, 2));    // corner image inside the border
  EXPECT_EQ(b.Pixel(19, 11), Coded(23, 23));
}

// T = 40 over a parent of unknown pixels but known colour, no layers:
// MixColors(black, white, 102) = 152 per channel.
TEST_F(SectionPaint, TransparentColourOverAParentColour) {
  const int si = ts.AddSection(clWhite);
  ts.State(si, 0).Transparency = 40;
  const TBitmap32 b = Paint(si, ColourParent(clBlack));
  EXPECT_EQ(b.Pixel(0, 0), (TBGRA{152, 152, 152, 255}));
  EXPECT_EQ(b.Pixel(19, 11), (TBGRA{152, 152, 152, 255}));
  // Percentages past 100 count as 100; a "ready" parent without pixels is unknown.
  ts.State(si, 0).Transparency = 250;
  EXPECT_EQ(Paint(si, ColourParent(clBlack)).Pixel(3, 3), (TBGRA{0, 0, 0, 255}));
  TCacheInfo hollow;
  hollow.Ready = true;
  EXPECT_EQ(Paint(si, hollow).Pixel(3, 3), (TBGRA{255, 255, 255, 255}));
  hollow.FillColor = clBlack;
  ts.State(si, 0).Transparency = 40;
  EXPECT_EQ(Paint(si, hollow).Pixel(3, 3), (TBGRA{152, 152, 152, 255}));
}

// Layers over a ready parent: each byte (t (parent - layer) + 256 layer) >> 8.
TEST_F(SectionPaint, TransparentGradientOverAReadyParent) {
  const int si = ts.AddSection();
  ts.State(si, 0).Transparency = 40;
  ts.State(si, 0).GradientPercent = 100;
  ts.State(si, 0).GradientArray = Gradient(0, 0xFF2040E0, 0xFF10F010);
  TBitmap32 parent = test::RandomBitmap(rng, 30, 20);
  const TRect r = Rect(3, 2, 17, 11);
  const TBitmap32 b = Paint(si, ReadyParent(parent, 1, 1), 0, r, {2, 2});
  TBitmap32 g(r.Width(), r.Height());
  PaintGradient(g, g.BoundsRect(), ts.State(si, 0).GradientArray);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TBGRA p = parent.Pixel(1 + 2 + x, 1 + 2 + y), l = g.Pixel(x - r.Left, y - r.Top);
      auto mix = [](int pv, int lv) {
        return static_cast<std::uint8_t>((102 * (pv - lv) + lv * 256) >> 8);
      };
      ASSERT_EQ(b.Pixel(x, y), (TBGRA{mix(p.B, l.B), mix(p.G, l.G), mix(p.R, l.R), mix(p.A, l.A)}));
    }
  EXPECT_EQ(b.Pixel(2, 2), kOld);
}

// G = 60, I = 0: gradient x 153 + C x 102, over 256.
TEST_F(SectionPaint, GradientMixedWithTheBaseColour) {
  const int si = ts.AddSection();
  ts.State(si, 0).GradientPercent = 60;
  ts.State(si, 0).GradientArray = Gradient(1, 0xFF0000FF, 0xFFFF0000);
  const TBitmap32 b = Paint(si, {});
  TBitmap32 g = bmp;
  PaintGradient(g, g.BoundsRect(), ts.State(si, 0).GradientArray);
  for (int x = 0; x < 20; ++x) {
    const TBGRA p = g.Pixel(x, 5);
    EXPECT_EQ(b.Pixel(x, 5),
              (TBGRA{static_cast<std::uint8_t>((p.B * 153 + 0xC0 * 102) >> 8),
                     static_cast<std::uint8_t>((p.G * 153 + 0x80 * 102) >> 8),
                     static_cast<std::uint8_t>((p.R * 153 + 0x40 * 102) >> 8), 255}));
  }
}

// G = 30, I = 70 with a tiled texture and a plain gradient: one pass, texture weight 178.
TEST_F(SectionPaint, TiledTextureAndGradientInOnePass) {
  const int si = ts.AddSection();
  TsGenState& s = ts.State(si, 0);
  s.GradientPercent = 30;
  s.ImagePercent = 70;
  s.TextureIndex = Texture(0);
  s.GradientArray = Gradient(0, 0xFF000000, 0xFFFFFFFF);
  const TBitmap32 b = Paint(si, {});
  TBitmap32 want = bmp;
  PaintGradientTextured(want, want.BoundsRect(), s.GradientArray, 255, 178, Rect(40, 0, 44, 3),
                        ts.master);
  EXPECT_EQ(Diff(b, want), "");
}

// A texture along the top edge (fill mode 2) at I = 100: the rest is C.
TEST_F(SectionPaint, TextureAlongTheTopAndTheBaseColourBelow) {
  const int si = ts.AddSection();
  ts.State(si, 0).ImagePercent = 100;
  ts.State(si, 0).TextureIndex = Texture(2);
  const TBitmap32 b = Paint(si, {});
  EXPECT_EQ(b.Pixel(5, 2), Coded(1, 2));
  EXPECT_EQ(b.Pixel(5, 3), kCPixel);
  EXPECT_EQ(b.Pixel(19, 11), kCPixel);
}

// The gradient's share over a drawn texture with no gradient of its own is
// the base colour, everywhere in the rectangle, wherever the rectangle lies.
TEST_F(SectionPaint, BaseColourOverATextureFillsTheWholeRectangle) {
  const int si = ts.AddSection();
  ts.State(si, 0).ImagePercent = 50;
  ts.State(si, 0).GradientPercent = 50;
  ts.State(si, 0).TextureIndex = Texture(0);
  const TRect r = Rect(4, 3, 14, 9);
  const TBitmap32 b = Paint(si, {}, 0, r);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      const TBGRA t = Coded((x - r.Left) % 4, (y - r.Top) % 3);
      auto mix = [](int tv, int cv) {
        return static_cast<std::uint8_t>((127 * (tv - cv) + cv * 256) >> 8);
      };
      ASSERT_EQ(b.Pixel(x, y), (TBGRA{mix(t.B, 0xC0), mix(t.G, 0x80), mix(t.R, 0x40), 255}))
          << x << "," << y;
    }
}

// A masked texture mixes over the base colour, not over whatever the
// picture held before; the one-pass path never takes it (its mask half would
// be tiled as texture).
TEST_F(SectionPaint, MaskedTexturesMixOverTheBaseColour) {
  const int si = ts.AddSection();
  ts.PaintMaster(Rect(50, 0, 54, 6), [](int u, int v) {
    return v < 3 ? Coded(u, v) : TBGRA{128, 128, 128, 255};
  });
  TsGenState& s = ts.State(si, 0);
  s.ImagePercent = 70;
  s.GradientPercent = 30;
  s.GradientArray = Gradient(0, 0xFF000000, 0xFFFFFFFF);
  s.TextureIndex = ts.AddElement(Rect(50, 0, 54, 6), 1, 0);
  TBitmap32 a = test::RandomBitmap(rng, 20, 12), b = test::RandomBitmap(rng, 20, 12);
  PaintSection(si, {}, -1, -1, ts.Skin(), a, {}, a.BoundsRect(), 0);
  PaintSection(si, {}, -1, -1, ts.Skin(), b, {}, b.BoundsRect(), 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const TBGRA p = a.Pixel(x, y), q = b.Pixel(x, y);
      ASSERT_TRUE(p.B == q.B && p.G == q.G && p.R == q.R) << x << "," << y;
    }
  const TSectionPaintPaths saved = SectionPaintPaths();
  SetSectionPaintPaths({false, saved.DirectBlend});
  TBitmap32 c = a;
  PaintSection(si, {}, -1, -1, ts.Skin(), c, {}, c.BoundsRect(), 0);
  SetSectionPaintPaths(saved);
  EXPECT_EQ(Diff(a, c), "");
}

TEST_F(SectionPaint, CustomColourReplacesEveryLayer) {
  const int si = ts.AddSection();
  ts.State(si, 0).Transparency = 50;
  ts.State(si, 0).GradientPercent = 50;
  ts.State(si, 0).GradientArray = Gradient(0, 0xFF000000, 0xFFFFFFFF);
  TControlPaintView c;
  c.Skin = ts.Skin();
  c.SkinIndex = si;
  c.CustomColor = true;
  c.OwnerColor = 0x123456;
  TBitmap32 parent = test::RandomBitmap(rng, 30, 30);
  TBitmap32 b = bmp;
  PaintControlBackground(c, ReadyParent(parent), 0, b, {}, b.BoundsRect());
  EXPECT_EQ(Diff(b, Solid(20, 12, {0x12, 0x34, 0x56, 255})), "");
}

// Alpha gradients go over the finished background; their percentage is ignored.
TEST_F(SectionPaint, AlphaGradientIsPaintedLast) {
  const int si = ts.AddSection();
  TsGenState& s = ts.State(si, 0);
  s.GradientPercent = 50;
  s.GradientArray = Gradient(gmHasAlpha, 0x80FFFFFF, 0x00000000);
  s.GradientArray[0].Mode |= gmAlphaStop;
  s.GradientArray[1].Mode = gmAlphaStop;
  const TBitmap32 b = Paint(si, {});
  TBitmap32 want = Solid(20, 12, kCPixel);
  PaintGradient(want, want.BoundsRect(), s.GradientArray);
  EXPECT_EQ(Diff(b, want), "");
  EXPECT_NE(b.Pixel(0, 0), kCPixel);
}

// Unknown parent pixels with a known colour and border bands: the bands are
// copied, the rest is the colour, and nothing lands outside the rectangle.
TEST_F(SectionPaint, ParentRebuiltFromItsBorderBands) {
  const int si = ts.AddSection();
  ts.State(si, 0).Transparency = 100;
  TBitmap32 parent = test::RandomBitmap(rng, 40, 30);
  TCacheInfo ci = ColourParent(0x010203);
  ci.Bmp = &parent;
  ci.X = ci.Y = 0;
  ci.FillRect = Rect(3, 2, 4, 5);
  TBitmap32 b = Solid(38, 28, kOld);
  PaintSection(si, ci, -1, -1, ts.Skin(), b, {1, 1}, b.BoundsRect(), 0);
  EXPECT_EQ(b.Pixel(1, 10), parent.Pixel(2, 11));    // left band: 2 columns
  EXPECT_EQ(b.Pixel(10, 0), parent.Pixel(11, 1));    // top band: 1 row
  EXPECT_EQ(b.Pixel(35, 10), parent.Pixel(36, 11));  // right band: 3 columns
  EXPECT_EQ(b.Pixel(10, 24), parent.Pixel(11, 25));  // bottom band: 4 rows
  const TBGRA fill{0x01, 0x02, 0x03, 255};
  EXPECT_EQ(b.Pixel(2, 1), fill);
  EXPECT_EQ(b.Pixel(34, 23), fill);

  TBitmap32 small = Solid(20, 10, kOld);
  ci.FillRect = Rect(10, 8, 0, 0);
  PaintSection(si, ci, -1, -1, ts.Skin(), small, {}, Rect(0, 0, 2, 2), 0);
  EXPECT_EQ(small.Pixel(1, 1), parent.Pixel(1, 1));
  EXPECT_EQ(small.Pixel(5, 1), kOld);
  EXPECT_EQ(small.Pixel(1, 5), kOld);
}

// A masked fill-mode-10 texture goes over the background in every state;
// hot and pressed states without one of their own show the normal state's.
TEST_F(SectionPaint, TextureOverlayInEveryState) {
  const int si = ts.AddSection();
  ts.PaintMaster(Rect(60, 0, 63, 4), [](int u, int v) {
    return v < 2 ? Coded(u, v) : TBGRA{0, 0, 0, 255};
  });
  const int overlay = ts.AddElement(Rect(60, 0, 63, 4), 1, 10);
  const TBitmap32 plain = Paint(si, {}, 0);
  ts.State(si, 0).TextureIndex = overlay;
  const TBitmap32 normal = Paint(si, {}, 0);
  EXPECT_EQ(normal.Pixel(4, 3), Coded(1, 1));
  EXPECT_NE(Diff(normal, plain), "");
  EXPECT_EQ(Diff(Paint(si, {}, 1), normal), "");
  EXPECT_EQ(Diff(Paint(si, {}, 2), normal), "");
  // An explicit hot texture wins in the hot state.
  ts.PaintMaster(Rect(70, 0, 73, 4), [](int u, int v) {
    return v < 2 ? Coded(u + 5, v) : TBGRA{0, 0, 0, 255};
  });
  const int hot = ts.AddElement(Rect(70, 0, 73, 4), 1, 10);
  TBitmap32 b = bmp;
  PaintSection(si, {}, hot, -1, ts.Skin(), b, {}, b.BoundsRect(), 1);
  EXPECT_EQ(b.Pixel(4, 3), Coded(6, 1));
}

TEST_F(SectionPaint, CornerImagesAtTheFourCorners) {
  const int si = ts.AddSection();
  int* corners[] = {&ts.Section(si).ImgTL, &ts.Section(si).ImgTR, &ts.Section(si).ImgBL,
                    &ts.Section(si).ImgBR};
  for (int k = 0; k < 4; ++k) {
    const TRect at = Bounds(80 + 3 * k, 10, 3, 2);
    ts.PaintMaster(at, [k](int u, int v) { return Coded(u + 10 * k, v); });
    *corners[k] = ts.AddElement(at);
  }
  const TBitmap32 b = Paint(si, {});
  EXPECT_EQ(b.Pixel(0, 0), Coded(0, 0));
  EXPECT_EQ(b.Pixel(19, 0), Coded(12, 0));
  EXPECT_EQ(b.Pixel(0, 11), Coded(20, 1));
  EXPECT_EQ(b.Pixel(17, 10), Coded(30, 0));
  EXPECT_EQ(b.Pixel(5, 5), kCPixel);
}

// Tone, then hue, then saturation over the painted picture - not for a
// transparent section without a border, always with one.
TEST_F(SectionPaint, ControlColourAdjustments) {
  const int si = ts.AddSection(0x3060A0);
  TControlPaintView c;
  c.Skin = ts.Skin();
  c.SkinIndex = si;
  c.ColorTone = 0x0000FF;
  c.HUEOffset = 40;
  c.Saturation = 100;
  TBitmap32 parent = test::RandomBitmap(rng, 30, 30);
  const TCacheInfo ci = ReadyParent(parent);
  auto paint = [&](int state) {
    TBitmap32 b = bmp;
    PaintControlSection(c, ci, true, b, {}, b.BoundsRect(), state);
    return b;
  };
  auto background = [&](int state) {
    TBitmap32 b = bmp;
    PaintControlBackground(c, ci, state, b, {}, b.BoundsRect());
    return b;
  };
  auto adjusted = [&](TBitmap32 b) {
    ApplyToBitmap(b, TPixelOp::Tone, 0x0000FF);
    ApplyToBitmap(b, TPixelOp::Hue, 40);
    ApplyToBitmap(b, TPixelOp::Saturation, 100);
    return b;
  };
  EXPECT_EQ(Diff(paint(0), adjusted(background(0))), "");
  ts.State(si, 0).Transparency = 30;
  EXPECT_EQ(Diff(paint(0), background(0)), "");
  // A border that is not drawn in state 0 counts as none there.
  ts.PaintMaster(Rect(0, 20, 4, 24), Coded);
  ts.Section(si).BorderIndex = ts.AddElement(Rect(0, 20, 4, 24), 0, kMaskNoNormal, 1, 1);
  EXPECT_EQ(Diff(paint(0), background(0)), "");
  ts.State(si, 1).Transparency = 30;
  TBitmap32 framed = background(1);
  TMaskElement e = MaskElementOf(ts.data.ma.back(), &ts.master);
  DrawBorderMask(framed, framed.BoundsRect(), ci, true, 1, e);
  EXPECT_EQ(Diff(paint(1), adjusted(framed)), "");
}

}  // namespace
}  // namespace qv
