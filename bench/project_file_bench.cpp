// Project file save and load of 100,000 realistic items, in process.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "model/project_file.h"
#include "project_data.h"

namespace {

void BM_SaveProject(benchmark::State& state) {
  CRssFile project;
  FillBenchProject(project, static_cast<int>(state.range(0)));
  std::string path = "/tmp/vamelrss-bench-save.fpj";
  std::string message;
  for (auto _ : state) benchmark::DoNotOptimize(SaveProjectFile(project, path));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(SaveProjectBytes(project).size()));
  std::remove(path.c_str());
}

void BM_LoadProject(benchmark::State& state) {
  std::string path = "/tmp/vamelrss-bench-load.fpj";
  std::string message;
  {
    CRssFile project;
    FillBenchProject(project, static_cast<int>(state.range(0)));
    SaveProjectFile(project, path);
  }
  for (auto _ : state) {
    CRssFile loaded;
    benchmark::DoNotOptimize(LoadProjectFile(loaded, path));
  }
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_SaveProject)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("VAMELRSS_CONFIG_DIR", "/nonexistent-vamelrss-bench", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
