// The main window, class TForm1: built from the stored window description
// "forms/Form1.qvd", with the logic of its pages (tactics, training,
// transfer-market search, about page and the buttons under the pages) as its
// event handlers.
//
// The fields name the controls of the description. They are typed with the
// plain control classes of the platform; the skinned controls that later take
// their place in the description derive from them, so the handlers stay as
// they are.
#pragma once

#include <string_view>

#include "platform/component/form.h"
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/imagelist.h"
#include "platform/controls/label.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/spinedit.h"
#include "platform/controls/trackbar.h"
#include "site/IdAntiFreeze.h"
#include "site/IdHTTP.h"

namespace qv {

// Name of the embedded window description.
inline constexpr std::string_view kForm1Resource = "forms/Form1.qvd";

// Registers TForm1 and every class its description names with the reader.
void RegisterForm1Classes();

class TForm1 : public TForm {
 public:
  // Reads the stored description (building every control in its initial
  // state), scales it to the screen's pixel density, then runs FormCreate.
  explicit TForm1(TComponent* owner);

  // --- the window
  TPageControl* sPageControl1 = nullptr;
  TTabSheet* sTabSheet1 = nullptr;
  TTabSheet* sTabSheet2 = nullptr;
  TTabSheet* sTabSheet3 = nullptr;
  TTabSheet* sTabSheet4 = nullptr;
  TTabSheet* sTabSheet5 = nullptr;
  TBitBtn* sBitBtn3 = nullptr;  // "Сайт разработчика"
  TBitBtn* sBitBtn4 = nullptr;  // "Выйти"
  TBitBtn* sBitBtn5 = nullptr;  // "Сайт игры"
  TImageList* sAlphaImageList1 = nullptr;
  TIdHTTP* IdHTTP1 = nullptr;
  TIdAntiFreeze* IdAntiFreeze1 = nullptr;

  // --- page 1, tactics
  TGroupBox* sGroupBox1 = nullptr;
  TGroupBox* sGroupBox2 = nullptr;
  TGroupBox* sGroupBox3 = nullptr;  // hidden placeholder
  TGroupBox* sGroupBox4 = nullptr;  // hidden placeholder
  TComboBox* ComboBoxScheme = nullptr;
  TComboBox* sComboBox1 = nullptr;
  TComboBox* sComboBox2 = nullptr;
  TCheckBox* sCheckBox1 = nullptr;
  TCheckBox* sCheckBox3 = nullptr;
  TCheckBox* sCheckBox4 = nullptr;
  TTrackBar* sTrackBar1 = nullptr;
  TLabel* LabelPercent = nullptr;
  TLabel* LabelTactic = nullptr;
  TLabel* yScheme = nullptr;
  TLabel* sLabel3 = nullptr;  // passes
  TLabel* yStrategy = nullptr;
  TLabel* sLabel7 = nullptr;  // pressing
  TLabel* yTactic = nullptr;

  // --- page 2, training; bars and number labels in the table's order
  TComboBox* ComboBoxAmplua = nullptr;
  TProgressBar* potbor = nullptr;
  TProgressBar* popeka = nullptr;
  TProgressBar* pdribl = nullptr;
  TProgressBar* ppriem = nullptr;
  TProgressBar* pvinosl = nullptr;
  TProgressBar* ppas = nullptr;
  TProgressBar* psila = nullptr;
  TProgressBar* ptochn = nullptr;
  TLabel* sLabel11 = nullptr;
  TLabel* sLabel13 = nullptr;
  TLabel* sLabel15 = nullptr;
  TLabel* sLabel17 = nullptr;
  TLabel* sLabel19 = nullptr;
  TLabel* sLabel21 = nullptr;
  TLabel* sLabel23 = nullptr;
  TLabel* sLabel25 = nullptr;
  TLabel* sp1 = nullptr;
  TLabel* sp2 = nullptr;
  TLabel* sp3 = nullptr;
  TLabel* sp4 = nullptr;
  TLabel* sp5 = nullptr;

  // --- page 3, transfer-market search
  TComboBox* sComboBox3 = nullptr;  // server
  TSpinEdit* sSpinEdit1 = nullptr;  // mastery from, to
  TSpinEdit* sSpinEdit2 = nullptr;
  TSpinEdit* sSpinEdit3 = nullptr;  // age from, to
  TSpinEdit* sSpinEdit4 = nullptr;
  TSpinEdit* sSpinEdit5 = nullptr;  // price from, to
  TSpinEdit* sSpinEdit6 = nullptr;
  TComboBox* cbTalentMin = nullptr;
  TComboBox* cbTalentMax = nullptr;
  TComboBox* sComboBox4 = nullptr;  // position
  TComboBox* sComboBox5 = nullptr;  // nationality (disabled)
  TSpinEdit* sSpinEdit9 = nullptr;  // lot
  TComboBox* sComboBox6 = nullptr;  // sort criterion; its Hint holds the sort key
  TCheckBox* sCheckBox2 = nullptr;  // "Автоматически"
  TBitBtn* sBitBtn1 = nullptr;      // "Поиск"
  TBitBtn* sBitBtn2 = nullptr;      // "Сброс"
  TBitBtn* sBitBtn6 = nullptr;      // "Скопировать URL" (no handler)

  // --- page 4, manager look-up
  TComboBox* cbUserLogin = nullptr;
  TBitBtn* sBitBtn7 = nullptr;  // "Поиск": the transfer search
  TBitBtn* sBitBtn8 = nullptr;  // "Информация об игроке"
  TLabel* labLevel = nullptr;
  TLabel* labRegDate = nullptr;
  TLabel* labStatus = nullptr;
  TLabel* labLastEnter = nullptr;

  // --- page 5, about
  TLabel* sLabel54 = nullptr;
  TLabel* sLabel55 = nullptr;
  TLabel* sHTMLLabel6 = nullptr;
  TLabel* sLabel56 = nullptr;
  TLabel* sWebLabel1 = nullptr;

  // --- event handlers, each taking the event's sender
  void FormCreate(TObject* Sender);
  // tactics
  void ComboBoxSchemeChange(TObject* Sender);
  void sComboBox2Change(TObject* Sender);
  void sTrackBar1Change(TObject* Sender);
  void sCheckBox1Click(TObject* Sender);
  void sCheckBox3Click(TObject* Sender);
  // training
  void ComboBoxAmpluaChange(TObject* Sender);
  // transfer-market search
  void sBitBtn1Click(TObject* Sender);
  void sBitBtn2Click(TObject* Sender);
  void sComboBox4Change(TObject* Sender);
  void sComboBox6Change(TObject* Sender);
  // manager look-up
  void sBitBtn8Click(TObject* Sender);
  // about page and the buttons under the pages
  void sBitBtn3Click(TObject* Sender);
  void sBitBtn4Click(TObject* Sender);
  void sBitBtn5Click(TObject* Sender);

  TNotifyEvent FindMethod(std::string_view name) override;

  // The transfer-search URL of the current criteria, as the search
  // opens it; reading it changes nothing.
  ustring TransferSearchUrl() const;

 protected:
  void Loaded() override;
  // Puts the close off while a look-up is pending: the fetch is cancelled
  // and the window closes when the look-up's handler has unwound.
  bool CloseQuery() override;

 private:
  // Tactics: the pressing rule applied to yTactic.
  void ApplyPressingRule();
  // Transfer search: selects criterion index in sComboBox6 and sets the sort key.
  void SelectSortCriterion(int index);
  // Every field above, found by name; a missing or mistyped control throws.
  void BindFields();

  bool closeAfterFetch_ = false;
};

// The links of the about page and the buttons, fixed at build time
// (app/site_settings.h).
ustring DeveloperSiteUrl();  // "Сайт разработчика"
ustring GameSiteUrl();       // "Сайт игры"
ustring ProductPageUrl();    // the web label
ustring AuthorProfileUrl();  // the link of the HTML label

}  // namespace qv
