// Copying mails into a folder through the simulated host's import: the same
// mails into an empty folder and into one that already holds thousands of
// mails. Each import writes the mail under a pending name, appends its entry
// line and renames the file, as a copy run does; the cost per mail should
// not depend on what the folder already holds. Between rounds the copies
// are removed and the entry list restored, so every round starts alike.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "backend/platform.h"
#include "host/entry_format.h"
#include "host/quillon_sim.h"
#include "make_store/store_generator.h"

namespace {

using namespace gleanix;
namespace fs = std::filesystem;

constexpr std::size_t kCopied = 200;

std::string readAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The source store (generated once) and the mail files taken from it.
struct Source {
  std::string root;
  std::vector<std::string> mails;  // host paths of kCopied mail files
};

const Source& source() {
  static const Source s = [] {
    Source r;
    r.root = std::string(GLEANIX_BINARY_DIR) + "/bench-copy-store";
    const std::string marker = r.root + "/.complete";
    if (!fs::exists(marker)) {
      fs::remove_all(r.root);
      std::string error;
      if (!tools::writeStore(r.root, {2000, tools::kSampleSeed}, &error)) {
        std::fprintf(stderr, "bench: %s\n", error.c_str());
        std::abort();
      }
      std::ofstream(marker) << "complete\n";
    }
    std::vector<std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(r.root)) {
      if (e.is_regular_file() && e.path().extension() == ".ALM") all.push_back(e.path().string());
    }
    std::sort(all.begin(), all.end());
    for (std::size_t i = 0; i < kCopied && i < all.size(); ++i) r.mails.push_back(all[i]);
    return r;
  }();
  return s;
}

// A destination folder "Acc1\Dest<held>.box" holding `held` mails with
// their entry lines, made once; returns its host path relative to the root.
std::string destination(std::size_t held) {
  const std::string name = "Dest" + std::to_string(held) + ".box";
  const fs::path dir = fs::path(source().root) / "Acc1" / name;
  const fs::path marker = dir / ".complete";
  if (!fs::exists(marker)) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "Entry.ini") << "[Entry]\r\n";
    std::string list;
    const std::string mail = readAll(source().mails.front());
    for (std::size_t i = 0; i < held; ++i) {
      char key[32];
      std::snprintf(key, sizeof key, "F%07zX", i);
      std::ofstream(dir / (std::string(key) + ".ALM"), std::ios::binary) << mail;
      list += std::string(key) + "=" + host::listLineTail(0, mail) + "\r\n";
    }
    std::ofstream(dir / "ENTRY.LST", std::ios::binary) << list;
    std::ofstream(marker) << "complete\n";
  }
  return "Acc1\\" + name;
}

// Puts the folder back as it was made: only the files it was made with.
void restore(const fs::path& dir, const std::vector<std::string>& names, const std::string& list) {
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string n = e.path().filename().string();
    if (!std::binary_search(names.begin(), names.end(), n)) fs::remove(e.path());
  }
  std::ofstream(dir / "ENTRY.LST", std::ios::binary) << list;
}

void BM_CopyInto(benchmark::State& state) {
  const std::size_t held = static_cast<std::size_t>(state.range(0));
  const std::string folder = destination(held);
  const fs::path dir = fs::path(source().root) / "Acc1" / folder.substr(5);
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  const std::string list = readAll(dir / "ENTRY.LST");
  std::size_t copied = 0;
  for (auto _ : state) {
    // A fresh host and file system: one copy run, as the CLI makes it.
    auto files = backend::makeFileSystem();
    host::QuillonSim sim(*files, source().root + "/");
    for (const std::string& mail : source().mails) {
      if (!sim.importFile(mail, folder, 0)) {
        state.SkipWithError("import failed");
        return;
      }
      ++copied;
    }
    state.PauseTiming();
    restore(dir, names, list);
    state.ResumeTiming();
  }
  state.counters["per_mail"] =
      benchmark::Counter(static_cast<double>(copied), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["held"] = static_cast<double>(held);
}
BENCHMARK(BM_CopyInto)->Arg(0)->Arg(6000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
