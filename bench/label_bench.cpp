// Cost of the skinned labels' paints as the window makes them: a caption on
// a skinned group box (its colour found through the section behind it), the
// hint on its own DIALOG section, the about page's HTML label (measuring and
// drawing pass with its link), and placing a bound label after its control
// moved. The platform's plain label painting the same caption is the peer:
// x_plain is its time over the skinned label's, on thread CPU time.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "app/site_settings.h"
#include "bench/cpu_clock.h"
#include "controls/bound_label.h"
#include "controls/html_label.h"
#include "controls/label.h"
#include "controls/skin_classes.h"
#include "controls/skinned_control.h"
#include "platform/component/form.h"
#include "platform/controls/combobox.h"
#include "platform/window/headless.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {
namespace {

using namespace site_settings;

class TBenchGroup : public TacSkinnedControl<TCustomControl> {
 public:
  explicit TBenchGroup(TComponent* owner) : TacSkinnedControl(owner, kCocGroupBox) {
    ControlStyle |= csAcceptsControls;
  }
  int DefaultSkinSection() const override { return ssGroupBox; }
};

// A shown form with a skinned group box (opaque white section, black text)
// and a DIALOG section in an active manager; make puts the measured control
// on the group box.
class TLabelBench {
 public:
  explicit TLabelBench(const std::function<TControl*(TBenchGroup&)>& make) {
    InitWindowSystem(std::make_unique<THeadlessBackend>());
    manager_ = std::make_unique<TsSkinManager>(nullptr);
    auto& sd = manager_->SkinDataArray[0];
    sd = std::make_unique<TacSkinData>(manager_.get(), 96);
    manager_->MasterBitmap = std::make_unique<TBitmap32>(8, 8);
    manager_->Palette.fill(0x00202020);
    AddSection(*sd, u"GROUPBOX", 0x00FFFFFF);
    AddSection(*sd, u"DIALOG", 0x00E8F4E8);
    manager_->SkinCommonInfo.Sections[ssGroupBox] = 0;
    manager_->SkinCommonInfo.Active = true;
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetClientSize(500, 200);
    group_ = new TBenchGroup(form_.get());
    group_->SetParent(form_.get());
    group_->SetBounds(4, 4, 490, 190);
    control_ = make(*group_);
    form_->Show();
    SendToFormAndControls(*form_, scSetNewSkin, reinterpret_cast<LPARAM>(manager_.get()));
    PumpPendingMessages();
    target_.SetSize(control_->Width(), control_->Height());
  }
  ~TLabelBench() {
    form_.reset();
    manager_.reset();
    ShutdownWindowSystem();
  }
  void PaintOnce() {
    TCanvas c(target_);
    control_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&c), 0);
    benchmark::DoNotOptimize(target_.ScanLine(0));
  }
  TControl& Control() { return *control_; }

 private:
  static void AddSection(TacSkinData& sd, ustring_view name, TColor color) {
    TsGeneralData g;
    g.ClassName = ustring(name);
    g.States = 1;
    g.Props[0].Color = color;
    g.Props[0].FontColor.Color = 0;
    sd.gd.push_back(g);
  }

  std::unique_ptr<TsSkinManager> manager_;
  std::unique_ptr<TForm> form_;
  TBenchGroup* group_ = nullptr;
  TControl* control_ = nullptr;
  TBitmap32 target_;
};

template <class C>
C* Place(TWinControl& parent, int w, int h, ustring_view caption) {
  auto* c = new C(parent.Owner());
  c->SetParent(&parent);
  c->SetBounds(8, 8, w, h);
  c->SetCaption(caption);
  return c;
}

double& PlainLabelSeconds() {
  static double seconds = 0;
  return seconds;
}

double PerIteration(double start, const benchmark::State& state) {
  return (CpuSeconds() - start) / static_cast<double>(state.iterations());
}

// The peer: the platform's label with the same caption on the same box.
void BM_PlainLabelPaint(benchmark::State& state) {
  TLabelBench b([](TBenchGroup& g) {
    auto* l = Place<TLabel>(g, 60, 13, u"Стратегия:");
    l->SetTransparent(true);
    return l;
  });
  const double start = CpuSeconds();
  for (auto _ : state) b.PaintOnce();
  PlainLabelSeconds() = PerIteration(start, state);
}
BENCHMARK(BM_PlainLabelPaint);

void BM_SkinnedLabelPaint(benchmark::State& state) {
  TLabelBench b([](TBenchGroup& g) { return Place<TsLabel>(g, 60, 13, u"Стратегия:"); });
  const double start = CpuSeconds();
  for (auto _ : state) b.PaintOnce();
  const double per = PerIteration(start, state);
  if (per > 0 && PlainLabelSeconds() > 0) state.counters["x_plain"] = PlainLabelSeconds() / per;
}
BENCHMARK(BM_SkinnedLabelPaint);

// The hint under a page: its section painted behind a wrapped, centred text.
void BM_DialogLabelPaint(benchmark::State& state) {
  TLabelBench b([](TBenchGroup& g) {
    auto* l = Place<TsLabel>(g, 471, 50,
                             u"Помните! Данная помощь не гарантирует Вам 100% успех, но увеличит "
                             u"шансы победы над соперником");
    l->SetAutoSize(false);
    l->SetWordWrap(true);
    l->SetAlignment(TAlignment::taCenter);
    l->SetLayout(TTextLayout::tlCenter);
    l->ChangeFont([](TFont& f) { f.Height = -15; });
    l->SetSkinSection(u"DIALOG");
    return l;
  });
  for (auto _ : state) b.PaintOnce();
}
BENCHMARK(BM_DialogLabelPaint);

// The about page's text: both markup passes and the link, through the label.
void BM_AboutHtmlLabelPaint(benchmark::State& state) {
  TLabelBench b([](TBenchGroup& g) {
    auto* l = Place<TsHTMLLabel>(
        g, 368, 28,
        u"Хотите видеть новый функционал в программе или поддержать автора<br>\r\n"
        u"пишите в личку профиля в игре - <a href=\"http://" +
            ustring(kGameHost) + u"/users/" + ustring(kAuthorUserId) + u"\">" +
            ustring(kAuthorNickname) + u"</a>");
    l->SetAlignment(TAlignment::taCenter);
    return l;
  });
  for (auto _ : state) b.PaintOnce();
}
BENCHMARK(BM_AboutHtmlLabelPaint);

// A control moved: its caption fitted and placed again by the table.
void BM_BoundLabelAlign(benchmark::State& state) {
  TacBoundLabelOwner<TComboBox>* combo = nullptr;
  TLabelBench b([&combo](TBenchGroup& g) {
    combo = Place<TacBoundLabelOwner<TComboBox>>(g, 53, 21, u"");
    combo->SetLeft(80);
    combo->BoundLabel().SetCaption(u"Схема:");
    combo->BoundLabel().SetActive(true);
    return combo;
  });
  for (auto _ : state) {
    combo->BoundLabel().AlignLabel();
    benchmark::DoNotOptimize(combo->BoundLabel().TheLabel()->Left());
  }
}
BENCHMARK(BM_BoundLabelAlign);

}  // namespace
}  // namespace qv
