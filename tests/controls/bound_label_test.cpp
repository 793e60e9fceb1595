// The bound label driven by its control's messages: created, named and
// placed beside the control, following its moves, sizes, visibility,
// enabled state, parent and density, freed when deactivated or with its
// control; proven on the test control through TacBoundLabelOwner.
#include "controls/bound_label.h"

#include "controls/label_class.h"
#include "platform/component/properties.h"
#include "platform/component/reader.h"
#include "platform/stream/description.h"
#include "skinned_test_control.h"

namespace qv::test {
namespace {

// The smallest control with a bound label: the test control plus one base.
class TsTestEdit : public TacBoundLabelOwner<TsTestControl> {
 public:
  explicit TsTestEdit(TComponent* owner) : TacBoundLabelOwner(owner, kCocEdit, ssEdit) {}
  int Clicks = 0;
  void Click() override {
    ++Clicks;
    TacBoundLabelOwner::Click();
  }
};

class BoundLabelTest : public SkinnedControlTest {
 protected:
  void SetUp() override {
    SkinnedControlTest::SetUp();
    skin->AddSection(u"EDIT", 0x00FFFFFF, 2, ssEdit);
    group = skin->AddSection(u"GROUPBOX", 0x00204060, 1, ssGroupBox);
    panel = Make<TsTestPanel>(form.get(), Bounds(3, 8, 239, 169));
    edit = Make<TsTestEdit>(panel, Bounds(80, 24, 53, 21));
    edit->SetName("ComboBoxScheme");
    Show();
    Activate();
  }
  TsBoundLabel& bound() { return edit->BoundLabel(); }
  TsEditLabel* label() { return bound().TheLabel(); }
  // The label's right edge and vertical centre against the control's.
  void ExpectBesideLeft(int spacing) {
    ASSERT_NE(label(), nullptr);
    EXPECT_EQ(label()->BoundsRect().Right, edit->Left() - spacing);
    EXPECT_EQ(label()->Top(), edit->Top() + (edit->Height() - label()->Height()) / 2);
  }

  int group = -1;
  TsTestPanel* panel = nullptr;
  TsTestEdit* edit = nullptr;
};

TEST_F(BoundLabelTest, SchemeCaptionSitsLeftOfItsControlAndFollowsIt) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  ASSERT_NE(label(), nullptr);
  EXPECT_EQ(label()->Parent(), panel);
  EXPECT_EQ(label()->Name(), "ComboBoxSchemeLabel");
  EXPECT_EQ(label()->FocusControl(), edit);
  EXPECT_EQ(label()->Alignment(), TAlignment::taRightJustify);
  EXPECT_TRUE(label()->Visible());
  EXPECT_EQ(label()->Caption(), u"Схема:");
  // Tahoma 8 pt at 96 PPI: the caption is 13 pixels high; spacing 4.
  EXPECT_EQ(label()->Height(), 13);
  ExpectBesideLeft(4);
  EXPECT_EQ(label()->Top(), 28);

  edit->SetBounds(120, 60, 53, 21);  // moved
  ExpectBesideLeft(4);
  edit->SetBounds(120, 60, 80, 41);  // resized
  ExpectBesideLeft(4);

  // A longer caption grows to the left; the gap stays.
  bound().SetCaption(u"Стратегия игры:");
  ExpectBesideLeft(4);
  bound().SetIndent(3);
  ExpectBesideLeft(7);
}

TEST_F(BoundLabelTest, EmptyCaptionShowsTheControlsName) {
  bound().SetActive(true);
  ASSERT_NE(label(), nullptr);
  EXPECT_EQ(label()->Caption(), u"ComboBoxScheme");
  EXPECT_EQ(bound().Caption(), u"ComboBoxScheme");
}

TEST_F(BoundLabelTest, DeactivatingOrFreeingTheLabelEndsIt) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  const int with_label = panel->ControlCount();
  bound().SetActive(false);
  EXPECT_EQ(label(), nullptr);
  EXPECT_EQ(panel->ControlCount(), with_label - 1);

  // Freed by other means: the bound label is no longer active.
  bound().SetActive(true);
  ASSERT_NE(label(), nullptr);
  delete label();
  EXPECT_EQ(label(), nullptr);
  EXPECT_FALSE(bound().Active());
  EXPECT_EQ(panel->ControlCount(), with_label - 1);

  // Freeing the control frees its label.
  bound().SetActive(true);
  EXPECT_EQ(panel->ControlCount(), with_label);
  delete edit;
  edit = nullptr;
  EXPECT_EQ(panel->ControlCount(), with_label - 2);
}

TEST_F(BoundLabelTest, LabelFollowsVisibilityEnabledStateAndParent) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  edit->Hide();
  EXPECT_FALSE(label()->Visible());
  edit->Show();
  EXPECT_TRUE(label()->Visible());
  ExpectBesideLeft(4);

  edit->SetEnabled(false);
  EXPECT_FALSE(label()->Enabled());
  bound().SetEnabledAlways(true);
  EXPECT_TRUE(label()->Enabled());
  bound().SetEnabledAlways(false);
  edit->SetEnabled(true);
  EXPECT_TRUE(label()->Enabled());

  // A new parent takes the label along.
  edit->SetParent(form.get());
  EXPECT_EQ(label()->Parent(), form.get());
  ExpectBesideLeft(4);
}

TEST_F(BoundLabelTest, ActivatedWhileHiddenAppearsWithItsControl) {
  edit->Hide();
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  ASSERT_NE(label(), nullptr);
  EXPECT_FALSE(label()->Visible());
  edit->SetBounds(100, 40, 53, 21);  // moved while hidden
  edit->Show();
  EXPECT_TRUE(label()->Visible());
  ExpectBesideLeft(4);
}

TEST_F(BoundLabelTest, LayoutsPlaceTheLabelAroundTheControl) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  const TRect c = edit->BoundsRect();
  bound().SetLayout(sclTopLeft);
  EXPECT_EQ(label()->Left(), c.Left);
  EXPECT_EQ(label()->BoundsRect().Bottom, c.Top);
  EXPECT_EQ(label()->Alignment(), TAlignment::taLeftJustify);
  bound().SetLayout(sclBottomCenter);
  EXPECT_EQ(label()->Top(), c.Bottom);
  EXPECT_EQ(label()->Alignment(), TAlignment::taCenter);
  bound().SetOffset(5);
  EXPECT_EQ(label()->Left(), c.Left + (c.Width() - label()->Width()) / 2 + 5);
  bound().SetOffset(0);
  bound().SetLayout(sclRight);
  EXPECT_EQ(label()->Left(), c.Right + 4);
  EXPECT_EQ(label()->Alignment(), TAlignment::taLeftJustify);
}

TEST_F(BoundLabelTest, RightToLeftMirrorsTheLayout) {
  bound().SetCaption(u"Схема:");
  bound().SetLayout(sclRightRight);
  bound().SetActive(true);
  EXPECT_EQ(label()->Left(), edit->BoundsRect().Right + 4);
  bound().SetRightToLeft(true);
  // Placed as sclLeftLeft: left of the control, one text line high.
  EXPECT_EQ(label()->Left(), edit->Left() - label()->Width() - 4);
  EXPECT_EQ(label()->Alignment(), TAlignment::taLeftJustify);
  EXPECT_TRUE(label()->RightToLeft());
}

TEST_F(BoundLabelTest, MaxWidthWrapsTheCaptionAndScalesWithTheDensity) {
  bound().SetCaption(u"Очень длинная подпись поля");
  bound().SetMaxWidth(60);
  bound().SetActive(true);
  EXPECT_LE(label()->Width(), 60);
  EXPECT_GT(label()->Height(), 13);  // wrapped
  ExpectBesideLeft(4);

  form->ScaleForPPI(144);
  EXPECT_EQ(bound().CurrentPPI, 144);
  EXPECT_EQ(bound().MaxWidth(), 90);
  EXPECT_LE(label()->Width(), 90);
  // Placed by the table at the new density, not merely scaled.
  ExpectBesideLeft(skin->Manager().CommonSkinData(144).Spacing);

  form->ScaleForPPI(96);
  EXPECT_EQ(bound().MaxWidth(), 60);
  ExpectBesideLeft(4);
}

TEST_F(BoundLabelTest, InactiveBoundLabelStillFollowsTheDensity) {
  bound().SetMaxWidth(100);
  SendSkinCommand(edit, scScaleChanged, 192);
  EXPECT_EQ(bound().CurrentPPI, 192);
  EXPECT_EQ(bound().MaxWidth(), 200);
}

TEST_F(BoundLabelTest, OwnFontIsDesignedAt96AndScaledForTheControl) {
  TFont f;
  f.Height = -20;
  bound().SetFont(f);
  EXPECT_FALSE(bound().ParentFont());
  bound().SetCaption(u"Схема:");
  form->ScaleForPPI(144);
  bound().SetActive(true);
  EXPECT_EQ(label()->Font().Height, -30);
  EXPECT_EQ(bound().Font().Height, -20);
  bound().SetParentFont(true);
  EXPECT_TRUE(label()->ParentFont());
  EXPECT_EQ(label()->Font(), panel->Font());
}

TEST_F(BoundLabelTest, AllowClickClicksTheControl) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  const TPoint p = At(label(), {3, 3});
  auto click = [&] {
    headless->AdvanceTime(1000);  // apart: no double click
    headless->Click(p);
    PumpPendingMessages();
  };
  click();
  EXPECT_EQ(edit->Clicks, 0);
  bound().SetAllowClick(true);
  click();
  EXPECT_EQ(edit->Clicks, 1);
  bound().SetAllowClick(false);
  click();
  EXPECT_EQ(edit->Clicks, 1);
}

TEST_F(BoundLabelTest, UseSkinColorIsKeptUntilTheLabelExists) {
  EXPECT_TRUE(bound().UseSkinColor());
  bound().SetUseSkinColor(false);
  bound().SetActive(true);
  EXPECT_FALSE(label()->UseSkinColor());
  EXPECT_FALSE(bound().UseSkinColor());
}

TEST_F(BoundLabelTest, MovesUnderTheAlignLockLeaveTheLabel) {
  bound().SetCaption(u"Схема:");
  bound().SetActive(true);
  const TRect before = label()->BoundsRect();
  {
    TsBoundLabel::TAlignLock lock;
    edit->SetBounds(150, 100, 53, 21);
    EXPECT_EQ(label()->BoundsRect(), before);
  }
  bound().AlignLabel();
  ExpectBesideLeft(4);
}

TEST_F(BoundLabelTest, DescriptionSetsTheBoundLabelOfAControl) {
  RegisterFrameworkClasses();
  RegisterLabelClasses();
  TClassInfo& info = RegisterComponentClass<TsTestEdit>("TsTestEdit", "TCustomControl");
  RegisterBoundLabelProperties<TsTestEdit>(info);
  const std::string text = R"(object Form2: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Scheme: TsTestEdit
    Left = 150
    Top = 40
    Width = 53
    Height = 21
    BoundLabel.Active = True
    BoundLabel.Caption = 'Схема:'
    BoundLabel.Indent = 2
    BoundLabel.Offset = 1
    BoundLabel.Layout = sclLeft
    BoundLabel.MaxWidth = 200
    BoundLabel.UseHTML = True
    BoundLabel.UseSkinColor = False
    BoundLabel.EnabledAlways = True
    BoundLabel.AllowClick = True
    BoundLabel.Font.Height = -15
    BoundLabel.Font.Style = [fsBold]
    BoundLabel.Font.Color = clGray
  end
end
)";
  TForm other(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), other);
  auto* scheme = dynamic_cast<TsTestEdit*>(other.FindComponent("Scheme"));
  ASSERT_NE(scheme, nullptr);
  const TsBoundLabel& b = scheme->BoundLabel();
  EXPECT_TRUE(b.Active());
  EXPECT_EQ(b.Layout(), sclLeft);
  EXPECT_EQ(b.MaxWidth(), 200);
  EXPECT_TRUE(b.UseHTML());
  EXPECT_TRUE(b.EnabledAlways());
  EXPECT_TRUE(b.AllowClick());
  EXPECT_FALSE(b.ParentFont());
  TsEditLabel* l = b.TheLabel();
  ASSERT_NE(l, nullptr);  // made once the control was read
  EXPECT_EQ(l->Caption(), u"Схема:");
  EXPECT_FALSE(l->UseSkinColor());
  EXPECT_EQ(l->Font().Height, -15);
  EXPECT_EQ(l->Font().Style, static_cast<unsigned>(fsBold));
  EXPECT_EQ(l->Font().Color, clGray);
  EXPECT_EQ(l->BoundsRect().Right, 150 - 4 - 2);
  EXPECT_EQ(l->Top(), 40 + (21 - l->Height()) / 2 + 1);
}

}  // namespace
}  // namespace qv::test
