#pragma once
// The keyword pickup's history ("KeyFind"/"History"): up to 20 keyword
// texts, newest first, one per line, each percent-escaped so that a text of
// several lines fits on one; and the form in which a keyword is shared with
// the in-mail search ("Search"/"Keyword").

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::pickupcommands {

inline constexpr std::size_t kHistoryLimit = 20;

// The entries of the stored value: its first 20 lines, unescaped (an entry
// whose escaping is broken is kept as written). Empty lines hold no entry.
std::vector<std::string> loadHistory(std::string_view stored);
// The value to store: the first 20 entries, escaped, joined by CR LF.
std::string storeHistory(const std::vector<std::string>& entries);
// The keyword the search uses: the first entry of the stored value.
std::string firstHistoryEntry(std::string_view stored);

// An entry as the drop-down list shows it: every CR LF becomes "/".
std::string historyDisplayText(std::string_view entry);

// A line of the keyword box as it is kept: trimmed, and without a lead
// byte left dangling at its end (it stands for no character, and before
// the line break it would swallow the break when the text is stored).
std::string_view keywordLine(std::string_view line);
// The keyword text of the keyword box's lines: each line as kept, empty
// ones left out, each followed by CR LF.
std::string keywordText(const std::vector<std::string>& lines);

// Puts the text first: nothing changes when it is the first entry already
// (letter case ignored; the entry keeps its own spelling); otherwise an
// equal entry further down is removed, the text inserted at the top, and
// the history kept to 20 entries.
void putFirst(std::vector<std::string>& history, const std::string& text);

// The keyword as the in-mail search takes it, a regular expression: every
// blank-separated term of every line joined with "|" (a b, c gives a|b|c).
// The terms are plain text, so the pattern characters ( | ) + * ? . [ ]
// and "\" in them are escaped with "\".
std::string sharedKeyword(std::string_view keywordText);

}  // namespace gleanix::pickupcommands
