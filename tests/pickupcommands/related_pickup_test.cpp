// The related-mail pickup from its command procedure: the starting mails
// from the main window's selection or cursor and from a VIEW window, the
// three refusals, "MailInclude", the degree, the pass lines and an abort
// in the middle of a pass.

#include <functional>

#include "pickup_command_fixture.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;
using pickupcommands::relatedPickup;

class RelatedPickup : public PickupCommandTest {
 protected:
  RelatedPickup() {
    settings().writeSetting("Related", "Folder", kInbox1 + "\r\n" + kMl + "\r\n" + kInbox2 + "\r\n");
    sim.setCurrentEntry(kInbox1 + "00000001");
    sim.setSelection({kInbox1 + "00000001"});
  }
  void run(std::int32_t parameter = 0, sys::WindowHandle window = 0) {
    relatedPickup(started(), window ? window : mainWindow(), parameter);
  }
  // Only In-Reply-To relates, without a limit on the degree.
  void repliesOnly() {
    for (const char* key : {"References", "Subject", "Quotes"}) settings().writeSetting("Related", key, false);
    settings().writeSetting("Related", "Order", 0);
  }
  // Runs after every round of message processing until it returns true.
  void whileSearching(std::function<bool()> action) {
    desktop->onProcessMessages([this, action] {
      if (!action()) whileSearching(action);
    });
  }
  const backend::SimMessageBox& onlyMessage() {
    EXPECT_EQ(desktop->messageBoxes().size(), 1u);
    return desktop->messageBoxes().front();
  }
};

TEST_F(RelatedPickup, TheFirstDegreeFindsRepliesAndEqualSubjects) {
  onDialog("TRelatedForm", [this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->text(form), "関連メールの探索 / Gleanix");
    EXPECT_TRUE(desktop->isVisible(desktop->child(form, "CursorRadio")));
    EXPECT_TRUE(desktop->isChecked(desktop->child(form, "SelectedRadio")));
    EXPECT_EQ(desktop->window(desktop->child(form, "OrderCombo")).itemIndex, 1);
    EXPECT_EQ(desktop->window(desktop->child(form, "OrderCombo")).items.size(), 11u);
    clickButton(form, "OKButton");
  });
  run();
  // 2 replies to 1; 4 ("Re: Re: Hello") has 1's bare subject. The walk goes
  // backwards: the last folder first.
  EXPECT_EQ(listedHits(), (Strings{kMl + "00000004", kInbox1 + "00000002"}));
  EXPECT_EQ(listWindows().front()->hostMainWindow(), mainWindow());
}

TEST_F(RelatedPickup, FurtherDegreesFollowTheChainAndTheDialogsChoicesAreKept) {
  repliesOnly();
  onDialog("TRelatedForm", [this](sys::WindowHandle form) {
    EXPECT_FALSE(desktop->isChecked(desktop->child(form, "SubjectCheck")));
    EXPECT_EQ(desktop->window(desktop->child(form, "OrderCombo")).itemIndex, 0);
    clickButton(form, "IncludeCheck");
    clickButton(form, "OKButton");
  });
  run();
  // The start leads; 2 in pass 1, 4 (a reply to 2) in pass 2.
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000001", kInbox1 + "00000002", kMl + "00000004"}));
  EXPECT_TRUE(settings().readBool("Related", "MailInclude", false));
  EXPECT_TRUE(settings().readBool("Related", "MailSelected", false));
  EXPECT_FALSE(settings().readBool("Related", "Quotes", true));
  EXPECT_EQ(settings().readInt("Related", "Order", -1), 0);
  EXPECT_NE(fs->content(kSettingsFile).find("Related\\MailInclude=Boolean:True"), std::string::npos);

  // "　１次まで" stops after the first pass.
  onDialog("TRelatedForm", [this](sys::WindowHandle form) {
    ASSERT_TRUE(desktop->chooseComboItem(desktop->child(form, "OrderCombo"), 1));
    clickButton(form, "OKButton");
  });
  run();
  const auto windows = listWindows();
  ASSERT_EQ(windows.size(), 2u);
  ASSERT_EQ(windows.back()->rowCount(), 2);
  EXPECT_EQ(windows.back()->rows()[1].key, "00000002");
}

TEST_F(RelatedPickup, StartingMailsLeadEvenFromOutsideTheSearchedFolders) {
  repliesOnly();
  settings().writeSetting("Related", "MailInclude", true);
  settings().writeSetting("Related", "Folder", kMl + "\r\n");
  sim.setCurrentEntry(kInbox1 + "00000002");
  sim.setSelection({kInbox1 + "00000002", kInbox1 + "00000003"});
  confirm("TRelatedForm");
  run();
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000002", kInbox1 + "00000003", kMl + "00000004"}));
}

TEST_F(RelatedPickup, TheCursorMailInsteadOfTheSelection) {
  repliesOnly();
  settings().writeSetting("Related", "MailSelected", false);
  sim.setCurrentEntry(kInbox1 + "00000002");
  onDialog("TRelatedForm", [this](sys::WindowHandle form) {
    EXPECT_TRUE(desktop->isChecked(desktop->child(form, "CursorRadio")));
    clickButton(form, "OKButton");
  });
  run();
  // 1 is 2's parent, 4 its reply: both in pass 1.
  EXPECT_EQ(listedHits(), (Strings{kMl + "00000004", kInbox1 + "00000001"}));
  EXPECT_FALSE(settings().readBool("Related", "MailSelected", true));
}

TEST_F(RelatedPickup, FromAViewWindowItsMailIsTheStartAndTheChoiceIsHidden) {
  repliesOnly();
  settings().writeSetting("Related", "Order", 1);
  const sys::WindowHandle view = sim.openViewWindow(kMl + "00000004");
  // The main window's state says nothing here.
  sim.setCurrentEntry("");
  onDialog("TRelatedForm", [this](sys::WindowHandle form) {
    EXPECT_FALSE(desktop->isVisible(desktop->child(form, "CursorRadio")));
    EXPECT_FALSE(desktop->isVisible(desktop->child(form, "SelectedRadio")));
    EXPECT_TRUE(desktop->isVisible(desktop->child(form, "IncludeCheck")));
    clickButton(form, "OKButton");
  });
  run(1, view);
  EXPECT_EQ(listedHits(), Strings{kInbox1 + "00000002"});
  // The list window opens mails through the main window found for the VIEW window.
  EXPECT_EQ(listWindows().front()->hostMainWindow(), mainWindow());
}

TEST_F(RelatedPickup, AViewWindowShowingNoMailOfTheStoreStartsFromNothing) {
  settings().writeSetting("Related", "MailInclude", true);
  const sys::WindowHandle stale = 0x7777;  // not a VIEW window: its path is empty
  confirm("TRelatedForm");
  run(1, stale);
  EXPECT_EQ(onlyMessage().text, "見つかりませんでした");
  EXPECT_TRUE(listWindows().empty());
}

TEST_F(RelatedPickup, TheTrashNoMailAndNoEntryListAreRefusedBeforeTheDialog) {
  struct Case {
    std::string entry;
    std::vector<std::string> selection;
    std::string text;
    std::string caption;
  };
  store.folder("Acc2\\User001.box\\", "Projects");  // no ENTRY.LST
  const std::vector<Case> cases = {
      {kInbox1 + "00000006", {kInbox1 + "00000006"}, "ごみ箱では実行できません", "無効な操作"},
      {"", {}, "メールがありません", "無効な操作"},
      {"Acc2\\User001.box\\00000009", {}, kMailRoot + "Acc2\\User001.box\\ENTRY.LST がないかカラです", "エラー"},
      // A folder with its list but nothing selected.
      {kInbox1 + "00000001", {}, kMailRoot + kInbox1 + "ENTRY.LST がないかカラです", "エラー"},
  };
  for (const Case& c : cases) {
    sim.setCurrentEntry(c.entry);
    sim.setSelection(c.selection);
    const std::size_t before = desktop->messageBoxes().size();
    run();
    ASSERT_EQ(desktop->messageBoxes().size(), before + 1) << c.text;
    const backend::SimMessageBox& box = desktop->messageBoxes().back();
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.owner, mainWindow());
    EXPECT_EQ(box.icon, sys::MessageIcon::Warning);
    EXPECT_EQ(desktop->findTopLevel("TRelatedForm"), 0u);
    EXPECT_EQ(desktop->busyLevel(), 0);
  }
  // No dialog ran at all.
  EXPECT_EQ(desktop->pendingScripts(), 0u);
  EXPECT_TRUE(listWindows().empty());
}

TEST_F(RelatedPickup, AbortDuringThePassKeepsWhatWasFoundSoFar) {
  repliesOnly();
  mail(kInbox2, "00000007", 0, "Re: Hello", "<m7@x>", "<m2@x>", "x");
  mail(kInbox2, "00000008", 0, "Re: Hello", "<m8@x>", "<m2@x>", "x");
  Strings lines;
  whileSearching([&] {
    const sys::WindowHandle progress = desktop->findTopLevel("TRelatedProgressForm");
    if (!progress) return false;
    const std::string second = desktop->text(desktop->child(progress, "PassLine1"));
    if (second.empty()) return false;
    lines = {desktop->text(desktop->child(progress, "PassLine0")), second};
    EXPECT_TRUE(desktop->isVisible(progress));
    EXPECT_GT(desktop->busyLevel(), 0);
    EXPECT_TRUE(desktop->click(desktop->child(progress, "AbortButton")));
    return true;
  });
  confirm("TRelatedForm");
  run();
  // Candidates 3, 2, 4, 8, 7, 5, walked from the end: pass 1 takes 2; pass
  // 2 reaches 7 first, and the press there ends the search.
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000002", kInbox2 + "00000007"}));
  EXPECT_EQ(lines, (Strings{"1次：6通中 1通ヒット", "2次：5通中 1通ヒット"}));
  EXPECT_EQ(desktop->findTopLevel("TRelatedProgressForm"), 0u);
}

}  // namespace
}  // namespace gleanix::testing
