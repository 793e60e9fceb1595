// Page 1 "Тактика": the tactics advisor. The opponent's set-up
// in sGroupBox1 gives the counter-set-up in sGroupBox2 by fixed tables.
#include <array>
#include <string_view>

#include "app/form1.h"

namespace qv {

namespace {

// Formation rule: ComboBoxScheme index -> yScheme.
constexpr std::array<std::u16string_view, 7> kRecommendedScheme = {
    u"4-4-2",  // 4-3-3
    u"4-3-3",  // 3-4-3
    u"4-3-3",  // 3-5-2
    u"4-4-2",  // 4-2-4
    u"3-5-2",  // 4-4-2
    u"4-3-3",  // 4-5-1
    u"4-3-3",  // 5-3-2
};

// Strategy rule: sComboBox2 index -> yStrategy.
constexpr std::array<std::u16string_view, 4> kRecommendedStrategy = {
    u"Игра в пас",      // Нормальная
    u"Нормальная",      // Дальние удары
    u"Дальние удары",   // Техничная игра
    u"Техничная игра",  // Игра в пас
};

struct TTacticRow {
  std::u16string_view opponent;     // LabelTactic
  std::u16string_view recommended;  // yTactic
};

// Tactic rule: the row whose range holds p; 20, 40, 60 and 80 belong to the
// lower row.
TTacticRow TacticRow(int p) {
  if (p > 80) return {u"Суператакующая", u"21-40% Защитная"};
  if (p > 60) return {u"Атакующая", u"21-40% Защитная"};
  if (p > 40) return {u"Нормальная", u"0-20% Суперзащитная"};
  if (p > 20) return {u"Защитная", u"41-60% Нормальная"};
  return {u"Суперзащитная", u"21-40% Защитная"};
}

template <std::size_t N>
bool InTable(int index, const std::array<std::u16string_view, N>&) {
  return index >= 0 && index < static_cast<int>(N);
}

}  // namespace

void TForm1::ComboBoxSchemeChange(TObject* /*Sender*/) {
  const int i = ComboBoxScheme->ItemIndex();
  if (InTable(i, kRecommendedScheme)) yScheme->SetCaption(kRecommendedScheme[i]);
}

void TForm1::sComboBox2Change(TObject* /*Sender*/) {
  const int i = sComboBox2->ItemIndex();
  if (InTable(i, kRecommendedStrategy)) yStrategy->SetCaption(kRecommendedStrategy[i]);
}

void TForm1::ApplyPressingRule() {
  yTactic->SetCaption(sCheckBox1->Checked() ? u"41% Нормальная" : u"40% Защитная");
}

void TForm1::sTrackBar1Change(TObject* /*Sender*/) {
  const int p = sTrackBar1->Position();
  LabelPercent->SetCaption(IntToStr(p) + u"%");
  const TTacticRow row = TacticRow(p);
  LabelTactic->SetCaption(row.opponent);
  yTactic->SetCaption(row.recommended);
  if (p == 0 || p == 100) ApplyPressingRule();
}

void TForm1::sCheckBox1Click(TObject* /*Sender*/) {
  const int p = sTrackBar1->Position();
  if (p == 0 || p == 100) ApplyPressingRule();
}

void TForm1::sCheckBox3Click(TObject* Sender) {
  const bool c = sCheckBox3->Checked();
  ComboBoxScheme->SetEnabled(!c);
  sComboBox1->SetEnabled(!c);
  sComboBox2->SetEnabled(!c);
  sCheckBox1->SetEnabled(!c);
  sTrackBar1->SetEnabled(!c);
  if (c) {
    yStrategy->SetCaption(u"Игра в пас");
    yTactic->SetCaption(u"21% Защитная");
    yScheme->SetCaption(u"3-5-2");
    sLabel7->SetCaption(u"Нет");
  } else {
    ComboBoxSchemeChange(Sender);
    sComboBox2Change(Sender);
    sCheckBox1Click(Sender);
    sTrackBar1Change(Sender);
  }
}

}  // namespace qv
