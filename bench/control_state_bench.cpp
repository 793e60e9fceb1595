// Cost of a skinned control's state effects on a 137 x 25 button: one step
// of a state fade (one blend of the two state pictures and the copy to the
// window), a whole hover fade, preparing the cache from nothing (parent
// background, section with gradient and border, caption) and serving a
// paint from a current cache. A fade ticks every 12 ms: a step must stay far
// below that to leave the GUI thread free.
#include <benchmark/benchmark.h>

#include <memory>

#include "controls/cache_paint.h"
#include "controls/skin_classes.h"
#include "controls/skin_text.h"
#include "controls/skinned_control.h"
#include "controls/state_effects.h"
#include "paint/gradient.h"
#include "platform/component/form.h"
#include "platform/window/headless.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "skin/skin_commands.h"
#include "skin/skin_manager.h"

namespace qv {
namespace {

class TBenchButton : public TacSkinnedControl<TCustomControl, TsCtrlSkinData> {
 public:
  explicit TBenchButton(TComponent* owner) : TacSkinnedControl(owner, kCocBitBtn, true) {}
  int DefaultSkinSection() const override { return ssButton; }
  void PaintSkinContent(TBitmap32& cache, int state) override {
    TCanvas canvas(cache);
    canvas.Font = Font();
    DrawSkinText(canvas, u"Информация", cache.BoundsRect(), DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                 state, SkinData(), true, false);
  }
};

// A shown form with one skinned button bound to a section with a vertical
// gradient and a nine-slice border, as the program's buttons are.
class TStateBench {
 public:
  TStateBench() {
    InitWindowSystem(std::make_unique<THeadlessBackend>());
    manager_ = std::make_unique<TsSkinManager>(nullptr);
    auto& sd = manager_->SkinDataArray[0];
    sd = std::make_unique<TacSkinData>(manager_.get(), 96);
    manager_->MasterBitmap = std::make_unique<TBitmap32>(32, 32);
    manager_->MasterBitmap->Fill({0xAD, 0xAD, 0xAD, 255});
    for (int y = 2; y < 7; ++y)
      for (int x = 2; x < 7; ++x) manager_->MasterBitmap->Pixel(x, y) = {0xFF, 0xFF, 0xFF, 255};
    TsMaskData border;
    border.ClassName = u"BUTTON";
    border.PropertyName = u"BORDERSMASK";
    border.R = Bounds(0, 0, 27, 9);
    border.ImageCount = 3;
    border.Width = 9;
    border.Height = 9;
    border.WL = border.WT = border.WR = border.WB = 2;
    border.Manager = manager_.get();
    sd->ma.push_back(border);
    TsGeneralData g;
    g.ClassName = u"BUTTON";
    g.BorderIndex = 0;
    const TColor faces[3] = {0x00FFFFFF, 0x00E6F2E6, 0x00CCE4CC};
    for (int s = 0; s < 3; ++s) {
      TsGenState& st = g.Props[static_cast<std::size_t>(s)];
      st.Color = faces[s];
      st.GradientPercent = 30;
      ParseGradient(u"16777215;15461355;97;0;0;15461355;15461355;0;0;0", st.GradientArray);
    }
    sd->gd.push_back(g);
    manager_->SkinCommonInfo.Sections[ssButton] = 0;
    manager_->SkinCommonInfo.Active = true;

    form_ = std::make_unique<TForm>(nullptr);
    form_->SetClientSize(300, 100);
    button_ = new TBenchButton(form_.get());
    button_->SetParent(form_.get());
    button_->SetBounds(20, 20, 137, 25);
    form_->Show();
    SendToFormAndControls(*form_, scSetNewSkin, reinterpret_cast<LPARAM>(manager_.get()));
    PumpPendingMessages();
  }
  ~TStateBench() {
    form_.reset();
    manager_.reset();
    ShutdownWindowSystem();
  }
  TsCommonData& Data() { return *button_->SkinData(); }
  // A hover fade set up as the control starts one, its pictures prepared.
  TacThreadedTimer& StartHover() {
    Data().FMouseAbove = false;
    StopFade(Data());
    Data().BGChanged = true;
    PrepareCache(Data());
    Data().FMouseAbove = true;
    DoStateTransition(Data(), 1, false, false, true);
    return *Data().AnimTimer;
  }

 private:
  std::unique_ptr<TsSkinManager> manager_;
  std::unique_ptr<TForm> form_;
  TBenchButton* button_ = nullptr;
};

void BM_FadeStep(benchmark::State& state) {
  TStateBench b;
  TacThreadedTimer& t = b.StartHover();
  t.SetEnabled(false);
  for (auto _ : state) {
    t.Iteration = 2;
    t.Glow = 85;
    benchmark::DoNotOptimize(StateFadeStep(t, 3));
  }
}
BENCHMARK(BM_FadeStep);

void BM_WholeHoverFade(benchmark::State& state) {
  TStateBench b;
  for (auto _ : state) {
    TacThreadedTimer& t = b.StartHover();
    while (t.Enabled()) t.Tick();
  }
}
BENCHMARK(BM_WholeHoverFade);

void BM_PrepareCacheCold(benchmark::State& state) {
  TStateBench b;
  for (auto _ : state) {
    b.Data().FCacheBmp = std::make_unique<TBitmap32>();
    b.Data().BGChanged = true;
    benchmark::DoNotOptimize(PrepareCache(b.Data()));
  }
}
BENCHMARK(BM_PrepareCacheCold);

void BM_PaintFromCacheWarm(benchmark::State& state) {
  TStateBench b;
  TBitmap32 screen(137, 25);
  TCanvas dc(screen);
  for (auto _ : state) {
    PaintFromCache(b.Data(), dc);
    benchmark::DoNotOptimize(screen.Pixel(5, 5));
  }
}
BENCHMARK(BM_PaintFromCacheWarm);

}  // namespace
}  // namespace qv
