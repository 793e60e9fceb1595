// The control gallery: every text-entry sample really reaches each state
// through its synthetic input, and the scenes hold the open drop-down list
// (hover highlight, scroll bar) together with its combo box.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/look/plain_look.h"
#include "tools/gallery/render.h"

namespace qv::gallery {
namespace {

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const TBGRA p = a.Pixel(x, y), q = b.Pixel(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) return false;
    }
  return true;
}

// Pixels of colour c in rows [top, bottom) and columns [left, right).
int Count(const TBitmap32& b, TColor c, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, b.Height()); ++y)
    for (int x = std::max(left, 0); x < std::min(right, b.Width()); ++x) {
      const TBGRA p = b.Pixel(x, y);
      n += RGB(p.R, p.G, p.B) == c;
    }
  return n;
}

class GalleryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pictures_ = new TGalleryPictures(RenderStates()); }
  static void TearDownTestSuite() {
    delete pictures_;
    pictures_ = nullptr;
  }
  static const std::array<TBitmap32, kStateCount>& Row(const std::string& name) {
    const auto& n = pictures_->Names;
    const auto it = std::find(n.begin(), n.end(), name);
    EXPECT_NE(it, n.end()) << name;
    return pictures_->Pictures.at(static_cast<std::size_t>(it - n.begin()));
  }
  static TGalleryPictures* pictures_;
};

TGalleryPictures* GalleryTest::pictures_ = nullptr;

TEST_F(GalleryTest, TextEntrySamplesLookDifferentInEveryState) {
  for (const char* name : {"edit", "edit with hint", "read-only edit", "pick list", "combo box",
                           "spin edit, up", "spin edit, down"}) {
    const auto& row = Row(name);
    for (int s = 1; s < kStateCount; ++s)
      EXPECT_FALSE(SamePixels(row[0], row[static_cast<std::size_t>(s)]))
          << name << " " << kStateNames[s];
  }
  // The two spin rows differ in which button the pointer is on.
  EXPECT_FALSE(SamePixels(Row("spin edit, up")[1], Row("spin edit, down")[1]));
}

TEST_F(GalleryTest, ScenesShowTheOpenListWithHoverAndScrollBar) {
  ASSERT_EQ(pictures_->Scenes.size(), 2u);
  const TFlatPalette p = FlatPalette();
  const TBitmap32& open = pictures_->Scenes[0];
  // The list hangs below the 21-pixel box, a hovered row in the accent.
  ASSERT_GT(open.Height(), 21 + 4 * 14);
  EXPECT_GT(Count(open, p.Accent, 0, 21, open.Width(), open.Height()), open.Width() * 8);
  const TBitmap32& scrolled = pictures_->Scenes[1];
  ASSERT_GT(scrolled.Height(), 21 + 16 * 14);
  // A scroll bar: a thumb in the right-hand strip of the list.
  const int strip = scrolled.Width() - 18;
  EXPECT_GT(Count(scrolled, p.Disabled, strip, 21, scrolled.Width(), scrolled.Height()), 100);
  EXPECT_GT(Count(scrolled, p.Accent, 0, 21, strip, scrolled.Height()), strip * 8);
}

TEST_F(GalleryTest, SheetHoldsTheGridAndTheScenes) {
  const TBitmap32 sheet = ComposeSheet(*pictures_);
  int grid_h = 0;
  for (const auto& row : pictures_->Pictures) grid_h += row[0].Height();
  EXPECT_GT(sheet.Height(), grid_h + pictures_->Scenes[1].Height());
  EXPECT_EQ(sheet.Pixel(0, 0).A, 255);
}

}  // namespace
}  // namespace qv::gallery
