// Markup costs: the about page's HTML text (a line break and the author's
// link) and the five sample-result labels of the tactics page (bold runs),
// measured as an auto-sizing label asks for its size, and painted (measuring
// and drawing pass) as the label paints. The plain label drawing the same
// text without markup is the peer: x_plain is its time over the markup's,
// on thread CPU time.
#include <benchmark/benchmark.h>

#include "app/site_settings.h"
#include "bench/cpu_clock.h"
#include "controls/html_parse.h"
#include "platform/canvas.h"

namespace qv {
namespace {

using namespace site_settings;

ustring AboutMarkup() {
  return u"Хотите видеть новый функционал в программе или поддержать автора<br>\r\n"
         u"пишите в личку профиля в игре - <a href=\"http://" +
         ustring(kGameHost) + u"/users/" + ustring(kAuthorUserId) + u"\">" +
         ustring(kAuthorNickname) + u"</a>";
}

const ustring kSampleResults[] = {
    u"1. <b>4-4-2</b>, нормальная, <b>18%</b> — В <b>4:1</b>",
    u"2. <b>4-3-3</b>, игра в пас, <b>35%</b> — Н <b>1:1</b>",
    u"3. <b>3-5-2</b>, дальние удары, <b>52%</b> — П <b>0:2</b>",
    u"4. <b>4-4-2</b>, нормальная, <b>22%</b> — В <b>2:0</b>",
    u"5. <b>4-5-1</b>, техничная игра, <b>40%</b> — В <b>3:2</b>",
};

void LabelFont(TCanvas& canvas) {
  canvas.Font.Name = u"Tahoma";
  canvas.Font.Height = -11;
  canvas.Font.Color = clBlack;
  canvas.SetBkMode(TRANSPARENT);
}

// The size query of an auto-sizing label: one measuring pass, no right edge.
TRect Measure(TCanvas& canvas, const ustring& markup) {
  TsHtml html;
  html.Init(canvas, markup, -1, -1, {0, 0, 65535, 0});
  TacLinks links;
  return html.HTMLText(links, true);
}

// A paint: both passes in the label's rectangle, recording the links.
void Paint(TCanvas& canvas, const ustring& markup, const TRect& area, TacLinks& links) {
  TsHtml html;
  html.Alignment = TAlignment::taCenter;
  html.Init(canvas, markup, -1, -1, area);
  benchmark::DoNotOptimize(html.HTMLText(links, false));
}

double& PlainAboutSeconds() {
  static double seconds = 0;
  return seconds;
}

// The peer: the plain label's two centred lines of the same text.
void BM_AboutPlainDrawText(benchmark::State& state) {
  TBitmap32 bmp(368, 28);
  TCanvas canvas(bmp);
  LabelFont(canvas);
  const ustring plain =
      u"Хотите видеть новый функционал в программе или поддержать автора\r\n"
      u"пишите в личку профиля в игре - " +
      ustring(kAuthorNickname);
  const double start = CpuSeconds();
  for (auto _ : state) {
    TRect r{0, 0, 368, 28};
    benchmark::DoNotOptimize(canvas.DrawText(plain, r, DT_CENTER | DT_NOPREFIX));
    benchmark::ClobberMemory();
  }
  PlainAboutSeconds() = (CpuSeconds() - start) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AboutPlainDrawText);

void BM_AboutHtmlPaint(benchmark::State& state) {
  TBitmap32 bmp(368, 28);
  TCanvas canvas(bmp);
  LabelFont(canvas);
  const ustring markup = AboutMarkup();
  TacLinks links;
  const double start = CpuSeconds();
  for (auto _ : state) {
    Paint(canvas, markup, {0, 0, 368, 28}, links);
    benchmark::ClobberMemory();
  }
  const double per = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  if (per > 0 && PlainAboutSeconds() > 0) state.counters["x_plain"] = PlainAboutSeconds() / per;
}
BENCHMARK(BM_AboutHtmlPaint);

void BM_AboutHtmlMeasure(benchmark::State& state) {
  TBitmap32 bmp(1, 1);
  TCanvas canvas(bmp);
  LabelFont(canvas);
  const ustring markup = AboutMarkup();
  for (auto _ : state) benchmark::DoNotOptimize(Measure(canvas, markup));
}
BENCHMARK(BM_AboutHtmlMeasure);

// The five sample labels as a page shows them: each measured for its size,
// then painted.
void BM_SampleResultsHtml(benchmark::State& state) {
  TBitmap32 bmp(240, 100);
  TCanvas canvas(bmp);
  LabelFont(canvas);
  TacLinks links;
  for (auto _ : state) {
    int top = 0;
    for (const ustring& markup : kSampleResults) {
      const TRect size = Measure(canvas, markup);
      Paint(canvas, markup, size.Offset(0, top), links);
      top += 16;
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_SampleResultsHtml);

}  // namespace
}  // namespace qv
