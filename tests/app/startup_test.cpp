// Start-up: the window built from its stored description, page 1
// active, page 2 filled by FormCreate, the hidden groups, the fixed frame and
// client size, the initial state of every input, the stand-ins of the bound
// labels, and the texts that come from the build settings.
#include <map>

#include "app/site_settings.h"
#include "app/version.h"
#include "platform/resources.h"
#include "platform/stream/description.h"
#include "platform/window/messages.h"
#include "platform/window/styles.h"
#include "tests/app/form1_fixture.h"

namespace qv {
namespace {

using test::Form1Test;

// The stored description's object named name, or nullptr.
const TDescObject* FindObject(const TDescObject& o, std::string_view name) {
  if (o.name == name) return &o;
  for (const TDescObject& c : o.children)
    if (const TDescObject* f = FindObject(c, name)) return f;
  return nullptr;
}

TDescObject StoredDescription() {
  const auto bytes = FindResource(kForm1Resource);
  EXPECT_TRUE(bytes.has_value());
  if (!bytes) return {};
  return ParseDescription(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), "Form1.qvd");
}

TEST_F(Form1Test, PageOneIsActiveWhateverPageTheDescriptionStores) {
  // The description keeps the page last shown at design time...
  const TDescObject desc = StoredDescription();
  const TDescObject* pc = FindObject(desc, "sPageControl1");
  ASSERT_NE(pc, nullptr);
  bool stores_another = false;
  for (const TDescProperty& p : pc->properties)
    if (p.name == "ActivePage") stores_another = p.value.ident != "sTabSheet1";
  EXPECT_TRUE(stores_another);
  // ...and FormCreate makes page 1 the active one.
  EXPECT_EQ(F().sPageControl1->ActivePage(), F().sTabSheet1);
  EXPECT_TRUE(F().sTabSheet1->Showing());
  for (TTabSheet* other : {F().sTabSheet2, F().sTabSheet3, F().sTabSheet4, F().sTabSheet5})
    EXPECT_FALSE(other->Showing());
}

TEST_F(Form1Test, PageTwoShowsTheFirstPositionBeforeTheWindowIsShown) {
  EXPECT_EQ(F().ComboBoxAmplua->ItemIndex(), 0);
  EXPECT_EQ(Text(F().ComboBoxAmplua), "Ld/Rd");
  const TProgressBar* bars[] = {F().potbor,  F().popeka, F().pdribl, F().ppriem,
                                F().pvinosl, F().ppas,   F().psila,  F().ptochn};
  const TLabel* numbers[] = {F().sLabel11, F().sLabel13, F().sLabel15, F().sLabel17,
                             F().sLabel19, F().sLabel21, F().sLabel23, F().sLabel25};
  const int expected[] = {25, 23, 20, 10, 23, 25, 10, 10};
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(bars[k]->Position(), expected[k]) << k;
    EXPECT_EQ(Text(numbers[k]), std::to_string(expected[k])) << k;
  }
  EXPECT_EQ(Text(F().sp1), "Подкат");
  EXPECT_EQ(Text(F().sp2), "Перехват");
  EXPECT_EQ(Text(F().sp3), "Технарь");
  EXPECT_EQ(Text(F().sp4), "Скорость");
  EXPECT_EQ(Text(F().sp5), "Атлетизм");
}

TEST_F(Form1Test, PageOneShowsItsStoredTextsUntilAnInputChanges) {
  EXPECT_EQ(Text(F().yScheme), "4-4-2");
  EXPECT_EQ(Text(F().sLabel3), "Дальние");
  EXPECT_EQ(Text(F().yStrategy), "Игра в пас");
  EXPECT_EQ(Text(F().sLabel7), "Нет");
  EXPECT_EQ(Text(F().yTactic), "22% Защитная");
  EXPECT_EQ(Text(F().LabelPercent), "0%");
  EXPECT_EQ(Text(F().LabelTactic), "Суперзащитная");
}

TEST_F(Form1Test, TheWindowHasAFixedSingleFrameAndItsClientSize) {
  const HWND h = F().WindowHandle();
  ASSERT_TRUE(h);
  TRect client;
  GetClientRect(h, client);
  EXPECT_EQ(client.Width(), 516);
  EXPECT_EQ(client.Height(), 412);
  const auto style = static_cast<std::uint32_t>(GetWindowLongPtr(h, GWL_STYLE));
  EXPECT_EQ(style & WS_THICKFRAME, 0u);  // not resizable
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);
  EXPECT_EQ(F().BorderStyle(), TFormBorderStyle::bsSingle);
  // The frame offers no sizing edge, and the caption no maximising.
  TRect wr;
  GetWindowRect(h, wr);
  for (const TPoint edge : {TPoint{wr.Right - 1, wr.Bottom - 1}, TPoint{wr.Left, wr.Top + 60},
                            TPoint{wr.Left + 60, wr.Bottom - 1}}) {
    const LRESULT hit = SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(edge.X, edge.Y));
    EXPECT_TRUE(hit < HTLEFT || hit > HTBOTTOMRIGHT) << hit;
  }
  // Centred on the screen when first shown.
  const TSize screen = headless->ScreenSize();
  EXPECT_LE(std::abs((wr.Left + wr.Right) / 2 - screen.cx / 2), 1);
  EXPECT_LE(std::abs((wr.Top + wr.Bottom) / 2 - screen.cy / 2), 1);
  EXPECT_EQ(Text(&F()), "Ballora Quorvane [Версия 1.2]");
  EXPECT_EQ(Utf16ToUtf8(F().Font().Name), "Tahoma");
  EXPECT_EQ(F().Font().Height, -11);
  EXPECT_EQ(F().Font().Charset, RUSSIAN_CHARSET);
}

TEST_F(Form1Test, HiddenGroupsNeverAppear) {
  auto hidden = [&] {
    EXPECT_FALSE(F().sGroupBox3->Visible());
    EXPECT_FALSE(F().sGroupBox4->Visible());
    EXPECT_FALSE(F().sGroupBox3->Showing());
    EXPECT_FALSE(F().sGroupBox4->Showing());
  };
  hidden();
  EXPECT_EQ(F().sGroupBox3->ControlCount(), 5);   // the five sample results
  EXPECT_EQ(F().sGroupBox4->ControlCount(), 12);  // six caption/value pairs
  for (TTabSheet* page :
       {F().sTabSheet2, F().sTabSheet3, F().sTabSheet4, F().sTabSheet5, F().sTabSheet1}) {
    ShowPage(page);
    hidden();
  }
  Click(F().sCheckBox3);  // auto line-up on and off
  Click(F().sCheckBox3);
  Click(F().sCheckBox4);
  KeyTrackBarTo(100);
  Pick(F().ComboBoxScheme, 6);
  hidden();
}

TEST_F(Form1Test, InputsStartInTheirStoredState) {
  TForm1& f = F();
  EXPECT_EQ(f.ComboBoxScheme->ItemIndex(), 0);
  EXPECT_EQ(f.sComboBox1->ItemIndex(), 0);
  EXPECT_EQ(f.sComboBox2->ItemIndex(), 0);
  for (TCheckBox* c : {f.sCheckBox1, f.sCheckBox2, f.sCheckBox3, f.sCheckBox4})
    EXPECT_FALSE(c->Checked()) << c->Name();
  EXPECT_EQ(f.sTrackBar1->Position(), 0);
  EXPECT_EQ(f.sTrackBar1->Max(), 100);
  EXPECT_EQ(f.sTrackBar1->TickCount(), 0);
  EXPECT_EQ(f.sComboBox3->ItemIndex(), 0);
  for (TSpinEdit* e : {f.sSpinEdit1, f.sSpinEdit2, f.sSpinEdit3, f.sSpinEdit4, f.sSpinEdit5,
                       f.sSpinEdit6, f.sSpinEdit9})
    EXPECT_EQ(Text(e), "0") << e->Name();
  for (TComboBox* c : {f.cbTalentMin, f.cbTalentMax, f.sComboBox4, f.sComboBox5, f.sComboBox6})
    EXPECT_EQ(c->ItemIndex(), -1) << c->Name();
  EXPECT_EQ(f.cbTalentMin->Items().Count(), 10);
  EXPECT_EQ(f.sComboBox4->Items().Count(), 18);
  EXPECT_EQ(f.sComboBox6->Items().Count(), 10);
  EXPECT_EQ(f.sComboBox5->Items().Count(), 1);
  EXPECT_FALSE(f.sComboBox5->Enabled());
  EXPECT_TRUE(f.sComboBox6->Hint.empty());  // the sort key
  EXPECT_FALSE(f.ShowHint);
  EXPECT_TRUE(f.cbUserLogin->IsEditable());
  EXPECT_EQ(Text(f.cbUserLogin), "");
  EXPECT_EQ(f.cbUserLogin->Items().Count(), 0);
  for (TLabel* l : {f.labLevel, f.labRegDate, f.labStatus, f.labLastEnter})
    EXPECT_EQ(Text(l), "<неизвестно>");
  // Pick lists, and the one editable combo.
  for (TComboBox* c : {f.ComboBoxScheme, f.sComboBox1, f.sComboBox2, f.ComboBoxAmplua, f.sComboBox3,
                       f.cbTalentMin, f.cbTalentMax, f.sComboBox4, f.sComboBox5, f.sComboBox6})
    EXPECT_FALSE(c->IsEditable()) << c->Name();
  // Progress bars: 0 to 25, smooth.
  for (TProgressBar* b :
       {f.potbor, f.popeka, f.pdribl, f.ppriem, f.pvinosl, f.ppas, f.psila, f.ptochn}) {
    EXPECT_EQ(b->Min(), 0);
    EXPECT_EQ(b->Max(), 25);
    EXPECT_TRUE(b->Smooth());
  }
}

TEST_F(Form1Test, TabPagesImagesAndButtonsAreAsStored) {
  TForm1& f = F();
  ASSERT_EQ(f.sPageControl1->PageCount(), 5);
  const char* captions[] = {"Тактика", "Тренировка", "Трансферный рынок", "Поиск игрока",
                            "О программе"};
  const int images[] = {2, 0, 3, 3, -1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Text(f.sPageControl1->Pages(i)), captions[i]);
    EXPECT_EQ(f.sPageControl1->Pages(i)->ImageIndex(), images[i]);
  }
  EXPECT_EQ(f.sPageControl1->Images(), f.sAlphaImageList1);
  ASSERT_EQ(f.sAlphaImageList1->Count(), 8);
  EXPECT_EQ(f.sAlphaImageList1->Width(), 16);
  EXPECT_EQ(f.sAlphaImageList1->Height(), 16);
  for (int i = 0; i < 8; ++i) {
    // Every picture has see-through and opaque pixels.
    const TBitmap32* b = f.sAlphaImageList1->Image(i);
    ASSERT_NE(b, nullptr);
    int clear = 0, solid = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        clear += b->Pixel(x, y).A == 0;
        solid += b->Pixel(x, y).A == 255;
      }
    EXPECT_GT(clear, 0) << i;
    EXPECT_GT(solid, 0) << i;
  }
  struct Btn {
    TBitBtn* b;
    const char* caption;
    int image;
  };
  for (const Btn& b : {Btn{f.sBitBtn3, "Сайт разработчика", 4}, Btn{f.sBitBtn4, "Выйти", -1},
                       Btn{f.sBitBtn5, "Сайт игры", 5}, Btn{f.sBitBtn1, "Поиск", 1},
                       Btn{f.sBitBtn2, "Сброс", -1}, Btn{f.sBitBtn6, "Скопировать URL", 6},
                       Btn{f.sBitBtn7, "Поиск", 1}, Btn{f.sBitBtn8, "Информация об игроке", 7}}) {
    EXPECT_EQ(Text(b.b), b.caption);
    EXPECT_EQ(b.b->ImageIndex(), b.image) << b.caption;
    if (b.image >= 0) {
      EXPECT_EQ(b.b->Images(), f.sAlphaImageList1);
    }
  }
  // The buttons under the pages keep to the bottom edge.
  EXPECT_EQ(f.sBitBtn3->Anchors(), (1u << akLeft) | (1u << akBottom));
  EXPECT_EQ(f.sBitBtn4->Anchors(), (1u << akRight) | (1u << akBottom));
  EXPECT_EQ(f.sBitBtn5->Anchors(), (1u << akLeft) | (1u << akBottom));
  EXPECT_EQ(f.sBitBtn4->BoundsRect(), Bounds(428, 380, 75, 25));
  EXPECT_EQ(f.sPageControl1->BoundsRect(), Bounds(8, 8, 503, 362));
}

TEST_F(Form1Test, TabOrderIsAsStored) {
  TForm1& f = F();
  const std::map<TWinControl*, int> order = {
      {f.sPageControl1, 0},  {f.sBitBtn3, 1},     {f.sBitBtn4, 2},     {f.sBitBtn5, 3},
      {f.sGroupBox1, 0},     {f.sGroupBox2, 1},   {f.sGroupBox3, 2},   {f.sGroupBox4, 3},
      {f.sTrackBar1, 0},     {f.sComboBox1, 1},   {f.sComboBox2, 2},   {f.sCheckBox1, 3},
      {f.ComboBoxScheme, 4}, {f.sCheckBox3, 5},   {f.sCheckBox4, 0},   {f.ComboBoxAmplua, 0},
      {f.potbor, 1},         {f.ptochn, 8},       {f.sComboBox3, 0},   {f.sSpinEdit1, 1},
      {f.sSpinEdit2, 2},     {f.sSpinEdit3, 3},   {f.sSpinEdit4, 4},   {f.sSpinEdit5, 5},
      {f.sSpinEdit6, 6},     {f.sComboBox4, 7},   {f.sComboBox5, 8},   {f.sComboBox6, 9},
      {f.sBitBtn1, 10},      {f.sBitBtn2, 11},    {f.sSpinEdit9, 12},  {f.sCheckBox2, 13},
      {f.sBitBtn6, 14},      {f.cbTalentMax, 15}, {f.cbTalentMin, 16}, {f.cbUserLogin, 0},
      {f.sBitBtn7, 1},       {f.sBitBtn8, 2}};
  for (const auto& [control, tab] : order) EXPECT_EQ(control->TabOrder(), tab) << control->Name();
}

// Until the skinned controls give them their bound labels, plain labels named
// <Control>Label stand left of their control: right-aligned, 4 px away,
// vertically centred.
TEST_F(Form1Test, BoundLabelStandInsSitLeftOfTheirControls) {
  const std::pair<const char*, const char*> bound[] = {
      {"ComboBoxScheme", "Схема:"},   {"sComboBox1", "Передачи:"}, {"sComboBox2", "Стратегия:"},
      {"ComboBoxAmplua", "Позиция:"}, {"sSpinEdit1", "от"},        {"sSpinEdit2", "до"},
      {"sSpinEdit3", "от"},           {"sSpinEdit4", "до"},        {"sSpinEdit5", "от"},
      {"sSpinEdit6", "до"},           {"cbTalentMin", "от"},       {"cbTalentMax", "до"},
      {"cbUserLogin", "Логин:"}};
  for (const auto& [name, caption] : bound) {
    auto* control = dynamic_cast<TControl*>(F().FindComponent(name));
    auto* label = dynamic_cast<TLabel*>(F().FindComponent(std::string(name) + "Label"));
    ASSERT_TRUE(control && label) << name;
    EXPECT_EQ(Text(label), caption);
    EXPECT_EQ(label->Parent(), control->Parent()) << name;
    EXPECT_EQ(label->Alignment(), TAlignment::taRightJustify) << name;
    EXPECT_EQ(label->Left() + label->Width(), control->Left() - 4) << name;
    const int label_mid = 2 * label->Top() + label->Height();
    const int control_mid = 2 * control->Top() + control->Height();
    EXPECT_LE(std::abs(label_mid - control_mid), 2) << name;
    EXPECT_GT(label->Width(), 5) << name;
  }
}

TEST_F(Form1Test, AboutTextsAndServersComeFromTheBuildSettings) {
  TForm1& f = F();
  ASSERT_EQ(f.sComboBox3->Items().Count(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(f.sComboBox3->Items()[i], ustring(site_settings::kGameServers[i]));
  EXPECT_EQ(f.sComboBox3->GetText(), ustring(site_settings::kGameServers[0]));
  EXPECT_EQ(Text(f.sLabel54), "Ballora Quorvane");
  EXPECT_EQ(f.sLabel54->Font().Height, -16);
  EXPECT_NE(f.sLabel54->Font().Style & fsBold, 0u);
  EXPECT_EQ(f.sLabel55->Caption(), u"Версия " + ustring(version::kShownVersion));
  EXPECT_EQ(Text(f.sLabel55), "Версия 1.2");
  EXPECT_EQ(f.sLabel56->Caption(), ustring(site_settings::kCopyright));
  EXPECT_EQ(f.sWebLabel1->Caption(), ustring(site_settings::kDeveloperHost));
  EXPECT_EQ(f.sHTMLLabel6->Caption(),
            u"Хотите видеть новый функционал в программе или поддержать автора\r\n"
            u"пишите в личку профиля в игре - " +
                ustring(site_settings::kAuthorNickname));
  // The window caption carries the same version as the version record.
  EXPECT_EQ(f.Caption(), u"Ballora Quorvane [Версия " + ustring(version::kShownVersion) + u"]");
  EXPECT_EQ(version::kFileVersion.substr(0, 4), "1.2.");
}

TEST_F(Form1Test, DefaultHostsAreUnderTheReservedExampleDomain) {
  auto example = [](std::u16string_view host) {
    const std::u16string_view tld = u".example";
    const auto colon = host.find(u':');
    const std::u16string_view name = host.substr(0, colon);
    return name.size() > tld.size() && name.substr(name.size() - tld.size()) == tld;
  };
  // A packager may configure real hosts; this checks only the defaults' build.
  if (!example(site_settings::kDeveloperHost)) GTEST_SKIP() << "hosts configured";
  EXPECT_TRUE(example(site_settings::kGameHost));
  for (const auto host : site_settings::kGameServers) EXPECT_TRUE(example(host));
  EXPECT_EQ(DeveloperSiteUrl().find(u".example"), DeveloperSiteUrl().size() - 8);
}

}  // namespace
}  // namespace qv
