// What a parent answers about the background behind a c, in each of its
// six cases; the asking side and its TCacheInfo; the background colours; and
// a c that must wait for its parent.
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class Background : public SkinnedPairTest {
 protected:
  TsCommonData& P() { return *panel->SkinData(); }
  TsBackgroundRequest Ask() {
    TsBackgroundRequest r;
    r.Rect = c->ClientRect();
    AskBackground(*c, r);
    return r;
  }
};

TEST_F(Background, AnUnskinnedOrCustomColouredParentAnswersItsColour) {
  P().SetCustomColor(true);
  panel->SetColor(0x00123456);
  TsBackgroundRequest r = Ask();
  EXPECT_EQ(r.Kind, bkColor);
  EXPECT_EQ(r.Color, 0x00123456u);
  const TCacheInfo ci = CacheInfoOf(r);
  EXPECT_FALSE(ci.Ready);
  EXPECT_EQ(ci.FillColor, 0x00123456u);

  // A plain platform parent answers nothing itself: the asking side takes its colour.
  auto* plain = new TCustomControl(form.get());
  plain->SetParent(form.get());
  plain->SetBoundsRect(Bounds(230, 10, 60, 60));
  plain->SetColor(0x00ABCDEF);
  auto* c = Make<TsTestControl>(plain, Bounds(5, 5, 20, 20));
  TsBackgroundRequest q;
  EXPECT_EQ(AskBackground(*c, q), bkColor);
  EXPECT_EQ(q.Color, 0x00ABCDEFu);
}

TEST_F(Background, AnOpaquePlainSectionAnswersItsColourAndItsBorderBands) {
  skin->Manager().Effects.AllowOuterEffects = false;
  TsBackgroundRequest r = Ask();
  EXPECT_EQ(r.Kind, bkColor);
  EXPECT_EQ(r.Color, ColorToRGB(skin->State(group, 0).Color));
  EXPECT_EQ(r.Bitmap, nullptr) << "no border";

  const int border = skin->AddElement(u"GROUPBOX", u"BORDERSMASK", Bounds(0, 0, 9, 9), 3);
  skin->Section(group).BorderIndex = border;
  r = Ask();
  EXPECT_EQ(r.Bitmap, &P().Cache());
  EXPECT_EQ(r.BorderWidths, (TRect{3, 3, 3, 3}));
  EXPECT_EQ(r.Offset, (TPoint{0, 0}));
  const TCacheInfo ci = CacheInfoOf(r);
  EXPECT_EQ(ci.FillRect, (TRect{3, 3, 3, 3}));
  EXPECT_FALSE(ci.Ready);

  // A border not drawn at rest leaves the colour alone.
  skin->Data().ma[static_cast<std::size_t>(border)].DrawMode = 2;
  EXPECT_EQ(Ask().Bitmap, nullptr);

  // Painted at once into a given context.
  TBitmap32 target(10, 10);
  TCanvas dc(target);
  TsBackgroundRequest now;
  now.DrawNow = true;
  now.DC = &dc;
  now.Rect = Bounds(2, 2, 3, 3);
  AskBackground(*c, now);
  EXPECT_EQ(PixelToColor(target.Pixel(3, 3)), ColorToRGB(skin->State(group, 0).Color));
  EXPECT_EQ(target.Pixel(0, 0), (TBGRA{}));
}

TEST_F(Background, AnOpaqueSectionWithLayersHandsOverItsCachePreparedFirst) {
  TsBackgroundRequest r = Ask();  // outer effects are allowed by default
  EXPECT_EQ(r.Kind, bkBitmap);
  EXPECT_EQ(r.Bitmap, &P().Cache());
  EXPECT_EQ(r.Offset, (TPoint{0, 0}));
  const TCacheInfo ci = CacheInfoOf(r);
  EXPECT_TRUE(ci.Ready);
  EXPECT_EQ(ci.FillColor, clKeyColor);

  // A stale cache is painted again before it is handed out.
  skin->State(group, 0).Color = 0x00010203;
  P().BGChanged = true;
  r = Ask();
  EXPECT_FALSE(P().BGChanged);
  EXPECT_EQ(PixelToColor(r.Bitmap->Pixel(50, 50)), 0x00010203u);
}

TEST_F(Background, APartlyTransparentSectionIsCurrentOrNotReady) {
  skin->State(group, 0).Transparency = 40;
  // Before its first picture exists there is nothing to give.
  P().FCacheBmp.reset();
  EXPECT_EQ(Ask().Color, clKeyColor);

  P().Invalidate(true);
  TsBackgroundRequest r = Ask();
  EXPECT_EQ(r.Kind, bkBitmap);

  // Stale: prepared before it goes out, never handed over old.
  skin->State(group, 0).Color = 0x00030201;
  P().BGChanged = true;
  r = Ask();
  ASSERT_EQ(r.Kind, bkBitmap);
  EXPECT_FALSE(P().BGChanged);

  // A parent that cannot paint now (inside its update) gives nothing: the
  // c waits, and the end of the parent's update paints it.
  P().BeginUpdate();
  P().BGChanged = true;
  const int prepared = c->Prepared;
  c->SkinData()->Invalidate(true);
  EXPECT_TRUE(c->SkinData()->FUpdating);
  EXPECT_EQ(c->Prepared, prepared);
  TsBackgroundRequest waiting = Ask();
  EXPECT_EQ(waiting.Kind, bkNotReady);
  P().EndUpdate(false);
  PumpPendingMessages();
  EXPECT_FALSE(c->SkinData()->FUpdating);
  EXPECT_GT(c->Prepared, prepared);
}

TEST_F(Background, AFullyTransparentSectionPassesTheQuestionOnWithItsPlaceAdded) {
  skin->State(group, 0).Transparency = 100;
  // With a cache: its own (current) picture.
  TsBackgroundRequest r = Ask();
  EXPECT_EQ(r.Kind, bkBitmap);
  EXPECT_EQ(r.Bitmap, &P().Cache());

  // Without one: the form answers (unskinned: its colour), offsets unchanged.
  P().FCacheBmp.reset();
  r = Ask();
  EXPECT_EQ(r.Kind, bkColor);
  EXPECT_EQ(r.Color, ColorToRGB(form->Color()));

  // Inside a skinned page: the page's cache, with the panel's place added.
  auto* page = Make<TsTestPanel>(form.get(), Bounds(5, 5, 290, 190));
  page->SkinData()->SetSkinSection(u"BUTTON");
  panel->SetParent(page);
  panel->SetBounds(20, 30, 200, 150);
  PumpPendingMessages();
  P().FCacheBmp.reset();
  r = Ask();
  ASSERT_EQ(r.Kind, bkBitmap);
  EXPECT_EQ(r.Bitmap, &page->SkinData()->Cache());
  EXPECT_EQ(r.Offset, (TPoint{20, 30}));
  // A c paints the page's pixel at (page origin + panel place + own place).
  EXPECT_EQ(CacheInfoOf(r).X + c->Left(), 20 + c->Left());

  // Border bands of the page reach the panel shortened, never below zero.
  skin->Manager().Effects.AllowOuterEffects = false;
  const int border = skin->AddElement(u"BUTTON", u"BORDERSMASK", Bounds(0, 0, 30, 30), 25);
  skin->Section(button).BorderIndex = border;
  r = Ask();
  EXPECT_EQ(r.Kind, bkColor);
  EXPECT_EQ(r.BorderWidths.Left, 5) << "25 - 20";
  EXPECT_EQ(r.BorderWidths.Top, 0) << "25 - 30, not negative";
  EXPECT_EQ(r.BorderWidths.Right, 25);
}

TEST_F(Background, TheBackgroundColourWeighsTransparencyAsABytePercentage) {
  form->SetColor(0x00FFFFFF);
  P().BGChanged = true;
  skin->State(group, 0).Color = 0x00000000;
  EXPECT_EQ(SendSkinCommand(panel, scGetBackgroundColor), 0);
  skin->State(group, 0).Transparency = 100;
  EXPECT_EQ(SendSkinCommand(panel, scGetBackgroundColor), 0x00FFFFFF)
      << "fully transparent: the parent's colour";
  skin->State(group, 0).Transparency = 50;
  // 0 + ((255 - 0) * 127) >> 8 = 126 per byte.
  EXPECT_EQ(SendSkinCommand(panel, scGetBackgroundColor), 0x007E7E7E);
  // The effective colour mixes the same way through MixColors.
  EXPECT_EQ(EffectiveColor(P(), 0), MixColors(0x00FFFFFF, 0, 127) & 0xFFFFFFu);
}

TEST_F(Background, ChildrenPaintOverWhatTheParentPainted) {
  skin->State(button, 0).Transparency = 50;
  c->SkinData()->Invalidate(true);
  const TColor parent = ColorToRGB(skin->State(group, 0).Color);
  const TColor own = ColorToRGB(skin->State(button, 0).Color);
  const TColor shown = ColorOf(Shown(c, {30, 10}));
  EXPECT_NE(shown, parent);
  EXPECT_NE(shown, own);
  EXPECT_NEAR(GetRValue(shown), (GetRValue(parent) + GetRValue(own)) / 2, 2);
}

}  // namespace
}  // namespace qv::test
