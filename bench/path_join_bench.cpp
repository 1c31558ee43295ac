// Cost of PathJoin on the inputs that could make it slow: very long folders, and long runs of
// backslashes, which a join that searched for doubled separators again and again after every
// removal would handle in quadratic time. The fitted complexity shows whether the cost grows
// in proportion to the length.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "platform/text/text.h"
#include "support/my_function_lv01.h"

namespace {

using platform::Text;

// C:\dir0\dir1\dir2\... cut to exactly `length` characters.
Text LongFolder(std::int64_t length) {
  Text folder = u"C:";
  for (int segment = 0; static_cast<std::int64_t>(folder.size()) < length; ++segment) {
    folder += u"\\dir";
    for (const char digit : std::to_string(segment)) folder += static_cast<char16_t>(digit);
  }
  folder.resize(static_cast<std::size_t>(length));
  return folder;
}

void ReportSize(benchmark::State& state, const Text& folder, const Text& name) {
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(
      state.iterations() *
      static_cast<std::int64_t>((folder.size() + name.size()) * sizeof(char16_t)));
}

void BM_PathJoinTypical(benchmark::State& state) {
  const Text folder = u"C:\\Users\\someone\\Desktop\\Orvanta";
  const Text name = u"setting.dat";
  for (auto _ : state) benchmark::DoNotOptimize(MyFunction_Lv01::PathJoin(folder, name));
}
BENCHMARK(BM_PathJoinTypical);

void BM_PathJoinLongFolder(benchmark::State& state) {
  const Text folder = LongFolder(state.range(0));
  const Text name = u"setting.dat";
  for (auto _ : state) benchmark::DoNotOptimize(MyFunction_Lv01::PathJoin(folder, name));
  ReportSize(state, folder, name);
}
BENCHMARK(BM_PathJoinLongFolder)
    ->RangeMultiplier(16)
    ->Range(64, 1 << 20)
    ->Complexity(benchmark::oN);

// A folder that ends in a run of N backslashes, joined to a name that starts with another run
// of N: all of them and the separator between shrink to one backslash.
void BM_PathJoinBackslashRuns(benchmark::State& state) {
  const auto run = static_cast<std::size_t>(state.range(0));
  const Text folder = u"C:" + Text(run, u'\\');
  const Text name = Text(run, u'\\') + u"setting.dat";
  for (auto _ : state) benchmark::DoNotOptimize(MyFunction_Lv01::PathJoin(folder, name));
  ReportSize(state, folder, name);
}
BENCHMARK(BM_PathJoinBackslashRuns)
    ->RangeMultiplier(16)
    ->Range(64, 1 << 20)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
