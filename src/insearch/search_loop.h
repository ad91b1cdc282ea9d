#pragma once
// The search inside a VIEW or SEND window's edit control: from the
// selection on, wrapping once to the beginning and stopping where it began;
// in replace mode each match is replaced (after a question when asked to)
// and the loop goes on with the next one. Positions are byte offsets into
// the control's CP932 text.

#include <functional>
#include <string>

#include "regex/match_core.h"
#include "sys/desktop.h"

namespace gleanix::insearch {

// The caption of the loop's message boxes.
inline constexpr const char* kSearchCaption = "検索／置き換え";

struct SearchLoopOptions {
  std::string replacement;         // taken literally
  bool find = true;                // false: replace each match
  bool message = true;             // report when nothing was found
  bool continueReplacing = true;   // go on after a match in replace mode
  bool confirm = true;             // ask before each replacement
};

// Asks whether to replace; returns the answer as a modal result: 6 replace,
// 7 skip, 1 replace this and all that follow without asking, anything else
// stops.
using ConfirmReplace = std::function<int(const std::string& question)>;

struct SearchLoopResult {
  int matches = 0;       // matches selected
  int replacements = 0;
  int textReads = 0;     // times the control's whole text was read
};

// "\"" + replacement + "\" と置き換えますか？"
std::string replaceQuestion(const std::string& replacement);
// "\"" + pattern + "\" は見つかりませんでした。"
std::string notFoundMessage(const std::string& pattern);

// Runs the loop with the matcher's present pattern over the control's text;
// the not-found message is owned by owner and quotes the pattern as typed.
// A match of no characters counts as no match: there is nothing to select
// or replace, and replacing it would never end.
SearchLoopResult runSearchLoop(sys::Desktop& desktop, regex::TMatchCORE& matcher, sys::WindowHandle owner,
                               sys::WindowHandle editor, const SearchLoopOptions& options,
                               const ConfirmReplace& confirm);

}  // namespace gleanix::insearch
