// Arbitrary text, selection, pattern and replacement through the in-mail
// search loop on the simulated desktop, find and replace-all: it always
// ends (libFuzzer's timeout catches a loop that does not), every
// replacement uses up at least one byte of the original text, and what is
// selected lies inside the text. The caret's mailing-list number, when
// there is one, is a bracketed tag with a colon.
//
// Input: a flags byte (bit 0 regular expression, bit 1 with a selection),
// two bytes of caret position, then pattern, replacement and text separated
// by NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "backend/sim/sim_desktop.h"
#include "insearch/mailing_list_number.h"
#include "insearch/search_loop.h"
#include "regex/awk_str.h"
#include "regex/reg_exp_error.h"
#include "util/sjis.h"

namespace {

using namespace gleanix;

void check(bool ok) {
  if (!ok) std::abort();
}

std::string nextPart(std::string& rest) {
  const std::size_t end = rest.find('\0');
  std::string part = rest.substr(0, end);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool regular = (data[0] & 1) != 0;
  const bool selected = (data[0] & 2) != 0;
  std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::string pattern = nextPart(rest).substr(0, 32);
  const std::string replacement = nextPart(rest).substr(0, 32);
  const std::string text = rest.substr(0, 4096);
  const int caret = text.empty() ? 0 : (data[1] | data[2] << 8) % static_cast<int>(text.size() + 1);

  if (const auto number = insearch::mailingListNumberAt(text, static_cast<std::size_t>(caret))) {
    check(number->size() >= 3 && number->front() == '[' && number->back() == ']');
    check(util::findByte(*number, ':') != std::string::npos);
  }

  regex::TAWKStr matcher;
  matcher.setUseFuzzyCharDic(true);
  matcher.setLiteralPattern(!regular);
  try {
    matcher.setRegExp(pattern);
  } catch (const regex::ERegExpParser&) {
    return 0;
  }

  backend::SimDesktop desktop;
  const sys::WindowSpec form{.kind = sys::ControlKind::Form, .className = "THostEdit", .bounds = {0, 0, 400, 300}};
  const sys::WindowHandle host = desktop.createWindow(form, nullptr);
  const sys::WindowSpec memo{.kind = sys::ControlKind::Memo, .className = "", .text = text, .parent = host,
                             .bounds = {0, 0, 400, 300}};
  const sys::WindowHandle edit = desktop.createWindow(memo, nullptr);
  const auto reset = [&] {
    desktop.setText(edit, text);
    desktop.setEditSelection(edit, caret, selected ? caret + 1 : caret);
  };
  const auto noQuestion = [](const std::string&) { return 2; };

  reset();
  insearch::SearchLoopOptions find;
  insearch::runSearchLoop(desktop, matcher, 0, edit, find, noQuestion);
  const auto [s, e] = desktop.editSelection(edit);
  check(0 <= s && s <= e && e <= static_cast<int>(text.size()));

  reset();
  insearch::SearchLoopOptions all;
  all.find = false;
  all.confirm = false;
  all.replacement = replacement;
  const insearch::SearchLoopResult r = insearch::runSearchLoop(desktop, matcher, 0, edit, all, noQuestion);
  check(r.replacements <= static_cast<int>(text.size()));
  check(r.textReads == 1);
  return 0;
}
