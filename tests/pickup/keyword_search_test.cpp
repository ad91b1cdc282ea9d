// The keyword pickup: candidates, result order, parts, plain terms with
// fuzzy folding, progress and abort.
#include "pickup/keyword_search.h"

#include <gtest/gtest.h>

#include "mailtext/iso2022jp.h"
#include "pickup/recording_progress.h"
#include "support/memory_store.h"

namespace gleanix::pickup {
namespace {

using Hits = std::vector<std::string>;
using testing::composeMail;
using testing::MemoryStore;
using testing::RecordingProgress;

const std::string kInbox = "Acc1\\Inbox.box\\";
const std::string kLists = "Acc1\\User001.box\\";

class KeywordSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.account("Acc1", "Home");
    s.mail(kInbox, "IN000001", composeMail({{"Subject", "lunch"}}, {"alpha beta"}));
    s.mail(kInbox, "IN000002", composeMail({{"Subject", "alpha"}}, {"nothing here"}));
    s.mail(kInbox, "IN000003", composeMail({{"Subject", "x"}}, {"ALPHA", "and ｂｅｔａ"}));
    s.mail(kLists, "LS000001", composeMail({{"Subject", "y"}}, {"beta only"}));
    s.mail(kLists, "LS000002", composeMail({{"Subject", "z"}}, {"alpha beta gamma"}));
  }
  PickupResult run(const std::string& keywords, PickupProgress& progress, KeywordParts parts = {},
                   const Hits& folders = {"Acc1\\Inbox.box\\", "Acc1\\User001.box\\"}) {
    KeywordOptions options;
    options.keywords = keywords;
    options.parts = std::move(parts);
    return keywordSearch(s.fs, s.root(), folders, options, mailtext::builtInConversion(), {}, progress);
  }
  Hits hits(const std::string& keywords, KeywordParts parts = {}) {
    SilentProgress progress;
    return run(keywords, progress, std::move(parts)).hits;
  }
  MemoryStore s;
};

TEST_F(KeywordSearchTest, LastFolderFirstAndEachFolderInListOrder) {
  RecordingProgress progress;
  const auto r = run("alpha beta", progress);
  EXPECT_FALSE(r.aborted);
  // Terms of a line all occur; case and width fold ("ALPHA", "ｂｅｔａ").
  EXPECT_EQ(r.hits, (Hits{kLists + "LS000002", kInbox + "IN000001", kInbox + "IN000003"}));
  EXPECT_EQ(progress.maxima, std::vector<std::size_t>{5});
  EXPECT_EQ(progress.positions, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
}

TEST_F(KeywordSearchTest, AnyLineMayHold) {
  EXPECT_EQ(hits("gamma\r\nnothing"), (Hits{kLists + "LS000002", kInbox + "IN000002"}));
  EXPECT_TRUE(hits("").empty());
  EXPECT_TRUE(hits("  \r\n ").empty());
}

TEST_F(KeywordSearchTest, TermsArePlainTextNotPatterns) {
  s.mail(kInbox, "IN000004", composeMail({{"Subject", "p"}}, {"price (a+b)*2? [x] a|b \\d"}));
  EXPECT_EQ(hits("(a+b)*2? [x] a|b \\d"), Hits{kInbox + "IN000004"});
  EXPECT_TRUE(hits("a.b").empty());
}

TEST_F(KeywordSearchTest, PartsChooseWhatIsSearched) {
  KeywordParts subject;
  subject.body = false;
  subject.headers = true;
  subject.headerList = {"subject"};
  EXPECT_EQ(hits("alpha", subject), Hits{kInbox + "IN000002"});
  KeywordParts nothing;
  nothing.body = false;
  EXPECT_TRUE(hits("alpha", nothing).empty());
  KeywordParts all;
  all.body = false;
  all.allHeaders = true;
  EXPECT_EQ(hits("lunch", all), Hits{kInbox + "IN000001"});
}

TEST_F(KeywordSearchTest, JisBodiesAreSearchedInShiftJis) {
  // "日本語" in ISO-2022-JP.
  s.mail(kInbox, "IN000005", composeMail({{"Subject", "j"}}, {"\x1b$BF|K\\8l\x1b(B"}));
  EXPECT_EQ(hits("日本語"), Hits{kInbox + "IN000005"});
}

TEST_F(KeywordSearchTest, TrashListsAndMissingFiles) {
  s.trashMail("Acc1", kLists, "TRASHED1", 0, composeMail({{"Subject", "t"}}, {"alpha beta"}));
  s.mail(kInbox, "GONE0001", 0, nullptr);
  EXPECT_EQ(hits("alpha beta"), (Hits{kLists + "LS000002", kInbox + "IN000001", kInbox + "IN000003"}));
  SilentProgress progress;
  EXPECT_EQ(run("alpha beta", progress, {}, {"Acc1\\Trash.box"}).hits, Hits{kLists + "TRASHED1"});
}

TEST_F(KeywordSearchTest, AbortKeepsTheHitsSoFar) {
  // 2 folders collected (their presses are not looked at), then the 3rd
  // candidate tested presses abort.
  RecordingProgress progress(5);
  const auto r = run("alpha", progress);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.hits, (Hits{kLists + "LS000002", kInbox + "IN000001"}));
  // A press while the candidates are gathered stops after the first
  // candidate tested (the last one gathered, LS000001, no hit).
  RecordingProgress early(1);
  const auto first = run("alpha", early);
  EXPECT_TRUE(first.aborted);
  EXPECT_TRUE(first.hits.empty());
  EXPECT_EQ(early.positions, std::vector<std::size_t>{1});
}

}  // namespace
}  // namespace gleanix::pickup
