// Randomized section painting: thousands of random sections, states, parents
// and rectangles painted at every kernel level and with the shortcuts off
// must give the same bytes; the one-pass textured gradient must equal the
// texture and the gradient composed apart; and every picture is folded into
// one checksum pinned here, so that a change anywhere below (including the
// scalar reference) shows.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <memory>

#include "paint/gradient.h"
#include "paint/pixel_kernels.h"
#include "paint/texture_draw.h"
#include "skin/mask_elements.h"
#include "skin/section_paint.h"
#include "tests/paint/paint_test_util.h"
#include "tests/skin/section_paint_test_skin.h"

namespace qv {
namespace {

// A generator of our own, so the pinned checksum does not depend on how a
// standard library turns engine output into ranges.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : s_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int In(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool OneIn(int n) { return In(0, n - 1) == 0; }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next()); }
  TBGRA Pixel() { return {Byte(), Byte(), Byte(), Byte()}; }
  TColor Colour() { return static_cast<TColor>(Next() & 0xFFFFFF); }

 private:
  std::uint64_t s_;
};

TBitmap32 Noise(TRandom& rnd, int w, int h, bool opaque) {
  TBitmap32 b(w, h, rnd.OneIn(2) ? TRowOrder::BottomUp : TRowOrder::TopDown);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TBGRA p = rnd.Pixel();
      if (opaque) p.A = 255;
      if (rnd.OneIn(20)) p = kKeyPixel;
      b.Pixel(x, y) = p;
    }
  return b;
}

// A skin whose elements cover every kind: opaque textures in all fill
// modes, masked textures, keyed / masked / alpha borders, corner images.
struct TRandomSkin {
  test::TTestSkin ts;
  std::vector<int> textures, borders, corners;

  explicit TRandomSkin(TRandom& rnd) {
    ts.master = Noise(rnd, 120, 80, true);
    for (int mode : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 20}) {
      const int l = rnd.In(0, 100), t = rnd.In(0, 60);
      textures.push_back(ts.AddElement(Rect(l, t, l + rnd.In(1, 12), t + rnd.In(1, 10)), 0, mode));
    }
    for (int mode : {0, 10}) {
      const int l = rnd.In(0, 100), t = rnd.In(0, 50);
      const int h = rnd.In(1, 8);
      textures.push_back(ts.AddElement(Rect(l, t, l + rnd.In(1, 12), t + 2 * h), 1, mode));
    }
    for (int k = 0; k < 6; ++k) {
      const int mask = k % 3 == 1 ? 1 : 0;
      const int draw =
          (k % 3 == 2 ? kMaskAlpha : 0) | (k >= 3 ? kMaskStretch | kMaskFillCentre : 0);
      const int fw = rnd.In(6, 12), fh = rnd.In(6, 10);
      const int l = rnd.In(0, 120 - 3 * fw), t = rnd.In(0, 80 - 2 * fh);
      const int b =
          ts.AddElement(Rect(l, t, l + 3 * fw, t + (mask + 1) * fh), mask, draw, 3, rnd.In(1, 3));
      ts.data.ma.back().Cfg = rnd.OneIn(2) ? 1 : 0;
      borders.push_back(b);
    }
    for (int k = 0; k < 3; ++k) {
      const int l = rnd.In(0, 110), t = rnd.In(0, 70);
      corners.push_back(ts.AddElement(Rect(l, t, l + rnd.In(1, 6), t + rnd.In(1, 6))));
    }
  }

  int Pick(TRandom& rnd, const std::vector<int>& from) {
    return rnd.OneIn(4)
               ? -1
               : from[static_cast<std::size_t>(rnd.In(0, static_cast<int>(from.size()) - 1))];
  }

  TsGradArray Gradient(TRandom& rnd) {
    if (rnd.OneIn(5)) return {};
    const int shape = rnd.In(0, 5) < 4 ? rnd.In(0, 1) : 2;
    const bool alpha = rnd.OneIn(6);
    TsGradArray a(static_cast<std::size_t>(shape == 2 ? 5 : rnd.In(2, 4)));
    int percent = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
      a[k].Color =
          TsColor::FromValue(static_cast<std::uint32_t>(rnd.Next()) | (alpha ? 0 : 0xFF000000u));
      a[k].Mode = alpha ? gmAlphaStop : 0;
      a[k].Percent = static_cast<std::uint8_t>(percent);
      percent = std::min(100, percent + rnd.In(0, 60));
    }
    a.back().Percent = 100;
    a[0].Mode |= shape | (alpha ? gmHasAlpha : 0);
    return a;
  }

  int Section(TRandom& rnd) {
    const int si = ts.AddSection(rnd.Colour(), rnd.OneIn(8) ? 0 : rnd.In(1, 3));
    TsGeneralData& g = ts.Section(si);
    for (TsGenState& s : g.Props) {
      const int t = rnd.In(0, 5);
      s.Transparency = t == 0 ? 100 : t < 3 ? 0 : rnd.In(1, 99);
      s.GradientPercent = rnd.OneIn(3) ? 0 : rnd.In(0, 100);
      s.ImagePercent = rnd.OneIn(3) ? 0 : rnd.OneIn(3) ? 100 - s.GradientPercent : rnd.In(0, 100);
      s.TextureIndex = Pick(rnd, textures);
      s.GradientArray = Gradient(rnd);
    }
    g.BorderIndex = Pick(rnd, borders);
    g.ImgTL = Pick(rnd, corners);
    g.ImgBR = Pick(rnd, corners);
    return si;
  }
};

struct TCase {
  int si = 0;
  TCacheInfo ci;
  TBitmap32 start;
  TPoint p;
  TRect r;
  int state = 0;
  bool control = false;
  TControlPaintView view;
};

TCase MakeCase(TRandom& rnd, TRandomSkin& skin, TBitmap32& parent) {
  TCase c;
  c.si = skin.Section(rnd);
  const int w = rnd.In(1, 48), h = rnd.In(1, 32);
  c.start = Noise(rnd, w, h, false);
  if (rnd.OneIn(3)) {
    c.r = c.start.BoundsRect();
  } else {
    const int l = rnd.In(0, w - 1), t = rnd.In(0, h - 1);
    c.r = Rect(l, t, rnd.In(l + 1, w), rnd.In(t + 1, h));
  }
  c.p = {rnd.In(-6, 20), rnd.In(-6, 20)};
  c.state = rnd.In(-1, 4);
  switch (rnd.In(0, 3)) {
    case 0:
      break;  // no parent
    case 1:
      c.ci.Bmp = &parent;
      c.ci.X = rnd.In(-4, 8);
      c.ci.Y = rnd.In(-4, 8);
      c.ci.Ready = true;
      break;
    case 2:
      c.ci.FillColor = rnd.Colour();
      break;
    default:
      c.ci.FillColor = rnd.Colour();
      c.ci.Bmp = &parent;
      c.ci.X = rnd.In(0, 4);
      c.ci.Y = rnd.In(0, 4);
      c.ci.FillRect = Rect(rnd.In(0, 12), rnd.In(0, 12), rnd.In(0, 12), rnd.In(0, 12));
      break;
  }
  c.control = rnd.OneIn(3);
  if (c.control) {
    c.view.Skin = skin.ts.Skin();
    c.view.SkinIndex = c.si;
    c.view.CustomColor = rnd.OneIn(5);
    c.view.OwnerColor = rnd.Colour();
    c.view.ColorTone = rnd.OneIn(3) ? rnd.Colour() : clNone;
    c.view.HUEOffset = rnd.OneIn(3) ? rnd.In(-400, 1000) : 0;
    c.view.Saturation = rnd.OneIn(3) ? rnd.In(-255, 255) : 0;
  }
  return c;
}

TBitmap32 PaintCase(const TCase& c, const TRandomSkin& skin) {
  TBitmap32 b = c.start;
  if (c.control)
    PaintControlSection(c.view, c.ci, true, b, c.p, c.r, c.state);
  else
    PaintSection(c.si, c.ci, -1, -1, skin.ts.Skin(), b, c.p, c.r, c.state);
  return b;
}

std::uint32_t Fold(std::uint32_t crc, const TBitmap32& b) {
  for (int y = 0; y < b.Height(); ++y)
    crc = static_cast<std::uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(b.ScanLine(y)),
                                           static_cast<uInt>(b.Width() * 4)));
  return crc;
}

class SectionPaintRandom : public ::testing::Test {
 protected:
  void TearDown() override {
    SetActiveKernelLevel(level_);
    SetSectionPaintPaths(paths_);
  }
  TKernelLevel level_ = ActiveKernelLevel();
  TSectionPaintPaths paths_ = SectionPaintPaths();
};

TEST_F(SectionPaintRandom, EveryLevelAndPathGivesTheSameBytesUnderAPinnedChecksum) {
  TRandom rnd(20261219);
  TRandomSkin skin(rnd);
  TBitmap32 parent = Noise(rnd, 64, 48, false);
  std::uint32_t crc = 0;
  for (int round = 0; round < 4000; ++round) {
    const TCase c = MakeCase(rnd, skin, parent);
    SetSectionPaintPaths({});
    SetActiveKernelLevel(TKernelLevel::kScalar);
    const TBitmap32 want = PaintCase(c, skin);
    crc = Fold(crc, want);
    for (TKernelLevel level : {TKernelLevel::kSSE2, TKernelLevel::kAVX2}) {
      if (!KernelLevelSupported(level)) continue;
      SetActiveKernelLevel(level);
      ASSERT_EQ(test::Diff(PaintCase(c, skin), want), "")
          << "round " << round << " at " << ActiveKernels().name;
    }
    // Mixing a plain colour in place is the composition through a temporary picture.
    SetSectionPaintPaths({true, false});
    ASSERT_EQ(test::Diff(PaintCase(c, skin), want), "") << "round " << round;
  }
  // A different value means different pixels somewhere; update it only for
  // a change that is meant to alter pictures.
  EXPECT_EQ(crc, 0x21f862a6u) << "checksum 0x" << std::hex << crc;
}

// The one-pass path is the tiled texture (from the rectangle's corner) and
// the gradient painted apart and mixed at the texture's weight.
TEST_F(SectionPaintRandom, OnePassIsTextureAndGradientComposed) {
  TRandom rnd(77);
  for (int round = 0; round < 400; ++round) {
    test::TTestSkin ts;
    ts.master = Noise(rnd, 40, 30, true);
    const int tl = rnd.In(0, 30), tt = rnd.In(0, 20);
    const TRect tex = Rect(tl, tt, tl + rnd.In(1, 10), tt + rnd.In(1, 10));
    const int si = ts.AddSection(rnd.Colour());
    TsGenState& s = ts.State(si, 0);
    s.GradientPercent = rnd.In(1, 99);
    s.ImagePercent = 100 - s.GradientPercent;
    s.TextureIndex = ts.AddElement(tex);
    s.GradientArray = TsGradArray(static_cast<std::size_t>(rnd.In(2, 4)));
    const int shape = rnd.In(0, 1);
    int percent = 0;
    for (TsGradPoint& g : s.GradientArray) {
      g.Color = TsColor::FromValue(static_cast<std::uint32_t>(rnd.Next()) | 0xFF000000u);
      g.Percent = static_cast<std::uint8_t>(percent);
      percent = std::min(100, percent + rnd.In(0, 70));
    }
    s.GradientArray.back().Percent = 100;
    s.GradientArray[0].Mode = shape;
    const int w = rnd.In(1, 50), h = rnd.In(1, 40);
    const int l = rnd.In(0, w - 1), t = rnd.In(0, h - 1);
    const TRect r = Rect(l, t, rnd.In(l + 1, w), rnd.In(t + 1, h));
    const TBitmap32 start = Noise(rnd, w, h, false);

    TBitmap32 got = start;
    PaintSection(si, {}, -1, -1, ts.Skin(), got, {}, r, 0);

    TBitmap32 gradient = start, want = start;
    PaintGradientTextured(gradient, r, s.GradientArray, 255, 0, tex, ts.master);
    // Columns no segment reaches (a horizontal gradient one pixel wide has
    // none) keep their pixels: they are where a second, inverted start
    // shows through.
    TBitmap32 inverted = start;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) inverted.Pixel(x, y).B ^= 0xFF;
    PaintGradientTextured(inverted, r, s.GradientArray, 255, 0, tex, ts.master);
    TRect u = r;
    DrawTexture(want, u, {}, 0, MaskElementOf(ts.data.ma[0], &ts.master));
    // The texture weighed against the gradient: (i (t - g) + 256 g) >> 8.
    BlendBitmaps(want, gradient, static_cast<std::uint8_t>(s.ImagePercent * 255 / 100), r.TopLeft(),
                 r);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        if (gradient.Pixel(x, y) == inverted.Pixel(x, y))
          want.Pixel(x, y).A = 255;
        else
          want.Pixel(x, y) = start.Pixel(x, y);
      }
    ASSERT_EQ(test::Diff(got, want), "") << "round " << round;
  }
}

}  // namespace
}  // namespace qv
