// Page 2 "Тренировка": the training advisor. A player position
// gives eight training weights (0 to 25) and five special skills.
#include <array>
#include <string_view>

#include "app/form1.h"

namespace qv {

namespace {

constexpr int kPositions = 10;
constexpr int kAttributes = 8;
constexpr int kSkills = 5;

// Weights in bar order: Отбор, Опека, Дриблинг, Прием мяча, Выносливость,
// Пас, Сила удара, Точность удара.
constexpr std::array<std::array<int, kAttributes>, kPositions> kWeights = {{
    {25, 23, 20, 10, 23, 25, 10, 10},  // Ld/Rd
    {25, 25, 10, 10, 23, 25, 10, 10},  // Cd
    {25, 25, 10, 25, 23, 25, 10, 10},  // Cd/Dm
    {25, 10, 10, 25, 23, 25, 15, 15},  // Cm/Dm
    {25, 10, 10, 25, 23, 25, 15, 15},  // Cm
    {25, 10, 23, 25, 23, 25, 13, 13},  // Lm/Rm
    {25, 10, 15, 25, 23, 25, 25, 15},  // Cm/Am
    {23, 10, 25, 25, 23, 15, 23, 25},  // Cf/Am
    {23, 10, 25, 25, 23, 10, 23, 25},  // Cf
    {23, 10, 25, 25, 23, 20, 25, 23},  // Lf/Rf
}};

constexpr std::array<std::array<std::u16string_view, kSkills>, kPositions> kSpecialSkills = {{
    {u"Подкат", u"Перехват", u"Технарь", u"Скорость", u"Атлетизм"},        // Ld/Rd
    {u"Подкат", u"Перехват", u"Игра головой", u"Скорость", u"Атлетизм"},   // Cd
    {u"Подкат", u"Перехват", u"Игра головой", u"Скорость", u"Атлетизм"},   // Cd/Dm
    {u"Навес", u"Перехват", u"Угловой", u"Скорость", u"Атлетизм"},         // Cm/Dm
    {u"Навес", u"Перехват", u"Плеймейкер", u"Скорость", u"Атлетизм"},      // Cm
    {u"Навес", u"Перехват", u"Технарь", u"Скорость", u"Атлетизм"},         // Lm/Rm
    {u"Навес", u"Перехват", u"Штрафной", u"Скорость", u"Атлетизм"},        // Cm/Am
    {u"Игра головой", u"Перехват", u"Технарь", u"Скорость", u"Атлетизм"},  // Cf/Am
    {u"Игра головой", u"Пенальти", u"Технарь", u"Скорость", u"Атлетизм"},  // Cf
    {u"Игра головой", u"Перехват", u"Технарь", u"Скорость", u"Атлетизм"},  // Lf/Rf
}};

}  // namespace

void TForm1::ComboBoxAmpluaChange(TObject* /*Sender*/) {
  const std::array<TProgressBar*, kAttributes> bars = {potbor,  popeka, pdribl, ppriem,
                                                       pvinosl, ppas,   psila,  ptochn};
  const std::array<TLabel*, kAttributes> numbers = {sLabel11, sLabel13, sLabel15, sLabel17,
                                                    sLabel19, sLabel21, sLabel23, sLabel25};
  const std::array<TLabel*, kSkills> skills = {sp1, sp2, sp3, sp4, sp5};

  const int i = ComboBoxAmplua->ItemIndex();
  if (i >= 0 && i < kPositions) {
    for (int k = 0; k < kAttributes; ++k) bars[k]->SetPosition(kWeights[i][k]);
    for (int k = 0; k < kSkills; ++k) skills[k]->SetCaption(kSpecialSkills[i][k]);
  }
  // Whatever the index: each number shows what its bar holds.
  for (int k = 0; k < kAttributes; ++k) numbers[k]->SetCaption(IntToStr(bars[k]->Position()));
}

}  // namespace qv
