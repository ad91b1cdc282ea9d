// Gleanix's items in the host menus: where the shared and the edit popups
// go, which items each code adds under which settings, and which command
// each item is registered for.
#include "entry/menus.h"

#include <gtest/gtest.h>

#include "core/thread_state.h"
#include "entry/commands.h"
#include "entry/menu_fixture.h"

namespace gleanix::testing {
namespace {

using entry::initFolderMenu;
using entry::initSendMenu;
using entry::initViewMenu;
using Lines = std::vector<std::string>;

const std::string kRelated = "関連メールのピックアップ ...";
const std::string kKeyword = "キーワードでピックアップ ...";
const std::string kMark = "マークでピックアップ ...";
const std::string kHome = "ホームページ (&Web Page)";

TEST_F(MenuTest, TheMainMenuBarGetsTheSharedPopupBeforeHelp) {
  start();
  const sys::MenuHandle menu = bar({"ファイル(&F)", "ヘルプ(&H)"});
  initFolderMenu(started(), menu, entry::kMainMenuBar);
  EXPECT_EQ(lines(menu), (Lines{"ファイル(&F)", "  ファイル(&F) item", "Sorvek(&K)", "  " + kRelated, "  " + kKeyword,
                                "  " + kMark, "  -", "  " + kHome, "ヘルプ(&H)", "  ヘルプ(&H) item"}));

  const sys::MenuHandle popup = desktop->subMenu(menu, 1);
  EXPECT_EQ(commandAt(popup, 0), std::make_pair(&entry::relatedPickupCommand, entry::kFromMainWindow));
  EXPECT_EQ(commandAt(popup, 1).first, &entry::keywordPickupCommand);
  EXPECT_EQ(commandAt(popup, 2).first, &entry::markPickupCommand);
  EXPECT_EQ(commandAt(popup, 4), std::make_pair(&entry::homePageCommand, 0));
}

TEST_F(MenuTest, TheSharedPopupGoesBeforeTheLastHelpOrAtTheEnd) {
  start();
  const sys::MenuHandle twoHelps = bar({"ヘルプ(&H)", "表示(&V)", "ヘルプ(&H)"});
  initFolderMenu(started(), twoHelps, entry::kMainMenuBar);
  EXPECT_EQ(desktop->menuItemText(twoHelps, 2), "Sorvek(&K)");

  const sys::MenuHandle noHelp = bar({"ファイル(&F)", "ヘルプ"});
  initFolderMenu(started(), noHelp, entry::kMainMenuBar);
  EXPECT_EQ(desktop->menuItemCount(noHelp), 3);
  EXPECT_EQ(desktop->menuItemText(noHelp, 2), "Sorvek(&K)");
}

TEST_F(MenuTest, AnotherPluginsPopupIsReusedWithTheItemsBeforeItsLastItem) {
  start("Menu\\Caption=String:ツール(&T)\r\n");
  const sys::MenuHandle menu = bar({"ファイル(&F)", "ツール(&T)", "ヘルプ(&H)"});
  const sys::MenuHandle other = desktop->subMenu(menu, 1);
  desktop->insertMenuItem(other, -1, {.text = "Other home", .id = 2});
  initFolderMenu(started(), menu, entry::kMainMenuBar);
  EXPECT_EQ(desktop->menuItemCount(menu), 3);
  EXPECT_EQ(lines(other), (Lines{"ツール(&T) item", kRelated, kKeyword, kMark, "-", "Other home"}));
}

TEST_F(MenuTest, TheMainMenuKeysChooseItemsAndAllOffLeaveTheBarAlone) {
  start("MainMenu\\MarkFind=Boolean:False\r\nMainMenu\\Related=Boolean:False\r\n");
  const sys::MenuHandle some = bar({"ヘルプ(&H)"});
  initFolderMenu(started(), some, entry::kMainMenuBar);
  EXPECT_EQ(lines(desktop->subMenu(some, 0)), (Lines{kKeyword, "-", kHome}));

  started().settings().writeSetting("MainMenu", "KeyFind", false);
  const sys::MenuHandle none = bar({"ファイル(&F)", "ヘルプ(&H)"});
  initFolderMenu(started(), none, entry::kMainMenuBar);
  EXPECT_EQ(lines(none), (Lines{"ファイル(&F)", "  ファイル(&F) item", "ヘルプ(&H)", "  ヘルプ(&H) item"}));
}

TEST_F(MenuTest, TheMainContextMenuAppendsRelatedKeywordMarkAfterASeparator) {
  start("ContextMenu\\KeyFind=Boolean:False\r\n");
  const sys::MenuHandle menu = desktop->createPopupMenu();
  desktop->insertMenuItem(menu, -1, {.text = "返信", .id = 5});
  initFolderMenu(started(), menu, entry::kMainContextMenu);
  EXPECT_EQ(lines(menu), (Lines{"返信", "-", kRelated, kMark}));

  started().settings().writeSetting("ContextMenu", "Related", false);
  started().settings().writeSetting("ContextMenu", "MarkFind", false);
  const sys::MenuHandle none = desktop->createPopupMenu();
  initFolderMenu(started(), none, entry::kMainContextMenu);
  EXPECT_EQ(desktop->menuItemCount(none), 0);
}

TEST_F(MenuTest, OtherCodesLeaveTheMenuAlone) {
  start();
  const sys::MenuHandle menu = bar({"編集(&E)", "ヘルプ(&H)"});
  const Lines before = lines(menu);
  for (int code : {100, 103, 201, 301}) initFolderMenu(started(), menu, code);
  for (int code : {0, 101, 203, 302}) initViewMenu(started(), 0, menu, code);
  for (int code : {102, 201, 303}) initSendMenu(started(), menu, code);
  EXPECT_EQ(lines(menu), before);
  EXPECT_TRUE(sim.commands().empty());
}

TEST_F(MenuTest, TheViewMenuBarExtendsTheEditPopupAndKeepsTheSearchIds) {
  start();
  const sys::MenuHandle menu = bar({"ファイル(&F)", "編集(&E)", "ヘルプ(&H)"});
  initViewMenu(started(), 0, menu, entry::kViewMenuBar);
  EXPECT_EQ(lines(menu), (Lines{"ファイル(&F)", "  ファイル(&F) item", "編集(&E)", "  編集(&E) item", "  -",
                                "  メール内の検索 (&Find)...\tCtrl+F", "  メール内の次を検索 (&Search)\tF3, Ctrl+N",
                                "Sorvek(&K)", "  " + kRelated, "ヘルプ(&H)", "  ヘルプ(&H) item"}));
  const sys::MenuHandle edit = desktop->subMenu(menu, 1);
  EXPECT_EQ(commandAt(edit, 2), std::make_pair(&entry::inMailSearchCommand, entry::kViewFind));
  EXPECT_EQ(commandAt(edit, 3), std::make_pair(&entry::inMailSearchCommand, entry::kViewFindNext));
  EXPECT_EQ(core::threadState().viewFindId, itemId(edit, 2));
  EXPECT_EQ(core::threadState().viewFindNextId, itemId(edit, 3));
  EXPECT_EQ(commandAt(desktop->subMenu(menu, 2), 0),
            std::make_pair(&entry::relatedPickupCommand, entry::kFromViewWindow));
}

TEST_F(MenuTest, AViewBarWithoutEditPopupGetsOneBeforeHelpAndAnExistingSharedPopupASeparator) {
  start();
  const sys::MenuHandle menu = bar({"ファイル(&F)", "Sorvek(&K)", "ヘルプ(&H)"});
  initViewMenu(started(), 0, menu, entry::kViewMenuBar);
  EXPECT_EQ(lines(menu), (Lines{"ファイル(&F)", "  ファイル(&F) item", "Sorvek(&K)", "  Sorvek(&K) item", "  -",
                                "  " + kRelated, "編集(&E)", "  メール内の検索 (&Find)...\tCtrl+F",
                                "  メール内の次を検索 (&Search)\tF3, Ctrl+N", "ヘルプ(&H)", "  ヘルプ(&H) item"}));
}

TEST_F(MenuTest, TheSendMenusCarryFindReplaceAndNext) {
  start();
  const sys::MenuHandle menu = bar({"編集(&E)"});
  initSendMenu(started(), menu, entry::kSendMenuBar);
  const sys::MenuHandle edit = desktop->subMenu(menu, 0);
  EXPECT_EQ(lines(edit), (Lines{"編集(&E) item", "-", "本文内の検索 (&Find)...\tCtrl+F",
                                "本文内の置換 (&Replace)...\tCtrl+R", "本文内の次の検索／置換 (&Next)\tF3, Ctrl+N"}));
  EXPECT_EQ(commandAt(edit, 3), std::make_pair(&entry::inMailSearchCommand, entry::kSendReplace));
  EXPECT_EQ(commandAt(edit, 4), std::make_pair(&entry::inMailSearchCommand, entry::kSendNext));

  const sys::MenuHandle context = desktop->createPopupMenu();
  initSendMenu(started(), context, entry::kSendContextMenu);
  EXPECT_EQ(lines(context), (Lines{"-", "本文内の検索 ...", "本文内の置換 ...", "本文内の次の検索／置換"}));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(itemId(context, i), itemId(edit, i + 1));
  const auto& state = core::threadState();
  EXPECT_EQ((std::vector<int>{state.sendFindId, state.sendReplaceId, state.sendNextId}),
            (std::vector<int>{itemId(edit, 2), itemId(edit, 3), itemId(edit, 4)}));
}

TEST_F(MenuTest, ContextItemsWithoutTheirBarItemsCarryIdZero) {
  start("View\\Search=Boolean:False\r\nSend\\Search=Boolean:False\r\nViewContext\\SearchML=Boolean:False\r\n"
        "View\\Context\\Related=Boolean:False\r\n");
  const sys::MenuHandle viewBar = bar({"編集(&E)"});
  initViewMenu(started(), 0, viewBar, entry::kViewMenuBar);
  EXPECT_EQ(lines(desktop->subMenu(viewBar, 0)), (Lines{"編集(&E) item"}));

  const sys::MenuHandle view = desktop->createPopupMenu();
  initViewMenu(started(), 0, view, entry::kViewContextMenu);
  EXPECT_EQ(lines(view), (Lines{"-", "メール内の検索 ...", "メール内の次を検索"}));
  EXPECT_EQ(itemId(view, 1), 0);
  EXPECT_EQ(itemId(view, 2), 0);
}

// The VIEW context menu with the caret at a byte offset of the editor's text.
class NumberMenu : public MenuTest {
 protected:
  void SetUp() override { start(); }

  Lines contextAt(const std::string& text, int caret) {
    const sys::WindowHandle view = sim.openViewWindow("Acc1\\Inbox.box\\00000001");
    const sys::WindowHandle form = desktop->createWindow({.kind = sys::ControlKind::Form, .className = "TView"}, nullptr);
    const sys::WindowHandle editor =
        desktop->createWindow({.kind = sys::ControlKind::Memo, .className = "", .text = text, .parent = form}, nullptr);
    desktop->setEditSelection(editor, caret, caret);
    sim.setEditor(view, editor);
    const sys::MenuHandle menu = desktop->createPopupMenu();
    initViewMenu(started(), view, menu, entry::kViewContextMenu);
    menu_ = menu;
    return lines(menu);
  }
  // Only the number item, or "" when none is offered.
  std::string offered(const std::string& text, int caret) {
    const Lines l = contextAt(text, caret);
    return l.size() > 2 && l[1].ends_with(" を探す") ? l[1] : "";
  }
  sys::MenuHandle menu_ = 0;
};

TEST_F(NumberMenu, TheNumberAroundTheCaretIsOfferedAndKept) {
  const std::string text = "見てください [abc:123] です";
  const int inside = static_cast<int>(text.find("c:1"));
  EXPECT_EQ(contextAt(text, inside),
            (Lines{"-", "[abc:123] を探す", "-", "メール内の検索 ...", "メール内の次を検索", "-", kRelated}));
  EXPECT_EQ(core::threadState().mailingListNumber, "[abc:123]");
  EXPECT_EQ(commandAt(menu_, 1).first, &entry::mailingListNumberCommand);
  EXPECT_EQ(commandAt(menu_, 6), std::make_pair(&entry::relatedPickupCommand, entry::kFromViewWindow));
}

TEST_F(NumberMenu, NoColonOrALineBreakBetweenTheBracketsOffersNothing) {
  EXPECT_EQ(offered("x [abc 123] y", 5), "");
  EXPECT_EQ(offered("x [abc:\r\n123] y", 5), "");
  EXPECT_EQ(offered("x [abc:\n123] y", 11), "");
  EXPECT_EQ(offered("x [abc:123] y", 5), "[abc:123] を探す");
}

TEST_F(NumberMenu, BracketsAreSeenUpTo20BytesFromTheCaret) {
  // "[" at 0, "]" at 35.
  const std::string text = "[ab:" + std::string(31, 'c') + "]";
  const std::string item = text + " を探す";
  EXPECT_EQ(offered(text, 15), "");    // the "]" 20 bytes on
  EXPECT_EQ(offered(text, 16), item);  // 19 bytes on
  EXPECT_EQ(offered(text, 20), item);  // the "[" 20 bytes back
  EXPECT_EQ(offered(text, 21), "");    // 21 bytes back
}

}  // namespace
}  // namespace gleanix::testing
