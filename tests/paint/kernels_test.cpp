// The vector kernels give the bytes of the scalar reference: every hot
// primitive run at each level over random sizes, offsets, row orders, clip
// cases and weights.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "paint/compositing.h"
#include "paint/gradient.h"
#include "paint/pixel_kernels.h"
#include "paint/resample.h"
#include "tests/paint/paint_test_util.h"

namespace qv {
namespace {

using test::Diff;
using test::RandomBitmap;

class KernelLevels : public ::testing::Test {
 protected:
  void TearDown() override { SetActiveKernelLevel(saved_); }

  // Runs paint on a copy of start at every level; each result must match the scalar one.
  void Compare(const TBitmap32& start, const std::function<void(TBitmap32&)>& paint,
               const std::string& what) {
    SetActiveKernelLevel(TKernelLevel::kScalar);
    TBitmap32 want = start;
    paint(want);
    for (TKernelLevel level : {TKernelLevel::kSSE2, TKernelLevel::kAVX2}) {
      if (!KernelLevelSupported(level)) continue;
      SetActiveKernelLevel(level);
      TBitmap32 got = start;
      paint(got);
      ASSERT_EQ(Diff(got, want), "") << what << " at " << ActiveKernels().name;
    }
  }

  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  TRowOrder Order() { return Rand(0, 1) ? TRowOrder::BottomUp : TRowOrder::TopDown; }
  TBitmap32 Bitmap(int w, int h) { return RandomBitmap(rng_, w, h, Order()); }
  // A rectangle that is often partly outside a w x h bitmap.
  TRect AnyRect(int w, int h) {
    const int l = Rand(-8, w + 2), t = Rand(-8, h + 2);
    return Rect(l, t, l + Rand(0, w + 12), t + Rand(0, h + 12));
  }
  std::uint8_t Weight() {
    const int pick = Rand(0, 5);
    return static_cast<std::uint8_t>(pick == 0 ? 0 : pick == 1 ? 255 : Rand(0, 255));
  }

  std::mt19937 rng_{20261209};
  TKernelLevel saved_ = ActiveKernelLevel();
};

constexpr int kRounds = 300;

TEST_F(KernelLevels, FillsAndColourBlends) {
  for (int i = 0; i < kRounds; ++i) {
    const int w = Rand(1, 70), h = Rand(1, 9);
    const TBitmap32 start = Bitmap(w, h);
    const TRect r = AnyRect(w, h);
    const TColor c = Rand(0, 0xFFFFFF);
    const std::uint8_t wt = Weight();
    Compare(
        start, [&](TBitmap32& b) { FillRectAlpha(b, r, c, wt); }, "FillRectAlpha");
    Compare(
        start, [&](TBitmap32& b) { BlendColorRect(b, r, wt, c); }, "BlendColorRect");
  }
}

TEST_F(KernelLevels, BitmapBlends) {
  for (int i = 0; i < kRounds; ++i) {
    const int w = Rand(1, 70), h = Rand(1, 9);
    const TBitmap32 start = Bitmap(w, h);
    const TBitmap32 src = Bitmap(Rand(1, 70), Rand(1, 9));
    const TPoint p{Rand(-20, w), Rand(-5, h)};
    const TRect s = AnyRect(src.Width(), src.Height());
    const std::uint8_t wt = Weight();
    Compare(
        start, [&](TBitmap32& b) { BlendBitmaps(b, src, wt, p, s); }, "BlendBitmaps");
    Compare(
        start, [&](TBitmap32& b) { BlendAlphaPiece(b, src, s, wt, p); }, "BlendAlphaPiece");
    const TRect target = AnyRect(w, h);
    Compare(
        start, [&](TBitmap32& b) { StretchAlphaPiece(b, target, wt, src, s); },
        "StretchAlphaPiece");
  }
}

TEST_F(KernelLevels, KeyedAndMaskedCopies) {
  for (int i = 0; i < kRounds; ++i) {
    const int w = Rand(1, 70), h = Rand(1, 9);
    const TBitmap32 start = Bitmap(w, h);
    const TBitmap32 src = Bitmap(Rand(2, 70), Rand(2, 12));
    TBitmap32 parent = Bitmap(Rand(1, 80), Rand(1, 12));
    const TPoint p{Rand(-20, w), Rand(-5, h)};
    const TRect s = AnyRect(src.Width(), src.Height());
    TCacheInfo ci;
    ci.Bmp = Rand(0, 4) ? &parent : nullptr;
    ci.X = Rand(-30, 30);
    ci.Y = Rand(-6, 6);
    ci.Ready = Rand(0, 1);
    ci.FillColor = static_cast<TColor>(static_cast<std::uint32_t>(Rand(0, 0x7FFFFFFF)) << 1);
    const bool flag = Rand(0, 1);
    Compare(
        start, [&](TBitmap32& b) { CopyKeyedPiece(b, src, p, s, clKeyColor, flag, ci); },
        "CopyKeyedPiece");
    const TMaskElementView e{Rect(0, 0, src.Width(), src.Height()), 1, 0};
    const TRect dr = AnyRect(w, h);
    Compare(
        start, [&](TBitmap32& b) { CopyMaskedPiece(dr, s, b, e, flag, ci, src); },
        "CopyMaskedPiece");
    const TRect region = Bounds(Rand(0, 2), Rand(0, 2), Rand(1, 4), Rand(1, 3));
    Compare(
        start,
        [&](TBitmap32& b) { StretchMaskedPiece(dr, flag, src.Height() / 2, src, b, region); },
        "StretchMaskedPiece");
  }
  // The destination may be the parent itself.
  for (int i = 0; i < 50; ++i) {
    const TBitmap32 start = Bitmap(Rand(1, 40), Rand(1, 6));
    const TBitmap32 src = Bitmap(Rand(1, 40), Rand(1, 6));
    const TPoint p{Rand(-3, 3), 0};
    Compare(
        start,
        [&](TBitmap32& b) {
          TCacheInfo ci;
          ci.Bmp = &b;
          ci.Ready = true;
          CopyKeyedPiece(b, src, p, src.BoundsRect(), clKeyColor, true, ci);
        },
        "CopyKeyedPiece into its parent");
  }
}

TEST_F(KernelLevels, Gradients) {
  for (int i = 0; i < kRounds; ++i) {
    const int w = Rand(1, 90), h = Rand(1, 12);
    const TBitmap32 start = Bitmap(w, h);
    TsGradArray arr;
    const int stops = Rand(2, 5);
    for (int s = 0; s < stops; ++s) {
      TsGradPoint p;
      p.Mode = s == 0 ? Rand(0, 1) : 0;
      p.Color = TsColor::FromValue(static_cast<std::uint32_t>(Rand(0, 0xFFFFFF)) | 0xFF000000u);
      p.Percent = static_cast<std::uint8_t>(Rand(0, 100));
      arr.push_back(p);
    }
    const TRect r = AnyRect(w, h);
    Compare(
        start, [&](TBitmap32& b) { PaintGradient(b, r, arr); }, "PaintGradient");
    const TBitmap32 tex = Bitmap(Rand(1, 9), Rand(1, 9));
    const std::uint8_t wt = Weight();
    Compare(
        start, [&](TBitmap32& b) { PaintGradientTextured(b, r, arr, 255, wt, TRect{}, tex); },
        "PaintGradientTextured");
  }
}

TEST_F(KernelLevels, ResampleMatchesItsReference) {
  for (int i = 0; i < 120; ++i) {
    const TBitmap32 src = Bitmap(Rand(2, 40), Rand(2, 40));
    const int w = Rand(1, 60), h = Rand(1, 60);
    TBitmap32 a, b;
    ASSERT_TRUE(Resample(src, a, w, h));
    ASSERT_TRUE(ResampleReference(src, b, w, h));
    ASSERT_EQ(Diff(a, b), "") << src.Width() << "x" << src.Height() << " -> " << w << "x" << h;
  }
}

}  // namespace
}  // namespace qv
