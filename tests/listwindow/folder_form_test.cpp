// The pickup list window on the simulated desktop: what it shows, sorting,
// the date column, the count bar, dropping rows, the mouse and the keys,
// its settings, closing, and what the VIEW windows ask of it.

#include <gtest/gtest.h>

#include "core/host_windows.h"
#include "list_window_fixture.h"
#include "ui/timer.h"

namespace gleanix::testing {
namespace {

using listwindow::TFolderForm;
using Strings = std::vector<std::string>;

using FolderForm = ListWindowTest;

TEST_F(FolderForm, ShowsOneRowPerPickedMailAndSkipsMissingFiles) {
  std::vector<std::string> hits = kSixHits;
  hits.insert(hits.begin() + 1, "Acc1\\Inbox.box\\0000DEAD");  // listed nowhere, no file
  settingsSortIndex(-1);
  auto w = open(hits);
  EXPECT_EQ(desktop->className(w->handle()), "TFolderForm");
  EXPECT_EQ(desktop->text(w->handle()), "Gleanix");
  ASSERT_EQ(w->rowCount(), 6);
  // Hit order; the display path split into its directory part and the rest.
  EXPECT_EQ(column(*w, 0), (Strings{"Home\\", "Home\\", "Home\\", "Home\\", "Home\\", "Work\\"}));
  EXPECT_EQ(column(*w, 1), (Strings{"郵便受け", "郵便受け", "郵便受け", "Lists", "Lists", "郵便受け"}));
  EXPECT_EQ(column(*w, 3), (Strings{"Taro", "hanako", "Taro", "Jiro", "Taro", "Alice"}));
  EXPECT_EQ(list(*w).itemText(0, 4), "Re: [ml:12] Hello");
  // An undated mail shows an empty date cell.
  EXPECT_EQ(list(*w).itemText(0, 2), "1999/12/06 10:00");
  EXPECT_EQ(list(*w).itemText(1, 2), "");
  // Mark icons: the state image is the mark number.
  EXPECT_EQ(list(*w).stateIndex(0), 1);
  EXPECT_EQ(list(*w).stateIndex(2), 2);
  EXPECT_EQ(list(*w).stateIndex(4), 7);
  EXPECT_EQ(desktop->imageList(desktop->window(list(*w).handle()).stateImages).images.size(), 8u);
}

TEST_F(FolderForm, HeaderClicksSortAscendingThenDescendingAndAnotherColumnAscendsAgain) {
  auto w = open();
  // Shown sorted by path: Home\Lists (4, 5), Home\郵便受け (1, 2, 3), Work.
  EXPECT_EQ(keys(*w), (Strings{"00000004", "00000005", "00000001", "00000002", "00000003", "00000006"}));
  clickHeader(*w, 2);
  // The undated mail first; equal dates (5 and 1) keep their order.
  EXPECT_EQ(keys(*w), (Strings{"00000002", "00000003", "00000005", "00000001", "00000004", "00000006"}));
  EXPECT_EQ(w->sortColumn(), 2);
  EXPECT_FALSE(w->descending());
  clickHeader(*w, 2);
  EXPECT_EQ(keys(*w), (Strings{"00000006", "00000004", "00000005", "00000001", "00000003", "00000002"}));
  EXPECT_TRUE(w->descending());
  EXPECT_EQ(started().settings().readInt("Sort", "Index", -9), 2);
  EXPECT_TRUE(started().settings().readBool("Sort", "Reverse", false));
  // Written to the file at once.
  EXPECT_NE(fs->content(kSettingsFile).find("Sort\\Reverse=Boolean:True"), std::string::npos);

  clickHeader(*w, 3);
  EXPECT_FALSE(w->descending());
  EXPECT_EQ(column(*w, 3), (Strings{"Alice", "hanako", "Jiro", "Taro", "Taro", "Taro"}));
  // The control shows the rows in their new order, with the busy cursor gone.
  EXPECT_EQ(list(*w).itemText(0, 4), "Meeting");
  EXPECT_EQ(desktop->busyLevel(), 0);
  EXPECT_TRUE(desktop->isVisible(list(*w).handle()));
}

TEST_F(FolderForm, EqualKeysKeepThePresentOrderWhenSortedBySender) {
  settingsSortIndex(-1);
  auto w = open();
  // Taro on 12/06 twice: Hello (1) and Apple (5) keep the hit order...
  clickHeader(*w, 3);
  EXPECT_EQ(keys(*w), (Strings{"00000006", "00000002", "00000004", "00000003", "00000001", "00000005"}));
  clickHeader(*w, 4);  // by subject: Another, Apple, Hello, hello, Meeting, Zebra
  EXPECT_EQ(keys(*w), (Strings{"00000003", "00000005", "00000001", "00000002", "00000006", "00000004"}));
  // ... and the order the subject sort left them in.
  clickHeader(*w, 3);
  EXPECT_EQ(keys(*w), (Strings{"00000006", "00000002", "00000004", "00000003", "00000005", "00000001"}));
}

TEST_F(FolderForm, IgnoreReDecidesWhetherReplyAndListTagsCount) {
  auto w = open();
  clickHeader(*w, 4);
  // "Re: [ml:12] Hello" and "[ml:13] hello" both sort as HELLO: neighbours.
  EXPECT_EQ(column(*w, 4)[2], "Re: [ml:12] Hello");
  EXPECT_EQ(column(*w, 4)[3], "[ml:13] hello");

  // The sort menu over the subject section; its default item is the present choice.
  desktop->answerPopup("Subject そのままの順でソートする");
  const int inside = header(*w).sectionLeft(4) + 5;
  ASSERT_TRUE(desktop->mouseDown(header(*w).handle(), sys::MouseButton::Right, {inside, 5}));
  ASSERT_EQ(desktop->popups().size(), 1u);
  EXPECT_TRUE(desktop->popups()[0].items[1].isDefault);  // IgnoreRe is true by default
  EXPECT_FALSE(started().settings().readBool("Sort", "IgnoreRe", true));
  // Ascending by the subject as stored: other subjects fall between the two.
  EXPECT_FALSE(w->descending());
  EXPECT_EQ(column(*w, 4), (Strings{"Another", "Apple", "Meeting", "Re: [ml:12] Hello", "Zebra", "[ml:13] hello"}));

  // Outside the subject section the right button does nothing.
  ASSERT_TRUE(desktop->mouseDown(header(*w).handle(), sys::MouseButton::Right, {5, 5}));
  EXPECT_EQ(desktop->popups().size(), 1u);
}

TEST_F(FolderForm, ShowSortsAsTheSettingsSay) {
  started().settings().writeSetting("Sort", "Index", std::int32_t{2});
  started().settings().writeSetting("Sort", "Reverse", true);
  auto w = open();
  EXPECT_EQ(keys(*w).front(), "00000006");  // newest first
  EXPECT_EQ(keys(*w).back(), "00000002");   // the undated one last
  EXPECT_TRUE(w->descending());

  // A stored column that does not exist leaves the hit order alone.
  started().settings().writeSetting("Sort", "Index", std::int32_t{9});
  auto other = open();
  EXPECT_EQ(keys(*other).front(), "00000001");
  EXPECT_EQ(other->sortColumn(), -1);
}

TEST_F(FolderForm, TheDateColumnNarrowsItsFormatWithItsWidth) {
  settingsSortIndex(-1);
  auto w = open();
  const auto resize = [&](int width) {
    ASSERT_TRUE(desktop->resizeHeaderSection(header(*w).handle(), 2, width));
    EXPECT_EQ(list(*w).columnWidth(2), width);
  };
  // The simulated font is 6 pixels a character; 12 pixels are kept free.
  resize(108);
  EXPECT_EQ(list(*w).itemText(0, 2), "1999/12/06 10:00");
  resize(96);
  EXPECT_EQ(list(*w).itemText(0, 2), "99/12/06 10:00");
  resize(78);
  EXPECT_EQ(list(*w).itemText(0, 2), "12/06 10:00");
  resize(77);  // "88/88 88:88" no longer fits: the whole column loses its time
  EXPECT_EQ(column(*w, 2), (Strings{"99/12/06", "", "99/12/05", "99/12/07", "99/12/06", "00/01/01"}));
  resize(59);  // below "88/88/88"
  EXPECT_EQ(list(*w).itemText(5, 2), "01/01");
}

TEST_F(FolderForm, TheCountBarFollowsTheRowsAndTheSelection) {
  auto w = open({kSixHits[0], kSixHits[1], kSixHits[2]});
  EXPECT_EQ(countBar(*w), " 3件");
  select(*w, {0});
  EXPECT_EQ(countBar(*w), " 3件中の 1番目");
  select(*w, {2, 1});
  EXPECT_EQ(countBar(*w), " 3件中の 2番目");
  // The arrow keys move the selection, as the real control does.
  ASSERT_TRUE(desktop->pressKey(list(*w).handle(), 0x28));
  EXPECT_EQ(countBar(*w), " 3件中の 3番目");
  // A sort clears the selection.
  clickHeader(*w, 0);
  EXPECT_EQ(countBar(*w), " 3件");
}

TEST_F(FolderForm, DroppingRowsKeepsTheRowDataInLineWithTheControl) {
  settingsSortIndex(-1);
  auto w = open();
  // Rows 2 and 5 of 6 (counted from 1) through the row menu.
  select(*w, {1, 4});
  rowMenu(*w, 1, "この一時フォルダから除く");
  ASSERT_EQ(w->rowCount(), 4);
  EXPECT_EQ(keys(*w), (Strings{"00000001", "00000003", "00000004", "00000006"}));
  EXPECT_EQ(column(*w, 4), (Strings{"Re: [ml:12] Hello", "Another", "Zebra", "Meeting"}));
  EXPECT_EQ(column(*w, 1), (Strings{"郵便受け", "郵便受け", "Lists", "郵便受け"}));
  EXPECT_EQ(list(*w).stateIndex(1), 2);
  EXPECT_EQ(countBar(*w), " 4件");
  EXPECT_EQ(list(*w).selectedCount(), 0);
  // The mails stay where they were.
  EXPECT_TRUE(fs->isFile(kMailRoot + "Acc1\\Inbox.box\\00000002.ALM"));

  // The Delete key drops the selected rows too.
  select(*w, {0});
  ASSERT_TRUE(desktop->pressKey(list(*w).handle(), 0x2E));
  EXPECT_EQ(keys(*w), (Strings{"00000003", "00000004", "00000006"}));
}

TEST_F(FolderForm, DoubleClicksEnterAndTheRowMenuOpenTheSelectedRow) {
  settingsSortIndex(-1);
  auto w = open();
  // The row menu needs a selection: a right click below the rows selects none.
  ASSERT_TRUE(desktop->clickAt(list(*w).handle(), sys::MouseButton::Right, {20, 250}));
  EXPECT_TRUE(desktop->popups().empty());
  // A right click on a row selects it; without a viewer its item is disabled.
  rowMenu(*w, 3, "新しい VIEW 画面で開く");
  ASSERT_EQ(desktop->popups().size(), 1u);
  const std::vector<sys::MenuItem>& items = desktop->popups()[0].items;
  ASSERT_EQ(items.size(), 7u);
  EXPECT_TRUE(items[0].isDefault);
  EXPECT_FALSE(items[2].enabled);  // 外部ビューアで開く
  EXPECT_EQ(sim.lastOpenFlag(), -1);
  EXPECT_EQ(countBar(*w), " 6件中の 4番目");
  EXPECT_TRUE(w->takeJustOpened());

  ASSERT_TRUE(desktop->doubleClickAt(list(*w).handle(), rowPoint(*w, 2)));
  EXPECT_EQ(sim.lastOpenFlag(), 0);  // the present VIEW window
  EXPECT_TRUE(w->takeJustOpened());
  EXPECT_FALSE(w->takeJustOpened());

  desktop->setKeyDown(sys::vk::Menu, true);  // Alt: a new VIEW window
  ASSERT_TRUE(desktop->doubleClickAt(list(*w).handle(), rowPoint(*w, 3)));
  EXPECT_EQ(sim.lastOpenFlag(), -1);
  desktop->setKeyDown(sys::vk::Menu, false);

  // Shift: the external viewer, looked up when the menu never popped up.
  store.fs.addFile(kMailRoot + "Mailbox.ini", "ExternalViewer=C:\\Tools\\View.exe\r\n");
  fs->addFile("C:\\Tools\\View.exe", "MZ");
  shell->clear();
  w->takeJustOpened();
  desktop->setKeyDown(sys::vk::Shift, true);
  ASSERT_TRUE(desktop->doubleClickAt(list(*w).handle(), rowPoint(*w, 5)));
  desktop->setKeyDown(sys::vk::Shift, false);
  ASSERT_TRUE(shell->lastCall().has_value());
  EXPECT_EQ(shell->lastCall()->file, "C:\\Tools\\View.exe");
  EXPECT_EQ(shell->lastCall()->parameters, kMailRoot + "Acc2\\Inbox.box\\00000006.ALM");
  EXPECT_EQ(shell->lastCall()->owner, w->handle());
  EXPECT_FALSE(w->takeJustOpened());

  // Enter on the list opens like a double click.
  select(*w, {4});
  ASSERT_TRUE(desktop->pressKey(list(*w).handle(), sys::vk::Return));
  EXPECT_TRUE(w->takeJustOpened());
  EXPECT_EQ(sim.viewMail(0x20010 + 0x10 * 3).value_or(""), "Acc1\\User001.box\\00000005");
}

TEST_F(FolderForm, ClosingSavesTheWindowAndFreesIt) {
  started().settings().writeSetting("Folder", "ColWidth1", std::int32_t{77});
  started().settings().writeSetting("Pickup", "StatusBar", false);
  started().settings().writeSetting("Pickup\\Font", "Size", std::int32_t{12});
  auto w = open();
  EXPECT_EQ(header(*w).sectionWidth(1), 77);
  EXPECT_EQ(list(*w).columnWidth(1), 77);
  EXPECT_FALSE(w->component<ui::TStatusBar>("StatusBar").visible());
  EXPECT_EQ(w->font().size, 12);
  // The last column fills the list.
  int others = 0;
  for (int i = 0; i < 4; ++i) others += list(*w).columnWidth(i);
  EXPECT_EQ(others + list(*w).columnWidth(4), desktop->clientRect(list(*w).handle()).width());

  ASSERT_TRUE(desktop->resizeHeaderSection(header(*w).handle(), 0, 140));
  ASSERT_TRUE(desktop->resizeForm(w->handle(), 700, 400));
  EXPECT_EQ(header(*w).sectionWidth(4), 700);
  const sys::WindowHandle handle = w->handle();
  std::weak_ptr<core::PickupWindow> association = w;
  const core::PickupWindow* raw = w.get();
  w.reset();  // the list holds it now

  ASSERT_TRUE(desktop->closeForm(handle));
  EXPECT_FALSE(desktop->isWindow(handle));
  EXPECT_FALSE(core::pickupWindowValid(*desktop, raw));
  EXPECT_EQ(started().settings().readInt("Folder", "ColWidth0", 0), 140);
  EXPECT_EQ(started().settings().readInt("Folder", "Width", 0), 708);
  EXPECT_EQ(started().settings().readString("Folder", "State", ""), "Normal");
  EXPECT_NE(fs->content(kSettingsFile).find("Folder\\ColWidth0=Integer:140"), std::string::npos);

  started().prunePickupWindows();
  EXPECT_TRUE(started().pickupWindows().empty());
  EXPECT_TRUE(association.expired());

  // The next window opens where this one was.
  auto next = open();
  EXPECT_EQ(next->clientWidth(), 700);
  EXPECT_EQ(header(*next).sectionWidth(0), 140);
}

TEST_F(FolderForm, TheViewWindowStepsThroughTheRowsScrollingByGrowingStepsAndBringsItToFront) {
  settingsSortIndex(-1);
  std::vector<std::string> hits;
  for (int i = 0; i < 7; ++i) hits.insert(hits.end(), kSixHits.begin(), kSixHits.end());
  auto w = open(hits);  // 42 rows, 17 visible
  ASSERT_EQ(list(*w).visibleRowCount(), 17);
  EXPECT_TRUE(core::pickupWindowValid(*desktop, w.get()));
  // Nothing selected: no paths, no steps.
  EXPECT_EQ(w->nextPath(), "");
  w->stepNext();
  EXPECT_EQ(list(*w).firstSelected(), -1);

  // At the first row there is no previous one.
  select(*w, {0});
  EXPECT_EQ(w->previousPath(), "");
  w->stepPrevious();
  EXPECT_EQ(list(*w).firstSelected(), 0);
  EXPECT_EQ(w->nextPath(), "Acc1\\Inbox.box\\00000002");
  w->stepNext();
  EXPECT_EQ(list(*w).selectedRows(), std::vector<int>{1});
  EXPECT_EQ(w->previousPath(), "Acc1\\Inbox.box\\00000001");
  EXPECT_EQ(countBar(*w), " 42件中の 2番目");

  // 15 lines below the view: steps of 1, 2, 3, 4 and 5 lines.
  select(*w, {30});
  w->stepNext();
  EXPECT_EQ(list(*w).topIndex(), 15);
  // Steps never go past the row: 1, 2, then the 2 still needed.
  select(*w, {35});
  w->stepNext();
  EXPECT_EQ(list(*w).topIndex(), 20);

  // At the last row there is no next one.
  select(*w, {41});
  EXPECT_EQ(w->nextPath(), "");
  w->stepNext();
  EXPECT_EQ(list(*w).selectedRows(), std::vector<int>{41});

  // Brought to the front by its one-shot timer, after the host's window went.
  const sys::WindowHandle other = desktop->createWindow({sys::ControlKind::Form, "THost"}, nullptr);
  desktop->setVisible(other, true);
  w->bringToFront();
  EXPECT_EQ(desktop->foregroundWindow(), other);
  const auto timers = desktop->timers(w->handle());
  ASSERT_EQ(timers.size(), 1u);
  EXPECT_EQ(timers.begin()->second, 500);
  ASSERT_TRUE(desktop->fireTimer(w->handle(), timers.begin()->first));
  EXPECT_EQ(desktop->foregroundWindow(), w->handle());
  EXPECT_TRUE(desktop->timers(w->handle()).empty());
}

TEST_F(FolderForm, LookSettingsAreAppliedAgain) {
  auto w = open();
  started().settings().writeSetting("Pickup", "Color", std::int32_t{0x00E0FFFF});
  started().settings().writeSetting("Pickup", "StatusBar", false);
  started().settings().writeSetting("Pickup\\Font", "Bold", true);
  w->applyLookSettings();
  EXPECT_EQ(desktop->window(list(*w).handle()).color, sys::Color{0x00E0FFFF});
  EXPECT_FALSE(desktop->isVisible(w->component<ui::TStatusBar>("StatusBar").handle()));
  EXPECT_TRUE(w->font().bold);
}

TEST_F(FolderForm, TheSortColumnIsDrawnBold) {
  auto w = open();
  clickHeader(*w, 1);
  desktop->paint(header(*w).handle());
  std::vector<bool> bold;
  std::vector<sys::Point> at;
  bool current = false;
  for (const backend::SimCanvasOp& op : desktop->window(header(*w).handle()).paintLog) {
    if (op.kind == backend::SimCanvasOp::SetFont) current = op.font.bold;
    if (op.kind == backend::SimCanvasOp::Text) {
      bold.push_back(current);
      at.push_back(op.at);
    }
  }
  EXPECT_EQ(bold, (std::vector<bool>{false, true, false, false, false}));
  EXPECT_EQ(at[1], (sys::Point{header(*w).sectionLeft(1) + 2, 2}));
}

}  // namespace
}  // namespace gleanix::testing
