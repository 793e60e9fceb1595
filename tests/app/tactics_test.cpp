// Page 1, the tactics advisor, driven through the real window:
// picks in the combo lists, clicks on the check boxes, the track bar moved by
// keys and by dragging its thumb.
#include <string>
#include <vector>

#include "tests/app/form1_fixture.h"

namespace qv {
namespace {

using test::Form1Test;

class TacticsTest : public Form1Test {
 protected:
  // The five outputs of the counter-set-up and the two read-outs of the tactic.
  std::vector<std::string> Outputs() {
    return {Text(F().yScheme), Text(F().sLabel3),      Text(F().yStrategy),  Text(F().sLabel7),
            Text(F().yTactic), Text(F().LabelPercent), Text(F().LabelTactic)};
  }
  // Drags the thumb from its centre by dx pixels.
  void DragThumbBy(int dx) {
    TTrackBar* t = F().sTrackBar1;
    const TRect thumb = t->ThumbRect();
    const TPoint from = t->ClientToScreen({(thumb.Left + thumb.Right) / 2, t->Height() / 2});
    headless->MouseDown(from);
    headless->MoveMouse({from.X + dx / 2, from.Y});
    headless->MoveMouse({from.X + dx, from.Y});
    headless->MouseUp({from.X + dx, from.Y});
  }
};

TEST_F(TacticsTest, FormationRule) {
  const char* recommended[] = {"4-4-2", "4-3-3", "4-3-3", "4-4-2", "3-5-2", "4-3-3", "4-3-3"};
  for (int i : {4, 0, 1, 2, 3, 5, 6}) {
    Pick(F().ComboBoxScheme, i);
    EXPECT_EQ(Text(F().yScheme), recommended[i]) << i;
  }
  EXPECT_EQ(Text(F().yTactic), "22% Защитная");  // only the formation changed
}

TEST_F(TacticsTest, StrategyRule) {
  const char* recommended[] = {"Игра в пас", "Нормальная", "Дальние удары", "Техничная игра"};
  for (int i : {3, 2, 1, 0}) {
    Pick(F().sComboBox2, i);
    EXPECT_EQ(Text(F().yStrategy), recommended[i]) << i;
  }
  EXPECT_EQ(Text(F().yScheme), "4-4-2");
}

TEST_F(TacticsTest, TacticBoundsBelongToTheLowerRow) {
  struct Row {
    int p;
    const char* opponent;
    const char* recommended;
  };
  const Row rows[] = {
      {1, "Суперзащитная", "21-40% Защитная"},   {20, "Суперзащитная", "21-40% Защитная"},
      {21, "Защитная", "41-60% Нормальная"},     {35, "Защитная", "41-60% Нормальная"},
      {40, "Защитная", "41-60% Нормальная"},     {41, "Нормальная", "0-20% Суперзащитная"},
      {60, "Нормальная", "0-20% Суперзащитная"}, {61, "Атакующая", "21-40% Защитная"},
      {80, "Атакующая", "21-40% Защитная"},      {81, "Суператакующая", "21-40% Защитная"},
      {99, "Суператакующая", "21-40% Защитная"},
  };
  for (const Row& r : rows) {
    KeyTrackBarTo(r.p);
    EXPECT_EQ(Text(F().LabelPercent), std::to_string(r.p) + "%");
    EXPECT_EQ(Text(F().LabelTactic), r.opponent) << r.p;
    EXPECT_EQ(Text(F().yTactic), r.recommended) << r.p;
  }
}

TEST_F(TacticsTest, PressingDecidesTheTacticAtZeroAndHundredOnly) {
  KeyTrackBarTo(1);
  headless->PressKey(VK_LEFT);  // back to 0 by the user
  EXPECT_EQ(Text(F().LabelPercent), "0%");
  EXPECT_EQ(Text(F().LabelTactic), "Суперзащитная");
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
  Click(F().sCheckBox1);
  ASSERT_TRUE(F().sCheckBox1->Checked());
  EXPECT_EQ(Text(F().yTactic), "41% Нормальная");
  EXPECT_EQ(Text(F().LabelTactic), "Суперзащитная");

  KeyTrackBarTo(0);
  headless->PressKey(VK_END);  // 100 with pressing on
  EXPECT_EQ(Text(F().LabelPercent), "100%");
  EXPECT_EQ(Text(F().LabelTactic), "Суператакующая");
  EXPECT_EQ(Text(F().yTactic), "41% Нормальная");
  Click(F().sCheckBox1);
  ASSERT_FALSE(F().sCheckBox1->Checked());
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
  EXPECT_EQ(Text(F().LabelTactic), "Суператакующая");

  // In between, pressing changes nothing.
  KeyTrackBarTo(50);
  EXPECT_EQ(Text(F().yTactic), "0-20% Суперзащитная");
  Click(F().sCheckBox1);
  EXPECT_EQ(Text(F().yTactic), "0-20% Суперзащитная");
  Click(F().sCheckBox1);
  EXPECT_EQ(Text(F().yTactic), "0-20% Суперзащитная");
}

TEST_F(TacticsTest, PressingAtTheUntouchedStartPosition) {
  // The track bar still stands at 0: pressing applies its rule at once and
  // leaves the read-outs of the tactic alone.
  Click(F().sCheckBox1);
  EXPECT_EQ(Text(F().yTactic), "41% Нормальная");
  EXPECT_EQ(Text(F().LabelPercent), "0%");
  Click(F().sCheckBox1);
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
}

TEST_F(TacticsTest, DraggingTheThumb) {
  DragThumbBy(1000);  // far past the right end
  EXPECT_EQ(F().sTrackBar1->Position(), 100);
  EXPECT_EQ(Text(F().LabelPercent), "100%");
  EXPECT_EQ(Text(F().LabelTactic), "Суператакующая");
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
  DragThumbBy(-F().sTrackBar1->Width() / 2);
  const int p = F().sTrackBar1->Position();
  EXPECT_GT(p, 20);
  EXPECT_LT(p, 80);
  EXPECT_EQ(Text(F().LabelPercent), std::to_string(p) + "%");
  DragThumbBy(-1000);
  EXPECT_EQ(Text(F().LabelPercent), "0%");
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
}

TEST_F(TacticsTest, PassesStyleChangesNoOutput) {
  const auto before = Outputs();
  Pick(F().sComboBox1, 2);  // "Короткие"
  Pick(F().sComboBox1, 1);
  EXPECT_EQ(Outputs(), before);
  Click(F().sCheckBox4);  // "Автоподбор, учитывая прошлые игры"
  EXPECT_TRUE(F().sCheckBox4->Checked());
  EXPECT_EQ(Outputs(), before);
}

TEST_F(TacticsTest, AutoLineUpLocksAndUnlocks) {
  Pick(F().ComboBoxScheme, 4);
  Pick(F().sComboBox2, 2);
  Click(F().sCheckBox1);
  KeyTrackBarTo(50);
  Click(F().sCheckBox3);
  ASSERT_TRUE(F().sCheckBox3->Checked());
  EXPECT_EQ(Text(F().yScheme), "3-5-2");
  EXPECT_EQ(Text(F().yStrategy), "Игра в пас");
  EXPECT_EQ(Text(F().sLabel7), "Нет");
  EXPECT_EQ(Text(F().yTactic), "21% Защитная");
  EXPECT_EQ(Text(F().LabelPercent), "50%");
  EXPECT_EQ(Text(F().LabelTactic), "Нормальная");
  for (TControl* c : std::initializer_list<TControl*>{
           F().ComboBoxScheme, F().sComboBox1, F().sComboBox2, F().sCheckBox1, F().sTrackBar1})
    EXPECT_FALSE(c->Enabled()) << c->Name();

  // The locked inputs take no input, so nothing else runs.
  const auto locked = Outputs();
  ClickAt(F().ComboBoxScheme, {8, 10});
  EXPECT_FALSE(F().ComboBoxScheme->DroppedDown());
  Click(F().sCheckBox1);
  EXPECT_TRUE(F().sCheckBox1->Checked());
  Click(F().sTrackBar1);
  headless->PressKey(VK_END);
  EXPECT_EQ(F().sTrackBar1->Position(), 50);
  EXPECT_EQ(Outputs(), locked);

  // Unlocking recomputes everything from the inputs, which kept their values.
  Click(F().sCheckBox3);
  ASSERT_FALSE(F().sCheckBox3->Checked());
  EXPECT_EQ(Text(F().yScheme), "3-5-2");
  EXPECT_EQ(Text(F().yStrategy), "Дальние удары");
  EXPECT_EQ(Text(F().yTactic), "0-20% Суперзащитная");
  EXPECT_EQ(Text(F().LabelPercent), "50%");
  EXPECT_EQ(Text(F().LabelTactic), "Нормальная");
  EXPECT_EQ(Text(F().sLabel7), "Нет");
  for (TControl* c : std::initializer_list<TControl*>{
           F().ComboBoxScheme, F().sComboBox1, F().sComboBox2, F().sCheckBox1, F().sTrackBar1})
    EXPECT_TRUE(c->Enabled()) << c->Name();
  Pick(F().ComboBoxScheme, 1);
  EXPECT_EQ(Text(F().yScheme), "4-3-3");
}

TEST_F(TacticsTest, AutoLineUpOffWithTheStartInputs) {
  Click(F().sCheckBox3);
  EXPECT_EQ(Text(F().yTactic), "21% Защитная");
  Click(F().sCheckBox3);
  EXPECT_EQ(Text(F().yScheme), "4-4-2");
  EXPECT_EQ(Text(F().yStrategy), "Игра в пас");
  EXPECT_EQ(Text(F().yTactic), "40% Защитная");
  EXPECT_EQ(Text(F().LabelPercent), "0%");
  EXPECT_EQ(Text(F().LabelTactic), "Суперзащитная");
  EXPECT_EQ(Text(F().sLabel3), "Дальние");
  EXPECT_EQ(Text(F().sLabel7), "Нет");
}

}  // namespace
}  // namespace qv
