// The keyword pickup from its command procedure: the keyword box, the
// parts searched, the history and the keyword shared with the in-mail
// search, the step before the dialog, and warnings about broken mails told
// once after the search.

#include "pickup_command_fixture.h"
#include "pickupcommands/keyword_history.h"
#include "settings/escape.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;
using pickupcommands::keywordPickup;

class KeywordPickup : public PickupCommandTest {
 protected:
  KeywordPickup() { settings().writeSetting("KeyFind", "Folder", kInbox1 + "\r\n" + kMl + "\r\n" + kInbox2 + "\r\n"); }
  void run() { keywordPickup(started(), mainWindow(), 0); }
  // Types the keyword and presses "ピックアップ".
  void search(const std::string& keyword) {
    onDialog("TKeyFindForm", [this, keyword](sys::WindowHandle form) {
      ASSERT_TRUE(desktop->typeText(desktop->child(form, "KeywordMemo"), keyword));
      clickButton(form, "OKButton");
    });
    run();
  }
  void storeHistory(const Strings& entries) {
    settings().writeSetting("KeyFind", "History", pickupcommands::storeHistory(entries));
  }
  Strings searchKeywords() { return sys::splitLines(settings().readString("Search", "Keyword", "")); }
  Strings history() { return pickupcommands::loadHistory(settings().readString("KeyFind", "History", "")); }
};

TEST_F(KeywordPickup, HitsComeFromTheLastFolderFirstAndInListOrderWithin) {
  search("alpha");
  // Fuzzy folding finds ALPHA too.
  EXPECT_EQ(listedHits(), (Strings{kInbox2 + "00000005", kInbox1 + "00000001", kInbox1 + "00000002"}));
  EXPECT_EQ(history(), Strings{"alpha\r\n"});
  EXPECT_EQ(desktop->busyLevel(), 0);
  EXPECT_NE(fs->content(kSettingsFile).find("KeyFindProgressForm\\Top="), std::string::npos);
}

TEST_F(KeywordPickup, LinesAreAlternativesAndTermsOfALineMustAllOccur) {
  // The box is cleaned: lines trimmed, empty ones dropped.
  search("  alpha  beta \r\n\r\n gamma\r\n");
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000001", kInbox1 + "00000003"}));
  EXPECT_EQ(history(), Strings{"alpha  beta\r\ngamma\r\n"});
}

TEST_F(KeywordPickup, PartsFollowTheirBoxesAndTheHeaderBoxFollowsItsRule) {
  onDialog("TKeyFindForm", [this](sys::WindowHandle form) {
    const sys::WindowHandle header = desktop->child(form, "HeaderCheck");
    const sys::WindowHandle memo = desktop->child(form, "HeaderMemo");
    EXPECT_TRUE(desktop->isEnabled(header));
    EXPECT_FALSE(desktop->isEnabled(memo));
    clickButton(form, "HeaderCheck");
    EXPECT_TRUE(desktop->isEnabled(memo));
    clickButton(form, "AllHeaderCheck");
    EXPECT_FALSE(desktop->isEnabled(header));
    EXPECT_FALSE(desktop->isEnabled(memo));
    clickButton(form, "AllHeaderCheck");
    EXPECT_TRUE(desktop->isEnabled(memo));
    // Only the Subject: field, not the body.
    clickButton(form, "BodyCheck");
    desktop->typeText(memo, "subject\r\n");
    desktop->typeText(desktop->child(form, "KeywordMemo"), "Hello");
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_EQ(listedHits(), (Strings{kMl + "00000004", kInbox1 + "00000001", kInbox1 + "00000002"}));
  EXPECT_FALSE(settings().readBool("KeyFind", "Body", true));
  EXPECT_TRUE(settings().readBool("KeyFind", "Header", false));
  EXPECT_EQ(settings().readString("KeyFind", "HeaderList", ""), "subject\r\n");
}

TEST_F(KeywordPickup, TheDialogShowsWhatWasStored) {
  settings().writeSetting("KeyFind", "Body", false);
  settings().writeSetting("KeyFind", "AllHeader", true);
  settings().writeSetting("KeyFind", "HeaderList", "From\r\n");
  storeHistory({"a\r\nb\r\n", "abc\r\n"});
  onDialog("TKeyFindForm", [this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->text(form), "キーワード検索 / Gleanix");
    EXPECT_FALSE(desktop->isChecked(desktop->child(form, "BodyCheck")));
    EXPECT_TRUE(desktop->isChecked(desktop->child(form, "AllHeaderCheck")));
    EXPECT_FALSE(desktop->isEnabled(desktop->child(form, "HeaderCheck")));
    EXPECT_EQ(desktop->text(desktop->child(form, "HeaderMemo")), "From\r\n");
    const backend::SimWindow& combo = desktop->window(desktop->child(form, "HistoryCombo"));
    // A line break, the last one too, shows as "/".
    EXPECT_EQ(combo.items, (Strings{"a/b/", "abc/"}));
    EXPECT_EQ(combo.itemIndex, 0);
    EXPECT_EQ(combo.dropDownCount, 10);
    const sys::WindowHandle memo = desktop->child(form, "KeywordMemo");
    EXPECT_EQ(desktop->text(memo), "a\r\nb\r\n");
    // Choosing an entry puts it into the box; typing clears the choice.
    desktop->chooseComboItem(desktop->child(form, "HistoryCombo"), 1);
    EXPECT_EQ(desktop->text(memo), "abc\r\n");
    EXPECT_EQ(desktop->window(desktop->child(form, "HistoryCombo")).itemIndex, 1);
    desktop->typeText(memo, "abcd");
    EXPECT_EQ(desktop->window(desktop->child(form, "HistoryCombo")).itemIndex, -1);
    clickButton(form, "CancelButton");
  });
  run();
  EXPECT_TRUE(listWindows().empty());
}

TEST_F(KeywordPickup, HistoryMovesAnEarlierKeywordUpAndKeepsTwenty) {
  Strings stored;
  for (int i = 1; i <= 25; ++i) stored.push_back("k" + std::to_string(i) + "\r\n");
  // More than 20 stored: only the first 20 are offered.
  settings().writeSetting("KeyFind", "History", pickupcommands::storeHistory(stored) + "\r\nk21\r\nk22");
  std::size_t offered = 0;
  onDialog("TKeyFindForm", [&](sys::WindowHandle form) {
    offered = desktop->window(desktop->child(form, "HistoryCombo")).items.size();
    desktop->typeText(desktop->child(form, "KeywordMemo"), "K3");
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_EQ(offered, 20u);
  Strings h = history();
  ASSERT_EQ(h.size(), 20u);
  // Looked up without regard to case, the new spelling goes first.
  EXPECT_EQ(h[0], "K3\r\n");
  EXPECT_EQ(h[1], "k1\r\n");
  EXPECT_EQ(h[3], "k4\r\n");
  EXPECT_EQ(h[19], "k20\r\n");

  search("fresh");
  h = history();
  ASSERT_EQ(h.size(), 20u);
  EXPECT_EQ(h[0], "fresh\r\n");
  EXPECT_EQ(h[19], "k19\r\n");

  // The first entry keeps its own spelling.
  search("FRESH");
  EXPECT_EQ(history()[0], "fresh\r\n");
  EXPECT_EQ(history().size(), 20u);
}

TEST_F(KeywordPickup, HistoryEntriesArePercentEscapedOnePerLine) {
  search("100%\r\nalpha");
  const std::string stored = settings().readString("KeyFind", "History", "");
  EXPECT_EQ(stored, "100%%%0D%0Aalpha%0D%0A");
  EXPECT_EQ(history(), Strings{"100%\r\nalpha\r\n"});
}

TEST_F(KeywordPickup, AnEmptyBoxSearchesThePreviousKeyword) {
  storeHistory({"gamma\r\n"});
  onDialog("TKeyFindForm", [this](sys::WindowHandle form) {
    desktop->typeText(desktop->child(form, "KeywordMemo"), "   \r\n");
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_EQ(listedHits(), Strings{kInbox1 + "00000003"});
  EXPECT_EQ(history(), Strings{"gamma\r\n"});
}

TEST_F(KeywordPickup, NoKeywordAtAllFindsNothing) {
  search("");
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes().front().text, "見つかりませんでした");
}

TEST_F(KeywordPickup, TheKeywordIsSharedWithTheInMailSearch) {
  std::string earlier = "x\r\nA|B|C\r\ny";
  for (int i = 0; i < 20; ++i) earlier += "\r\ns" + std::to_string(i);
  settings().writeSetting("Search", "Keyword", earlier);
  search("a b\r\nc");
  // First, the equal older line gone, 20 lines kept.
  ASSERT_EQ(searchKeywords().size(), 20u);
  EXPECT_EQ(searchKeywords()[0], "a|b|c");
  EXPECT_EQ(searchKeywords()[1], "x");
  EXPECT_EQ(searchKeywords()[2], "y");
  EXPECT_TRUE(settings().readBool("Search", "RegularExpression", false));

  // The terms are plain text: pattern characters are escaped.
  search("C++ (株)");
  EXPECT_EQ(searchKeywords().front(), "C\\+\\+|\\(株\\)");
  EXPECT_EQ(searchKeywords().size(), 20u);

  settings().writeSetting("View\\Search", "CommonKeyword", false);
  settings().writeSetting("Search", "RegularExpression", false);
  search("other");
  EXPECT_EQ(searchKeywords().front(), "C\\+\\+|\\(株\\)");
  EXPECT_FALSE(settings().readBool("Search", "RegularExpression", true));
}

TEST_F(KeywordPickup, TheStoredFolderListIsSettledBeforeTheDialog) {
  sim.setCurrentFolder("Acc2\\Inbox.box");
  settings().writeSetting("KeyFind\\Tree", "Check", 1);
  Strings checked;
  onDialog("TKeyFindForm", [&](sys::WindowHandle form) {
    checked = checkedNodes(desktop->child(form, "FolderTree"));
    clickButton(form, "CancelButton");
  });
  run();
  EXPECT_EQ(checked, Strings{"Work\\郵便受け"});
  EXPECT_EQ(settings().readString("KeyFind", "Folder", ""), kInbox2 + "\r\n");

  settings().writeSetting("KeyFind\\Tree", "Check", 2);
  confirm("TKeyFindForm");
  run();
  EXPECT_EQ(settings().readString("KeyFind", "Folder", "-"), "");
}

TEST_F(KeywordPickup, PanelWidthsAreKept) {
  settings().writeSetting("KeyFindForm", "TreeWidth", 170);
  settings().writeSetting("KeyFindForm", "PartWidth", 150);
  int tree = 0, part = 0;
  onDialog("TKeyFindForm", [&](sys::WindowHandle form) {
    tree = desktop->window(desktop->child(form, "TreePanel")).bounds.width();
    part = desktop->window(desktop->child(form, "PartPanel")).bounds.width();
    desktop->drag(desktop->child(form, "PartSplitter"), {1, 40}, {21, 40});
    clickButton(form, "CancelButton");
  });
  run();
  EXPECT_EQ(tree, 170);
  EXPECT_EQ(part, 150);
  EXPECT_EQ(settings().readInt("KeyFindForm", "TreeWidth", 0), 170);
  EXPECT_EQ(settings().readInt("KeyFindForm", "PartWidth", 0), 170);
}

TEST_F(KeywordPickup, BrokenMultipartMailsAreToldOnceWithTheFirstNamed) {
  for (const char* key : {"0000000A", "0000000B"}) {
    store.mail(kInbox2, key, 0,
               "Subject: parts\r\nContent-Type: multipart/mixed\r\n\r\nalpha in a part\r\n");
  }
  search("alpha");
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  const backend::SimMessageBox& box = desktop->messageBoxes().front();
  EXPECT_EQ(box.caption, "警告");
  EXPECT_EQ(box.icon, sys::MessageIcon::Warning);
  EXPECT_EQ(box.owner, 0u);
  EXPECT_NE(box.text.find(" 2 通"), std::string::npos) << box.text;
  // The search walks the folder from its first line: 0000000A is first.
  EXPECT_NE(box.text.find(kMailRoot + kInbox2 + "0000000A.ALM"), std::string::npos) << box.text;
  EXPECT_NE(box.text.find("No boundary in Content-Type: multipart/mixed"), std::string::npos);
  // The other hits are handed over all the same.
  EXPECT_EQ(listedHits().size(), 3u);
}

}  // namespace
}  // namespace gleanix::testing
