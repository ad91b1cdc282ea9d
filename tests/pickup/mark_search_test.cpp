// The mark pickup: which attribute words are hits, in which order the hits
// come, and what an abort keeps.
#include "pickup/mark_search.h"

#include <gtest/gtest.h>

#include "pickup/mark_selection.h"
#include "pickup/recording_progress.h"
#include "support/memory_store.h"

namespace gleanix::pickup {
namespace {

using testing::MemoryStore;
using testing::RecordingProgress;
using testing::only;

constexpr std::uint32_t kUnread = store::kUnreadBit;
constexpr std::uint32_t kNoReadState = store::kNoReadStateBit;

TEST(MarkHit, DefaultSelectionIsMarkOneAlone) {
  const MarkSelection defaults;
  EXPECT_TRUE(isMarkHit(defaults, kUnread | 1));
  EXPECT_TRUE(isMarkHit(defaults, 1));
  EXPECT_FALSE(isMarkHit(defaults, kUnread));
  EXPECT_FALSE(isMarkHit(defaults, 2));
  EXPECT_TRUE(defaults.any());
  EXPECT_FALSE(only(false, false, {}).any());
  EXPECT_TRUE(only(false, true, {}).any());
}

TEST(MarkHit, ReadStateIgnoresTheMarkAndBit31TakesItAway) {
  const MarkSelection unread = only(true, false, {});
  EXPECT_TRUE(isMarkHit(unread, kUnread | 3));
  EXPECT_FALSE(isMarkHit(unread, 3));
  EXPECT_FALSE(isMarkHit(unread, kNoReadState | kUnread));
  const MarkSelection read = only(false, true, {});
  EXPECT_TRUE(isMarkHit(read, 5));
  EXPECT_FALSE(isMarkHit(read, kUnread));
  EXPECT_FALSE(isMarkHit(read, kNoReadState));
  // Other host bits do not disturb the mark number.
  EXPECT_TRUE(isMarkHit(only(false, false, {7}), (1u << 8) | (1u << 16) | 7));
}

TEST(MarkHit, NoMarkSelectsMarkZeroWhateverTheReadState) {
  const MarkSelection noMark = only(false, false, {0});
  EXPECT_TRUE(isMarkHit(noMark, 0));
  EXPECT_TRUE(isMarkHit(noMark, kUnread));
  EXPECT_TRUE(isMarkHit(noMark, kNoReadState | kUnread));
  EXPECT_FALSE(isMarkHit(noMark, kNoReadState | 4));
}

class MarkSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.account("Acc1", "Home");
    s.mail("Acc1\\Inbox.box\\", "00000001", kUnread | 1, "a");
    s.mail("Acc1\\Inbox.box\\", "00000002", kUnread, "b");
    s.mail("Acc1\\Inbox.box\\", "00000003", 1, "c");
    s.mail("Acc1\\User001.box\\", "00000004", 1, "d");
    s.mail("Acc1\\User001.box\\", "00000005", 1, "e");
  }
  PickupResult search(const std::vector<std::string>& folders, const MarkSelection& selection,
                      PickupProgress& progress) {
    return markSearch(s.fs, s.root(), folders, selection, progress);
  }
  MemoryStore s;
};

TEST_F(MarkSearchTest, FoldersInListOrderLinesFromLastToFirst) {
  RecordingProgress progress;
  const auto r = search({"Acc1\\User001.box\\", "Acc1\\Inbox.box\\"}, MarkSelection{}, progress);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(r.hits, (std::vector<std::string>{"Acc1\\User001.box\\00000005", "Acc1\\User001.box\\00000004",
                                              "Acc1\\Inbox.box\\00000003", "Acc1\\Inbox.box\\00000001"}));
  EXPECT_EQ(progress.maxima, std::vector<std::size_t>{2});
  EXPECT_EQ(progress.positions, (std::vector<std::size_t>{0, 0, 1, 1}));
  EXPECT_EQ(progress.calls, 2u);
}

TEST_F(MarkSearchTest, AMailMatchingByMarkAndReadStateIsAddedOnce) {
  SilentProgress progress;
  const auto r = search({"Acc1\\Inbox.box\\"}, only(true, false, {1}), progress);
  EXPECT_EQ(r.hits, (std::vector<std::string>{"Acc1\\Inbox.box\\00000003", "Acc1\\Inbox.box\\00000002",
                                              "Acc1\\Inbox.box\\00000001"}));
}

TEST_F(MarkSearchTest, SkipsMissingFilesBadLinesAndMissingLists) {
  s.mail("Acc1\\Inbox.box\\", "0000000A", 1, nullptr);     // entry whose mail file is gone
  s.entryLine("Acc1\\Inbox.box\\", "garbage line without equals sign");
  s.entryLine("Acc1\\Inbox.box\\", "0000000B=BQ");        // attribute cut short
  s.fs.addFile(s.abs("Acc1\\Inbox.box\\0000000B.ALM"), "x");
  s.emptyEntryList("Acc1\\User002.box\\");
  SilentProgress progress;
  const auto r = search({"Acc1\\Inbox.box\\", "Acc1\\User002.box\\", "Acc1\\User404.box\\"}, MarkSelection{},
                        progress);
  EXPECT_EQ(r.hits, (std::vector<std::string>{"Acc1\\Inbox.box\\00000003", "Acc1\\Inbox.box\\00000001"}));
}

TEST_F(MarkSearchTest, ATrashListGivesItsOwnKeysAsHits) {
  s.trashMail("Acc1", "Acc1\\User001.box\\", "0000000C", 1, "trashed");
  s.trashMail("Acc1", "Acc1\\Inbox.box\\", "0000000D", 2, "trashed");
  SilentProgress progress;
  const auto r = search({"Acc1\\Trash.box"}, MarkSelection{}, progress);
  EXPECT_EQ(r.hits, std::vector<std::string>{"Acc1\\User001.box\\0000000C"});
}

TEST_F(MarkSearchTest, AbortKeepsTheFoldersAlreadySearched) {
  RecordingProgress progress(1);
  const auto r = search({"Acc1\\User001.box\\", "Acc1\\Inbox.box\\"}, MarkSelection{}, progress);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.hits, (std::vector<std::string>{"Acc1\\User001.box\\00000005", "Acc1\\User001.box\\00000004"}));
}

TEST_F(MarkSearchTest, NothingSelectedFindsNothing) {
  SilentProgress progress;
  EXPECT_TRUE(search({"Acc1\\Inbox.box\\"}, only(false, false, {}), progress).hits.empty());
}

}  // namespace
}  // namespace gleanix::pickup
