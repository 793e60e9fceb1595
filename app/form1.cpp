// The main window: reading its description, binding the fields, the create
// handler and the handler table. The framework scales the layout to the
// screen's density (TCustomForm::ScaleForPPI).
#include "app/form1.h"

#include <stdexcept>
#include <string>

#include "controls/alpha_imagelist.h"
#include "controls/label_class.h"
#include "platform/component/application.h"
#include "platform/component/reader.h"
#include "platform/controls/edit_classes.h"
#include "platform/controls/standard_controls.h"
#include "site/site_classes.h"
#include "skin/skin_manager.h"

namespace qv {

void RegisterForm1Classes() {
  static const bool done = [] {
    RegisterStandardControls();
    RegisterEditControls();
    RegisterSiteClasses();
    RegisterAlphaImageListClasses();
    RegisterLabelClasses();
    RegisterSkinManagerClasses();
    // A fetch keeps the window serviced by handling its pending messages.
    TIdAntiFreeze::SetApplicationHook([] { Application().ProcessMessages(); });
    RegisterComponentClass<TForm1>("TForm1", "TForm");
    return true;
  }();
  (void)done;
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  RegisterForm1Classes();
  ReadDescription(kForm1Resource);
}

namespace {

template <class C>
void BindOne(TComponent& root, C*& field, const char* name) {
  TComponent* c = root.FindComponent(name);
  field = dynamic_cast<C*>(c);
  if (!field)
    throw std::runtime_error(std::string("The window description has no ") +
                             (c ? "suitable " : "") + "component " + name);
}

}  // namespace

#define QV_BIND(name) BindOne(*this, name, #name)

void TForm1::BindFields() {
  QV_BIND(sPageControl1);
  QV_BIND(sTabSheet1);
  QV_BIND(sTabSheet2);
  QV_BIND(sTabSheet3);
  QV_BIND(sTabSheet4);
  QV_BIND(sTabSheet5);
  QV_BIND(sBitBtn3);
  QV_BIND(sBitBtn4);
  QV_BIND(sBitBtn5);
  QV_BIND(sSkinManager1);
  QV_BIND(sAlphaImageList1);
  QV_BIND(IdHTTP1);
  QV_BIND(IdAntiFreeze1);

  QV_BIND(sGroupBox1);
  QV_BIND(sGroupBox2);
  QV_BIND(sGroupBox3);
  QV_BIND(sGroupBox4);
  QV_BIND(ComboBoxScheme);
  QV_BIND(sComboBox1);
  QV_BIND(sComboBox2);
  QV_BIND(sCheckBox1);
  QV_BIND(sCheckBox3);
  QV_BIND(sCheckBox4);
  QV_BIND(sTrackBar1);
  QV_BIND(LabelPercent);
  QV_BIND(LabelTactic);
  QV_BIND(yScheme);
  QV_BIND(sLabel3);
  QV_BIND(yStrategy);
  QV_BIND(sLabel7);
  QV_BIND(yTactic);

  QV_BIND(ComboBoxAmplua);
  QV_BIND(potbor);
  QV_BIND(popeka);
  QV_BIND(pdribl);
  QV_BIND(ppriem);
  QV_BIND(pvinosl);
  QV_BIND(ppas);
  QV_BIND(psila);
  QV_BIND(ptochn);
  QV_BIND(sLabel11);
  QV_BIND(sLabel13);
  QV_BIND(sLabel15);
  QV_BIND(sLabel17);
  QV_BIND(sLabel19);
  QV_BIND(sLabel21);
  QV_BIND(sLabel23);
  QV_BIND(sLabel25);
  QV_BIND(sp1);
  QV_BIND(sp2);
  QV_BIND(sp3);
  QV_BIND(sp4);
  QV_BIND(sp5);

  QV_BIND(sComboBox3);
  QV_BIND(sSpinEdit1);
  QV_BIND(sSpinEdit2);
  QV_BIND(sSpinEdit3);
  QV_BIND(sSpinEdit4);
  QV_BIND(sSpinEdit5);
  QV_BIND(sSpinEdit6);
  QV_BIND(cbTalentMin);
  QV_BIND(cbTalentMax);
  QV_BIND(sComboBox4);
  QV_BIND(sComboBox5);
  QV_BIND(sSpinEdit9);
  QV_BIND(sComboBox6);
  QV_BIND(sCheckBox2);
  QV_BIND(sBitBtn1);
  QV_BIND(sBitBtn2);
  QV_BIND(sBitBtn6);

  QV_BIND(cbUserLogin);
  QV_BIND(sBitBtn7);
  QV_BIND(sBitBtn8);
  QV_BIND(labLevel);
  QV_BIND(labRegDate);
  QV_BIND(labStatus);
  QV_BIND(labLastEnter);

  QV_BIND(sLabel54);
  QV_BIND(sLabel55);
  QV_BIND(sHTMLLabel6);
  QV_BIND(sLabel56);
  QV_BIND(sWebLabel1);
}

#undef QV_BIND

void TForm1::Loaded() {
  TForm::Loaded();
  BindFields();
}

// The create event: page 1 active, page 2 filled for "Ld/Rd".
void TForm1::FormCreate(TObject* /*Sender*/) {
  sPageControl1->SetActivePage(sTabSheet1);
  ComboBoxAmpluaChange(this);
}

TNotifyEvent TForm1::FindMethod(std::string_view name) {
  using Handler = void (TForm1::*)(TObject*);
  static const struct {
    std::string_view name;
    Handler handler;
  } kHandlers[] = {
      {"FormCreate", &TForm1::FormCreate},
      {"ComboBoxSchemeChange", &TForm1::ComboBoxSchemeChange},
      {"sComboBox2Change", &TForm1::sComboBox2Change},
      {"sTrackBar1Change", &TForm1::sTrackBar1Change},
      {"sCheckBox1Click", &TForm1::sCheckBox1Click},
      {"sCheckBox3Click", &TForm1::sCheckBox3Click},
      {"ComboBoxAmpluaChange", &TForm1::ComboBoxAmpluaChange},
      {"sBitBtn1Click", &TForm1::sBitBtn1Click},
      {"sBitBtn2Click", &TForm1::sBitBtn2Click},
      {"sComboBox4Change", &TForm1::sComboBox4Change},
      {"sComboBox6Change", &TForm1::sComboBox6Change},
      {"sBitBtn8Click", &TForm1::sBitBtn8Click},
      {"sBitBtn3Click", &TForm1::sBitBtn3Click},
      {"sBitBtn4Click", &TForm1::sBitBtn4Click},
      {"sBitBtn5Click", &TForm1::sBitBtn5Click},
  };
  for (const auto& h : kHandlers)
    if (h.name == name) {
      const Handler handler = h.handler;
      return [this, handler](TObject* sender) { (this->*handler)(sender); };
    }
  return TForm::FindMethod(name);
}

}  // namespace qv
