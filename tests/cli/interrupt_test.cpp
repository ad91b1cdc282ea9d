// Ctrl-C and kills at several points of a run of the gleanix binary on a
// generated store: what is printed, the exit status and the store after.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <time.h>

#include "make_store/store_generator.h"
#include "support/temp_store.h"

namespace gleanix::cli {
namespace {

namespace fs = std::filesystem;

struct Ended {
  bool exited = false;
  int status = -1;  // the exit status, or the signal that ended it
  std::string out, err;
  int ms = 0;  // from the moment it had its handler (or its start) to its end
};

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> lineSet(const std::string& text) {
  std::set<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.insert(line);
  return lines;
}

// Waits until the process has its own SIGINT handler (its caught-signal
// mask in /proc), or has ended, so that a test's delays count from there and
// not from a start that a loaded machine may make slow.
void waitForInterruptHandler(pid_t pid) {
  const std::string status = "/proc/" + std::to_string(pid) + "/status";
  for (int tries = 0; tries < 20000; ++tries) {
    std::ifstream in(status);
    bool ended = !in;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("State:", 0) == 0 && line.find('Z') != std::string::npos) ended = true;
      if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) >> (SIGINT - 1) & 1)) return;
    }
    if (ended) return;
    ::usleep(1000);
  }
}

// Runs a program with stdout and stderr in files; after each delay (from
// the moment it has set up its SIGINT handler) sends the signal.
// ignoreInterrupt: started with SIGINT ignored (delays from the start).
Ended runWith(const std::string& program, const std::vector<std::string>& args,
              const std::vector<int>& delaysMs, int signal, bool ignoreInterrupt = false) {
  const testing::TempStore scratch;
  const std::string out = scratch.path("out").string(), err = scratch.path("err").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (ignoreInterrupt) ::signal(SIGINT, SIG_IGN);
    if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) ::_exit(99);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(98);
  }
  if (!ignoreInterrupt) waitForInterruptHandler(pid);
  timespec start{};
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  for (const int ms : delaysMs) {
    timespec at = start;
    at.tv_sec += ms / 1000;
    at.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
    if (at.tv_nsec >= 1000000000L) {
      at.tv_sec += 1;
      at.tv_nsec -= 1000000000L;
    }
    ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
    ::kill(pid, signal);
  }
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  timespec end{};
  ::clock_gettime(CLOCK_MONOTONIC, &end);
  Ended e;
  e.ms = static_cast<int>((end.tv_sec - start.tv_sec) * 1000 + (end.tv_nsec - start.tv_nsec) / 1000000);
  e.exited = WIFEXITED(raw);
  e.status = e.exited ? WEXITSTATUS(raw) : WTERMSIG(raw);
  e.out = slurp(out);
  e.err = slurp(err);
  return e;
}

Ended gleanix(const std::vector<std::string>& args, const std::vector<int>& delays = {},
              int signal = SIGINT, bool ignoreInterrupt = false) {
  return runWith(GLEANIX_CLI, args, delays, signal, ignoreInterrupt);
}

class InterruptedRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    store = new testing::TempStore;
    tools::StoreOptions options;
    options.mails = 3000;
    std::string error;
    ASSERT_TRUE(tools::writeStore(store->path("").string(), options, &error)) << error;
  }
  static void TearDownTestSuite() {
    delete store;
    store = nullptr;
  }
  static testing::TempStore* store;
};
testing::TempStore* InterruptedRun::store = nullptr;


// Whatever the moment, a Ctrl-C ends the run with status 130 and the rows
// found so far (each one a row of the whole result), said to be partial; a
// run that ended before the press is the whole result.
TEST_F(InterruptedRun, CtrlCDuringAKeywordPickupPrintsThePartialRowsAndExits130) {
  const std::vector<std::string> args{"--store", store->path("").string(), "keyword", "--", "e"};
  const Ended whole = gleanix(args);
  ASSERT_EQ(whole.status, 0) << whole.err;
  const std::set<std::string> all = lineSet(whole.out);
  ASSERT_GT(all.size(), 1000u);
  const auto before = store->snapshot();
  int interrupted = 0;
  for (const int ms : {2, 5, 10, 20, 30, 80, 150, 250, 400, 600}) {
    const Ended r = gleanix(args, {ms});
    // The latest may come once the work is done and the process is on its
    // way out (a sanitizer's leak check at exit takes a while): the result
    // is whole, and the press ends the process as it would any program.
    if (!r.exited && r.out == whole.out) continue;
    ASSERT_TRUE(r.exited) << ms << " ms: ended by signal " << r.status;
    if (r.status == 0) {
      EXPECT_EQ(r.out, whole.out) << ms;
      continue;
    }
    ++interrupted;
    EXPECT_EQ(r.status, 130) << ms << " ms: " << r.err;
    EXPECT_NE(r.err.find("interrupted: the result is partial"), std::string::npos) << ms << " ms: " << r.err;
    const std::set<std::string> printed = lineSet(r.out);
    EXPECT_LT(printed.size(), all.size()) << ms;
    for (const std::string& line : printed) EXPECT_EQ(all.count(line), 1u) << ms << " ms: " << line;
  }
  EXPECT_GT(interrupted, 0);
  EXPECT_EQ(store->snapshot(), before);  // a search changes nothing
}

TEST_F(InterruptedRun, AnInheritedIgnoreStaysIgnored) {
  const std::vector<std::string> args{"--store", store->path("").string(), "keyword", "--", "e"};
  const Ended whole = gleanix(args);
  const Ended r = gleanix(args, {30, 60}, SIGINT, true);
  EXPECT_TRUE(r.exited);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, whole.out);
}

TEST_F(InterruptedRun, ASecondCtrlCEndsAtOnce) {
  // Pressed twice in quick succession: the second press finds the default
  // action, whatever the first one was still doing.
  const Ended r = gleanix({"--store", store->path("").string(), "keyword", "--", "e"}, {5, 6});
  if (r.exited) {
    EXPECT_EQ(r.status, 130);  // the first press had already ended the run
  } else {
    EXPECT_EQ(r.status, SIGINT);
  }
}

// New mail files and entry lines of a folder against a snapshot taken
// before: every new line has its file and every new file its line, and no
// temporary file is left.
void expectWholeMails(const std::map<std::string, std::string>& before, const testing::TempStore& store,
                      const std::string& folder, std::size_t* added = nullptr) {
  const auto after = store.snapshot();
  std::set<std::string> newFiles, newLines;
  for (const auto& [path, bytes] : after) {
    if (path.rfind(folder, 0) != 0) {
      if (path.find(".LST") == std::string::npos) {
        EXPECT_EQ(before.count(path), 1u) << path;
      }
      continue;
    }
    const std::string name = path.substr(folder.size());
    EXPECT_EQ(name.rfind("~GX", 0), std::string::npos) << "left behind: " << path;
    if (before.count(path) == 0 && name.size() == 12 && name.ends_with(".ALM")) newFiles.insert(name.substr(0, 8));
  }
  const auto oldList = lineSet(before.count(folder + "ENTRY.LST") ? before.at(folder + "ENTRY.LST") : "");
  for (const std::string& line : lineSet(after.count(folder + "ENTRY.LST") ? after.at(folder + "ENTRY.LST") : "")) {
    if (oldList.count(line) == 0) newLines.insert(line.substr(0, 8));
  }
  EXPECT_EQ(newFiles, newLines);
  if (added) *added = newFiles.size();
}

const std::string kCopyFolder = "Acc1/User009.box/";

// The copy of every unread mail into one folder, on the given store.
std::vector<std::string> copyArgs(const testing::TempStore& s) {
  return {"--store", s.path("").string(), "--copy-to", "Acc1/User009.box", "mark", "--unread"};
}

// What a whole copy takes on this machine now, counted as the presses and
// kills are (from the moment the run has its handler): they land at
// fractions of it, so that they come while it runs however fast or loaded
// the machine is.
int wholeCopyMs(const testing::TempStore& store) {
  const testing::TempStore scratch;
  fs::copy(store.path(""), scratch.path(""), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const Ended whole = gleanix(copyArgs(scratch));
  EXPECT_EQ(whole.status, 0) << whole.err;
  EXPECT_GT(whole.ms, 20) << "too quick a copy to be stopped in the middle";
  return whole.ms;
}

TEST_F(InterruptedRun, CtrlCDuringACopyStopsAfterTheCurrentMailAndSaysHowMany) {
  int interrupted = 0;
  const int wholeMs = wholeCopyMs(*store);
  for (const int ms : {wholeMs / 8, wholeMs / 4, wholeMs / 2}) {
    const testing::TempStore copy;
    fs::copy(store->path(""), copy.path(""), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const auto before = copy.snapshot();
    const Ended r = gleanix(copyArgs(copy), {ms});
    ASSERT_TRUE(r.exited) << ms;
    std::size_t added = 0;
    expectWholeMails(before, copy, kCopyFolder, &added);
    if (r.status == 0) continue;  // finished before the press
    EXPECT_EQ(r.status, 130) << r.err;
    const bool inCopy = r.err.find("copied ") != std::string::npos;
    if (inCopy) {
      ++interrupted;
      EXPECT_NE(r.err.find("copied " + std::to_string(added) + " mail"), std::string::npos) << r.err;
      EXPECT_NE(r.err.find("interrupted"), std::string::npos) << r.err;
    } else {
      EXPECT_EQ(added, 0u) << "a partial search copies nothing";
    }
  }
  EXPECT_GT(interrupted, 0);
}

TEST_F(InterruptedRun, AKilledCopyLeavesNoHalfMailAfterTheNextChange) {
  const int wholeMs = wholeCopyMs(*store);
  for (const int ms : {wholeMs / 8, wholeMs / 4, wholeMs / 2}) {
    const testing::TempStore copy;
    fs::copy(store->path(""), copy.path(""), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    copy.write("incoming.eml", "From: a@example.jp\r\nSubject: next\r\n\r\nnext\r\n");
    const auto before = copy.snapshot();
    const Ended killed = gleanix(copyArgs(copy), {ms}, SIGKILL);
    // The next change to the folder finishes or removes what the kill left.
    const Ended next = runWith(GLEANIX_SIM, {"--store", copy.path("").string(), "import", copy.root() + "incoming.eml",
                                             "Acc1\\User009.box"},
                               {}, 0);
    ASSERT_EQ(next.status, 0) << next.err;
    EXPECT_FALSE(killed.exited) << ms << " ms: the copy ended before the kill";
    expectWholeMails(before, copy, kCopyFolder);
  }
}

}  // namespace
}  // namespace gleanix::cli
