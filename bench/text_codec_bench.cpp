// The conversions between internal text and UTF-8 and UTF-16, on Japanese text that code page 932
// holds (the common case, which must stay fast) and on text with characters it lacks (accented
// letters and emoji, which internal text carries in a form of its own).
#include <benchmark/benchmark.h>

#include <string>

#include "harvest/text_utils.h"
#include "platform/text_codec.h"

namespace {

// About 64 KB of UTF-8 made of `unit` repeated.
std::string Repeated(const char* unit) {
  std::string s;
  while (s.size() < 65536) s += unit;
  return s;
}

const std::string& JapaneseUtf8() {
  static const std::string text = Repeated("サイトの更新情報 News ニュース ｶﾀｶﾅ 東京の坂道と古い建物を歩いて記録する。");
  return text;
}

const std::string& MixedUtf8() {
  static const std::string text = Repeated("Café crème à la carte 🍣 寿司と𠮷野家 〜 naïve façade. ");
  return text;
}

// Each conversion runs once before the timing: the tables it fills on first use are not measured.
void Utf8ToInternal(benchmark::State& state, const std::string& utf8) {
  benchmark::DoNotOptimize(Utf8ToAnsi(utf8));
  for (auto _ : state) benchmark::DoNotOptimize(Utf8ToAnsi(utf8));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(utf8.size()));
}

void Utf8ToInternalInPlace(benchmark::State& state, const std::string& utf8) {
  benchmark::DoNotOptimize(Utf8ToAnsi(utf8));
  std::string work;
  for (auto _ : state) {
    work = utf8;
    Utf8ToAnsiInPlace(work);
    benchmark::DoNotOptimize(work.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(utf8.size()));
}

void InternalToUtf8(benchmark::State& state, const std::string& utf8) {
  const std::string internal = Utf8ToAnsi(utf8);
  benchmark::DoNotOptimize(AnsiToUtf8(internal));
  for (auto _ : state) benchmark::DoNotOptimize(AnsiToUtf8(internal));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(internal.size()));
}

// The feed writer's conversion: pieces appended as they are produced.
void InternalToUtf8Pieces(benchmark::State& state, const std::string& utf8) {
  const std::string internal = Utf8ToAnsi(utf8);
  std::string out;
  AppendAnsiAsUtf8(internal, false, out);
  for (auto _ : state) {
    out.clear();
    AppendAnsiAsUtf8(internal, false, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(internal.size()));
}

void Utf16ToInternal(benchmark::State& state, const std::string& utf8) {
  // UTF-16LE of the text, as the project file's wide strings hold it.
  std::string utf16;
  std::u32string codePoints;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += n;
    auto unit = [&utf16](char32_t u) {
      utf16 += static_cast<char>(u & 0xFF);
      utf16 += static_cast<char>(u >> 8);
    };
    if (cp < 0x10000) {
      unit(cp);
    } else {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  benchmark::DoNotOptimize(Utf16LeToAnsi(utf16));
  for (auto _ : state) benchmark::DoNotOptimize(Utf16LeToAnsi(utf16));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(utf16.size()));
}

void Descriptions(benchmark::State& state, const std::string& utf8) {
  const std::string internal = Utf8ToAnsi(utf8).substr(0, 4096);
  for (auto _ : state) {
    for (size_t at = 0; at + 300 < internal.size(); at += 97) benchmark::DoNotOptimize(CutForDescription(internal.substr(at, 300)));
  }
}

}  // namespace

BENCHMARK_CAPTURE(Utf8ToInternal, japanese, JapaneseUtf8());
BENCHMARK_CAPTURE(Utf8ToInternal, mixed, MixedUtf8());
BENCHMARK_CAPTURE(Utf8ToInternalInPlace, japanese, JapaneseUtf8());
BENCHMARK_CAPTURE(Utf8ToInternalInPlace, mixed, MixedUtf8());
BENCHMARK_CAPTURE(InternalToUtf8, japanese, JapaneseUtf8());
BENCHMARK_CAPTURE(InternalToUtf8, mixed, MixedUtf8());
BENCHMARK_CAPTURE(InternalToUtf8Pieces, japanese, JapaneseUtf8());
BENCHMARK_CAPTURE(InternalToUtf8Pieces, mixed, MixedUtf8());
BENCHMARK_CAPTURE(Utf16ToInternal, japanese, JapaneseUtf8());
BENCHMARK_CAPTURE(Utf16ToInternal, mixed, MixedUtf8());
BENCHMARK_CAPTURE(Descriptions, japanese, JapaneseUtf8());
BENCHMARK_MAIN();
