// Walking a 100,000-mail store: every folder listed, and for every mail its
// attribute word decoded and its file looked up, against a find-style walk
// that only lists the same directories. The counter "vs_find" is the ratio
// of the two, measured in the same run.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <time.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "backend/platform.h"
#include "generated_store.h"
#include "store/folders.h"
#include "store/list_file.h"

namespace {

using namespace gleanix;

constexpr std::size_t kMails = bench::kGeneratedMails;

const std::string& storeDirectory() { return bench::generatedStoreDirectory(); }

struct WalkResult {
  std::size_t mails = 0;
  std::size_t present = 0;
  std::uint64_t attributes = 0;
};

WalkResult storeWalk() {
  // A fresh file system each time: no listing cached from the last round.
  auto fs = backend::makeFileSystem();
  const store::MailStore mailStore(*fs, storeDirectory() + "/");
  store::MailFileIndex files(mailStore);
  WalkResult r;
  for (const store::TreeFolder& t : store::folderTree(mailStore)) {
    if (t.folder.type == store::ctAccount || t.folder.type == store::ctGroup) continue;
    for (const store::ListedMail& m : store::listedMails(mailStore, t.folder.path)) {
      ++r.mails;
      r.attributes += m.attribute.value_or(0);
      r.present += files.exists(m.hit) ? 1 : 0;
    }
  }
  return r;
}

std::size_t findWalk(const std::string& dir) {
  std::size_t entries = 0;
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return 0;
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    ++entries;
    if (e->d_type == DT_DIR) entries += findWalk(dir + "/" + name);
  }
  ::closedir(d);
  return entries;
}

double seconds(void (*f)()) {
  timespec a{}, b{};
  ::clock_gettime(CLOCK_MONOTONIC, &a);
  f();
  ::clock_gettime(CLOCK_MONOTONIC, &b);
  return static_cast<double>(b.tv_sec - a.tv_sec) + static_cast<double>(b.tv_nsec - a.tv_nsec) * 1e-9;
}

// The fastest of a few rounds of f, so that one slow round on a shared
// machine does not skew the ratio.
double bestOf(void (*f)(), int rounds) {
  double best = seconds(f);
  for (int i = 1; i < rounds; ++i) best = std::min(best, seconds(f));
  return best;
}

void BM_FindWalk(benchmark::State& state) {
  const std::string& dir = storeDirectory();
  std::size_t entries = 0;
  for (auto _ : state) {
    entries = findWalk(dir);
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_FindWalk)->Unit(benchmark::kMillisecond);

void BM_StoreWalk(benchmark::State& state) {
  storeDirectory();
  WalkResult r;
  for (auto _ : state) {
    r = storeWalk();
    benchmark::DoNotOptimize(r);
  }
  if (r.mails < kMails) state.SkipWithError("the store lists fewer mails than it was made with");
  state.counters["mails"] = static_cast<double>(r.mails);
  state.counters["present"] = static_cast<double>(r.present);
  const double find = bestOf([] { benchmark::DoNotOptimize(findWalk(storeDirectory())); }, 5);
  const double walk = bestOf([] { benchmark::DoNotOptimize(storeWalk()); }, 5);
  state.counters["vs_find"] = walk / find;
}
BENCHMARK(BM_StoreWalk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
