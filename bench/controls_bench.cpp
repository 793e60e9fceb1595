// Cost of painting each standard control once at its size in the sample
// form, in the plain flat look, into a bitmap of the control's size.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "platform/component/form.h"
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/label.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/spinedit.h"
#include "platform/controls/trackbar.h"
#include "platform/window/headless.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"

namespace qv {
namespace {

// A shown headless form holding one control, painted repeatedly.
class TPaintBench {
 public:
  explicit TPaintBench(const std::function<TControl*(TForm&, TImageList&)>& make) {
    InitWindowSystem(std::make_unique<THeadlessBackend>());
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetClientSize(400, 300);
    images_ = std::make_unique<TImageList>(nullptr);
    TBitmap32 icon(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        icon.Pixel(x, y) = {40, 150, 30, static_cast<std::uint8_t>((x + y) * 8)};
    images_->Add(icon);
    control_ = make(*form_, *images_);
    form_->Show();
    PumpPendingMessages();
    target_.SetSize(control_->Width(), control_->Height());
  }
  ~TPaintBench() {
    form_.reset();
    images_.reset();
    ShutdownWindowSystem();
  }
  void PaintOnce() {
    TCanvas c(target_);
    control_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&c), 0);
    benchmark::DoNotOptimize(target_.ScanLine(0));
  }

 private:
  std::unique_ptr<TForm> form_;
  std::unique_ptr<TImageList> images_;
  TControl* control_ = nullptr;
  TBitmap32 target_;
};

template <class C>
C* Place(TForm& f, int w, int h) {
  auto* c = new C(&f);
  c->SetParent(&f);
  c->SetBounds(8, 8, w, h);
  return c;
}

void Run(benchmark::State& state, const std::function<TControl*(TForm&, TImageList&)>& make) {
  TPaintBench bench(make);
  for (auto _ : state) bench.PaintOnce();
}

void BM_PaintLabel(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* l = Place<TLabel>(f, 160, 17);
    l->SetAutoSize(false);
    l->SetCaption(u"&Тактика соперника");
    return l;
  });
}
BENCHMARK(BM_PaintLabel);

void BM_PaintBitBtn(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList& images) {
    auto* b = Place<TBitBtn>(f, 75, 25);
    b->SetCaption(u"Поиск");
    b->SetImages(&images);
    b->SetImageIndex(0);
    return b;
  });
}
BENCHMARK(BM_PaintBitBtn);

void BM_PaintCheckBox(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* c = Place<TCheckBox>(f, 150, 17);
    c->SetCaption(u"Автосостав");
    c->SetChecked(true);
    return c;
  });
}
BENCHMARK(BM_PaintCheckBox);

void BM_PaintGroupBox(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* g = Place<TGroupBox>(f, 240, 120);
    g->SetCaption(u"Соперник");
    return g;
  });
}
BENCHMARK(BM_PaintGroupBox);

void BM_PaintProgressBar(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* p = Place<TProgressBar>(f, 145, 17);
    p->SetMax(25);
    p->SetSmooth(true);
    p->SetPosition(12);
    return p;
  });
}
BENCHMARK(BM_PaintProgressBar);

void BM_PaintTrackBar(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* t = Place<TTrackBar>(f, 160, 33);
    t->SetRange(0, 100);
    t->SetFrequency(10);
    t->SetPosition(40);
    return t;
  });
}
BENCHMARK(BM_PaintTrackBar);

void BM_PaintPageControl(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList& images) {
    auto* pc = Place<TPageControl>(f, 380, 280);
    pc->SetImages(&images);
    const char16_t* names[] = {u"Тактика", u"Тренировка", u"Трансфер", u"Игрок", u"О программе"};
    for (int i = 0; i < 5; ++i) {
      auto* s = new TTabSheet(&f);
      s->SetPageControl(pc);
      s->SetCaption(names[i]);
      s->SetImageIndex(i < 4 ? 0 : -1);
    }
    return pc;
  });
}
BENCHMARK(BM_PaintPageControl);

void BM_PaintEdit(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* e = Place<TEdit>(f, 145, 21);
    e->SetText(u"Спартак Москва");
    return e;
  });
}
BENCHMARK(BM_PaintEdit);

void BM_PaintComboPickList(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* c = Place<TComboBox>(f, 145, 21);
    c->SetStyle(TComboBoxStyle::csDropDownList);
    c->Items().Assign({u"Атака", u"Контратака", u"Оборона", u"Прессинг"});
    c->SetItemIndex(1);
    return c;
  });
}
BENCHMARK(BM_PaintComboPickList);

void BM_PaintComboEditable(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* c = Place<TComboBox>(f, 145, 21);
    c->Items().Assign({u"Атака", u"Контратака", u"Оборона", u"Прессинг"});
    c->SetItemIndex(2);
    return c;
  });
}
BENCHMARK(BM_PaintComboEditable);

void BM_PaintSpinEdit(benchmark::State& state) {
  Run(state, [](TForm& f, TImageList&) {
    auto* s = Place<TSpinEdit>(f, 70, 21);
    s->SetMaxValue(99);
    s->SetValue(25);
    return s;
  });
}
BENCHMARK(BM_PaintSpinEdit);

}  // namespace
}  // namespace qv
