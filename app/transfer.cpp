// Page 3 "Трансферный рынок": the transfer-market search. The
// criteria become the game site's search URL, byte for byte, which the
// desktop's browser opens. The sort key lives in sComboBox6's Hint.
#include <array>
#include <string_view>

#include "app/form1.h"
#include "platform/window/shell.h"
#include "platform/window/styles.h"

namespace qv {

namespace {

// Sort table: sComboBox6 index -> sort key.
constexpr std::array<std::u16string_view, 10> kSortKeys = {
    u" desc",  // (empty item)
    u"Tck desc", u"Mrk desc", u"Drb desc", u"Rcv desc", u"Edu desc",
    u"Pas desc", u"Shp desc", u"Sha desc", u"Exp desc",
};

// Position rule: sComboBox4 index -> sComboBox6 index, -1 for no change.
constexpr std::array<int, 18> kSortForPosition = {
    -1,                 // (empty item)
    1,  1, 1, 1, 1, 1,  // Sw Ld Lwd Cd Rd Rwd: Отбор
    6,  6,              // Lm Lw: Пас
    1,  1,              // Dm Cm: Отбор
    6,  6, 6,           // Am Rm Rw: Пас
    7,                  // Lf: Сила удара
    8,                  // Cf: Точность удара
    7,                  // Rf: Сила удара
    -1,                 // Gk
};

}  // namespace

void TForm1::SelectSortCriterion(int index) {
  sComboBox6->SetItemIndex(index);
  sComboBox6Change(sComboBox6);
}

void TForm1::sComboBox6Change(TObject* /*Sender*/) {
  const int i = sComboBox6->ItemIndex();
  if (i >= 0 && i < static_cast<int>(kSortKeys.size())) sComboBox6->Hint = ustring(kSortKeys[i]);
}

void TForm1::sComboBox4Change(TObject* /*Sender*/) {
  if (!sCheckBox2->Checked()) return;
  const int i = sComboBox4->ItemIndex();
  if (i < 0 || i >= static_cast<int>(kSortForPosition.size())) return;
  if (kSortForPosition[i] >= 0) SelectSortCriterion(kSortForPosition[i]);
}

ustring TForm1::TransferSearchUrl() const {
  ustring url = u"http://";
  url += sComboBox3->GetText();
  url +=
      u"/xml/players/transfer.php?step=1&type=players%2Ftransfer&firstpage=%2Fxml%2Fplayers%"
      u"2Ftransfer.php%3F&act=search&Skl_1=";
  url += sSpinEdit1->GetText() + u"&Skl_2=" + sSpinEdit2->GetText();
  url += u"&Age_1=" + sSpinEdit3->GetText() + u"&Age_2=" + sSpinEdit4->GetText();
  url += u"&Price_1=" + sSpinEdit5->GetText() + u"&Price_2=" + sSpinEdit6->GetText();
  url += u"&Talent_1=" + cbTalentMin->Items().Get(cbTalentMin->ItemIndex()) + u"&Talent_2=" +
         cbTalentMax->Items().Get(cbTalentMax->ItemIndex());
  url += u"&Position=" + sComboBox4->GetText();
  url += u"&CountryID=&sort=" + sComboBox6->Hint;
  url += u"&LotID=" + sSpinEdit9->GetText();
  url += u"&oldact=search";
  return url;
}

void TForm1::sBitBtn1Click(TObject* /*Sender*/) {
  for (TSpinEdit* e :
       {sSpinEdit1, sSpinEdit2, sSpinEdit3, sSpinEdit4, sSpinEdit5, sSpinEdit6, sSpinEdit9})
    if (e->GetText() == u"0") e->SetText(u"");
  ShellExecute(HWND(), u"", TransferSearchUrl(), u"", u"", SW_SHOWNORMAL);
}

void TForm1::sBitBtn2Click(TObject* /*Sender*/) {
  for (TSpinEdit* e : {sSpinEdit1, sSpinEdit2, sSpinEdit3, sSpinEdit4, sSpinEdit5, sSpinEdit6})
    e->SetText(u"");
  cbTalentMin->SetItemIndex(-1);
  cbTalentMax->SetItemIndex(-1);
  sSpinEdit9->SetText(u"");
  sComboBox4->SetItemIndex(0);
  sComboBox5->SetItemIndex(0);
  SelectSortCriterion(0);
}

}  // namespace qv
