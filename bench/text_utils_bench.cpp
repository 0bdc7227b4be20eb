// Folding search and date parsing against their plain peers: std::string::find and strptime.
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "feeds/char_refs.h"
#include "feeds/feed_dates.h"
#include "harvest/text_utils.h"
#include "platform/text_codec.h"

namespace {

// About 64 KB of mixed Japanese and ASCII text with the needle at its very end.
const std::string& Haystack() {
  static const std::string text = [] {
    std::string unit = Utf8ToAnsi("サイトの更新情報 News ニュース ｶﾀｶﾅ C:\\Site\\news\\表.html ");
    std::string s;
    while (s.size() < 65536) s += unit;
    return s + "C:\\Target\\Folder";
  }();
  return text;
}

void BM_StdStringFind(benchmark::State& state) {
  const std::string& haystack = Haystack();
  const std::string needle = "C:\\Target";
  for (auto _ : state) benchmark::DoNotOptimize(haystack.find(needle));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(haystack.size()));
}

void BM_FindFolded(benchmark::State& state) {
  const std::string& haystack = Haystack();
  const std::string needle = "c:\\target";
  const int flags = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(FindFolded(haystack, flags ? needle : "C:\\Target", flags));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(haystack.size()));
}

void BM_Strptime(benchmark::State& state) {
  for (auto _ : state) {
    std::tm tm{};
    benchmark::DoNotOptimize(strptime("Mon, 02 Jan 2006 10:03:04 +0900", "%a, %d %b %Y %H:%M:%S %z", &tm));
    benchmark::DoNotOptimize(timegm(&tm));
  }
}

void BM_ParseRfc822Date(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseRfc822Date("Mon, 02 Jan 2006 10:03:04 +0900"));
}

void BM_ParseW3cDate(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseW3cDate("2006-01-02T10:03:04+09:00"));
}

void BM_DecodeCharacterReferences(benchmark::State& state) {
  std::string text;
  while (text.size() < 65536) text += "Tom &amp; Jerry &#26085;&#x672C; &copy; &nbsp;";
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCharacterReferences(text, true));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK(BM_StdStringFind);
BENCHMARK(BM_FindFolded)->Arg(0)->Arg(FOLD_CASE)->Arg(FOLD_WIDTH | FOLD_CASE | FOLD_KANA | FOLD_SMALL);
BENCHMARK(BM_Strptime);
BENCHMARK(BM_ParseRfc822Date);
BENCHMARK(BM_ParseW3cDate);
BENCHMARK(BM_DecodeCharacterReferences);
BENCHMARK_MAIN();
