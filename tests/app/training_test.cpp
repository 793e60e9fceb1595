// Page 2, the training advisor: every position picked from the
// open list gives its row of weights (bars and numbers) and special skills.
#include <array>
#include <string>

#include "tests/app/form1_fixture.h"

namespace qv {
namespace {

using test::Form1Test;

struct TRowExpect {
  const char* position;
  std::array<int, 8> weights;
  std::array<const char*, 5> skills;
};

// The training tables, written out again on purpose.
const TRowExpect kRows[] = {
    {"Ld/Rd",
     {25, 23, 20, 10, 23, 25, 10, 10},
     {"Подкат", "Перехват", "Технарь", "Скорость", "Атлетизм"}},
    {"Cd",
     {25, 25, 10, 10, 23, 25, 10, 10},
     {"Подкат", "Перехват", "Игра головой", "Скорость", "Атлетизм"}},
    {"Cd/Dm",
     {25, 25, 10, 25, 23, 25, 10, 10},
     {"Подкат", "Перехват", "Игра головой", "Скорость", "Атлетизм"}},
    {"Cm/Dm",
     {25, 10, 10, 25, 23, 25, 15, 15},
     {"Навес", "Перехват", "Угловой", "Скорость", "Атлетизм"}},
    {"Cm",
     {25, 10, 10, 25, 23, 25, 15, 15},
     {"Навес", "Перехват", "Плеймейкер", "Скорость", "Атлетизм"}},
    {"Lm/Rm",
     {25, 10, 23, 25, 23, 25, 13, 13},
     {"Навес", "Перехват", "Технарь", "Скорость", "Атлетизм"}},
    {"Cm/Am",
     {25, 10, 15, 25, 23, 25, 25, 15},
     {"Навес", "Перехват", "Штрафной", "Скорость", "Атлетизм"}},
    {"Cf/Am",
     {23, 10, 25, 25, 23, 15, 23, 25},
     {"Игра головой", "Перехват", "Технарь", "Скорость", "Атлетизм"}},
    {"Cf",
     {23, 10, 25, 25, 23, 10, 23, 25},
     {"Игра головой", "Пенальти", "Технарь", "Скорость", "Атлетизм"}},
    {"Lf/Rf",
     {23, 10, 25, 25, 23, 20, 25, 23},
     {"Игра головой", "Перехват", "Технарь", "Скорость", "Атлетизм"}},
};

class TrainingTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    ShowPage(F().sTabSheet2);
  }
  void ExpectRow(int i) {
    const TRowExpect& row = kRows[i];
    const TProgressBar* bars[] = {F().potbor,  F().popeka, F().pdribl, F().ppriem,
                                  F().pvinosl, F().ppas,   F().psila,  F().ptochn};
    const TLabel* numbers[] = {F().sLabel11, F().sLabel13, F().sLabel15, F().sLabel17,
                               F().sLabel19, F().sLabel21, F().sLabel23, F().sLabel25};
    const TLabel* skills[] = {F().sp1, F().sp2, F().sp3, F().sp4, F().sp5};
    EXPECT_EQ(Text(F().ComboBoxAmplua), row.position);
    for (int k = 0; k < 8; ++k) {
      EXPECT_EQ(bars[k]->Position(), row.weights[k]) << row.position << " bar " << k;
      // Each number shows what its bar holds.
      EXPECT_EQ(Text(numbers[k]), std::to_string(bars[k]->Position())) << row.position;
      EXPECT_LE(bars[k]->Position(), 25);
    }
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Text(skills[k]), row.skills[k]) << row.position;
  }
};

TEST_F(TrainingTest, EveryPositionGivesItsRow) {
  ExpectRow(0);  // from FormCreate
  for (int i : {8, 1, 2, 3, 4, 5, 6, 7, 9, 0}) {
    Pick(F().ComboBoxAmplua, i);
    ExpectRow(i);
  }
}

TEST_F(TrainingTest, PickingTheSelectedPositionAgainKeepsItsRow) {
  Pick(F().ComboBoxAmplua, 3);
  Pick(F().ComboBoxAmplua, 3);
  ExpectRow(3);
}

TEST_F(TrainingTest, OnlyCfHasAnotherSecondSkill) {
  for (int i = 0; i < 10; ++i) {
    Pick(F().ComboBoxAmplua, i);
    EXPECT_EQ(Text(F().sp2) == "Пенальти", i == 8) << i;
  }
}

TEST_F(TrainingTest, KeysInTheClosedListPickToo) {
  Click(F().ComboBoxAmplua);  // opens the list
  headless->PressKey(VK_ESCAPE);
  ASSERT_FALSE(F().ComboBoxAmplua->DroppedDown());
  headless->PressKey(VK_DOWN);
  ExpectRow(1);
  headless->PressKey(VK_END);
  ExpectRow(9);
}

}  // namespace
}  // namespace qv
