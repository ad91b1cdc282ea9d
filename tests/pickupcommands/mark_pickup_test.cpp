// The mark pickup from its command procedure: the dialog answered as a
// user does, the hits to a pickup list window or as copies, and the
// common run around it (what the tree starts with, the cursor, the empty
// result, Cancel, the panel width and the Help button).

#include "pickup_command_fixture.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;
using pickupcommands::markPickup;

class MarkPickup : public PickupCommandTest {
 protected:
  void run() { markPickup(started(), mainWindow(), 0); }
  sys::WindowHandle tree(sys::WindowHandle form) const { return desktop->child(form, "FolderTree"); }
};

TEST_F(MarkPickup, CheckedFoldersAndMarksGoToANewListWindow) {
  onDialog("TMarkFindForm", [this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->text(form), "マークで抽出 / Gleanix");
    // The hourglass is away while the user chooses.
    EXPECT_EQ(desktop->busyLevel(), 0);
    toggle(tree(form), {"Home", "郵便受け"});
    toggle(tree(form), {"Home", "ごみ箱"});
    toggle(tree(form), {"Work", "郵便受け"});
    // Mark 1 (the default) and unread.
    EXPECT_TRUE(desktop->isChecked(desktop->child(form, "Mark1Check")));
    clickButton(form, "MidokuCheck");
    clickButton(form, "OKButton");
  });
  run();

  // Folder by folder in tree order; in a folder from the last line up.
  EXPECT_EQ(listedHits(), (Strings{kInbox1 + "00000001", kInbox1 + "00000006", kInbox2 + "00000005"}));
  const auto window = listWindows().front();
  EXPECT_EQ(started().pickupWindows().entries().front().text, std::to_string(window->handle()));
  EXPECT_TRUE(desktop->isVisible(window->handle()));
  EXPECT_EQ(window->hostMainWindow(), mainWindow());
  // The trashed mail is shown under its account's trash.
  EXPECT_EQ(window->rows()[1].pathText + window->rows()[1].folderText, "Home\\ごみ箱");

  // What the dialog wrote reached the file; nothing of the run is left.
  const std::string file = fs->content(kSettingsFile);
  EXPECT_NE(file.find("MarkFind\\Folder=String:Acc1\\Inbox.box\\%0D%0AAcc1\\Trash.box%0D%0AAcc2\\Inbox.box\\%0D%0A"),
            std::string::npos)
      << file;
  EXPECT_NE(file.find("MarkFind\\Midoku=Boolean:True"), std::string::npos);
  EXPECT_NE(file.find("MarkFindProgressForm\\Left="), std::string::npos);
  EXPECT_EQ(desktop->findTopLevel("TMarkFindForm"), 0u);
  EXPECT_EQ(desktop->findTopLevel("TRelatedProgressForm"), 0u);
  EXPECT_EQ(desktop->busyLevel(), 0);
  EXPECT_TRUE(desktop->messageBoxes().empty());
}

TEST_F(MarkPickup, PickupIsEnabledOnlyWhileAMarkIsChosen) {
  onDialog("TMarkFindForm", [this](sys::WindowHandle form) {
    const sys::WindowHandle ok = desktop->child(form, "OKButton");
    EXPECT_TRUE(desktop->isEnabled(ok));
    clickButton(form, "Mark1Check");
    EXPECT_FALSE(desktop->isEnabled(ok));
    // Enter does not press a disabled default button.
    desktop->pressKey(form, sys::vk::Return);
    EXPECT_EQ(desktop->findTopLevel("TMarkFindForm"), form);
    clickButton(form, "Mark7Check");
    EXPECT_TRUE(desktop->isEnabled(ok));
    clickButton(form, "CancelButton");
  });
  run();
  EXPECT_TRUE(listWindows().empty());
  // Cancel writes none of the choices.
  EXPECT_FALSE(settings().readBool("MarkFind", "Mark7", false));
  EXPECT_EQ(desktop->busyLevel(), 0);
}

TEST_F(MarkPickup, NothingFoundIsToldWithoutOwner) {
  settings().writeSetting("MarkFind", "Folder", kInbox2 + "\r\n");
  onDialog("TMarkFindForm", [this](sys::WindowHandle form) {
    clickButton(form, "Mark1Check");
    clickButton(form, "Mark5Check");
    clickButton(form, "OKButton");
  });
  run();
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  const backend::SimMessageBox& box = desktop->messageBoxes().front();
  EXPECT_EQ(box.text, "見つかりませんでした");
  EXPECT_EQ(box.caption, "探索結果");
  EXPECT_EQ(box.owner, 0u);
  EXPECT_EQ(box.buttons, sys::MessageButtons::Ok);
  EXPECT_TRUE(listWindows().empty());
}

TEST_F(MarkPickup, CopiesGoIntoFoldersThatHaveEntryIni) {
  store.folder("Acc2\\User001.box\\", "Projects");
  store.emptyEntryList("Acc2\\User001.box\\");
  settings().writeSetting("MarkFind", "Destination", 2);
  settings().writeSetting("MarkFind\\Destination", "Folder", "Acc9\\User001.box\\\r\nAcc2\\User001.box\\\r\n");
  settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n" + kMl + "\r\n");
  onDialog("TMarkFindForm", [this](sys::WindowHandle form) {
    clickButton(form, "Mark0Check");
    clickButton(form, "OKButton");
  });
  run();
  // Inbox 1 (mark 1) and 2 (mark 0), ml 4 (mark 0): imported as new mails.
  const Strings lines = entryLines("Acc2\\User001.box\\");
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) {
    // Attribute 0 asks for a new mail: the host stores it unread.
    EXPECT_TRUE(store::isUnread(store::decodeAttribute(line.substr(9, 6)).value_or(0))) << line;
    EXPECT_TRUE(fs->isFile(kMailRoot + "Acc2\\User001.box\\" + line.substr(0, 8) + ".ALM"));
  }
  EXPECT_NE(fs->content(kMailRoot + "Acc2\\User001.box\\" + lines[0].substr(0, 8) + ".ALM").find("Re: Hello"),
            std::string::npos);
  EXPECT_TRUE(listWindows().empty());
  EXPECT_TRUE(desktop->messageBoxes().empty());
}

TEST_F(MarkPickup, CopiesWithoutAnyUsableFolderAreRefusedAloud) {
  settings().writeSetting("MarkFind", "Destination", 2);
  settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n");
  confirm("TMarkFindForm");
  run();
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes().front().text, "コピー先のフォルダがありません。");
  EXPECT_EQ(desktop->messageBoxes().front().caption, "エラー");
}

// --- What the tree starts with

TEST_F(MarkPickup, CheckOneChecksExactlyTheOpenFolder) {
  sim.setCurrentFolder("Acc1\\User001.box\\User002.box");
  settings().writeSetting("MarkFind\\Tree", "Check", 1);
  settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n");
  Strings checked;
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) { checked = checkedNodes(tree(form)); });
  run();
  EXPECT_EQ(checked, Strings{"Home\\Lists\\ml"});
}

TEST_F(MarkPickup, LastFalseWithoutCheckMeansTheOpenFolderAndTrueTheStoredList) {
  settings().writeSetting("MarkFind", "Folder", kInbox2 + "\r\nAcc1\\Trash.box\r\n");
  settings().writeSetting("MarkFind\\Tree", "Last", false);
  Strings current, stored;
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) { current = checkedNodes(tree(form)); });
  run();
  settings().writeSetting("MarkFind\\Tree", "Last", true);
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) { stored = checkedNodes(tree(form)); });
  run();
  EXPECT_EQ(current, Strings{"Home\\郵便受け"});
  EXPECT_EQ(stored, (Strings{"Home\\ごみ箱", "Work\\郵便受け"}));
}

TEST_F(MarkPickup, AStoredFolderThatIsGoneChecksNothingForIt) {
  settings().writeSetting("MarkFind", "Folder", "Acc1\\User077.box\\\r\n" + kMl + "\r\n");
  Strings checked;
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) {
    checked = checkedNodes(tree(form));
    clickButton(form, "OKButton");
  });
  run();
  EXPECT_EQ(checked, Strings{"Home\\Lists\\ml"});
  // OK stores what the tree shows; the search ran over it.
  EXPECT_EQ(settings().readString("MarkFind", "Folder", ""), kMl + "\r\n");
  EXPECT_EQ(desktop->messageBoxes().size(), 1u);  // ml holds no mark 1: nothing found
}

TEST_F(MarkPickup, CheckTwoChecksNothing) {
  settings().writeSetting("MarkFind", "Folder", kInbox1 + "\r\n");
  settings().writeSetting("MarkFind\\Tree", "Check", 2);
  Strings checked{"-"};
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) { checked = checkedNodes(tree(form)); });
  run();
  EXPECT_TRUE(checked.empty());
}

TEST_F(MarkPickup, OpenStateAllOpenAsBuiltOrTheWayToCheckedFolders) {
  settings().writeSetting("MarkFind", "Folder", kMl + "\r\n");
  std::vector<Strings> open;
  for (int mode : {0, 1, 2}) {
    settings().writeSetting("MarkFind\\Tree", "Open", mode);
    onDialog("TMarkFindForm", [&](sys::WindowHandle form) { open.push_back(openNodes(tree(form))); });
    run();
  }
  ASSERT_EQ(open.size(), 3u);
  EXPECT_EQ(open[0], (Strings{"C:\\Mail\\", "Home", "Home\\Lists", "Work"}));
  EXPECT_TRUE(open[1].empty());
  // ml is three levels deep: its parent, grandparent and great-grandparent.
  EXPECT_EQ(open[2], (Strings{"C:\\Mail\\", "Home", "Home\\Lists"}));
}

TEST_F(MarkPickup, CheckAllBelowOpensTheBranchOnlyWhenTheSettingSaysSo) {
  std::vector<Strings> open, checked;
  for (bool expand : {true, false}) {
    settings().writeSetting("MarkFind\\Tree", "Open", 1);
    settings().writeSetting("MarkFind\\Tree", "ExpandOnCheckAll", expand);
    onDialog("TMarkFindForm", [&](sys::WindowHandle form) {
      const sys::WindowHandle t = tree(form);
      desktop->expandTreeItem(t, desktop->window(t).roots.front(), true);
      const sys::Rect label = desktop->treePartRect(t, treeItem(t, {"Home"}), sys::TreePart::Label);
      desktop->answerPopup("以下全てにチェックを付ける");
      desktop->clickAt(t, sys::MouseButton::Right, {label.left + 2, label.top + 2});
      open.push_back(openNodes(t));
      checked.push_back(checkedNodes(t));
    });
    run();
  }
  const Strings homeChecked = {"Home\\郵便受け", "Home\\送信箱", "Home\\ごみ箱", "Home\\Lists\\ml"};
  EXPECT_EQ(checked[0], homeChecked);
  EXPECT_EQ(checked[1], homeChecked);
  EXPECT_EQ(open[0], (Strings{"C:\\Mail\\", "Home", "Home\\Lists"}));
  EXPECT_EQ(open[1], Strings{"C:\\Mail\\"});
}

// --- The dialog's own layout

TEST_F(MarkPickup, TreeWidthAndGeometryAreKeptUnderTheFormName) {
  settings().writeSetting("MarkFindForm", "TreeWidth", 150);
  settings().writeSetting("MarkFindForm", "Left", 40);
  settings().writeSetting("MarkFindForm", "Width", 500);
  int width = 0;
  sys::Rect outer;
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) {
    width = desktop->window(desktop->child(form, "TreePanel")).bounds.width();
    outer = desktop->bounds(form);
    // The splitter drags the panel 30 pixels wider.
    const sys::WindowHandle splitter = desktop->child(form, "TreeSplitter");
    desktop->drag(splitter, {1, 50}, {31, 50});
    clickButton(form, "CancelButton");
  });
  run();
  EXPECT_EQ(width, 150);
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.width(), 500);
  // Also on Cancel: the width as dragged, the geometry, in the file.
  EXPECT_EQ(settings().readInt("MarkFindForm", "TreeWidth", 0), 180);
  EXPECT_NE(fs->content(kSettingsFile).find("MarkFindForm\\TreeWidth=Integer:180"), std::string::npos);

  // A stored width that leaves no room for the marks is cut back.
  settings().writeSetting("MarkFindForm", "TreeWidth", 5000);
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) {
    width = desktop->window(desktop->child(form, "TreePanel")).bounds.width();
  });
  run();
  EXPECT_LT(width, 500 - 8);
  EXPECT_GE(width, 60);
}

TEST_F(MarkPickup, HelpOpensTheHelpFileOverTheDialog) {
  const std::string help = kExeDir + "Plugins\\Gleanix.hlp";
  registry->write(sys::RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath",
                  sys::RegistryValue{sys::RegistryKind::String, kExeDir + "Quillon.exe"});
  fs->addFile(help, "help");
  sys::WindowHandle dialog = 0;
  onDialog("TMarkFindForm", [&](sys::WindowHandle form) {
    dialog = form;
    clickButton(form, "HelpButton");
    clickButton(form, "CancelButton");
  });
  run();
  ASSERT_TRUE(shell->lastCall().has_value());
  EXPECT_TRUE(shell->opened(help));
  EXPECT_EQ(shell->lastCall()->owner, dialog);
  EXPECT_EQ(shell->lastCall()->verb, "OPEN");
}

}  // namespace
}  // namespace gleanix::testing
