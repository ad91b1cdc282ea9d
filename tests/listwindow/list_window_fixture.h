#pragma once
// A started plug-in over quillon-sim on the simulated desktop, with a small
// two-account store and helpers to open pickup list windows over it and to
// act on them as a user does.
//
// The store: Acc1 "Home" with its inbox, outbox, trash and the folder
// "Lists" (User001.box); Acc2 "Work" with its inbox, outbox, trash and the
// folder "Projects" (User001.box). Six mails, in hit order:
//   0 Home\郵便受け  00000001  Taro   "Re: [ml:12] Hello"  1999/12/06 10:00  mark 1
//   1 Home\郵便受け  00000002  hanako "[ml:13] hello"      (no date)         mark 0
//   2 Home\郵便受け  00000003  Taro   "Another"            1999/12/05 09:30  mark 2
//   3 Home\Lists     00000004  Jiro   "Zebra"              1999/12/07 08:00  mark 0
//   4 Home\Lists     00000005  Taro   "Apple"              1999/12/06 10:00  mark 7
//   5 Work\郵便受け  00000006  Alice  "Meeting"            2000/01/01 00:00  mark 0

#include <memory>
#include <string>
#include <vector>

#include "listwindow/folder_form.h"
#include "pickup/picked_mail.h"
#include "support/memory_store.h"
#include "support/plugin_fixture.h"
#include "ui/header_control.h"
#include "ui/list_view.h"
#include "ui/menu.h"
#include "ui/std_controls.h"

namespace gleanix::testing {

inline const std::vector<std::string> kSixHits = {
    "Acc1\\Inbox.box\\00000001",    "Acc1\\Inbox.box\\00000002",    "Acc1\\Inbox.box\\00000003",
    "Acc1\\User001.box\\00000004", "Acc1\\User001.box\\00000005", "Acc2\\Inbox.box\\00000006",
};

class ListWindowTest : public PluginTest {
 protected:
  ListWindowTest() {
    for (const char* acc : {"Acc1", "Acc2"}) {
      const std::string a = acc;
      store.account(a, a == "Acc1" ? "Home" : "Work");
      store.emptyEntryList(a + "\\Inbox.box\\");
      store.emptyEntryList(a + "\\Outbox.box\\");
      store.fs.addFile(store.abs(a + "\\Trash.box"), "");
      store.folder(a + "\\User001.box\\", a == "Acc1" ? "Lists" : "Projects");
      store.emptyEntryList(a + "\\User001.box\\");
    }
    mail("Acc1\\Inbox.box\\", "00000001", 1, "Taro <taro@example.jp>", "Re: [ml:12] Hello",
         "Mon, 6 Dec 1999 10:00:00 +0900");
    mail("Acc1\\Inbox.box\\", "00000002", 0, "hanako@example.jp", "[ml:13] hello", "");
    mail("Acc1\\Inbox.box\\", "00000003", 2, "Taro <taro@example.jp>", "Another", "Sun, 5 Dec 1999 09:30:00 +0900");
    mail("Acc1\\User001.box\\", "00000004", 0, "Jiro <jiro@example.jp>", "Zebra", "Tue, 7 Dec 1999 08:00:00 +0900");
    mail("Acc1\\User001.box\\", "00000005", 7, "Taro <taro@example.jp>", "Apple", "Mon, 6 Dec 1999 10:00:00 +0900");
    mail("Acc2\\Inbox.box\\", "00000006", 0, "Alice <alice@example.jp>", "Meeting", "Sat, 1 Jan 2000 00:00:00 +0900");
    EXPECT_EQ(startUp(), 255);
  }

  void mail(const std::string& folder, const std::string& key, std::uint32_t mark, const std::string& from,
            const std::string& subject, const std::string& date) {
    std::string text = "From: " + from + "\r\nSubject: " + subject + "\r\n";
    if (!date.empty()) text += "Date: " + date + "\r\n";
    text += "\r\nbody\r\n";
    store.mail(folder, key, mark, text);
  }

  // -1 shows the rows in hit order.
  void settingsSortIndex(int index) { started().settings().writeSetting("Sort", "Index", std::int32_t{index}); }

  // A pickup list window over the hits, registered and (unless asked
  // otherwise) shown.
  std::shared_ptr<listwindow::TFolderForm> open(const std::vector<std::string>& hits = kSixHits,
                                                bool show = true) {
    auto window = listwindow::TFolderForm::create(started(), sim.mainWindow());
    started().pickupWindows().add(window);
    for (const pickup::PickedMail& m : pickup::pickedMails(*fs, kMailRoot, hits)) {
      window->addPickedMail(m.folder, m.displayPath, m.key);
    }
    if (show) window->show();
    return window;
  }

  static ui::TListView& list(listwindow::TFolderForm& w) { return w.component<ui::TListView>("ListView1"); }
  static ui::THeaderControl& header(listwindow::TFolderForm& w) {
    return w.component<ui::THeaderControl>("HeaderControl1");
  }
  static std::string countBar(listwindow::TFolderForm& w) {
    return w.component<ui::TStatusBar>("StatusBar").simpleText();
  }

  // One column of every row as the list control shows it.
  static std::vector<std::string> column(listwindow::TFolderForm& w, int c) {
    std::vector<std::string> out;
    for (int i = 0; i < list(w).count(); ++i) out.push_back(list(w).itemText(i, c));
    return out;
  }
  // The mail keys of the rows, in row order.
  static std::vector<std::string> keys(const listwindow::TFolderForm& w) {
    std::vector<std::string> out;
    for (const pickup::PickupRow& r : w.rows()) out.push_back(r.key);
    return out;
  }

  // A point inside a row of the list (it has no column header of its own).
  sys::Point rowPoint(listwindow::TFolderForm& w, int row) {
    return {20, (row - list(w).topIndex()) * 16 + 5};
  }
  void clickHeader(listwindow::TFolderForm& w, int section) {
    ASSERT_TRUE(desktop->clickHeaderSection(header(w).handle(), section));
  }
  void select(listwindow::TFolderForm& w, const std::vector<int>& rows) {
    ASSERT_TRUE(desktop->selectListRows(list(w).handle(), rows));
  }
  // A right click on a row, choosing this item of the row menu.
  void rowMenu(listwindow::TFolderForm& w, int row, const std::string& item) {
    desktop->answerPopup(item);
    ASSERT_TRUE(desktop->clickAt(list(w).handle(), sys::MouseButton::Right, rowPoint(w, row)));
  }

  MemoryStore store{*fs};
};

}  // namespace gleanix::testing
