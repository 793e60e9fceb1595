// The skin commands every skinned control answers: which are handled, what
// they answer and what they change; commands for another manager, without
// their record or unknown; a control that cannot paint yet; and the ordinary
// notifications of the common message handler.
#include "controls/skin_command_handler.h"
#include "tests/controls/skinned_test_control.h"

namespace qv::test {
namespace {

class Commands : public SkinnedPairTest {
 protected:
  TsCommonData& D() { return *c->SkinData(); }
  // Delivers a command through the common handler alone.
  std::pair<bool, LRESULT> Common(int command, LPARAM param = 0, int low = 0) {
    TMessage m{SKIN_COMMAND_MSG, SkinCommandWParam(command, low), param, 0};
    const bool handled = CommonSkinCommand(D(), m);
    return {handled, m.Result};
  }
  LPARAM Mgr() { return reinterpret_cast<LPARAM>(&skin->Manager()); }
};

TEST_F(Commands, SimpleAnswersAndFlags) {
  EXPECT_EQ(Common(scIsSkinned), std::pair(true, LRESULT{1}));
  EXPECT_EQ(Common(scIsSkinnedBackground), std::pair(true, LRESULT{1}));
  EXPECT_EQ(Common(scGetHalfVisible), std::pair(true, LRESULT{0}));
  EXPECT_EQ(Common(scSetHalfVisible).first, true);
  EXPECT_EQ(Common(scGetHalfVisible), std::pair(true, LRESULT{1}));
  EXPECT_EQ(Common(scSetUpdating, 0, 1).first, true);
  EXPECT_TRUE(D().FUpdating);
  EXPECT_EQ(Common(scQueryBusy), std::pair(true, LRESULT{1})) << "busy while updating";
  Common(scSetUpdating, 0, 0);
  EXPECT_FALSE(D().FUpdating);
  EXPECT_EQ(Common(scQueryBusy), std::pair(true, LRESULT{0}));
  EXPECT_EQ(Common(scGetPPI), std::pair(true, LRESULT{96}));
  EXPECT_EQ(Common(scGetSkinData), std::pair(true, reinterpret_cast<LRESULT>(&D())));
  EXPECT_EQ(Common(scGetCommonSkinData), std::pair(true, reinterpret_cast<LRESULT>(&skin->Data())));
  EXPECT_EQ(Common(scPaintsWholeRect), std::pair(true, LRESULT{1}));
  TRect bounds;
  EXPECT_EQ(Common(scGetBounds, reinterpret_cast<LPARAM>(&bounds)).first, true);
  EXPECT_EQ(bounds, c->BoundsRect());

  TBitmap32 print(4, 4);
  TCanvas dc(print);
  Common(scSetPrintDC, reinterpret_cast<LPARAM>(&dc));
  EXPECT_EQ(D().PrintDC, &dc);
  EXPECT_TRUE(D().CtrlSkinState & kcsPrinting);
  Common(scSetPrintDC, 0);
  EXPECT_FALSE(D().CtrlSkinState & kcsPrinting);

  D().BGChanged = true;
  EXPECT_EQ(Common(scPrepareCache).first, true);
  EXPECT_FALSE(D().BGChanged) << "the common part only clears the flag";
}

TEST_F(Commands, CommandsWithARecordWriteIntoItAndRefuseANullOne) {
  TacSectionInfo info{0, -7};
  EXPECT_TRUE(Common(scGetSkinIndex, reinterpret_cast<LPARAM>(&info)).first);
  EXPECT_EQ(info.SkinIndex, button);
  for (int command :
       std::initializer_list<int>{scGetSkinIndex, scGetBackground, scGetVisibleSection,
                                  scPaintOuterEffects, scSetSkinSection, scGetBounds})
    EXPECT_FALSE(Common(command, 0).first) << "command " << command << " without its record";
  // Through the window procedure a refused command reaches default processing: 0.
  EXPECT_EQ(SendSkinCommand(c, scGetSkinIndex, 0), 0);

  const ustring name = u"groupbox";
  EXPECT_EQ(Common(scSetSkinSection, reinterpret_cast<LPARAM>(&name)), std::pair(true, LRESULT{1}));
  EXPECT_EQ(D().SkinIndex, group);
}

TEST_F(Commands, CodesOnlyControlsOrTheFrameAnswerAndUnknownCodesAreNotHandled) {
  for (int command : std::initializer_list<int>{scGetDefaultSkinIndex, scMouseLeave, scBeginUpdate,
                                                scEndUpdate, scAddControl, 4, 5, 12, 99, 0xFFFF})
    EXPECT_FALSE(Common(command).first) << "command " << command;
  // The control itself answers its own ones.
  EXPECT_EQ(SendSkinCommand(c, scGetDefaultSkinIndex), button + 1);
  EXPECT_EQ(SendSkinCommand(panel, scGetDefaultSkinIndex), group + 1);
  EXPECT_EQ(SendSkinCommand(c, scBeginUpdate), 1);
  EXPECT_EQ(SendSkinCommand(c, 99), 0);
}

TEST_F(Commands, SkinChangesNamingAnotherManagerChangeNothing) {
  TsSkinManager other(nullptr);
  const auto foreign = reinterpret_cast<LPARAM>(&other);
  D().BGChanged = false;
  for (int command :
       std::initializer_list<int>{scSetNewSkin, scRemoveSkin, scRefreshSkin, scUpdateFontName}) {
    SendSkinCommand(c, command, foreign);
    EXPECT_EQ(D().SkinIndex, button) << command;
    EXPECT_FALSE(D().BGChanged) << command;
    EXPECT_FALSE(D().Cache().Empty()) << command;
  }
  // The own manager: refresh marks stale and repaints, removal unbinds.
  D().FUpdating = true;
  EXPECT_EQ(Common(scRefreshSkin, Mgr()).first, true);
  EXPECT_FALSE(D().FUpdating);
  EXPECT_FALSE(Common(scRemoveSkin, Mgr()).first) << "removal is reported as not handled";
  EXPECT_EQ(D().SkinIndex, -1);
  EXPECT_TRUE(D().Cache().Empty());
  EXPECT_EQ(Common(scSetNewSkin, Mgr()).first, true);
  EXPECT_EQ(D().SkinIndex, button);
}

TEST_F(Commands, RemovingTheSkinGivesEditLikeControlsTheirWindowColours) {
  auto* edit = Make<TsTestControl>(form.get(), Bounds(230, 10, 60, 20), kCocEdit, ssEdit);
  skin->AddSection(u"EDIT", 0x00405060, 3, ssEdit);
  skin->Announce(*form);
  PumpPendingMessages();
  ASSERT_TRUE(edit->SkinData()->Skinned());
  SendSkinCommand(edit, scRemoveSkin, Mgr());
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_EQ(edit->Font().Color, clWindowText);
}

TEST_F(Commands, BackgroundAndRepaintCommandsReachTheChildren) {
  c->SkinData()->BGChanged = false;
  panel->SkinData()->BGChanged = false;
  SendSkinCommand(panel, scBackgroundChanged);
  EXPECT_TRUE(panel->SkinData()->BGChanged);
  EXPECT_TRUE(c->SkinData()->BGChanged);

  PumpPendingMessages();
  c->SkinData()->HalfVisible = false;
  EXPECT_EQ(SendSkinCommand(c, scInvalidate), 0);
  EXPECT_TRUE(c->SkinData()->BGChanged);

  // Releasing caches: the panel's and its windowed children's pictures go.
  PumpPendingMessages();
  ASSERT_FALSE(c->SkinData()->Cache().Empty());
  SendSkinCommand(panel, scReleaseCache);
  EXPECT_TRUE(panel->SkinData()->Cache().Empty());
  EXPECT_TRUE(c->SkinData()->Cache().Empty());

  // A see-through child of a skinned parent repaints when it moves; an
  // opaque one does not.
  PumpPendingMessages();
  c->SkinData()->BGChanged = false;
  SendSkinCommand(c, scRepaintMoved);
  EXPECT_FALSE(c->SkinData()->BGChanged);
  skin->State(button, 0).Transparency = 50;
  SendSkinCommand(c, scRepaintMoved);
  EXPECT_TRUE(c->SkinData()->BGChanged);
  // A parent whose own background moved passes it on to its children.
  PumpPendingMessages();
  panel->SkinData()->SetSkinSection(u"NOSUCH");
  PumpPendingMessages();
  c->SkinData()->BGChanged = false;
  SendSkinCommand(panel, scRepaintMoved, 0, 1);
  EXPECT_TRUE(c->SkinData()->BGChanged);
  panel->SkinData()->SetSkinSection(u"");

  // Font name and scale changes pass to the children too.
  c->SkinData()->BGChanged = false;
  SendSkinCommand(panel, scUpdateFontName, Mgr());
  EXPECT_TRUE(c->SkinData()->BGChanged);
  EXPECT_EQ(SendSkinCommand(panel, scScaleChanged, 144), 0) << "not handled";
  EXPECT_EQ(c->SkinData()->CurrentPPI, 144);
  EXPECT_EQ(SendSkinCommand(c, scGetPPI), 144);
}

TEST_F(Commands, AParentPaintsItsChildrensOuterEffectsIntoItsPicture) {
  auto shadow = std::make_shared<TBitmap32>(9, 9);
  shadow->Fill({0, 0, 255, 255});
  TsGeneralData& g = skin->Section(button);
  g.OuterMode = 3;
  g.OuterMask = skin->AddElement(u"BUTTON", u"OUTERMASK", Bounds(0, 0, 9, 9), 3, 0x15, shadow);
  g.OuterOffset = {3, 3, 3, 3};
  g.OuterOpacity = 255;
  TBitmap32& cache = panel->SkinData()->Cache();
  const TPoint beside{c->Left() - 2, c->Top() + 10};
  const TBGRA before = cache.Pixel(beside.X, beside.Y);

  panel->SkinData()->PaintOuterEffects(*panel, {0, 0});
  EXPECT_EQ(cache.Pixel(beside.X, beside.Y), before) << "the child shows none";
  D().OuterEffects().SetVisibility(ovAlways);
  EXPECT_TRUE(D().BGChanged);
  panel->SkinData()->PaintOuterEffects(*panel, {0, 0});
  EXPECT_GE(cache.Pixel(beside.X, beside.Y).R, 250) << "the red shadow, blended at 8 bits";
  EXPECT_LE(cache.Pixel(beside.X, beside.Y).G, 5);
  ASSERT_TRUE(D().FOuterCache);
  EXPECT_EQ(D().FOuterCache->Width(), c->Width() + 6) << "what lay under the effect";
  EXPECT_EQ(ColorOf(D().FOuterCache->Pixel(1, 10)), ColorOf(before));

  skin->Manager().Effects.AllowOuterEffects = false;
  panel->SkinData()->Invalidate(true);
  const TBGRA clean = cache.Pixel(beside.X, beside.Y);
  panel->SkinData()->PaintOuterEffects(*panel, {0, 0});
  EXPECT_EQ(cache.Pixel(beside.X, beside.Y), clean) << "not allowed by the manager";
}

TEST_F(Commands, SectionChangesAndVisibleSections) {
  D().BGChanged = false;
  const ustring other = u"GROUPBOX";
  SendSkinCommand(c, scSectionChanged, reinterpret_cast<LPARAM>(&other));
  EXPECT_FALSE(D().BGChanged);
  const ustring mine = u"button";
  SendSkinCommand(c, scSectionChanged, reinterpret_cast<LPARAM>(&mine));
  EXPECT_TRUE(D().BGChanged);

  TacSectionInfo info{0, -1};
  EXPECT_EQ(SendSkinCommand(c, scGetVisibleSection, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(info.SkinIndex, button);
  skin->State(button, 1).Transparency = 60;  // see-through when hot: the panel shows
  info = {1, -1};
  EXPECT_EQ(SendSkinCommand(c, scGetVisibleSection, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(info.SkinIndex, group);
}

TEST_F(Commands, AControlThatCannotPaintYetLeavesCommonCommandsToDefaultProcessing) {
  auto* loose = new TsTestControl(form.get());  // no parent, no window
  skin->Announce(*form);
  EXPECT_EQ(SendSkinCommand(loose, scIsSkinned), 0)
      << "a windowed control without a window gets nothing";
  EXPECT_EQ(loose->Perform(SKIN_COMMAND_MSG, SkinCommandWParam(scIsSkinned)), 1)
      << "its own answers still come";
  EXPECT_EQ(loose->Perform(SKIN_COMMAND_MSG, SkinCommandWParam(scGetHalfVisible)), 0);
  loose->SkinData()->HalfVisible = true;
  EXPECT_EQ(loose->Perform(SKIN_COMMAND_MSG, SkinCommandWParam(scGetHalfVisible)), 0)
      << "the common handler does not run";
}

TEST_F(Commands, OrdinaryNotifications) {
  // A size change marks the picture stale; a width change with a background
  // that depends on it repaints the children.
  skin->State(group, 0).GradientPercent = 50;
  skin->State(group, 0).GradientArray.resize(2);
  skin->State(group, 0).GradientArray[0].Mode = gmHorizontal;
  skin->State(button, 0).Transparency = 50;
  panel->SkinData()->UpdateIndexes(false);
  PumpPendingMessages();
  c->SkinData()->BGChanged = false;
  panel->SetBounds(panel->Left(), panel->Top(), panel->Width(), panel->Height() + 10);
  EXPECT_FALSE(c->SkinData()->BGChanged) << "a horizontal gradient does not change with height";
  EXPECT_TRUE(panel->SkinData()->BGChanged);
  PumpPendingMessages();
  panel->SetBounds(panel->Left(), panel->Top(), panel->Width() + 10, panel->Height());
  EXPECT_TRUE(c->SkinData()->BGChanged);
  EXPECT_EQ(panel->SkinData()->CtrlSkinState & (kcsWidthChanged | kcsHeightChanged), 0u);

  // Focus: hot state and, for edit-like classes, the state colours.
  auto* edit = Make<TsTestControl>(form.get(), Bounds(230, 10, 60, 20), kCocEdit, ssEdit);
  const int es = skin->AddSection(u"EDIT", 0x00405060, 3, ssEdit);
  skin->State(es, 1).Color = 0x00AABBCC;
  skin->Announce(*form);
  PumpPendingMessages();
  edit->SetFocus();
  EXPECT_TRUE(edit->SkinData()->FFocused);
  EXPECT_EQ(edit->Color(), 0x00AABBCCu);
  c->SetFocus();
  EXPECT_FALSE(edit->SkinData()->FFocused);
  EXPECT_EQ(edit->Color(), ColorToRGB(skin->State(es, 0).Color));

  // Disabling clears hover and focus; hiding under the memory priority
  // releases the picture.
  c->SkinData()->FMouseAbove = true;
  c->SetEnabled(false);
  EXPECT_FALSE(c->SkinData()->FMouseAbove);
  EXPECT_FALSE(c->SkinData()->FFocused);
  c->SetEnabled(true);
  PumpPendingMessages();
  skin->Manager().Options.OptimizingPriority = opMemory;
  c->Hide();
  EXPECT_TRUE(c->SkinData()->Cache().Empty());
  c->Show();
  EXPECT_FALSE(c->SkinData()->FUpdating);
}

}  // namespace
}  // namespace qv::test
