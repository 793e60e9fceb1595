// Cost of one paint round of the edit, the spin edit, both combo box styles
// and the open drop-down list through the headless window system: invalidate
// the window, then paint it now (the paint alone is in controls_bench.cpp).
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/component/form.h"
#include "platform/controls/combobox.h"
#include "platform/controls/spinedit.h"
#include "platform/window/headless.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv {
namespace {

struct TSampleForm {
  TSampleForm() {
    InitWindowSystem(std::make_unique<THeadlessBackend>());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(400, 200);
    edit = Place<TEdit>(8, 8, 121);
    edit->SetText(u"Поиск игрока");
    spin = Place<TSpinEdit>(8, 40, 65);
    spin->SetValue(1234);
    list = Place<TComboBox>(8, 72, 145);
    list->SetStyle(TComboBoxStyle::csDropDownList);
    editable = Place<TComboBox>(8, 104, 145);
    for (int i = 0; i < 18; ++i) {
      list->Items().Add(u"Схема 4-4-2 №" + IntToStr(i));
      editable->Items().Add(u"Сервер " + IntToStr(i));
    }
    list->SetItemIndex(3);
    editable->SetItemIndex(2);
    form->Show();
  }
  ~TSampleForm() {
    form.reset();
    ShutdownWindowSystem();
  }
  // A field of class C, 21 pixels high, on the form.
  template <class C>
  C* Place(int x, int y, int w) {
    auto* c = new C(form.get());
    c->SetParent(form.get());
    c->SetBounds(x, y, w, 21);
    return c;
  }
  std::unique_ptr<TForm> form;
  TEdit* edit;
  TSpinEdit* spin;
  TComboBox* list;
  TComboBox* editable;
};

void PaintNow(HWND h, benchmark::State& state) {
  for (auto _ : state) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Repaints one control of a fresh sample form.
template <class C>
void RedrawField(benchmark::State& state, C* TSampleForm::*field) {
  TSampleForm f;
  PaintNow((f.*field)->Handle(), state);
}

void BM_RedrawEdit(benchmark::State& state) { RedrawField(state, &TSampleForm::edit); }
BENCHMARK(BM_RedrawEdit);

void BM_RedrawSpinEdit(benchmark::State& state) { RedrawField(state, &TSampleForm::spin); }
BENCHMARK(BM_RedrawSpinEdit);

void BM_RedrawComboPickList(benchmark::State& state) { RedrawField(state, &TSampleForm::list); }
BENCHMARK(BM_RedrawComboPickList);

void BM_RedrawComboEditable(benchmark::State& state) { RedrawField(state, &TSampleForm::editable); }
BENCHMARK(BM_RedrawComboEditable);

// The open list of 18 items: 16 rows and the scroll bar.
void BM_RedrawDropDownList(benchmark::State& state) {
  TSampleForm f;
  f.list->SetDroppedDown(true);
  PaintNow(f.list->Popup()->Handle(), state);
}
BENCHMARK(BM_RedrawDropDownList);

}  // namespace
}  // namespace qv
