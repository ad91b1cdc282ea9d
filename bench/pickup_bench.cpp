// The pickups on a 100,000-mail store, in one run: the mark pickup over all
// folders, the keyword pickup of a plain term over all folders against
// `LC_ALL=C grep -rlF` of the same term over the same mail files (counter
// "vs_grep", measured in the same run), the related pickup without a degree
// limit from a mail deep in a thread, and sorting all rows of the store by
// date and by subject.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <string>

#include "backend/platform.h"
#include "pickup/row_sort.h"
#include "deep_thread_mail.h"
#include "generated_store.h"
#include "timing.h"
#include "mailtext/header_field.h"
#include "mailtext/iso2022jp.h"
#include "mailtext/split_mail.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/related_search.h"
#include "pickup/relation_keys.h"
#include "store/folders.h"
#include "store/list_file.h"

namespace {

using namespace gleanix;

constexpr std::size_t kMails = bench::kGeneratedMails;
// A plain term of the store's bodies ("Quillon 1.20 でメールを読んでいます。").
constexpr const char* kTerm = "Quillon";

const std::string& storeDirectory() { return bench::generatedStoreDirectory(); }

std::string root() { return storeDirectory() + "/"; }

// Every inbox, outbox, trash and user folder in tree order.
const std::vector<std::string>& allFolders() {
  static const std::vector<std::string> folders = [] {
    auto fs = backend::makeFileSystem();
    const store::MailStore store(*fs, root());
    std::vector<std::string> out;
    for (const store::TreeFolder& t : store::folderTree(store)) {
      if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) out.push_back(t.folder.path);
    }
    return out;
  }();
  return folders;
}

using bench::bestOf;
using bench::seconds;

pickup::PickupResult markPickup() {
  // A fresh file system each time: no listing cached from the last round.
  auto fs = backend::makeFileSystem();
  pickup::SilentProgress progress;
  return pickup::markSearch(*fs, root(), allFolders(), pickup::MarkSelection{}, progress);
}

void BM_MarkPickup(benchmark::State& state) {
  allFolders();  // the store generated and its tree read before timing
  pickup::PickupResult r;
  for (auto _ : state) {
    r = markPickup();
    benchmark::DoNotOptimize(r.hits.data());
  }
  state.counters["folders"] = static_cast<double>(allFolders().size());
  state.counters["hits"] = static_cast<double>(r.hits.size());
}
BENCHMARK(BM_MarkPickup)->Unit(benchmark::kMillisecond);

pickup::PickupResult keywordPickup() {
  auto fs = backend::makeFileSystem();
  pickup::SilentProgress progress;
  pickup::KeywordOptions options;
  options.keywords = kTerm;
  return pickup::keywordSearch(*fs, root(), allFolders(), options, mailtext::builtInConversion(), {}, progress);
}

// The names of the files grep finds (one line each).
std::size_t grepFiles() {
  const std::string command = "LC_ALL=C grep -rlF --include='*.ALM' '" + std::string(kTerm) + "' '" +
                              storeDirectory() + "' | wc -l";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return 0;
  unsigned long count = 0;
  if (std::fscanf(pipe, "%lu", &count) != 1) count = 0;
  ::pclose(pipe);
  return count;
}

void BM_GrepBaseline(benchmark::State& state) {
  storeDirectory();
  std::size_t files = 0;
  for (auto _ : state) {
    files = grepFiles();
    benchmark::DoNotOptimize(files);
  }
  state.counters["files"] = static_cast<double>(files);
}
BENCHMARK(BM_GrepBaseline)->Unit(benchmark::kMillisecond);

void BM_KeywordPickup(benchmark::State& state) {
  allFolders();
  pickup::PickupResult r;
  for (auto _ : state) {
    r = keywordPickup();
    benchmark::DoNotOptimize(r.hits.data());
  }
  state.counters["hits"] = static_cast<double>(r.hits.size());
  const double grep = bestOf([] { benchmark::DoNotOptimize(grepFiles()); }, 3);
  const double keyword = bestOf([] { benchmark::DoNotOptimize(keywordPickup()); }, 3);
  state.counters["grep_ms"] = grep * 1000;
  state.counters["vs_grep"] = keyword / grep;
}
BENCHMARK(BM_KeywordPickup)->Unit(benchmark::kMillisecond);

const std::string& deepThreadMail() {
  static const std::string hit = [] {
    auto fs = backend::makeFileSystem();
    return bench::deepThreadMail(store::MailStore(*fs, root()));
  }();
  return hit;
}

// Counts the passes of a related pickup (one text line each).
class PassCounter final : public pickup::PickupProgress {
 public:
  void setMaximum(std::size_t) override {}
  void setPosition(std::size_t) override {}
  void addLine() override { ++passes; }
  void setLine(const std::string&) override {}
  bool processMessages() override { return false; }
  int passes = 0;
};

void BM_RelatedPickupNoLimit(benchmark::State& state) {
  const std::string& start = deepThreadMail();
  pickup::PickupResult r;
  int passes = 0;
  for (auto _ : state) {
    auto fs = backend::makeFileSystem();
    PassCounter progress;
    pickup::RelatedOptions options;
    options.order = 0;
    r = pickup::relatedSearch(*fs, root(), allFolders(), {start}, options, {}, progress);
    benchmark::DoNotOptimize(r.hits.data());
    passes = progress.passes;
  }
  state.counters["hits"] = static_cast<double>(r.hits.size());
  state.counters["passes"] = passes;
}
BENCHMARK(BM_RelatedPickupNoLimit)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Every mail of the store as a row of the pickup list, built once.
const std::vector<pickup::PickupRow>& allRows() {
  static const std::vector<pickup::PickupRow> rows = [] {
    auto fs = backend::makeFileSystem();
    const store::MailStore store(*fs, root());
    std::vector<std::string> hits;
    for (const std::string& folder : allFolders()) {
      for (store::ListedMail& m : store::listedMails(store, folder)) hits.push_back(std::move(m.hit));
    }
    pickup::RowBuilder builder(store, -540);
    std::vector<pickup::PickupRow> out;
    for (const pickup::PickedMail& m : pickup::pickedMails(*fs, store.root(), hits)) {
      if (auto row = builder.build(m.folder, m.displayPath, m.key)) out.push_back(std::move(*row));
    }
    // In no particular order, as a pickup leaves them.
    std::shuffle(out.begin(), out.end(), std::mt19937(7));
    return out;
  }();
  return rows;
}

void sortBenchmark(benchmark::State& state, pickup::SortColumn column) {
  const auto& rows = allRows();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<pickup::PickupRow> copy = rows;
    state.ResumeTiming();
    pickup::sortRows(copy, column, false, true);
    benchmark::DoNotOptimize(copy.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}

void BM_SortRowsByDate(benchmark::State& state) { sortBenchmark(state, pickup::SortColumn::Date); }
BENCHMARK(BM_SortRowsByDate)->Unit(benchmark::kMillisecond);

void BM_SortRowsBySubject(benchmark::State& state) { sortBenchmark(state, pickup::SortColumn::Subject); }
BENCHMARK(BM_SortRowsBySubject)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
