#include "insearch/search_loop.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "insearch/editor_text.h"
#include "util/sjis.h"

namespace gleanix::insearch {
namespace {

struct Match {
  std::size_t offset;  // from the start of the text searched
  std::size_t length;
};

std::optional<Match> firstMatch(regex::TMatchCORE& matcher, std::string_view text) {
  int position = 0;
  int length = 0;
  if (matcher.match(text, position, length) <= 0 || length <= 0) return std::nullopt;
  return Match{static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length)};
}

std::size_t clampTo(int v, std::size_t low, std::size_t high) {
  if (v < 0) return low;
  return std::clamp(static_cast<std::size_t>(v), low, high);
}

bool replaces(int answer) { return answer == sys::result::Yes || answer == sys::result::Ok; }

}  // namespace

std::string replaceQuestion(const std::string& replacement) {
  return "\"" + replacement + "\" と置き換えますか？";
}

std::string notFoundMessage(const std::string& pattern) { return "\"" + pattern + "\" は見つかりませんでした。"; }

SearchLoopResult runSearchLoop(sys::Desktop& desktop, regex::TMatchCORE& matcher, sys::WindowHandle owner,
                               sys::WindowHandle editor, const SearchLoopOptions& options,
                               const ConfirmReplace& confirm) {
  SearchLoopResult out;
  EditorText text(desktop, editor);
  const std::string& r = options.replacement;
  bool continueReplacing = options.continueReplacing;
  bool ask = options.confirm;
  bool wrapped = false;
  // Where the search began. Signed: a replacement that straddles it can
  // move it before the start of the text.
  std::optional<std::int64_t> start;
  // Where the caret must stand after our own replacement; anything else
  // means the control did not take it as asked, and its text is read again.
  std::optional<std::size_t> expectedCaret;

  for (;;) {
    const auto [s, e] = desktop.editSelection(editor);
    if (expectedCaret && (s != e || s < 0 || static_cast<std::size_t>(s) != *expectedCaret)) text.invalidate();
    expectedCaret.reset();
    const std::size_t size = text.size();
    const std::size_t selStart = clampTo(s, 0, size);
    const std::size_t selEnd = clampTo(e, selStart, size);

    // A selection (the last match) is passed by one character, a
    // double-byte one whole, so that overlapping matches are found in turn.
    std::size_t p = selStart;
    if (selEnd > selStart) p += util::charBytesAt(text.from(p), 0);
    if (!start) start = static_cast<std::int64_t>(p);

    std::optional<Match> match = firstMatch(matcher, text.from(p));
    if (match) {
      p += match->offset;
    } else if (!wrapped) {
      wrapped = true;
      match = firstMatch(matcher, text.whole());
      if (match) p = match->offset;
    }
    // After the wrap, reaching the start again means every match was seen.
    if (match && wrapped && static_cast<std::int64_t>(p) >= *start) match.reset();

    if (!match) {
      if (out.matches == 0 && options.message) {
        desktop.messageBox(owner, notFoundMessage(matcher.RegExp()), kSearchCaption, sys::MessageIcon::None,
                           sys::MessageButtons::Ok);
      }
      break;
    }

    const std::size_t n = match->length;
    desktop.setEditSelection(editor, static_cast<int>(p), static_cast<int>(p + n));
    ++out.matches;
    if (options.find) break;

    int answer = sys::result::Yes;
    if (ask) {
      answer = confirm(replaceQuestion(r));
      // The control stayed usable while the question was up.
      text.invalidate();
    }
    if (replaces(answer)) {
      // The start moves with the text before it.
      if (static_cast<std::int64_t>(p) < *start) {
        *start += static_cast<std::int64_t>(r.size()) - static_cast<std::int64_t>(n);
      }
      desktop.replaceEditSelection(editor, r, true);
      text.replaced(p, n, r);
      expectedCaret = p + r.size();
      ++out.replacements;
    }
    if (answer == sys::result::Ok) {
      continueReplacing = true;
      ask = false;
    }
    const bool answered = replaces(answer) || answer == sys::result::No;
    if (!answered || !continueReplacing) break;
  }
  out.textReads = text.reads();
  return out;
}

}  // namespace gleanix::insearch
