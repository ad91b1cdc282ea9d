#include "pickupcommands/keyword_history.h"

#include <algorithm>

#include "pickupcommands/folder_tree.h"
#include "settings/escape.h"
#include "settings/setting_lists.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace gleanix::pickupcommands {
namespace {

constexpr std::string_view kPatternChars = "()|+*?.[]\\";

std::vector<std::string> firstLines(std::string_view text, std::size_t limit) {
  std::vector<std::string> lines = settingLines(text);
  if (lines.size() > limit) lines.resize(limit);
  return lines;
}

// Blank-separated terms of a line; runs of blanks separate once.
void appendTerms(std::string_view line, std::vector<std::string>& terms) {
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ') end += util::charBytesAt(line, end);
    const std::string_view term = util::trim(line.substr(i, std::min(end, line.size()) - i));
    if (!term.empty()) terms.emplace_back(term);
    i = end;
  }
}

// A lead byte left without its second byte at the end of a term would make
// the pattern fail to compile; it stands for no character and is left out.
std::string escapedTerm(std::string_view term) {
  std::string out;
  for (std::size_t i = 0; i < term.size();) {
    const std::size_t n = util::charBytesAt(term, i);
    const bool lone = n == 1 && util::isLeadByte(static_cast<unsigned char>(term[i]));
    if (n == 1 && kPatternChars.find(term[i]) != std::string_view::npos) out += '\\';
    if (!lone) out.append(term.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

std::vector<std::string> loadHistory(std::string_view stored) {
  std::vector<std::string> entries;
  for (const std::string& line : firstLines(stored, kHistoryLimit)) {
    entries.push_back(settings::unescapeValue(line).value_or(line));
  }
  return entries;
}

std::string storeHistory(const std::vector<std::string>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size() && i < kHistoryLimit; ++i) {
    if (i > 0) text += kCrLf;
    text += settings::escapeValue(entries[i]);
  }
  return text;
}

std::string firstHistoryEntry(std::string_view stored) {
  const std::vector<std::string> entries = loadHistory(stored.substr(0, stored.find(kCrLf)));
  return entries.empty() ? std::string() : entries.front();
}

std::string historyDisplayText(std::string_view entry) {
  std::string out;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (entry.substr(i, 2) == kCrLf) {
      out += '/';
      ++i;
    } else {
      out += entry[i];
    }
  }
  return out;
}

std::string_view keywordLine(std::string_view line) {
  std::string_view t = util::trim(line);
  const std::size_t last = util::lastCharOffset(t);
  if (last != std::string_view::npos && last + 1 == t.size() && util::isLeadByte(static_cast<unsigned char>(t[last]))) {
    t = util::trimRight(t.substr(0, last));
  }
  return t;
}

std::string keywordText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    const std::string_view t = keywordLine(line);
    if (t.empty()) continue;
    text += t;
    text += kCrLf;
  }
  return text;
}

void putFirst(std::vector<std::string>& history, const std::string& text) {
  if (text.empty() || (!history.empty() && util::equalsIgnoreCase(history.front(), text))) return;
  settings::putFirst(history, text, kHistoryLimit);
}

std::string sharedKeyword(std::string_view keywordText) {
  std::vector<std::string> terms;
  for (const std::string& line : sys::splitLines(keywordText)) appendTerms(line, terms);
  std::string out;
  for (const std::string& term : terms) {
    const std::string escaped = escapedTerm(term);
    if (escaped.empty()) continue;
    if (!out.empty()) out += '|';
    out += escaped;
  }
  return out;
}

}  // namespace gleanix::pickupcommands
