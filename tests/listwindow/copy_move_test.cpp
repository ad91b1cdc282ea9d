// Copy and move from the pickup list: the destination dialog's one-check
// rule, copies that keep the mail's attribute word, moves that rewrite the
// rows (the trash too), and the failure messages.

#include <gtest/gtest.h>

#include "list_window_fixture.h"
#include "store/attribute_lookup.h"
#include "store/list_file.h"

namespace gleanix::testing {
namespace {

using Strings = std::vector<std::string>;

class CopyMove : public ListWindowTest {
 protected:
  CopyMove() { settingsSortIndex(-1); }

  // The node of the dialog's tree whose caption, and its parents' captions
  // above it, are these (the last one the node's own).
  sys::TreeItem node(sys::WindowHandle tree, const Strings& captions) {
    const backend::SimWindow& t = desktop->window(tree);
    for (const auto& [item, n] : t.nodes) {
      sys::TreeItem at = item;
      bool match = true;
      for (auto c = captions.rbegin(); c != captions.rend() && match; ++c) {
        match = at != 0 && t.nodes.at(at).data.text == *c;
        at = at ? t.nodes.at(at).parent : 0;
      }
      if (match) return item;
    }
    ADD_FAILURE() << "no node " << captions.back();
    return 0;
  }
  void check(sys::WindowHandle tree, const Strings& captions) {
    const sys::Rect r = desktop->treePartRect(tree, node(tree, captions), sys::TreePart::StateIcon);
    ASSERT_TRUE(desktop->clickAt(tree, sys::MouseButton::Left, {r.left + 2, r.top + 2}));
  }
  int state(sys::WindowHandle tree, const Strings& captions) {
    return desktop->treeItem(tree, node(tree, captions)).state;
  }
  // Chooses the menu item on the selected rows and, in the dialog, checks
  // the folder and presses OK.
  void run(listwindow::TFolderForm& w, const std::string& item, const Strings& folder) {
    desktop->onModal([this, folder](sys::WindowHandle form) {
      dialogTexts = {desktop->text(form), desktop->text(desktop->child(form, "OKButton"))};
      check(desktop->child(form, "MailboxTreeView1"), folder);
      ASSERT_TRUE(desktop->click(desktop->child(form, "OKButton")));
    });
    rowMenu(w, list(w).firstSelected(), item);
    EXPECT_EQ(desktop->pendingScripts(), 0u);
  }
  // The caption and the OK button's text of the last dialog run shows.
  Strings dialogTexts;
};

TEST_F(CopyMove, TheDialogKeepsOneCheckAndEnablesOkOnlyForIt) {
  auto w = open();
  select(*w, {0});
  const auto before = fs->content(kMailRoot + "Acc2\\User001.box\\ENTRY.LST");
  desktop->onModal([this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->text(form), "コピー先の指定");
    const sys::WindowHandle ok = desktop->child(form, "OKButton");
    EXPECT_EQ(desktop->text(ok), "コピー");
    EXPECT_EQ(desktop->text(desktop->child(form, "CancelButton")), "キャンセル");
    const sys::WindowHandle tree = desktop->child(form, "MailboxTreeView1");
    EXPECT_FALSE(desktop->isEnabled(ok));
    check(tree, {"Home", "Lists"});
    EXPECT_TRUE(desktop->isEnabled(ok));
    check(tree, {"Work", "Projects"});  // the first check goes
    EXPECT_EQ(state(tree, {"Home", "Lists"}), 2);
    EXPECT_EQ(state(tree, {"Work", "Projects"}), 3);
    EXPECT_TRUE(desktop->isEnabled(ok));
    check(tree, {"Work", "Projects"});  // and none is left
    EXPECT_FALSE(desktop->isEnabled(ok));
    // Accounts have no check box.
    EXPECT_EQ(state(tree, {"Work"}), 1);
    ASSERT_TRUE(desktop->click(desktop->child(form, "CancelButton")));
  });
  rowMenu(*w, 0, "コピー ...");
  // Cancel: nothing copied, no message.
  EXPECT_EQ(fs->content(kMailRoot + "Acc2\\User001.box\\ENTRY.LST"), before);
  EXPECT_TRUE(desktop->messageBoxes().empty());
  EXPECT_EQ(started().settings().readInt("CopyMoveForm", "Width", 0), 308);
}

TEST_F(CopyMove, CopiesKeepMarksAndLeaveTheRowsAndCountFailures) {
  auto w = open();
  fs->removeFile(kMailRoot + "Acc1\\Inbox.box\\00000003.ALM");  // gone since the pickup
  select(*w, {0, 2, 4});
  const Strings rowsBefore = column(*w, 1);
  run(*w, "コピー ...", {"Work", "Projects"});

  const auto lines = fs->readLines(kMailRoot + "Acc2\\User001.box\\ENTRY.LST");
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 2u);
  // The copies carry the attribute words of their originals (marks 1 and 7).
  const store::MailStore s(*fs, kMailRoot);
  const auto copied = [&](std::size_t i) {
    return store::attributeWord(s, kMailRoot + "Acc2\\User001.box\\", (*lines)[i].substr(0, 8)) & 7u;
  };
  EXPECT_EQ(copied(0), 1u);
  EXPECT_EQ(copied(1), 7u);
  EXPECT_EQ(column(*w, 1), rowsBefore);
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  const backend::SimMessageBox& m = desktop->messageBoxes()[0];
  EXPECT_EQ(m.text, "コピーに失敗したものが1通あります。\r\n");
  EXPECT_EQ(m.caption, "エラー");
  EXPECT_EQ(m.icon, sys::MessageIcon::Warning);
  EXPECT_EQ(m.owner, w->handle());
}

TEST_F(CopyMove, MovingIntoATrashShowsTheRowsAsThatTrash) {
  auto w = open();
  select(*w, {0, 3});
  run(*w, "移動 ...", {"Work", "ごみ箱"});
  EXPECT_TRUE(desktop->messageBoxes().empty());
  // The mails went through Home's outbox and Work's inbox into Work's trash.
  const std::string trash = fs->content(kMailRoot + "Acc2\\Trash.box");
  EXPECT_NE(trash.find("Acc2\\Inbox.box\\00000001="), std::string::npos);
  EXPECT_NE(trash.find("Acc2\\Inbox.box\\00000004="), std::string::npos);
  EXPECT_TRUE(fs->isFile(kMailRoot + "Acc2\\Inbox.box\\00000004.ALM"));
  for (int row : {0, 3}) {
    const pickup::PickupRow& r = w->rows()[static_cast<std::size_t>(row)];
    EXPECT_EQ(r.folder, "Acc2\\Inbox.box\\");
    EXPECT_EQ(list(*w).itemText(row, 0), "Work\\");
    EXPECT_EQ(list(*w).itemText(row, 1), "ごみ箱");
  }
  // The other rows, their marks and the order are as they were.
  EXPECT_EQ(keys(*w).front(), "00000001");
  EXPECT_EQ(list(*w).itemText(1, 1), "郵便受け");
  EXPECT_EQ(list(*w).stateIndex(0), 1);
  // The moved rows still lead to their mails: opening one works.
  select(*w, {3});
  w->component<ui::TMenuItem>("ViewOpenInView").click();
  EXPECT_EQ(sim.viewMail(0x20010).value_or(""), "Acc2\\Inbox.box\\00000004");
}

TEST_F(CopyMove, MovesRewriteOnlyTheRowsThatMoved) {
  auto w = open();
  fs->removeFile(kMailRoot + "Acc1\\Inbox.box\\00000002.ALM");
  select(*w, {1, 2, 5});
  run(*w, "移動 ...", {"Home", "Lists"});
  EXPECT_EQ(w->rows()[1].folder, "Acc1\\Inbox.box\\");  // its file was gone: kept
  EXPECT_EQ(list(*w).itemText(1, 1), "郵便受け");
  for (int row : {2, 5}) {
    EXPECT_EQ(w->rows()[static_cast<std::size_t>(row)].folder, "Acc1\\User001.box\\");
    EXPECT_EQ(list(*w).itemText(row, 0), "Home\\");
    EXPECT_EQ(list(*w).itemText(row, 1), "Lists");
  }
  EXPECT_TRUE(fs->isFile(kMailRoot + "Acc1\\User001.box\\00000006.ALM"));
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes()[0].text,
            "移動に失敗したものが1通あります。\r\n\r\nメールが消えた場合、\r\n"
            "「フォルダ」メニューの「フォルダの検査」で\r\n復活できる筈です。\r\n");
  EXPECT_EQ(dialogTexts, (Strings{"移動先の指定", "移動"}));
}

}  // namespace
}  // namespace gleanix::testing
