// The keyword and related searches read their candidates ahead on helper
// threads. Over generated stores of several seeds their hits and rows must
// equal those of the one-thread mode and the rows read afresh; an abort
// leaves a prefix of the hits in order and no read under way; a warning
// names the mail it is about.
#include <gtest/gtest.h>

#include <atomic>
#include <utility>

#include "make_store/store_generator.h"
#include "mailtext/header_field.h"
#include "pickup/keyword_search.h"
#include "pickup/related_search.h"
#include "store/folders.h"
#include "store/list_file.h"
#include "support/memory_store.h"

namespace gleanix::pickup {
namespace {

using testing::MemoryStore;

constexpr std::size_t kMails = 300;
const std::uint64_t kSeeds[] = {3, 4242, 20261209};

// Forwards to a store, counting the mail files read and the files being read.
class CountingFiles : public sys::FileSystem {
 public:
  explicit CountingFiles(const sys::FileSystem& inner) : inner_(inner) {}
  bool exists(const std::string& p) const override { return inner_.exists(p); }
  bool isFile(const std::string& p) const override { return inner_.isFile(p); }
  bool isDirectory(const std::string& p) const override { return inner_.isDirectory(p); }
  std::optional<std::string> readFile(const std::string& p) const override {
    const bool mail = p.size() > 4 && p.compare(p.size() - 4, 4, ".ALM") == 0;
    reads += mail;
    ++underWay;
    auto bytes = inner_.readFile(p);
    --underWay;
    return bytes;
  }
  std::vector<sys::DirEntry> list(const std::string& p) const override { return inner_.list(p); }
  std::optional<std::string> storedName(const std::string& p) const override { return inner_.storedName(p); }
  bool createDirectory(const std::string&) override { return false; }
  bool writeFileAtomic(const std::string&, std::string_view) override { return false; }
  bool removeFile(const std::string&) override { return false; }
  bool moveFile(const std::string&, const std::string&) override { return false; }

  mutable std::atomic<std::size_t> reads{0}, underWay{0};

 private:
  const sys::FileSystem& inner_;
};

struct Generated {
  explicit Generated(std::uint64_t seed) {
    tools::generateStore({kMails, seed}, [&](const std::string& path, std::string_view bytes) {
      s.fs.addFile(s.abs(path), std::string(bytes));
    });
    const store::MailStore store(s.fs, s.root());
    for (const store::TreeFolder& t : store::folderTree(store)) {
      if (t.folder.type != store::ctAccount && t.folder.type != store::ctGroup) folders.push_back(t.folder.path);
    }
  }
  MemoryStore s;
  std::vector<std::string> folders;
};

util::ReadAheadLimits threads(unsigned n, std::size_t window = 32, std::size_t maxWeight = 16u << 20) {
  util::ReadAheadLimits l;
  l.threads = n;
  l.window = window;
  l.maxWeight = maxWeight;
  return l;
}

// The modes compared with the one-thread mode: the machine's cores, and
// more threads than a tiny window and weight bound let run ahead.
const util::ReadAheadLimits kModes[] = {threads(0), threads(4, 2, 1)};

struct Row {
  std::string hit, date, from, subject;
  bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Row& r) { return out << r.hit << " | " << r.subject; }

std::vector<Row> rowsOf(const PickupResult& r) {
  std::vector<Row> rows;
  for (std::size_t i = 0; i < r.hits.size(); ++i) {
    const MailSummary* s = r.summary(i);
    rows.push_back(s ? Row{r.hits[i], std::string(s->date()), std::string(s->from()), std::string(s->subject())}
                     : Row{r.hits[i], "-", "-", "-"});
  }
  return rows;
}

// The rows of the hits read from their files afresh.
std::vector<Row> readAfresh(MemoryStore& s, const std::vector<std::string>& hits) {
  const store::MailStore store(s.fs, s.root());
  std::vector<Row> rows;
  for (const std::string& hit : hits) {
    const auto lines = s.fs.readLines(store.absolute(hit) + ".ALM");
    if (!lines) {
      rows.push_back({hit, "-", "-", "-"});
      continue;
    }
    std::vector<std::string> header, body;
    mailtext::splitMail(*lines, header, body, {});
    rows.push_back({hit, mailtext::headerField("DATE:", header), mailtext::headerField("FROM:", header),
                    mailtext::headerField("SUBJECT:", header)});
  }
  return rows;
}

PickupResult keyword(const sys::FileSystem& fs, const Generated& g, const std::string& keywords, bool headers,
                     const util::ReadAheadLimits& limits, PickupProgress& progress, const MailWarningAt& warn = {}) {
  KeywordOptions options{keywords, {true, headers, false, {}}};
  return keywordSearch(fs, g.s.root(), g.folders, options, mailtext::builtInConversion(), warn, progress, limits);
}

PickupResult related(const Generated& g, const std::vector<std::string>& start, const util::ReadAheadLimits& limits) {
  SilentProgress progress;
  RelatedOptions options;
  options.order = 0;
  options.mailInclude = true;
  return relatedSearch(g.s.fs, g.s.root(), g.folders, start, options, {}, progress, limits);
}

TEST(ReadAheadSearch, HitsAndRowsEqualTheOneThreadModeAndTheFiles) {
  for (const std::uint64_t seed : kSeeds) {
    Generated g(seed);
    const store::MailStore store(g.s.fs, g.s.root());
    const std::vector<store::ListedMail> inbox = store::listedMails(store, g.folders.front());
    ASSERT_GT(inbox.size(), 3u);
    const std::vector<std::string> start = {inbox[inbox.size() / 2].hit, inbox.front().hit};
    std::size_t hits = 0;
    for (const auto& [keywords, headers] : {std::pair<std::string, bool>{"Quillon", false}, {"example 再起動", true}}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + ", keywords " + keywords);
      SilentProgress progress;
      const PickupResult alone = keyword(g.s.fs, g, keywords, headers, threads(1), progress);
      EXPECT_EQ(rowsOf(alone), readAfresh(g.s, alone.hits));
      for (const util::ReadAheadLimits& mode : kModes) {
        EXPECT_EQ(rowsOf(keyword(g.s.fs, g, keywords, headers, mode, progress)), rowsOf(alone));
      }
      hits += alone.hits.size();
    }
    SCOPED_TRACE("seed " + std::to_string(seed) + ", related");
    const PickupResult alone = related(g, start, threads(1));
    for (const util::ReadAheadLimits& mode : kModes) EXPECT_EQ(rowsOf(related(g, start, mode)), rowsOf(alone));
    // The starting mails lead with their rows; the finds' rows as read.
    EXPECT_EQ(rowsOf(alone), readAfresh(g.s, alone.hits));
    EXPECT_GT(alone.hits.size(), start.size());
    EXPECT_GT(hits, kMails / 10);
  }
}

// Presses abort at the given call of processMessages.
class AbortAtCall final : public PickupProgress {
 public:
  explicit AbortAtCall(std::size_t call) : call_(call) {}
  void setMaximum(std::size_t) override {}
  void setPosition(std::size_t) override {}
  void addLine() override {}
  void setLine(const std::string&) override {}
  bool processMessages() override { return ++calls_ >= call_; }

 private:
  std::size_t call_, calls_ = 0;
};

TEST(ReadAheadSearch, AnAbortKeepsAPrefixInOrderAndLeavesNoReadUnderWay) {
  Generated g(kSeeds[0]);
  SilentProgress silent;
  const PickupResult whole = keyword(g.s.fs, g, "Quillon", false, threads(1), silent);
  ASSERT_GT(whole.hits.size(), 10u);
  for (const std::size_t at : {std::size_t{1}, std::size_t{37}, kMails / 2}) {
    SCOPED_TRACE("abort after " + std::to_string(at));
    // The keyword search asks once per folder, then once per candidate.
    AbortAtCall alone(g.folders.size() + at);
    const PickupResult expected = keyword(g.s.fs, g, "Quillon", false, threads(1), alone);
    ASSERT_TRUE(expected.aborted);
    ASSERT_LE(expected.hits.size(), whole.hits.size());
    EXPECT_TRUE(std::equal(expected.hits.begin(), expected.hits.end(), whole.hits.begin()));
    for (const util::ReadAheadLimits& mode : kModes) {
      CountingFiles files(g.s.fs);
      AbortAtCall progress(g.folders.size() + at);
      const PickupResult r = keyword(files, g, "Quillon", false, mode, progress);
      EXPECT_TRUE(r.aborted);
      EXPECT_EQ(rowsOf(r), rowsOf(expected));
      // The helpers were joined: nothing is read any more, and no more was
      // read than the window ahead of the abort.
      EXPECT_EQ(files.underWay.load(), 0u);
      EXPECT_LE(files.reads.load(), at + mode.window + 4);
    }
  }
}

TEST(ReadAheadSearch, AnAbortWhileTheRelatedSearchReadsStopsTheReading) {
  Generated g(kSeeds[1]);
  const store::MailStore store(g.s.fs, g.s.root());
  const std::vector<store::ListedMail> inbox = store::listedMails(store, g.folders.front());
  ASSERT_FALSE(inbox.empty());
  RelatedOptions options;
  options.order = 0;
  options.mailInclude = true;
  // The start mail, the folders, then 100 candidates read.
  const std::size_t call = 1 + g.folders.size() + 100;
  AbortAtCall alone(call);
  const PickupResult expected = relatedSearch(g.s.fs, g.s.root(), g.folders, {inbox.back().hit}, options, {}, alone,
                                              threads(1));
  EXPECT_TRUE(expected.aborted);
  // The first pass looked at one candidate only.
  EXPECT_LE(expected.hits.size(), 2u);
  for (const util::ReadAheadLimits& mode : kModes) {
    CountingFiles files(g.s.fs);
    AbortAtCall progress(call);
    const PickupResult r =
        relatedSearch(files, g.s.root(), g.folders, {inbox.back().hit}, options, {}, progress, mode);
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(rowsOf(r), rowsOf(expected));
    EXPECT_EQ(files.underWay.load(), 0u);
    // The start, the candidates up to the press and the window ahead, and
    // the last candidate.
    EXPECT_LE(files.reads.load(), 1 + 100 + mode.window + 4 + 1);
  }
}

TEST(ReadAheadSearch, AWarningNamesItsMailInCandidateOrder) {
  MemoryStore s;
  s.account("Acc1", "A");
  const std::string folder = "Acc1\\Inbox.box\\";
  const std::string plain = testing::composeMail({{"Subject", "plain"}}, {"Quillon"});
  const std::string broken =
      testing::composeMail({{"Subject", "broken"}, {"Content-Type", "multipart/mixed"}}, {"Quillon"});
  std::vector<std::string> warnedKeys;
  for (int i = 0; i < 120; ++i) {
    const std::string key = "M" + std::string(7 - std::to_string(i).size(), '0') + std::to_string(i);
    const bool warned = i % 17 == 5;
    s.mail(folder, key, warned ? broken : plain);
    if (warned) warnedKeys.push_back(key);  // a folder's mails are tested in list-file order
  }
  const std::vector<std::string> folders = {folder};
  for (const util::ReadAheadLimits& mode : {threads(1), threads(0), threads(4, 2, 1)}) {
    std::vector<std::pair<std::string, std::string>> told;
    SilentProgress progress;
    KeywordOptions options{"Quillon", {}};
    keywordSearch(s.fs, s.root(), folders, options, mailtext::builtInConversion(),
                  [&](const std::string& file, const std::string& text) { told.emplace_back(file, text); },
                  progress, mode);
    ASSERT_EQ(told.size(), warnedKeys.size());
    for (std::size_t i = 0; i < told.size(); ++i) {
      EXPECT_EQ(told[i].first, s.abs(folder + warnedKeys[i] + ".ALM"));
      EXPECT_EQ(told[i].second, "No boundary in Content-Type: multipart/mixed");
    }
  }
}

}  // namespace
}  // namespace gleanix::pickup
