// The in-mail search command against quillon-sim on the simulated desktop:
// the dialog in both modes, the settings it fills from and writes, find
// next without a dialog, patterns in plain and regular-expression mode, the
// replace question, and the dialogs' places in the registry.

#include "insearch/in_mail_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "insearch/replace_form.h"
#include "insearch/search_form.h"
#include "settings/registry_access.h"
#include "support/form_fit.h"
#include "support/plugin_fixture.h"
#include "ui/std_controls.h"

namespace gleanix::testing {
namespace {

using backend::SimWindow;
using insearch::inMailSearch;
using Selection = std::pair<int, int>;

constexpr int kViewFind = 0;
constexpr int kViewNext = 2;
constexpr int kSendFind = 10;
constexpr int kSendReplace = 11;
constexpr int kSendNext = 12;

class InMailSearch : public PluginTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(startUp(), 255);
    view = sim.openViewWindow("Acc1\\Inbox.box\\00000001");
    send = sim.openSendWindow("To: a@example.jp\r\n");
    viewEdit = hostEditor(view, "ViewEdit");
    sendEdit = hostEditor(send, "SendEdit");
  }

  // The edit control quillon-sim hands out for a window.
  sys::WindowHandle hostEditor(sys::WindowHandle window, const std::string& name) {
    sys::WindowSpec form{.kind = sys::ControlKind::Form, .className = "THostWindow", .bounds = {0, 0, 400, 300}};
    const sys::WindowHandle host = desktop->createWindow(form, nullptr);
    sys::WindowSpec memo{.kind = sys::ControlKind::Memo, .className = "", .name = name, .parent = host,
                         .bounds = {0, 0, 400, 300}};
    const sys::WindowHandle edit = desktop->createWindow(memo, nullptr);
    sim.setEditor(window, edit);
    return edit;
  }
  void setText(sys::WindowHandle edit, const std::string& text, int caret = 0) {
    desktop->setText(edit, text);
    desktop->setEditSelection(edit, caret, caret);
  }
  Selection selection(sys::WindowHandle edit) const { return desktop->editSelection(edit); }

  settings::SettingsCache& settings() { return started().settings(); }
  std::string setting(const char* key) { return settings().readString("Search", key, "(none)"); }
  void searchFor(const std::string& keyword, bool regular = false) {
    settings().writeSetting("Search", "Keyword", keyword);
    settings().writeSetting("Search", "RegularExpression", regular);
  }

  // Answers the next dialog: types the keyword (and replacement) and
  // presses the search button.
  void answerDialog(const std::string& keyword, const std::string& replacement = "") {
    desktop->onModal([this, keyword, replacement](sys::WindowHandle form) {
      desktop->typeText(desktop->child(form, "KeywordCombo"), keyword);
      if (!replacement.empty()) desktop->typeText(desktop->child(form, "ReplaceCombo"), replacement);
      desktop->click(desktop->child(form, "SearchButton"));
    });
  }
  const SimWindow& control(sys::WindowHandle form, const char* name) const {
    return desktop->window(desktop->child(form, name));
  }

  sys::WindowHandle view = 0;
  sys::WindowHandle send = 0;
  sys::WindowHandle viewEdit = 0;
  sys::WindowHandle sendEdit = 0;
};

TEST_F(InMailSearch, FindDialogShowsTheFindControlsAndSearches) {
  settings().writeSetting("Search", "Keyword", "old\r\nolder");
  settings().writeSetting("Search", "Replace", "rep");
  settings().writeSetting("Search", "Message", false);
  setText(viewEdit, "xx 探す yy 探す", 3);
  desktop->onModal([this](sys::WindowHandle form) {
    const SimWindow& f = desktop->window(form);
    EXPECT_EQ(f.className, "TSearchForm");
    EXPECT_EQ(f.text, "このメール内の検索");
    EXPECT_EQ(control(form, "SearchButton").text, "検索");
    EXPECT_TRUE(control(form, "SearchButton").enabled);
    for (const char* hidden : {"ReplaceLabel", "ReplaceCombo", "ContinueCheck", "ConfirmCheck"}) {
      EXPECT_FALSE(control(form, hidden).visible) << hidden;
    }
    EXPECT_EQ(desktop->clientRect(form).height(), control(form, "MessageCheck").bounds.bottom + 8);
    const SimWindow& keyword = control(form, "KeywordCombo");
    EXPECT_EQ(keyword.text, "old");
    EXPECT_EQ(keyword.items, (std::vector<std::string>{"old", "older"}));
    EXPECT_FALSE(control(form, "RegularCheck").checked);
    EXPECT_FALSE(control(form, "MessageCheck").checked);
    desktop->typeText(desktop->child(form, "KeywordCombo"), "探す");
    desktop->click(desktop->child(form, "SearchButton"));
  });
  inMailSearch(started(), view, kViewFind);
  EXPECT_EQ(selection(viewEdit), Selection(3, 7));
  EXPECT_EQ(setting("Keyword"), "探す\r\nold\r\nolder");
  EXPECT_EQ(setting("Replace"), "rep");
  EXPECT_TRUE(settings().readBool("Search", "Find", false));
  // Kept on disk at once: find next works from it in the next session too.
  EXPECT_NE(fs->content(kSettingsFile).find("Search\\Keyword=String:探す%0D%0Aold"), std::string::npos);

  // Find next goes on from the match without a dialog.
  inMailSearch(started(), view, kViewNext);
  EXPECT_EQ(selection(viewEdit), Selection(11, 15));
  EXPECT_EQ(desktop->pendingScripts(), 0u);
}

TEST_F(InMailSearch, ReplaceDialogShowsEveryControlAndReplaces) {
  settings().writeSetting("Search", "Confirm", false);
  settings().writeSetting("Search", "Keyword", "one");
  setText(sendEdit, "one two one");
  desktop->onModal([this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->window(form).text, "このメール内の置換");
    EXPECT_EQ(control(form, "SearchButton").text, "置換");
    for (const char* shown : {"KeywordCombo", "ReplaceLabel", "ReplaceCombo", "RegularCheck", "MessageCheck",
                              "ContinueCheck", "ConfirmCheck"}) {
      EXPECT_TRUE(control(form, shown).visible) << shown;
    }
    EXPECT_EQ(desktop->clientRect(form).height(), control(form, "ConfirmCheck").bounds.bottom + 8);
    EXPECT_TRUE(control(form, "ContinueCheck").checked);
    EXPECT_FALSE(control(form, "ConfirmCheck").checked);
    // The search button follows the keyword text, typed or taken from the history.
    EXPECT_TRUE(control(form, "SearchButton").enabled);
    desktop->typeText(desktop->child(form, "KeywordCombo"), "");
    EXPECT_FALSE(control(form, "SearchButton").enabled);
    desktop->chooseComboItem(desktop->child(form, "KeywordCombo"), 0);
    EXPECT_TRUE(control(form, "SearchButton").enabled);
    desktop->typeText(desktop->child(form, "KeywordCombo"), "");
    desktop->pressKey(desktop->child(form, "KeywordCombo"), sys::vk::Return);  // a disabled default button
    EXPECT_TRUE(desktop->isWindow(form) && desktop->isVisible(form));
    desktop->typeText(desktop->child(form, "KeywordCombo"), "one");
    desktop->typeText(desktop->child(form, "ReplaceCombo"), "1");
    desktop->click(desktop->child(form, "SearchButton"));
  });
  inMailSearch(started(), send, kSendReplace);
  EXPECT_EQ(desktop->text(sendEdit), "1 two 1");
  EXPECT_FALSE(desktop->window(sendEdit).selectionHidden);
  EXPECT_FALSE(settings().readBool("Search", "Find", true));
  EXPECT_EQ(setting("Replace"), "1");
}

TEST_F(InMailSearch, BothDialogsFitTheirCaptionsInEveryMode) {
  for (const bool replace : {false, true}) {
    insearch::TSearchForm form(started(), view);
    form.replaceMode = replace;
    form.show();
    EXPECT_EQ(layoutFaults(form), std::vector<std::string>()) << replace;
  }
  insearch::TReplaceForm question(started(), "\"置換後の文字列\" と置き換えますか？");
  question.show();
  EXPECT_EQ(layoutFaults(question), std::vector<std::string>());
}

TEST_F(InMailSearch, AKeywordInTheHistoryInOtherLetterCaseTakesTheTopWithItsNewSpelling) {
  std::string history;
  for (int i = 1; i <= 20; ++i) history += (i > 1 ? "\r\n" : "") + std::string("key") + std::to_string(i);
  settings().writeSetting("Search", "Keyword", history);
  answerDialog("KEY7");
  inMailSearch(started(), view, kViewFind);
  std::vector<std::string> expected = {"KEY7"};
  for (int i = 1; i <= 20; ++i) {
    if (i != 7) expected.push_back("key" + std::to_string(i));
  }
  EXPECT_EQ(sys::splitLines(setting("Keyword")), expected);
  // A new one pushes the oldest out: still 20.
  answerDialog("new");
  inMailSearch(started(), view, kViewFind);
  const auto lines = sys::splitLines(setting("Keyword"));
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines.front(), "new");
  EXPECT_EQ(lines.back(), "key19");
}

TEST_F(InMailSearch, CancellingTheDialogSearchesNothingAndKeepsTheSettings) {
  settings().writeSetting("Search", "Keyword", "abc");
  setText(viewEdit, "abc", 0);
  desktop->onModal([this](sys::WindowHandle form) {
    desktop->typeText(desktop->child(form, "KeywordCombo"), "zzz");
    desktop->click(desktop->child(form, "CancelButton"));
  });
  inMailSearch(started(), view, kViewFind);
  EXPECT_EQ(selection(viewEdit), Selection(0, 0));
  EXPECT_EQ(setting("Keyword"), "abc");
  EXPECT_TRUE(desktop->messageBoxes().empty());
}

TEST_F(InMailSearch, AnOpenSearchDialogIsBroughtForwardInsteadOfASecondOne) {
  sys::WindowHandle first = 0;
  desktop->onModal([&](sys::WindowHandle form) {
    first = form;
    desktop->setForegroundWindow(viewEdit);
    // Ctrl+F in the SEND window while the VIEW window's dialog is up.
    inMailSearch(started(), send, kSendFind);
    EXPECT_EQ(desktop->modalDepth(), 1);
    EXPECT_EQ(desktop->foregroundWindow(), form);
    desktop->click(desktop->child(form, "CancelButton"));
  });
  desktop->onModal([](sys::WindowHandle) { ADD_FAILURE() << "a second dialog"; });
  inMailSearch(started(), view, kViewFind);
  EXPECT_NE(first, 0u);
  EXPECT_EQ(desktop->pendingScripts(), 1u);
}

TEST_F(InMailSearch, FindNextWithoutAKeywordDoesNothing) {
  setText(viewEdit, "abc", 1);
  inMailSearch(started(), view, kViewNext);
  inMailSearch(started(), send, kSendNext);
  EXPECT_EQ(selection(viewEdit), Selection(1, 1));
  EXPECT_TRUE(desktop->messageBoxes().empty());
  EXPECT_EQ(desktop->modalDepth(), 0);
}

TEST_F(InMailSearch, PlainTextModeTakesSpecialCharactersLiterally) {
  setText(viewEdit, "abc a.c");
  searchFor("a.c");
  inMailSearch(started(), view, kViewNext);
  EXPECT_EQ(selection(viewEdit), Selection(4, 7));
  setText(viewEdit, "abc a.c");
  searchFor("a.c", true);
  inMailSearch(started(), view, kViewNext);
  EXPECT_EQ(selection(viewEdit), Selection(0, 3));
}

TEST_F(InMailSearch, TheNotFoundMessageQuotesTheKeywordAsTyped) {
  setText(viewEdit, "nothing here");
  searchFor("a.(c)\r\nolder");
  inMailSearch(started(), view, kViewNext);
  ASSERT_EQ(desktop->messageBoxes().size(), 1u);
  EXPECT_EQ(desktop->messageBoxes()[0].text, "\"a.(c)\" は見つかりませんでした。");
  EXPECT_EQ(desktop->messageBoxes()[0].caption, "検索／置き換え");
  EXPECT_EQ(desktop->messageBoxes()[0].owner, view);
}

TEST_F(InMailSearch, ABadRegularExpressionIsReportedAndNothingIsSearched) {
  setText(viewEdit, "abc", 1);
  searchFor("*a", true);
  inMailSearch(started(), view, kViewNext);
  // The folding rewrite swallows this one: it must not match the empty
  // pattern silently either, neither now nor on the next find next.
  searchFor("[ab", true);
  inMailSearch(started(), view, kViewNext);
  inMailSearch(started(), view, kViewNext);
  const auto& boxes = desktop->messageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, "文字か、左括弧 \"(\" が必要です(1)");
  EXPECT_EQ(boxes[0].caption, "エラー");
  EXPECT_EQ(boxes[0].icon, sys::MessageIcon::Error);
  EXPECT_EQ(boxes[0].owner, view);
  EXPECT_EQ(boxes[1].text, "右ブラケット \"]\" が必要です(4)");
  EXPECT_EQ(boxes[2].text, boxes[1].text);
  EXPECT_EQ(selection(viewEdit), Selection(1, 1));
  // The same text in plain mode is fine.
  searchFor("[ab");
  setText(viewEdit, "x[ab");
  inMailSearch(started(), view, kViewNext);
  EXPECT_EQ(selection(viewEdit), Selection(1, 4));
}

TEST_F(InMailSearch, FindNextRepeatsTheLastDialogsModeButAViewWindowOnlyFinds) {
  searchFor("ab");
  settings().writeSetting("Search", "Replace", "X");
  settings().writeSetting("Search", "Find", false);
  settings().writeSetting("Search", "Confirm", false);
  setText(viewEdit, "ab ab");
  setText(sendEdit, "ab ab");
  inMailSearch(started(), view, kViewNext);
  EXPECT_EQ(desktop->text(viewEdit), "ab ab");
  EXPECT_EQ(selection(viewEdit), Selection(0, 2));
  EXPECT_TRUE(desktop->window(viewEdit).selectionHidden);  // only the SEND editor is told
  inMailSearch(started(), send, kSendNext);
  EXPECT_EQ(desktop->text(sendEdit), "X X");
}

TEST_F(InMailSearch, TheReplaceQuestionIsATReplaceFormWithFourAnswers) {
  searchFor("a");
  settings().writeSetting("Search", "Replace", "b\r\nolder");
  settings().writeSetting("Search", "Find", false);
  setText(sendEdit, "a a a a");
  std::vector<std::string> seen;
  for (const char* button : {"YesButton", "NoButton", "AllButton"}) {
    desktop->onModal([this, button, &seen](sys::WindowHandle form) {
      const SimWindow& f = desktop->window(form);
      EXPECT_EQ(f.className, "TReplaceForm");
      EXPECT_EQ(f.text, "置換");
      EXPECT_EQ(f.owner, 0u);
      seen.push_back(control(form, "MainLabel").text);
      desktop->click(desktop->child(form, button));
    });
  }
  inMailSearch(started(), send, kSendNext);
  EXPECT_EQ(desktop->text(sendEdit), "b a b b");
  EXPECT_EQ(seen, std::vector<std::string>(3, "\"b\" と置き換えますか？"));

  setText(sendEdit, "a a");
  desktop->onModal([this](sys::WindowHandle form) { desktop->click(desktop->child(form, "CancelButton")); });
  inMailSearch(started(), send, kSendNext);
  EXPECT_EQ(desktop->text(sendEdit), "a a");
  EXPECT_EQ(desktop->pendingScripts(), 0u);
}

TEST_F(InMailSearch, TheDialogsKeepTheirPlacesInTheRegistry) {
  const auto readInt = [this](const std::string& path, const char* name) {
    return settings::readRegistryValue(*registry, settings::kPluginRegistryKey, path, name, -1).toInt().value_or(-2);
  };
  searchFor("a");
  desktop->onModal([this](sys::WindowHandle form) {
    const sys::Rect r = desktop->bounds(form);
    desktop->setBounds(form, {100, 50, 100 + r.width(), 50 + r.height()});
    desktop->click(desktop->child(form, "CancelButton"));
  });
  inMailSearch(started(), view, kViewFind);
  EXPECT_EQ(readInt("SearchForm\\View", "Left"), 100);
  EXPECT_EQ(readInt("SearchForm\\View", "Top"), 50);
  EXPECT_EQ(readInt("SearchForm\\Send", "Left"), -1);
  // Shown again where it was left; the SEND window's dialog has its own place.
  desktop->onModal([this](sys::WindowHandle form) {
    EXPECT_EQ(desktop->bounds(form).left, 100);
    EXPECT_EQ(desktop->bounds(form).top, 50);
    desktop->click(desktop->child(form, "CancelButton"));
  });
  inMailSearch(started(), view, kViewFind);
  desktop->onModal([this](sys::WindowHandle form) {
    EXPECT_NE(desktop->bounds(form).left, 100);
    desktop->click(desktop->child(form, "CancelButton"));
  });
  inMailSearch(started(), send, kSendReplace);
  EXPECT_NE(readInt("SearchForm\\Send", "Left"), -1);

  settings().writeSetting("Search", "Find", false);
  setText(sendEdit, "a");
  desktop->onModal([this](sys::WindowHandle form) {
    const sys::Rect r = desktop->bounds(form);
    desktop->setBounds(form, {20, 30, 20 + r.width(), 30 + r.height()});
    desktop->click(desktop->child(form, "NoButton"));
  });
  inMailSearch(started(), send, kSendNext);
  EXPECT_EQ(readInt("ReplaceForm", "Left"), 20);
  EXPECT_EQ(readInt("ReplaceForm", "Top"), 30);
}

}  // namespace
}  // namespace gleanix::testing
