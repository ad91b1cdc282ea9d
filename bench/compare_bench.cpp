// bench_compare: Gleanix's pickups against the plainest file searches over
// the same generated stores, taken in turns in one run so that the load of
// the machine weighs on both alike; the best of some rounds of each.
//
//   keyword  `gleanix --format tsv keyword Quillon` (rows included)
//            vs `rg -l -F Quillon` (and `LC_ALL=C grep -rlF`) on the *.ALM files
//   related  `gleanix --format tsv related --from <deep thread mail> --degree 0`
//            vs `rg -c -F <absent term>`, which reads every mail file once
//   mark     the mark search over all folders, in this process, vs listing
//            each folder once and reading its entry list, in this process
//
// Each line also gives the per-mail cost and the peak memory of the
// gleanix process (for mark: of `gleanix mark`, its rows included).
// With --windows EXE the same engines (search and rows) run in the Windows
// build under Wine and the ratios of its times to this build's are given.
//
//   bench_compare [--sizes 10000,100000,300000] [--rounds N] [--gleanix PATH] [--windows EXE]
//                 [--only keyword|related|mark]
//   bench_compare --engines ROOT [--rounds N]   (what runs under Wine: "engine NAME SECONDS" lines)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <unordered_set>

#include "make_store/store_generator.h"
#endif

#include "backend/platform.h"
#include "deep_thread_mail.h"
#include "mailtext/iso2022jp.h"
#include "pickup/keyword_search.h"
#include "pickup/mark_search.h"
#include "pickup/picked_mail.h"
#include "pickup/pickup_row.h"
#include "pickup/related_search.h"
#include "store/folders.h"

namespace {

using namespace gleanix;

constexpr const char* kTerm = "Quillon";
constexpr const char* kAbsentTerm = "Gleanix-absent-term-0xq";

double now() {
#ifdef _WIN32
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
#else
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#endif
}

double seconds(const std::function<void()>& f) {
  const double a = now();
  f();
  return now() - a;
}

#ifndef _WIN32
// CPU time of this process: on a loaded machine a steadier measure than the
// wall clock of a run that does not wait for the disk.
double cpuNow() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The wall and CPU seconds of f.
std::pair<double, double> wallAndCpu(const std::function<void()>& f) {
  const double wall = now(), cpu = cpuNow();
  f();
  return {now() - wall, cpuNow() - cpu};
}
#endif

// --- The engines, as the CLI and the list window run them ---------------

std::vector<std::string> searchedFolders(const store::MailStore& store) {
  std::vector<std::string> out;
  for (const store::TreeFolder& t : store::folderTree(store)) {
    if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) out.push_back(t.folder.path);
  }
  return out;
}

std::size_t rowsOf(const sys::FileSystem& fs, const store::MailStore& store, const pickup::PickupResult& r) {
  pickup::RowBuilder builder(store, -540);
  const std::vector<pickup::PickedMail> picked = pickup::pickedMails(fs, store.root(), r.hits);
  std::size_t rows = 0;
  for (std::size_t i = 0; i < picked.size(); ++i) {
    rows += builder.build(picked[i].folder, picked[i].displayPath, picked[i].key, r.summary(i)).has_value();
  }
  return rows;
}

struct Engines {
  explicit Engines(std::string storeRoot) : root(std::move(storeRoot)) {
    auto fs = backend::makeFileSystem();
    const store::MailStore store(*fs, root);
    folders = searchedFolders(store);
    deepMail = bench::deepThreadMail(store);
  }

  // Each with a fresh file system: nothing cached from the last round.
  std::size_t keyword() const {
    auto fs = backend::makeFileSystem();
    const store::MailStore store(*fs, root);
    pickup::SilentProgress progress;
    pickup::KeywordOptions options;
    options.keywords = kTerm;
    const auto r = pickup::keywordSearch(*fs, root, folders, options, mailtext::builtInConversion(), {}, progress);
    return rowsOf(*fs, store, r);
  }
  std::size_t related() const {
    auto fs = backend::makeFileSystem();
    const store::MailStore store(*fs, root);
    pickup::SilentProgress progress;
    pickup::RelatedOptions options;
    options.order = 0;
    const auto r = pickup::relatedSearch(*fs, root, folders, {deepMail}, options, {}, progress);
    return rowsOf(*fs, store, r);
  }
  std::size_t mark() const { return markWith(pickup::MarkSelection{}); }
  // Every box checked: each listed mail is a candidate whose file is looked up.
  std::size_t markAll() const {
    pickup::MarkSelection all;
    all.unread = all.read = true;
    all.marks.fill(true);
    return markWith(all);
  }
  std::size_t markWith(const pickup::MarkSelection& selection) const {
    auto fs = backend::makeFileSystem();
    pickup::SilentProgress progress;
    return pickup::markSearch(*fs, root, folders, selection, progress).hits.size();
  }

  std::string root;
  std::vector<std::string> folders;
  std::string deepMail;
};

struct Named {
  const char* name;
  std::size_t (Engines::*run)() const;
};
constexpr Named kEngines[] = {{"keyword", &Engines::keyword},
                              {"related", &Engines::related},
                              {"mark", &Engines::mark},
                              {"mark-all", &Engines::markAll}};

// The best time of each engine over the rounds, taken in turns.
std::vector<double> timeEngines(const Engines& e, int rounds) {
  std::vector<double> best(std::size(kEngines), 1e9);
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t k = 0; k < std::size(kEngines); ++k) {
      best[k] = std::min(best[k], seconds([&] { (e.*kEngines[k].run)(); }));
    }
  }
  return best;
}

int runEngines(const std::string& root, int rounds) {
  const Engines e(root);
  const std::vector<double> best = timeEngines(e, rounds);
  for (std::size_t k = 0; k < best.size(); ++k) std::printf("engine %s %.6f\n", kEngines[k].name, best[k]);
  return 0;
}

#ifndef _WIN32
// --- Processes: time and peak memory --------------------------------------

struct ProcessRun {
  double seconds = 0;
  long peakKb = 0;
};

// Runs argv with its output thrown away (or into out), timing it.
ProcessRun runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                      const char* outPath = "/dev/null") {
  const double start = now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(out, 1);
    ::dup2(null, 2);
    for (const std::string& v : env) ::putenv(const_cast<char*>(v.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  return {now() - start, usage.ru_maxrss};
}

// The best of each command over the rounds, taken in turns; the first
// command's peak memory.
std::vector<ProcessRun> alternate(const std::vector<std::function<ProcessRun()>>& runs, int rounds) {
  std::vector<ProcessRun> best(runs.size(), ProcessRun{1e9, 0});
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const ProcessRun r = runs[i]();
      best[i].seconds = std::min(best[i].seconds, r.seconds);
      best[i].peakKb = std::max(best[i].peakKb, r.peakKb);
    }
  }
  return best;
}

// Lists each folder once and reads its entry list, checking that each
// listed mail's file is there: what the mark search cannot do without.
std::size_t markBaseline(const std::string& dir, const std::vector<std::string>& folders) {
  std::size_t present = 0;
  for (std::string folder : folders) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    const bool trash = folder.back() != '/';
    const std::string folderDir = trash ? folder.substr(0, folder.rfind('/') + 1) : folder;
    std::unordered_set<std::string> files;
    if (DIR* d = ::opendir((dir + "/" + folderDir).c_str())) {
      while (dirent* e = ::readdir(d)) files.insert(e->d_name);
      ::closedir(d);
    }
    std::ifstream list(dir + "/" + (trash ? folder : folder + "ENTRY.LST"), std::ios::binary);
    std::string line;
    while (std::getline(list, line)) {
      const std::size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string name = line.substr(0, eq);
      if (trash) name = name.substr(name.rfind('\\') + 1);
      present += files.count(name + ".ALM");
    }
  }
  return present;
}

std::string storeFor(std::size_t mails) {
  const std::string d = std::string(GLEANIX_BINARY_DIR) + "/bench-store-" + std::to_string(mails);
  if (!std::filesystem::exists(d + "/.complete")) {
    std::filesystem::remove_all(d);
    std::string error;
    std::fprintf(stderr, "bench_compare: writing a %zu-mail store into %s\n", mails, d.c_str());
    if (!tools::writeStore(d, {mails, tools::kSampleSeed}, &error)) {
      std::fprintf(stderr, "bench_compare: %s\n", error.c_str());
      std::exit(1);
    }
    std::ofstream(d + "/.complete") << "complete\n";
  }
  return d;
}

void line(const char* work, std::size_t mails, const ProcessRun& ours, double baseline, const char* against) {
  std::printf("%-8s %7zu mails  gleanix %8.1f ms  %-10s %8.1f ms  ratio %5.2fx  %6.2f us/mail  peak %6.1f MB\n", work,
              mails, ours.seconds * 1000, against, baseline * 1000, ours.seconds / baseline,
              ours.seconds / static_cast<double>(mails) * 1e6, static_cast<double>(ours.peakKb) / 1024);
}

// The Windows build's engine times on the same store, parsed from its lines.
std::vector<double> windowsEngines(const std::string& exe, const std::string& dir, int rounds) {
  std::string root = "Z:" + dir + "/";
  std::replace(root.begin(), root.end(), '/', '\\');
  const std::string out = dir + "/../bench-compare-wine.txt";
  runProcess({"wine", exe, "--engines", root, "--rounds", std::to_string(rounds)},
             {"WINEDEBUG=-all", "LC_ALL=ja_JP.UTF-8"}, out.c_str());
  std::vector<double> times(std::size(kEngines), 0);
  std::ifstream in(out);
  std::string word, name;
  double t = 0;
  while (in >> word >> name >> t) {
    for (std::size_t k = 0; k < std::size(kEngines); ++k) {
      if (word == "engine" && name == kEngines[k].name) times[k] = t;
    }
  }
  return times;
}

int compare(const std::vector<std::size_t>& sizes, int rounds, const std::string& gleanix, const std::string& windows,
            const std::string& only) {
  auto wanted = [&](const char* work) { return only.empty() || only == work; };
  double load[3] = {};
  ::getloadavg(load, 3);
  std::printf("load average at start: %.2f %.2f %.2f; best of %d rounds, taken in turns\n", load[0], load[1], load[2],
              rounds);
  for (const std::size_t mails : sizes) {
    const std::string dir = storeFor(mails);
    const Engines engines(dir + "/");
    const std::string grep = "LC_ALL=C";
    auto cli = [&](std::vector<std::string> args) {
      args.insert(args.begin(), {gleanix, "--store", dir, "--format", "tsv"});
      return [args] { return runProcess(args); };
    };
    if (wanted("keyword")) {
      const auto kw = alternate({cli({"keyword", kTerm}),
                                 [&] { return runProcess({"rg", "-l", "-F", kTerm, dir, "-g", "*.ALM"}); },
                                 [&] {
                                   return runProcess({"grep", "-rlF", "--include=*.ALM", kTerm, dir}, {"LC_ALL=C"});
                                 }},
                                rounds);
      line("keyword", mails, kw[0], kw[1].seconds, "rg -l");
      line("keyword", mails, kw[0], kw[2].seconds, "grep -rl");
    }
    if (wanted("related")) {
      const auto rel = alternate({cli({"related", "--from", engines.deepMail, "--degree", "0"}),
                                  [&] { return runProcess({"rg", "-c", "-F", kAbsentTerm, dir, "-g", "*.ALM"}); }},
                                 rounds);
      line("related", mails, rel[0], rel[1].seconds, "rg -c");
    }
    if (wanted("mark")) {
      // In this process both: the search alone against the listing alone;
      // the default selection (mark 1) and every box checked.
      double mark = 1e9, all = 1e9, base = 1e9, markCpu = 1e9, allCpu = 1e9, baseCpu = 1e9;
      for (int round = 0; round < rounds; ++round) {
        const auto m = wallAndCpu([&] { engines.mark(); });
        const auto a = wallAndCpu([&] { engines.markAll(); });
        const auto b = wallAndCpu([&] { markBaseline(dir, engines.folders); });
        mark = std::min(mark, m.first);
        markCpu = std::min(markCpu, m.second);
        all = std::min(all, a.first);
        allCpu = std::min(allCpu, a.second);
        base = std::min(base, b.first);
        baseCpu = std::min(baseCpu, b.second);
      }
      const ProcessRun markCli = runProcess({gleanix, "--store", dir, "--format", "tsv", "mark"});
      line("mark", mails, {mark, markCli.peakKb}, base, "listing");
      std::printf("mark     %7zu mails  cpu: gleanix %8.1f ms  listing %8.1f ms  ratio %5.2fx\n", mails,
                  markCpu * 1000, baseCpu * 1000, markCpu / baseCpu);
      std::printf("mark-all %7zu mails  gleanix %8.1f ms  listing %8.1f ms  ratio %5.2fx  cpu ratio %5.2fx\n", mails,
                  all * 1000, base * 1000, all / base, allCpu / baseCpu);
    }
    if (!windows.empty()) {
      std::vector<double> win(std::size(kEngines), 1e9), native(std::size(kEngines), 1e9);
      for (int round = 0; round < rounds; ++round) {
        const auto w = windowsEngines(windows, dir, 1);
        const auto n = timeEngines(engines, 1);
        for (std::size_t k = 0; k < win.size(); ++k) {
          win[k] = std::min(win[k], w[k] > 0 ? w[k] : 1e9);
          native[k] = std::min(native[k], n[k]);
        }
      }
      for (std::size_t k = 0; k < win.size(); ++k) {
        std::printf("windows  %7zu mails  %-8s engine+rows: Wine %8.1f ms  native %8.1f ms  ratio %5.2fx\n", mails,
                    kEngines[k].name, win[k] * 1000, native[k] * 1000, win[k] / native[k]);
      }
    }
    std::fflush(stdout);
  }
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  int rounds = 3;
  std::string engines, gleanix, windows, only;
  std::vector<std::size_t> sizes = {10000, 100000, 300000};
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--rounds") {
      rounds = std::max(1, std::atoi(args[i + 1].c_str()));
    } else if (args[i] == "--engines") {
      engines = args[i + 1];
    } else if (args[i] == "--gleanix") {
      gleanix = args[i + 1];
    } else if (args[i] == "--only") {
      only = args[i + 1];
    } else if (args[i] == "--windows") {
      windows = args[i + 1];
    } else if (args[i] == "--sizes") {
      sizes.clear();
      for (const char* p = args[i + 1].c_str(); *p;) {
        char* end = nullptr;
        sizes.push_back(std::strtoul(p, &end, 10));
        p = *end == ',' ? end + 1 : end;
      }
    }
  }
  if (!engines.empty()) return runEngines(engines, rounds);
#ifdef _WIN32
  std::fprintf(stderr, "usage: bench_compare --engines ROOT [--rounds N]\n");
  return 2;
#else
  if (gleanix.empty()) gleanix = std::string(GLEANIX_BINARY_DIR) + "/cli/gleanix";
  return compare(sizes, rounds, gleanix, windows, only);
#endif
}
