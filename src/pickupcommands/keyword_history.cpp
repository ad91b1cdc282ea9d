#include "pickupcommands/keyword_history.h"

#include <algorithm>

#include "pickupcommands/folder_tree.h"
#include "settings/escape.h"
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

std::string escapedTerm(std::string_view term) {
  std::string out;
  for (std::size_t i = 0; i < term.size();) {
    const std::size_t n = util::charBytesAt(term, i);
    if (n == 1 && kPatternChars.find(term[i]) != std::string_view::npos) out += '\\';
    out.append(term.substr(i, n));
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

std::string keywordText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    const std::string_view t = util::trim(line);
    if (t.empty()) continue;
    text += t;
    text += kCrLf;
  }
  return text;
}

void putFirst(std::vector<std::string>& history, const std::string& text) {
  if (text.empty()) return;
  const auto same = [&](const std::string& e) { return util::equalsIgnoreCase(e, text); };
  if (!history.empty() && same(history.front())) return;
  history.erase(std::remove_if(history.begin(), history.end(), same), history.end());
  history.insert(history.begin(), text);
}

std::string sharedKeyword(std::string_view keywordText) {
  std::vector<std::string> terms;
  for (const std::string& line : sys::splitLines(keywordText)) appendTerms(line, terms);
  std::string out;
  for (const std::string& term : terms) {
    if (!out.empty()) out += '|';
    out += escapedTerm(term);
  }
  return out;
}

std::string withSharedKeyword(std::string_view searchKeywords, const std::string& shared) {
  std::string out = shared;
  std::size_t kept = 1;
  for (const std::string& line : settingLines(searchKeywords)) {
    if (kept >= kHistoryLimit) break;
    if (util::equalsIgnoreCase(line, shared)) continue;
    out += kCrLf;
    out += line;
    ++kept;
  }
  return out;
}

}  // namespace gleanix::pickupcommands
