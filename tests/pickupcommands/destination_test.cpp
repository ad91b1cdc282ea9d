// The destination asked each time ("Destination" 0): TDestinationForm
// with the hit count, the list window or copies into the folders checked
// in its tree, and the open branches it keeps whatever the answer.

#include "pickup_command_fixture.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;

class AskedDestination : public PickupCommandTest {
 protected:
  AskedDestination() {
    settings().writeSetting("MarkFind", "Destination", 0);
    settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n" + kInbox2 + "\r\n");
    confirm("TMarkFindForm");
  }
  void run() { pickupcommands::markPickup(started(), mainWindow(), 0); }
};

TEST_F(AskedDestination, TheHitCountIsShownAndTheListWindowIsTheFirstChoice) {
  onDialog("TDestinationForm", [this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->text(form), "ピックアップ先");
    EXPECT_EQ(desktop->text(desktop->child(form, "CountLabel")), "2個のメールがヒットしました。");
    EXPECT_EQ(desktop->text(desktop->child(form, "QuestionLabel")), "どこにピックアップしますか？");
    EXPECT_TRUE(desktop->isChecked(desktop->child(form, "ListRadio")));
    EXPECT_FALSE(desktop->isEnabled(desktop->child(form, "DestinationTree")));
    EXPECT_EQ(desktop->busyLevel(), 0);
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000001", kInbox2 + "00000005"}));
  EXPECT_NE(fs->content(kSettingsFile).find("DestinationForm\\Left="), std::string::npos);
}

TEST_F(AskedDestination, CopiesGoIntoTheCheckedFolders) {
  const std::size_t before = entryLines(kMl).size();
  onDialog("TDestinationForm", [this](sys::WindowHandle form) {
    const sys::WindowHandle tree = desktop->child(form, "DestinationTree");
    // The tree takes no clicks until copying is chosen.
    const sys::TreeItem root = desktop->window(tree).roots.front();
    EXPECT_FALSE(desktop->expandTreeItem(tree, root, true));
    clickButton(form, "CopyRadio");
    EXPECT_TRUE(desktop->isEnabled(tree));
    toggle(tree, {"Home", "Lists", "ml"});
    // The trash has no check box here.
    EXPECT_EQ(desktop->window(tree).nodes.at(treeItem(tree, {"Home", "ごみ箱"})).data.state, 1);
    clickButton(form, "ListRadio");
    EXPECT_FALSE(desktop->isEnabled(tree));
    clickButton(form, "CopyRadio");
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_TRUE(listWindows().empty());
  EXPECT_EQ(entryLines(kMl).size(), before + 2);
  // The branches opened on the way are kept; the choice is not.
  EXPECT_EQ(settings().readString("Destination", "Expand", ""), "C:\\Mail\\\r\nAcc1\\\r\nAcc1\\User001.box\\");
  EXPECT_EQ(settings().readInt("MarkFind", "Destination", -1), 0);
}

TEST_F(AskedDestination, CancelHandsNothingOverButKeepsTheOpenBranches) {
  settings().writeSetting("Destination", "Expand", "C:\\Mail\\\r\nAcc2\\");
  Strings open;
  onDialog("TDestinationForm", [&](sys::WindowHandle form) {
    const sys::WindowHandle tree = desktop->child(form, "DestinationTree");
    open = openNodes(tree);
    clickButton(form, "CopyRadio");
    desktop->expandTreeItem(tree, treeItem(tree, {"Home"}), true);
    desktop->expandTreeItem(tree, treeItem(tree, {"Work"}), false);
    toggle(tree, {"Work", "郵便受け"});
    clickButton(form, "CancelButton");
  });
  const std::size_t before = entryLines(kInbox2).size();
  run();
  EXPECT_EQ(open, (Strings{"C:\\Mail\\", "Work"}));
  EXPECT_TRUE(listWindows().empty());
  EXPECT_TRUE(desktop->messageBoxes().empty());
  EXPECT_EQ(entryLines(kInbox2).size(), before);
  // toggle opened Work again on its way to the inbox.
  EXPECT_EQ(settings().readString("Destination", "Expand", ""), "C:\\Mail\\\r\nAcc1\\\r\nAcc2\\");
  EXPECT_NE(fs->content(kSettingsFile).find("Destination\\Expand="), std::string::npos);
}

}  // namespace
}  // namespace gleanix::testing
