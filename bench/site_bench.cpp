// Site benchmarks: decoding a profile-sized page and cutting the look-up's four
// fields out of it, the work done after each fetch.
#include <benchmark/benchmark.h>

#include <string>

#include "site/ParseControl.h"
#include "site/charset.h"
#include "site/html_meta.h"

namespace {

// About 64 KiB of windows-1251 markup with the fields near the end, as on a
// profile page whose head and menus come first.
std::string ProfilePage() {
  std::string page =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=windows-1251\"><title>x</title></head><body>";
  while (page.size() < 64 * 1024) page += "<div class=menu><a href=/x>\xcc\xe5\xed\xfe</a></div>\n";
  page +=
      "<a href=/users/petrov>petrov</a> [12]</b><td>\xc4\xe0\xf2\xe0 "
      "\xf0\xe5\xe3\xe8\xf1\xf2\xf0\xe0\xf6\xe8\xe8</td><td width=100%>03.12.2012</td>"
      "<img src=line.gif width=10 border=0 align=absmiddle title=x>"
      "<input name=\"LastLogin\"  value=\"01.12.2012\"/>";
  return page;
}

void BM_DecodeWindows1251Page(benchmark::State& state) {
  const std::string page = ProfilePage();
  for (auto _ : state) benchmark::DoNotOptimize(qv::DecodeBody(page, "WINDOWS-1251"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_DecodeWindows1251Page);

void BM_ScanMetaHeaders(benchmark::State& state) {
  const std::string page = ProfilePage();
  // The scan stops at the end of the head, so the page size says nothing here.
  for (auto _ : state) benchmark::DoNotOptimize(qv::ScanMetaHeaders(page));
}
BENCHMARK(BM_ScanMetaHeaders);

void BM_ExtractFourFields(benchmark::State& state) {
  const qv::ustring page = qv::DecodeBody(ProfilePage(), "WINDOWS-1251");
  for (auto _ : state) {
    benchmark::DoNotOptimize(qv::ExtractBetween(page, u"petrov</a> [", u"]</"));
    benchmark::DoNotOptimize(
        qv::ExtractBetween(page, u"Дата регистрации</td><td width=100%>", u"</td>"));
    benchmark::DoNotOptimize(
        qv::ExtractBetween(page, u"line.gif width=10 border=0 align=absmiddle title=", u">"));
    benchmark::DoNotOptimize(qv::ExtractBetween(page, u"ame=\"LastLogin\"  value=\"", u"\"/>"));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size() * 2 * 4));
}
BENCHMARK(BM_ExtractFourFields);

}  // namespace
