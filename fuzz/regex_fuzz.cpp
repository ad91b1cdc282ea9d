// The pattern compiler and the matchers on arbitrary patterns and texts:
// no crash, no hang, no error but ERegExpParser; the match lies inside the
// text and begins on a character that is not a blank; the one-pass answer,
// the position search and a matcher with a tiny state cache all agree; the
// keyword item takes the same bytes as keywords.
//
// Input: one flag byte (1 fold, 2 plain text, 4 keyword item in pattern
// mode), one byte giving the pattern length, the pattern, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "regex/awk_str.h"
#include "regex/compiled_pattern.h"
#include "regex/fuzzy_dictionary.h"
#include "regex/keyword_item.h"
#include "regex/re_char.h"
#include "regex/re_preprocessor.h"
#include "regex/reg_exp_error.h"

namespace {

using namespace gleanix::regex;

void check(bool ok) {
  if (!ok) std::abort();
}

bool blankAt(const std::string& text, std::size_t i) { return isBlankCode(readTextChar(text, i).code); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const bool fuzzy = (data[0] & 1) != 0;
  const bool literal = (data[0] & 2) != 0;
  const bool keywordPatterns = (data[0] & 4) != 0;
  const std::size_t patternSize = data[1] < size - 2 ? data[1] : size - 2;
  const std::string pattern(reinterpret_cast<const char*>(data) + 2, patternSize);
  const std::string text(reinterpret_cast<const char*>(data) + 2 + patternSize, size - 2 - patternSize);

  TAWKStr matcher;
  matcher.setUseFuzzyCharDic(fuzzy);
  matcher.setLiteralPattern(literal);
  bool compiled = true;
  try {
    matcher.setRegExp(pattern);
  } catch (const ERegExpParser& e) {
    compiled = false;
    check(e.position() >= 1 && e.bytePosition() <= pattern.size() + 1);
    check(matcher.errorPosition() == e.position());
  }
  check(!literal || compiled);

  int position = -1;
  int length = -1;
  check(matcher.match(text, position, length) == position);
  check(position >= 0 && length >= 0);
  check(matcher.matchesAnywhere(text) == (position > 0));
  if (position > 0) {
    const auto start = static_cast<std::size_t>(position - 1);
    check(start + static_cast<std::size_t>(length) <= text.size());
    if (length > 0) {
      // Neither the first nor the last character of a match is a blank.
      const std::size_t end = start + static_cast<std::size_t>(length);
      std::size_t last = start;
      for (std::size_t i = start; i < end; i += readTextChar(text, i).length) last = i;
      check(!blankAt(text, start) && !blankAt(text, last));
    }
  }
  if (!compiled) check(position == 1 && length == 0);

  if (compiled) {
    // The same automaton with a cache that starts over every few states.
    TREPreProcessor pre;
    pre.addDictionary(&fuzzyCharDic());
    pre.setFuzzy(fuzzy);
    try {
      pre.process(literal ? escapePattern(pattern) : pattern);
    } catch (const ERegExpParser&) {
    }
    CompiledPattern tiny(pre.output(), 512);
    std::size_t s = 0;
    std::size_t e = 0;
    const bool found = tiny.find(text, s, e);
    check(found == (position > 0));
    if (found) check(static_cast<int>(s) + 1 == position && static_cast<int>(e - s) == length);
    check(tiny.matchesAnywhere(text) == found);
  }

  TKeywordItem item;
  item.setPlainMode(!keywordPatterns);
  item.setKeywords(pattern);
  item.text = text;
  try {
    item.test();
  } catch (const ERegExpParser&) {
    check(keywordPatterns);
  }
  return 0;
}
