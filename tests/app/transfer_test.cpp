// Page 3, the transfer-market search: criteria entered through the window
// (picks, typing into the spin edits, the check box) become the game site's
// search URL byte for byte; reset, the sort key and its automatic choice, and
// the page-4 "Поиск" giving the same URL.
#include <string>

#include "app/site_settings.h"
#include "tests/app/form1_fixture.h"

namespace qv {
namespace {

using test::Form1Test;

struct TCriteria {
  std::string server, skl1, skl2, age1, age2, price1, price2, talent1, talent2, position, sort, lot;
};

// The search URL written out from the template, value by value.
std::string ExpectedUrl(const TCriteria& c) {
  return "http://" + c.server +
         "/xml/players/transfer.php?step=1&type=players%2Ftransfer&firstpage=%2Fxml%2Fplayers%"
         "2Ftransfer.php%3F&act=search&Skl_1=" +
         c.skl1 + "&Skl_2=" + c.skl2 + "&Age_1=" + c.age1 + "&Age_2=" + c.age2 +
         "&Price_1=" + c.price1 + "&Price_2=" + c.price2 + "&Talent_1=" + c.talent1 +
         "&Talent_2=" + c.talent2 + "&Position=" + c.position + "&CountryID=&sort=" + c.sort +
         "&LotID=" + c.lot + "&oldact=search";
}

// As the browser gets it: the spaces of a sort key written as %20.
std::string Opened(std::string url) {
  for (std::size_t i; (i = url.find(' ')) != std::string::npos;) url.replace(i, 1, "%20");
  return url;
}

std::string Server(int i) { return Utf16ToUtf8(site_settings::kGameServers[i]); }

class TransferTest : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    ShowPage(F().sTabSheet3);
  }
  // Presses "Поиск" on page 3 and returns the URL it opened.
  std::string Search() {
    const std::size_t before = Urls().size();
    Click(F().sBitBtn1);
    EXPECT_EQ(Urls().size(), before + 1);
    return Urls().empty() ? std::string() : Urls().back();
  }
  std::string Built() { return Utf16ToUtf8(F().TransferSearchUrl()); }
  std::string SortKey() { return Utf16ToUtf8(F().sComboBox6->Hint); }
};

TEST_F(TransferTest, InitialCriteriaGiveTheTemplateWithEmptyValues) {
  TCriteria c;
  c.server = Server(0);
  EXPECT_EQ(Search(), ExpectedUrl(c));
  EXPECT_EQ(Built(), ExpectedUrl(c));
  // The "0" of every spin edit was cleared, and stays cleared on screen.
  TForm1& f = F();
  for (TSpinEdit* e : {f.sSpinEdit1, f.sSpinEdit2, f.sSpinEdit3, f.sSpinEdit4, f.sSpinEdit5,
                       f.sSpinEdit6, f.sSpinEdit9})
    EXPECT_EQ(Text(e), "") << e->Name();
  EXPECT_EQ(Search(), ExpectedUrl(c));
}

TEST_F(TransferTest, FilledCriteriaByteForByte) {
  Pick(F().sComboBox3, 2);
  TypeInto(F().sSpinEdit1, u"10");
  // sSpinEdit2 keeps its "0": an empty value.
  TypeInto(F().sSpinEdit3, u"00");  // not exactly "0": kept
  TypeInto(F().sSpinEdit4, u"35");
  TypeInto(F().sSpinEdit5, u"1000");
  TypeInto(F().sSpinEdit6, u"");
  Pick(F().cbTalentMin, 5);
  Pick(F().cbTalentMax, 0);  // the empty item
  Pick(F().sComboBox4, 15);  // Cf, with "Автоматически" off
  TypeInto(F().sSpinEdit9, u"77");
  Pick(F().sComboBox6, 2);  // Опека
  Click(F().sBitBtn6);      // "Скопировать URL" does nothing
  EXPECT_TRUE(Urls().empty());

  TCriteria c;
  c.server = Server(2);
  c.skl1 = "10";
  c.age1 = "00";
  c.age2 = "35";
  c.price1 = "1000";
  c.talent1 = "5";
  c.position = "Cf";
  c.sort = "Mrk desc";
  c.lot = "77";
  EXPECT_EQ(Search(), Opened(ExpectedUrl(c)));
  EXPECT_EQ(Built(), ExpectedUrl(c));
  EXPECT_NE(Built().find("&sort=Mrk desc&"), std::string::npos);  // no escaping
  EXPECT_EQ(Text(F().sSpinEdit2), "");
  EXPECT_EQ(Text(F().sSpinEdit3), "00");
}

TEST_F(TransferTest, TalentFromTheSelectedItem) {
  TCriteria c;
  c.server = Server(0);
  Pick(F().cbTalentMin, 0);  // the empty item reads as nothing selected
  EXPECT_EQ(Search(), ExpectedUrl(c));
  Pick(F().cbTalentMax, 9);
  c.talent2 = "9";
  EXPECT_EQ(Search(), ExpectedUrl(c));
}

TEST_F(TransferTest, EverySortCriterionSetsItsKey) {
  const char* keys[] = {" desc",    "Tck desc", "Mrk desc", "Drb desc", "Rcv desc",
                        "Edu desc", "Pas desc", "Shp desc", "Sha desc", "Exp desc"};
  EXPECT_EQ(SortKey(), "");
  for (int i : {9, 1, 2, 3, 4, 5, 6, 7, 8, 0}) {
    Pick(F().sComboBox6, i);
    EXPECT_EQ(SortKey(), keys[i]) << i;
  }
  TCriteria c;
  c.server = Server(0);
  c.sort = " desc";  // the empty item's key starts with the space
  Search();
  EXPECT_EQ(Built(), ExpectedUrl(c));
  EXPECT_EQ(Urls().back(), Opened(ExpectedUrl(c)));
}

TEST_F(TransferTest, AutomaticSortFollowsThePosition) {
  Click(F().sCheckBox2);
  ASSERT_TRUE(F().sCheckBox2->Checked());
  EXPECT_EQ(F().sComboBox6->ItemIndex(), -1);  // checking alone changes nothing
  EXPECT_EQ(SortKey(), "");
  // Position index -> sort criterion index.
  const int rule[] = {-1, 1, 1, 1, 1, 1, 1, 6, 6, 1, 1, 6, 6, 6, 7, 8, 7, -1};
  const char* keys[] = {" desc",    "Tck desc", "Mrk desc", "Drb desc", "Rcv desc",
                        "Edu desc", "Pas desc", "Shp desc", "Sha desc", "Exp desc"};
  Pick(F().sComboBox6, 3);
  for (int p = 0; p < 18; ++p) {
    const int before = F().sComboBox6->ItemIndex();
    Pick(F().sComboBox4, p);
    const int expected = rule[p] < 0 ? before : rule[p];
    EXPECT_EQ(F().sComboBox6->ItemIndex(), expected) << "position " << p;
    EXPECT_EQ(SortKey(), keys[expected]) << "position " << p;
  }
  Pick(F().sComboBox4, 15);  // Cf
  EXPECT_EQ(Text(F().sComboBox6), "Точность удара");
  EXPECT_NE(Built().find("&Position=Cf&CountryID=&sort=Sha desc&"), std::string::npos);
  Pick(F().sComboBox4, 17);  // Gk leaves it
  EXPECT_EQ(Text(F().sComboBox6), "Точность удара");
  EXPECT_EQ(SortKey(), "Sha desc");
}

TEST_F(TransferTest, WithoutAutomaticThePositionLeavesTheSort) {
  Pick(F().sComboBox4, 15);
  EXPECT_EQ(F().sComboBox6->ItemIndex(), -1);
  EXPECT_EQ(SortKey(), "");
  Pick(F().sComboBox6, 1);
  Pick(F().sComboBox4, 7);
  EXPECT_EQ(F().sComboBox6->ItemIndex(), 1);
  EXPECT_EQ(SortKey(), "Tck desc");
}

TEST_F(TransferTest, ResetClearsTheCriteriaButKeepsServerAndAutomatic) {
  Pick(F().sComboBox3, 1);
  TypeInto(F().sSpinEdit1, u"5");
  TypeInto(F().sSpinEdit6, u"900");
  TypeInto(F().sSpinEdit9, u"12");
  Pick(F().cbTalentMin, 3);
  Pick(F().cbTalentMax, 8);
  Click(F().sCheckBox2);
  Pick(F().sComboBox4, 14);  // Lf: Сила удара
  ASSERT_EQ(SortKey(), "Shp desc");
  Click(F().sBitBtn2);
  TForm1& f = F();
  for (TSpinEdit* e : {f.sSpinEdit1, f.sSpinEdit2, f.sSpinEdit3, f.sSpinEdit4, f.sSpinEdit5,
                       f.sSpinEdit6, f.sSpinEdit9})
    EXPECT_EQ(Text(e), "") << e->Name();
  EXPECT_EQ(f.cbTalentMin->ItemIndex(), -1);
  EXPECT_EQ(f.cbTalentMax->ItemIndex(), -1);
  EXPECT_EQ(f.sComboBox4->ItemIndex(), 0);
  EXPECT_EQ(f.sComboBox5->ItemIndex(), 0);
  EXPECT_EQ(f.sComboBox6->ItemIndex(), 0);
  EXPECT_EQ(SortKey(), " desc");
  EXPECT_EQ(f.sComboBox3->ItemIndex(), 1);
  EXPECT_TRUE(f.sCheckBox2->Checked());
  EXPECT_TRUE(Urls().empty());  // the reset opens nothing
  TCriteria c;
  c.server = Server(1);
  c.sort = " desc";
  Search();
  EXPECT_EQ(Built(), ExpectedUrl(c));
}

TEST_F(TransferTest, SearchOnTheLookUpPageOpensTheSameUrl) {
  Pick(F().sComboBox3, 1);
  TypeInto(F().sSpinEdit2, u"80");
  Pick(F().sComboBox6, 7);
  const std::string from_page3 = Search();
  ShowPage(F().sTabSheet4);
  TypeInto(F().cbUserLogin, u"кто-то");  // the login plays no part
  Click(F().sBitBtn7);
  ASSERT_EQ(Urls().size(), 2u);
  EXPECT_EQ(Urls()[1], from_page3);
  TCriteria c;
  c.server = Server(1);
  c.skl2 = "80";
  c.sort = "Shp desc";
  EXPECT_EQ(from_page3, Opened(ExpectedUrl(c)));
}

TEST_F(TransferTest, InputsWithoutHandlersChangeNothingElse) {
  auto state = [&] {
    std::vector<ustring> s;
    for (TComponent* c : F().Components())
      if (auto* l = dynamic_cast<TLabel*>(c)) s.push_back(l->Caption());
    s.push_back(F().sComboBox6->Hint);
    s.push_back(IntToStr(F().sComboBox6->ItemIndex()));
    return s;
  };
  const auto before = state();
  Pick(F().sComboBox3, 2);
  Pick(F().cbTalentMin, 4);
  Pick(F().cbTalentMax, 6);
  TypeInto(F().sSpinEdit9, u"3");
  Click(F().sCheckBox2);
  Click(F().sBitBtn6);
  ClickAt(F().sComboBox5, {8, 10});  // disabled: does not open
  EXPECT_FALSE(F().sComboBox5->DroppedDown());
  EXPECT_EQ(state(), before);
  EXPECT_TRUE(Urls().empty());
}

}  // namespace
}  // namespace qv
