// Start-up cost of the component framework: reading a window description of
// about 150 components (parse, build, Loaded) and showing the form headless.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/component/form.h"
#include "platform/component/properties.h"
#include "platform/window/headless.h"
#include "platform/window/system.h"

namespace qv {
namespace {

class TBenchPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

class TBenchLabel : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

// A form like the program's: a few containers holding labels and boxes.
std::string MakeDescription(int containers, int per_container) {
  std::string s =
      "object Form1: TForm\n  BorderStyle = bsSingle\n  ClientWidth = 516\n"
      "  ClientHeight = 412\n  Caption = 'Ballora Quorvane'\n";
  for (int c = 0; c < containers; ++c) {
    s += "  object Panel" + std::to_string(c) +
         ": TBenchPanel\n    Left = 8\n    Top = 8\n"
         "    Width = 503\n    Height = 362\n    TabOrder = " +
         std::to_string(c) + "\n";
    for (int i = 0; i < per_container; ++i) {
      const bool label = i % 2 == 0;
      s += std::string("    object ") + (label ? "Label" : "Box") + std::to_string(c) + "_" +
           std::to_string(i) + ": " + (label ? "TBenchLabel" : "TBenchPanel") +
           "\n      Left = 16\n      Top = " + std::to_string(8 + i * 16) +
           "\n      Width = 100\n      Height = 13\n      Caption = 'Подпись'\n"
           "      Font.Style = [fsBold]\n      Anchors = [akLeft, akBottom]\n    end\n";
    }
    s += "  end\n";
  }
  return s + "end\n";
}

void BM_ReadDescription150(benchmark::State& state) {
  RegisterFrameworkClasses();
  RegisterComponentClass<TBenchPanel>("TBenchPanel", "TCustomControl");
  RegisterComponentClass<TBenchLabel>("TBenchLabel", "TGraphicControl");
  const std::string text = MakeDescription(5, 29);  // 5 + 145 components
  const bool show = state.range(0) != 0;
  InitWindowSystem(std::make_unique<THeadlessBackend>());
  for (auto _ : state) {
    auto form = std::make_unique<TForm>(nullptr);
    TReader reader("bench.qvd");
    reader.ReadRoot(ParseDescription(text, "bench.qvd"), *form);
    if (show) form->Show();
    benchmark::DoNotOptimize(form->ComponentCount());
  }
  ShutdownWindowSystem();
  state.counters["components"] = 150;
}
BENCHMARK(BM_ReadDescription150)->Arg(0)->Arg(1)->ArgName("show")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv
