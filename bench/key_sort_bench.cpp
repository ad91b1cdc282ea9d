// Sorting 100,000 keys as the pickup list does, against std::stable_sort on
// the same keys. Already sorted and reverse-sorted input must cost about as
// much as random input (the pivot-first quicksort this replaces took
// quadratic time and stack depth there).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "util/key_sort.h"

namespace {

using gleanix::util::keysort::sortKeys;
using gleanix::util::keysort::TIntegerList;

constexpr std::size_t kKeys = 100000;

enum Shape { kRandom, kSorted, kReverse, kEqual };

// Keys like the list's columns: a date-like prefix shared by many rows, then
// subject-like bytes including Shift-JIS lead bytes.
std::vector<std::string> makeKeys(Shape shape) {
  if (shape == kEqual) return std::vector<std::string>(kKeys, "2024/05/06 07:08 Re: [ml:1234] 会議");
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> day(1, 28), len(4, 28), byte(0x20, 0xFC);
  std::vector<std::string> keys(kKeys);
  for (auto& k : keys) {
    k = "2024/05/" + std::to_string(10 + day(rng)) + " ";
    for (int i = len(rng); i > 0; --i) k.push_back(static_cast<char>(byte(rng)));
  }
  if (shape == kSorted) std::stable_sort(keys.begin(), keys.end());
  if (shape == kReverse) std::stable_sort(keys.begin(), keys.end(), std::greater<>());
  return keys;
}

void runSortKeys(benchmark::State& state, bool descending) {
  const std::vector<std::string> keys = makeKeys(static_cast<Shape>(state.range(0)));
  TIntegerList permutation;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> work = keys;
    state.ResumeTiming();
    sortKeys(descending, work, permutation);
    benchmark::DoNotOptimize(work.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kKeys));
}

void BM_SortKeys(benchmark::State& state) { runSortKeys(state, false); }
void BM_SortKeysDescending(benchmark::State& state) { runSortKeys(state, true); }

void BM_StdStableSort(benchmark::State& state) {
  const std::vector<std::string> keys = makeKeys(static_cast<Shape>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> work = keys;
    state.ResumeTiming();
    std::stable_sort(work.begin(), work.end());
    benchmark::DoNotOptimize(work.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kKeys));
}

void shapes(benchmark::internal::Benchmark* b) {
  b->ArgName("shape");  // 0 random, 1 sorted, 2 reverse-sorted, 3 all equal
  for (int shape : {kRandom, kSorted, kReverse, kEqual}) b->Arg(shape);
  b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_SortKeys)->Apply(shapes);
BENCHMARK(BM_SortKeysDescending)->Apply(shapes);
BENCHMARK(BM_StdStableSort)->Apply(shapes);
BENCHMARK_MAIN();
