// Arbitrary keyword texts through the keyword pickup's history and the form
// it shares with the in-mail search. Stored and loaded again, a history of
// keyword texts (as the dialog makes them from its lines) is what it was,
// its first 20 entries. The shared form always
// compiles as a regular expression, and it finds every term of the keyword
// in the term's own text (for terms without blanks, full-width spaces or
// control bytes, which the matcher skips inside a match).
//
// Input: entries separated by NUL bytes; the first one is also the keyword.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "pickupcommands/keyword_history.h"
#include "regex/awk_str.h"
#include "regex/reg_exp_error.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace {

using namespace gleanix;

void check(bool ok) {
  if (!ok) std::abort();
}

bool plainTerm(const std::string& term) {
  if (term.empty()) return false;
  for (std::size_t i = 0; i < term.size(); i += util::charBytesAt(term, i)) {
    const auto b = static_cast<unsigned char>(term[i]);
    if (b <= 0x20 || (util::charBytesAt(term, i) == 1 && util::isLeadByte(b))) return false;
    if (term.compare(i, 2, "\x81\x40") == 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 4096));
  std::vector<std::string> entries;
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    const std::string text = pickupcommands::keywordText(sys::splitLines(input.substr(start, end - start)));
    if (!text.empty()) entries.push_back(text);
    start = end + 1;
  }
  std::vector<std::string> kept;
  for (const std::string& e : entries) {
    if (kept.size() < pickupcommands::kHistoryLimit) kept.push_back(e);
  }
  check(pickupcommands::loadHistory(pickupcommands::storeHistory(entries)) == kept);

  const std::string keyword = input.substr(0, input.find('\0'));
  const std::string shared = pickupcommands::sharedKeyword(keyword);
  if (shared.empty()) return 0;
  regex::TAWKStr matcher;
  try {
    matcher.setRegExp(shared);
  } catch (const regex::ERegExpParser&) {
    std::abort();
  }
  for (const std::string& line : sys::splitLines(keyword)) {
    std::size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && line[i] == ' ') ++i;
      std::size_t end = i;
      while (end < line.size() && line[end] != ' ') end += util::charBytesAt(line, end);
      const std::string term(util::trim(std::string_view(line).substr(i, end - i)));
      if (plainTerm(term)) check(matcher.matchesAnywhere(term));
      i = end;
    }
  }
  return 0;
}
