// The related pickup: which mails relate through which keys, degrees and
// passes, the result order, the starting mails and abort.
#include "pickup/related_search.h"

#include <gtest/gtest.h>

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

std::string mailWith(const std::string& id, const std::string& replyTo, const std::string& subject,
                     std::initializer_list<std::string> body = {"body"}) {
  if (replyTo.empty()) return composeMail({{"Message-ID", id}, {"Subject", subject}}, body);
  return composeMail({{"Message-ID", id}, {"In-Reply-To", replyTo}, {"Subject", subject}}, body);
}

RelatedOptions only(bool inReplyTo, bool references, bool subject, bool quotes, int order = 1) {
  RelatedOptions o;
  o.relations = {inReplyTo, references, subject, quotes};
  o.order = order;
  return o;
}

class RelatedSearchTest : public ::testing::Test {
 protected:
  void SetUp() override { s.account("Acc1", "Home"); }
  PickupResult run(const Hits& starting, const RelatedOptions& options, PickupProgress& progress,
                   const Hits& folders = {"Acc1\\Inbox.box\\", "Acc1\\User001.box\\"}) {
    return relatedSearch(s.fs, s.root(), folders, starting, options, {}, progress);
  }
  PickupResult run(const Hits& starting, const RelatedOptions& options) {
    SilentProgress progress;
    return run(starting, options, progress);
  }
  MemoryStore s;
};

TEST_F(RelatedSearchTest, InReplyToFindsReplyParentAndSiblingInPassOne) {
  s.mail(kInbox, "PARENT00", mailWith("<parent@x>", "", "a"));
  s.mail(kInbox, "START000", mailWith("<start@x>", "<parent@x>", "b"));
  s.mail(kInbox, "REPLY000", mailWith("<reply@x>", "<start@x>", "c"));
  s.mail(kInbox, "SIBLING0", mailWith("<sibling@x>", "<parent@x>", "d"));
  s.mail(kInbox, "OTHER000", mailWith("<other@x>", "<elsewhere@x>", "e"));
  const auto r = run({kInbox + "START000"}, only(true, false, false, false));
  // In entry-list order: the backward walk over candidates gathered backwards.
  EXPECT_EQ(r.hits, (Hits{kInbox + "PARENT00", kInbox + "REPLY000", kInbox + "SIBLING0"}));
}

TEST_F(RelatedSearchTest, MessageIdsDifferingInCaseRelate) {
  s.mail(kInbox, "START000", mailWith("<Start.ABC@Example.JP>", "", "a"));
  s.mail(kInbox, "REPLY000", mailWith("<r@x>", "<start.abc@example.jp>", "b"));
  EXPECT_EQ(run({kInbox + "START000"}, only(true, false, false, false)).hits, Hits{kInbox + "REPLY000"});
}

TEST_F(RelatedSearchTest, DegreesFollowAReplyChainOnePassAtATime) {
  s.mail(kInbox, "M1000000", mailWith("<m1@x>", "", "a"));
  s.mail(kInbox, "M2000000", mailWith("<m2@x>", "<m1@x>", "b"));
  s.mail(kInbox, "M3000000", mailWith("<m3@x>", "<m2@x>", "c"));
  s.mail(kInbox, "M4000000", mailWith("<m4@x>", "<m3@x>", "d"));
  const Hits start = {kInbox + "M1000000"};
  EXPECT_EQ(run(start, only(true, false, false, false, 1)).hits, Hits{kInbox + "M2000000"});
  EXPECT_EQ(run(start, only(true, false, false, false, 2)).hits, (Hits{kInbox + "M2000000", kInbox + "M3000000"}));
  RecordingProgress progress;
  const auto unlimited = run(start, only(true, false, false, false, 0), progress);
  EXPECT_EQ(unlimited.hits, (Hits{kInbox + "M2000000", kInbox + "M3000000", kInbox + "M4000000"}));
  // Three passes that find one mail each; no candidate is left for a fourth.
  EXPECT_EQ(progress.lines, (Hits{"1次：3通中 1通ヒット", "2次：2通中 1通ヒット", "3次：1通中 1通ヒット"}));
}

TEST_F(RelatedSearchTest, APassThatFindsNothingEndsTheSearchWithAnEmptyLine) {
  s.mail(kInbox, "START000", mailWith("<start@x>", "", "a"));
  s.mail(kInbox, "REPLY000", mailWith("<r@x>", "<start@x>", "b"));
  s.mail(kInbox, "OTHER000", mailWith("<o@x>", "", "c"));
  RecordingProgress progress;
  run({kInbox + "START000"}, only(true, false, false, false, 0), progress);
  EXPECT_EQ(progress.lines, (Hits{"1次：2通中 1通ヒット", ""}));
}

TEST_F(RelatedSearchTest, ReferencesRelateByEachCommaSeparatedId) {
  s.mail(kInbox, "START000", mailWith("<start@x>", "", "a"));
  s.mail(kInbox, "COMMA000", composeMail({{"Message-ID", "<c@x>"}, {"References", "<root@x>, <start@x>"}}));
  s.mail(kInbox, "BLANK000", composeMail({{"Message-ID", "<b@x>"}, {"References", "<root@x> <start@x>"}}));
  EXPECT_EQ(run({kInbox + "START000"}, only(false, true, false, false)).hits, Hits{kInbox + "COMMA000"});
}

TEST_F(RelatedSearchTest, ReferencesOfTheStartingMailFindItsAncestors) {
  s.mail(kInbox, "ROOT0000", mailWith("<root@x>", "", "a"));
  s.mail(kInbox, "START000", composeMail({{"Message-ID", "<s@x>"}, {"References", "<root@x>"}}));
  EXPECT_EQ(run({kInbox + "START000"}, only(false, true, false, false)).hits, Hits{kInbox + "ROOT0000"});
  EXPECT_TRUE(run({kInbox + "START000"}, only(true, false, false, false)).hits.empty());
}

TEST_F(RelatedSearchTest, SubjectsRelateOnceReplyPrefixesAndTagsAreGone) {
  s.mail(kInbox, "START000", mailWith("<s@x>", "", "Re: [list:123] Hello"));
  s.mail(kInbox, "SAME0000", mailWith("<a@x>", "", "RE: RE: Hello"));
  s.mail(kInbox, "OTHER000", mailWith("<b@x>", "", "Fw: Hello"));
  EXPECT_EQ(run({kInbox + "START000"}, only(false, false, true, false)).hits, Hits{kInbox + "SAME0000"});
}

TEST_F(RelatedSearchTest, QuotedTagsRelateToSubjectTagsWithoutRegardToCase) {
  s.mail(kInbox, "START000", mailWith("<s@x>", "", "reply", {"In [list:0123] someone wrote:", "see [memo]"}));
  s.mail(kLists, "ARTICLE0", mailWith("<a@x>", "", "[LIST:0123] original"));
  s.mail(kLists, "MEMO0000", mailWith("<m@x>", "", "[memo] notes"));
  s.mail(kLists, "QUOTER00", mailWith("<q@x>", "", "other", {"as [List:0123] said"}));
  EXPECT_EQ(run({kInbox + "START000"}, only(false, false, false, true)).hits,
            (Hits{kLists + "ARTICLE0", kLists + "QUOTER00"}));
}

TEST_F(RelatedSearchTest, ResultOrderIsTheBackwardWalkPassByPass) {
  // Candidates: the inbox's lines last to first, then the list folder's.
  // Each pass walks them backwards: the list folder (the last folder)
  // first line first, then the inbox; the reply to a pass-1 find follows
  // in pass 2.
  s.mail(kInbox, "START000", mailWith("<s@x>", "", "topic"));
  s.mail(kInbox, "IN1TOPIC", mailWith("<i1@x>", "", "Re: topic"));
  s.mail(kInbox, "IN2TOPIC", mailWith("<i2@x>", "", "Re: topic"));
  s.mail(kLists, "LS1TOPIC", mailWith("<l1@x>", "", "Re: topic"));
  s.mail(kLists, "LS2REPLY", mailWith("<l2@x>", "<i2@x>", "other"));
  s.mail(kLists, "LS3TOPIC", mailWith("<l3@x>", "", "Re: topic"));
  const auto r = run({kInbox + "START000"}, only(true, false, true, false, 0));
  EXPECT_EQ(r.hits, (Hits{kLists + "LS1TOPIC", kLists + "LS3TOPIC", kInbox + "IN1TOPIC", kInbox + "IN2TOPIC",
                          kLists + "LS2REPLY"}));
}

TEST_F(RelatedSearchTest, MailIncludePutsTheStartingMailsFirstEvenFromOutside) {
  s.mail("Acc1\\User009.box\\", "OUTSIDE0", mailWith("<out@x>", "", "x"));
  s.mail(kInbox, "START000", mailWith("<s@x>", "", "y"));
  s.mail(kInbox, "REPLY000", mailWith("<r@x>", "<s@x>", "z"));
  s.mail(kInbox, "REPLY001", mailWith("<r1@x>", "<out@x>", "z"));
  RelatedOptions o = only(true, false, false, false);
  o.mailInclude = true;
  // The starting mail in a searched folder is never found again, also when
  // named in another letter case.
  const Hits start = {"Acc1\\User009.box\\OUTSIDE0", "acc1\\inbox.box\\start000"};
  EXPECT_EQ(run(start, o).hits, (Hits{"Acc1\\User009.box\\OUTSIDE0", "acc1\\inbox.box\\start000",
                                      kInbox + "REPLY000", kInbox + "REPLY001"}));
  o.mailInclude = false;
  EXPECT_EQ(run(start, o).hits, (Hits{kInbox + "REPLY000", kInbox + "REPLY001"}));
}

TEST_F(RelatedSearchTest, NoRelationSwitchedOnOrNoStartingFileRelatesNothing) {
  s.mail(kInbox, "START000", mailWith("<s@x>", "", "same"));
  s.mail(kInbox, "SAME0000", mailWith("<a@x>", "<s@x>", "same"));
  EXPECT_TRUE(run({kInbox + "START000"}, only(false, false, false, false, 0)).hits.empty());
  EXPECT_TRUE(run({kInbox + "GONE0000"}, only(true, true, true, true, 0)).hits.empty());
}

TEST_F(RelatedSearchTest, EmptyKeysNeverRelate) {
  s.mail(kInbox, "START000", composeMail({{"X-Nothing", "x"}}));
  s.mail(kInbox, "BARE0000", composeMail({{"X-Nothing", "y"}}));
  EXPECT_TRUE(run({kInbox + "START000"}, only(true, true, true, true, 0)).hits.empty());
}

TEST_F(RelatedSearchTest, AbortDuringPassTwoKeepsPassOneAndWhatPassTwoFoundSoFar) {
  s.mail(kInbox, "M1000000", mailWith("<m1@x>", "", "a"));
  s.mail(kInbox, "M2000000", mailWith("<m2@x>", "<m1@x>", "b"));
  s.mail(kInbox, "M3A00000", mailWith("<m3a@x>", "<m2@x>", "c"));
  s.mail(kInbox, "M3B00000", mailWith("<m3b@x>", "<m2@x>", "d"));
  s.mail(kInbox, "M4000000", mailWith("<m4@x>", "<m3a@x>", "e"));
  // Calls to processMessages: 1 for the starting mail, 1 for the folder,
  // 4 for the candidates' keys, 4 in pass 1; the 2nd candidate of pass 2
  // (walked backwards: M3A, then M3B) presses abort.
  RecordingProgress progress(12);
  const auto r = run({kInbox + "M1000000"}, only(true, false, false, false, 0), progress, {kInbox});
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.hits, (Hits{kInbox + "M2000000", kInbox + "M3A00000", kInbox + "M3B00000"}));
  EXPECT_EQ(progress.lines.size(), 2u);
}

}  // namespace
}  // namespace gleanix::pickup
