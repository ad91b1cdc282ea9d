// The search loop over an edit control on the simulated desktop: where a
// search starts, the wrap and the stop where it began, the replacement
// arithmetic, the answers to the question, and how often the control's
// text is read.

#include "insearch/search_loop.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "backend/sim/sim_desktop.h"
#include "regex/awk_str.h"

namespace gleanix::insearch {
namespace {

using backend::SimDesktop;
using Selection = std::pair<int, int>;

constexpr sys::WindowHandle kOwner = 0x4242;

class SearchLoop : public ::testing::Test {
 protected:
  void SetUp() override { matcher.setUseFuzzyCharDic(true); }

  void editor(const std::string& text, int start, int end) {
    editorOn(desktop, text, start, end);
  }
  void editorOn(SimDesktop& d, const std::string& text, int start, int end) {
    sys::WindowSpec form{.kind = sys::ControlKind::Form, .className = "THostEdit", .bounds = {0, 0, 400, 300}};
    const sys::WindowHandle host = d.createWindow(form, nullptr);
    sys::WindowSpec memo{.kind = sys::ControlKind::Memo, .className = "", .text = text, .parent = host,
                         .bounds = {0, 0, 400, 300}};
    edit = d.createWindow(memo, nullptr);
    d.setEditSelection(edit, start, end);
  }
  void pattern(const std::string& p, bool plain = true) {
    matcher.setLiteralPattern(plain);
    matcher.setRegExp(p);
  }
  SearchLoopResult run(SimDesktop& d) {
    return runSearchLoop(d, matcher, kOwner, edit, options, [this](const std::string& q) {
      questions.push_back(q);
      if (onQuestion) onQuestion();
      if (answers.empty()) return sys::result::Cancel;
      const int a = answers.front();
      answers.pop_front();
      return a;
    });
  }
  SearchLoopResult run() { return run(desktop); }
  SearchLoopResult replaceAll(const std::string& replacement) {
    options.find = false;
    options.confirm = false;
    options.replacement = replacement;
    return run();
  }
  Selection selection() const { return desktop.editSelection(edit); }
  std::string text() const { return desktop.text(edit); }

  SimDesktop desktop;
  regex::TAWKStr matcher;
  sys::WindowHandle edit = 0;
  SearchLoopOptions options;
  std::deque<int> answers;
  std::vector<std::string> questions;
  std::function<void()> onQuestion;
};

TEST_F(SearchLoop, FindWrapsToAMatchBeforeTheCaretAndFindsItAgainNextTime) {
  editor("foo bar baz", 6, 6);
  pattern("foo");
  run();
  EXPECT_EQ(selection(), Selection(0, 3));
  // The selection is passed by one character, the search wraps and meets
  // the same match before the point where it began.
  run();
  EXPECT_EQ(selection(), Selection(0, 3));
  EXPECT_TRUE(desktop.messageBoxes().empty());
}

TEST_F(SearchLoop, FindNextStepsThroughOverlappingMatches) {
  editor("aaaa", 0, 0);
  pattern("aa");
  std::vector<Selection> seen;
  for (int i = 0; i < 4; ++i) {
    run();
    seen.push_back(selection());
  }
  EXPECT_EQ(seen, (std::vector<Selection>{{0, 2}, {1, 3}, {2, 4}, {0, 2}}));
}

TEST_F(SearchLoop, ADoubleByteCharacterAtTheSelectionStartIsPassedWhole) {
  // The trail byte of "ア" (0x83 0x41) is "A": passing the selection by one
  // byte would find an "A" inside it.
  editor("アAア", 0, 2);
  pattern("A");
  run();
  EXPECT_EQ(selection(), Selection(2, 3));
  editor("アx", 0, 2);
  run();
  EXPECT_EQ(selection(), Selection(0, 2));  // nothing else: the search came back
  ASSERT_EQ(desktop.messageBoxes().size(), 1u);
}

TEST_F(SearchLoop, NothingFoundIsReportedWithThePatternAsTyped) {
  editor("abc", 1, 1);
  pattern("a.x");
  run();
  ASSERT_EQ(desktop.messageBoxes().size(), 1u);
  const auto& box = desktop.messageBoxes()[0];
  EXPECT_EQ(box.text, "\"a.x\" は見つかりませんでした。");
  EXPECT_EQ(box.caption, "検索／置き換え");
  EXPECT_EQ(box.owner, kOwner);
  EXPECT_EQ(box.buttons, sys::MessageButtons::Ok);
  EXPECT_EQ(selection(), Selection(1, 1));
  options.message = false;
  run();
  EXPECT_EQ(desktop.messageBoxes().size(), 1u);
}

TEST_F(SearchLoop, ReplacingAaByAInAaaaStopsAtTheStart) {
  editor("aaaa", 0, 0);
  pattern("aa");
  const SearchLoopResult r = replaceAll("a");
  EXPECT_EQ(text(), "aa");
  EXPECT_EQ(r.replacements, 2);
  EXPECT_TRUE(desktop.messageBoxes().empty());  // something was found
}

TEST_F(SearchLoop, ReplacingBeforeTheStartMovesTheStart) {
  // The second aa, the wrap, the first aa (the start moves from 3 to 2),
  // then nothing before the start: aXa.
  editor("aaXaa", 3, 3);
  pattern("aa");
  EXPECT_EQ(replaceAll("a").replacements, 2);
  EXPECT_EQ(text(), "aXa");
  // Growing the text before the start pushes the start on: the middle
  // match, now beyond where the search began, is still replaced.
  editor("a a a", 4, 4);
  pattern("a");
  EXPECT_EQ(replaceAll("aaaa").replacements, 3);
  EXPECT_EQ(text(), "aaaa aaaa aaaa");
}

TEST_F(SearchLoop, AReplacementHoldingThePatternIsNotReplacedAgain) {
  editor("xa", 2, 2);
  pattern("a");
  EXPECT_EQ(replaceAll("aa").replacements, 1);
  EXPECT_EQ(text(), "xaa");
}

TEST_F(SearchLoop, AnswersReplaceSkipReplaceAllOrStop) {
  editor("a1 a2 a3 a4", 0, 0);
  pattern("a");
  options.find = false;
  options.replacement = "bb";
  answers = {sys::result::Yes, sys::result::No, sys::result::Ok};
  const SearchLoopResult r = run();
  EXPECT_EQ(text(), "bb1 a2 bb3 bb4");
  EXPECT_EQ(r.replacements, 3);
  // "All" asks no more.
  EXPECT_EQ(questions, std::vector<std::string>(3, "\"bb\" と置き換えますか？"));

  editor("a1 a2 a3", 0, 0);
  answers = {sys::result::Yes, sys::result::Cancel};
  run();
  EXPECT_EQ(text(), "bb1 a2 a3");
  EXPECT_EQ(selection(), Selection(4, 5));  // the match it stopped at stays selected
}

TEST_F(SearchLoop, WithoutContinueEachAnswerStopsAfterOneMatch) {
  pattern("a");
  options.find = false;
  options.continueReplacing = false;
  options.replacement = "b";
  editor("a a", 0, 0);
  answers = {sys::result::Yes};
  run();
  EXPECT_EQ(text(), "b a");
  editor("a a", 0, 0);
  answers = {sys::result::No};
  run();
  EXPECT_EQ(text(), "a a");
  EXPECT_EQ(selection(), Selection(0, 1));
  EXPECT_EQ(questions.size(), 2u);
  // "All" goes on regardless.
  editor("a a", 0, 0);
  answers = {sys::result::Ok};
  run();
  EXPECT_EQ(text(), "b b");
}

TEST_F(SearchLoop, APatternThatMatchesNothingButTheEmptyStringEnds) {
  editor("abc", 0, 0);
  pattern("x*", false);
  const SearchLoopResult r = replaceAll("y");
  EXPECT_EQ(r.replacements, 0);
  EXPECT_EQ(text(), "abc");
  EXPECT_EQ(desktop.messageBoxes().size(), 1u);
}

TEST_F(SearchLoop, ReplaceAllReadsTheTextOnce) {
  std::string big;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    big += "line " + std::to_string(i) + " 検索語\r\n";
    expected += "line " + std::to_string(i) + " 置換\r\n";
  }
  editor(big, 0, 0);
  pattern("検索語");
  const SearchLoopResult r = replaceAll("置換");
  EXPECT_EQ(r.replacements, 1000);
  EXPECT_EQ(r.textReads, 1);
  EXPECT_EQ(text(), expected);
}

TEST_F(SearchLoop, TextChangedWhileTheQuestionIsUpIsReadAgain) {
  editor("a1 a2 a3", 0, 0);
  pattern("a");
  options.find = false;
  options.replacement = "b";
  answers = {sys::result::Yes, sys::result::Yes, sys::result::Yes};
  int asked = 0;
  // The user types into the mail while the second question is shown.
  onQuestion = [&] {
    if (++asked == 2) {
      desktop.setText(edit, "b1 a2 zz a3");
      desktop.setEditSelection(edit, 3, 4);
    }
  };
  run();
  EXPECT_EQ(text(), "b1 b2 zz b3");
}

// A control that keeps only the first byte of what it is asked to insert.
class ClippingDesktop : public SimDesktop {
 public:
  void replaceEditSelection(sys::WindowHandle w, const std::string& text, bool canUndo) override {
    SimDesktop::replaceEditSelection(w, text.substr(0, 1), canUndo);
  }
};

TEST_F(SearchLoop, AReplacementTheControlDidNotTakeAsAskedMakesItReadAgain) {
  ClippingDesktop clipping;
  editorOn(clipping, "a-a-a", 0, 0);
  pattern("a");
  options.find = false;
  options.confirm = false;
  options.replacement = "xy";
  const SearchLoopResult r = run(clipping);
  EXPECT_EQ(clipping.text(edit), "x-x-x");
  EXPECT_EQ(r.replacements, 3);
  EXPECT_GT(r.textReads, 1);
}

}  // namespace
}  // namespace gleanix::insearch
