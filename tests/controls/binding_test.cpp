// The skin binding: which section a control binds to and when, BGType, the
// hot test, update brackets, the cache pipeline and painting from it, and
// new, refreshed and removed skins reaching every control.
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class Binding : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    button = skin->AddSection(u"BUTTON", 0x00406080, 3, ssButton);
    group = skin->AddSection(u"GROUPBOX", 0x00204060, 1, ssGroupBox);
    special = skin->AddSection(u"SPECIAL", 0x00102030);
  }
  int button = -1, group = -1, special = -1;
};

TEST_F(Binding, ControlsBindToTheirClassSectionAndPaintItFromTheCache) {
  auto* c = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  Show();
  EXPECT_FALSE(c->SkinData()->Skinned()) << "no skin yet";
  Activate();
  EXPECT_EQ(c->SkinData()->SkinIndex, button);
  EXPECT_TRUE(c->SkinData()->Skinned(true));
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(skin->State(button, 0).Color));
  EXPECT_FALSE(c->SkinData()->BGChanged);

  // Paint messages copy the cache; nothing is prepared again.
  const int prepared = c->Prepared;
  InvalidateRect(c->WindowHandle(), nullptr, true);
  PumpPendingMessages();
  EXPECT_EQ(c->Prepared, prepared);
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(skin->State(button, 0).Color));
}

TEST_F(Binding, SectionNamesAreStoredUpperCasedAndUnknownOnesLeaveTheControlUnbound) {
  auto* c = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  Show();
  Activate();
  TsCommonData& d = *c->SkinData();
  d.SetSkinSection(u"special");
  EXPECT_EQ(d.SkinSection(), u"SPECIAL");
  EXPECT_EQ(d.SkinIndex, special);
  PumpPendingMessages();
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(skin->State(special, 0).Color));

  // The same name again changes nothing: the cache stays valid.
  ASSERT_FALSE(d.BGChanged);
  d.SetSkinSection(u"Special");
  EXPECT_FALSE(d.BGChanged);

  d.SetSkinSection(u"NOSUCH");
  EXPECT_EQ(d.SkinIndex, -1);
  EXPECT_FALSE(d.Skinned());
  EXPECT_EQ(SendSkinCommand(c, scQueryBusy), 0) << "an unbound control is never busy";
  PumpPendingMessages();
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(c->Color())) << "painted unskinned";

  // An empty name goes back to the class's section.
  d.SetSkinSection(u"");
  EXPECT_EQ(d.SkinIndex, button);
}

TEST_F(Binding, ClassesWithoutControlAnswersTakeFixedNamesOrTheirClassName) {
  const int combo = skin->AddSection(u"COMBOBOX");
  const int own = skin->AddSection(u"TSOWNCONTROL");
  struct TNamed : TsTestControl {
    using TsTestControl::TsTestControl;
    ustring SkinClassName() const override { return u"TsOwnControl"; }
  };
  auto* fixed = Make<TNamed>(form.get(), Bounds(0, 0, 20, 20), 18, -1);
  auto* named = Make<TNamed>(form.get(), Bounds(30, 0, 20, 20), 200, -1);
  auto* asks = Make<TNamed>(form.get(), Bounds(60, 0, 20, 20), kCocBitBtn, -1);
  Show();
  Activate();
  EXPECT_EQ(fixed->SkinData()->SkinIndex, combo);
  EXPECT_EQ(named->SkinData()->SkinIndex, own);
  EXPECT_EQ(asks->SkinData()->SkinIndex, -1) << "its class has no standard section";
}

TEST_F(Binding, BGTypeFollowsTheTextureDrawModeAndGradientDirection) {
  TacSkinData& sd = skin->Data();
  const int tex =
      skin->AddElement(u"SPECIAL", u"PATTERN", Bounds(0, 0, 8, 8), 0, 0, nullptr, itisaTexture);
  TsGenState& st = skin->State(special, 0);
  st.ImagePercent = 50;
  st.TextureIndex = tex;
  const unsigned expected[13] = {0xF0, 0xF4, 0x20, 0x10, 0x24, 0x14, 0x80,
                                 0x40, 0x84, 0x44, 0xF0, 0xA4, 0x54};
  for (int mode = 0; mode <= 12; ++mode) {
    sd.ma[static_cast<std::size_t>(tex)].DrawMode = static_cast<std::int16_t>(mode);
    EXPECT_EQ(ComputeBGType(sd, special), expected[mode]) << "draw mode " << mode;
  }
  st.ImagePercent = 0;
  EXPECT_EQ(ComputeBGType(sd, special), 0u) << "no texture without an image percentage";
  st.GradientPercent = 40;
  st.GradientArray.resize(2);
  for (auto [shape, bits] :
       {std::pair{gmHorizontal, 0x01u}, {gmVertical, 0x02u}, {gmFivePoint, 0x03u}}) {
    st.GradientArray[0].Mode = shape;
    EXPECT_EQ(ComputeBGType(sd, special), bits);
  }
  st.GradientPercent = 0;
  EXPECT_EQ(ComputeBGType(sd, special), 0u);
  EXPECT_EQ(ComputeBGType(sd, 99), 0u);
}

TEST_F(Binding, TheHotTestFollowsFocusMouseOptionsAndClassSets) {
  auto* b = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  auto* edit = Make<TsTestControl>(form.get(), Bounds(10, 40, 80, 24), kCocEdit, ssEdit);
  auto* box = Make<TsTestPanel>(form.get(), Bounds(10, 70, 80, 60));
  Show();
  Activate();
  for (TsCommonData* d :
       std::initializer_list<TsCommonData*>{b->SkinData(), edit->SkinData(), box->SkinData()})
    d->FMouseAbove = true;
  EXPECT_EQ(b->SkinData()->HotState(), 1);
  EXPECT_EQ(edit->SkinData()->HotState(), 0)
      << "edit-like classes are hot by the mouse only on request";
  SetHotEditsAllowed(true);
  EXPECT_EQ(edit->SkinData()->HotState(), 1);
  SetHotEditsAllowed(false);
  EXPECT_EQ(box->SkinData()->HotState(), 0) << "a group box never becomes hot";

  skin->Manager().Options.NoMouseHover = true;
  EXPECT_EQ(b->SkinData()->HotState(), 0);
  edit->SetFocus();
  EXPECT_EQ(edit->SkinData()->HotState(), 1) << "focus still makes hot";
  skin->Manager().Options.NoMouseHover = false;

  b->SetEnabled(false);
  EXPECT_EQ(b->SkinData()->HotState(), 0);
}

TEST_F(Binding, EndUpdateRepaintsOnlyWhenTheOutermostBracketCloses) {
  auto* c = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  Show();
  Activate();
  TsCommonData& d = *c->SkinData();
  d.BeginUpdate();
  d.BeginUpdate();
  EXPECT_TRUE(d.Updating());
  EXPECT_TRUE(d.CtrlSkinState & kcsInUpdate);
  d.SetColorTone(0x0000FF);  // a change while updating
  const int prepared = c->Prepared;
  d.EndUpdate(true);
  EXPECT_TRUE(d.Updating()) << "still inside the outer bracket";
  PumpPendingMessages();
  EXPECT_EQ(c->Prepared, prepared) << "postponed";
  d.EndUpdate(true);
  EXPECT_FALSE(d.Updating());
  EXPECT_FALSE(d.CtrlSkinState & kcsInUpdate);
  EXPECT_GT(c->Prepared, prepared) << "repainted at once";
}

TEST_F(Binding, NewRefreshedAndRemovedSkinsReachEveryControl) {
  auto* outer = Make<TsTestPanel>(form.get(), Bounds(10, 10, 200, 150));
  auto* inner = Make<TsTestControl>(outer, Bounds(10, 10, 60, 20));
  auto* plain = new TCustomControl(form.get());
  plain->SetParent(outer);
  plain->SetBoundsRect(Bounds(10, 40, 150, 80));
  auto* deep = Make<TsTestControl>(plain, Bounds(5, 5, 60, 20));
  auto* top = Make<TsTestControl>(form.get(), Bounds(220, 10, 60, 20));
  Show();
  Activate();
  for (TsCommonData* d : std::initializer_list<TsCommonData*>{outer->SkinData(), inner->SkinData(),
                                                              deep->SkinData(), top->SkinData()})
    EXPECT_TRUE(d->Skinned()) << "every control binds, through skinned and plain containers";

  // A refresh for another manager changes nothing.
  TsSkinManager other(nullptr);
  inner->SkinData()->BGChanged = false;
  SendToFormAndControls(*form, scRefreshSkin, reinterpret_cast<LPARAM>(&other));
  EXPECT_FALSE(inner->SkinData()->BGChanged);
  SendToFormAndControls(*form, scRefreshSkin, reinterpret_cast<LPARAM>(&skin->Manager()));
  EXPECT_TRUE(inner->SkinData()->BGChanged || inner->Prepared > 0);

  SendToFormAndControls(*form, scRemoveSkin, reinterpret_cast<LPARAM>(&skin->Manager()));
  for (TsCommonData* d : std::initializer_list<TsCommonData*>{outer->SkinData(), inner->SkinData(),
                                                              deep->SkinData(), top->SkinData()}) {
    EXPECT_EQ(d->SkinIndex, -1);
    EXPECT_TRUE(d->Cache().Empty());
  }
}

TEST_F(Binding, StatesAreClampedToTheSectionAndASectionWithoutStatesPaintsNothing) {
  auto* c = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  Show();
  Activate();
  TsCommonData& d = *c->SkinData();
  skin->Section(button).States = 1;
  c->Pressed = true;  // state 2 asked of a one-state section
  d.Invalidate(true);
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(skin->State(button, 0).Color));

  skin->Section(button).States = 0;
  d.Invalidate(true);
  EXPECT_EQ(ColorOf(Shown(c, {40, 2})), ColorToRGB(c->Color()))
      << "no state to paint: the control's own colour";
  TsBackgroundRequest r;
  AnswerBackground(d, r, 2);
  EXPECT_EQ(r.Kind, bkColor);
}

TEST_F(Binding, RoundedCornersFollowTheParentWithoutRepaintingTheControl) {
  // A border whose corner pixels are the key colour: holes that show the parent.
  auto frame = std::make_shared<TBitmap32>(9, 9);
  frame->Fill({0x10, 0x10, 0x10, 255});
  frame->Pixel(0, 0) = frame->Pixel(8, 0) = frame->Pixel(0, 8) = frame->Pixel(8, 8) = kKeyPixel;
  const int border = skin->AddElement(u"BUTTON", u"BORDERSMASK", Bounds(0, 0, 9, 9), 3, 0, frame);
  skin->Data().ma[static_cast<std::size_t>(border)].Cfg = kCfgKeyInCorners;
  skin->Section(button).BorderIndex = border;
  auto* panel = Make<TsTestPanel>(form.get(), Bounds(10, 10, 200, 100));
  auto* c = Make<TsTestControl>(panel, Bounds(10, 10, 80, 24));
  Show();
  Activate();
  EXPECT_EQ(ColorOf(Shown(c, {0, 0})), ColorToRGB(skin->State(group, 0).Color));
  EXPECT_EQ(ColorOf(Shown(c, {1, 1})), RGB(0x10, 0x10, 0x10));

  // The parent changes; the control's picture stays, only its corners follow.
  skin->State(group, 0).Color = 0x00336699;
  panel->SkinData()->Invalidate(true);
  c->SkinData()->BGChanged = false;
  const int prepared = c->Prepared;
  InvalidateRect(c->WindowHandle(), nullptr, false);
  PumpPendingMessages();
  EXPECT_EQ(c->Prepared, prepared);
  EXPECT_EQ(ColorOf(Shown(c, {0, 0})), 0x00336699u);
  EXPECT_EQ(ColorOf(Shown(c, {79, 23})), 0x00336699u);
}

TEST_F(Binding, ErasingCopiesTheCacheAroundTheChildren) {
  auto* panel = Make<TsTestPanel>(form.get(), Bounds(10, 10, 200, 100));
  auto* c = Make<TsTestControl>(panel, Bounds(10, 10, 80, 24));
  Show();
  Activate();
  TBitmap32 target(200, 100);
  target.Fill({1, 2, 3, 255});
  TCanvas dc(target);
  EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc)), 1);
  EXPECT_EQ(PixelToColor(target.Pixel(5, 5)), ColorToRGB(skin->State(group, 0).Color));
  EXPECT_EQ(target.Pixel(20, 20), (TBGRA{1, 2, 3, 255})) << "the child's area is left to it";
  (void)c;
}

TEST_F(Binding, CodeMadeControlsBindWhenTheirWindowIsMadeAndDetachWhenFreed) {
  skin->Activate();
  auto* c = Make<TsTestControl>(form.get(), Bounds(10, 10, 80, 24));
  EXPECT_TRUE(c->SkinData()->Loading);
  Show();
  EXPECT_FALSE(c->SkinData()->Loading);
  EXPECT_EQ(c->SkinData()->SkinIndex, button);
  const HWND h = c->WindowHandle();
  EXPECT_EQ(TsCommonData::FromWindow(h), c->SkinData());
  delete c;
  EXPECT_EQ(TsCommonData::FromWindow(h), nullptr);
}

}  // namespace
}  // namespace qv::test
