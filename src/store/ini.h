#pragma once
// Key lines of the store's small description files (Mailbox.ini,
// Account.ini, Entry.ini): a line names a key when its first characters,
// upper-cased, are the key and its "="; the value is the rest, trimmed.
// Only the first matching line counts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::store {

// upperKey includes the "=", e.g. "ORDER=". nullopt when no line has it.
std::optional<std::string> keyValue(const std::vector<std::string>& lines, std::string_view upperKey);

// As keyValue, for "TITLE=" and "TIMEZONE=": a value that starts with a
// double quote also loses its first and last character.
std::optional<std::string> quotedKeyValue(const std::vector<std::string>& lines, std::string_view upperKey);

// The display name a description file gives ("TITLE="); empty when none.
std::string titleOf(const std::vector<std::string>& lines);

// True when a whole line reads "Type=Subfolder" (letter case ignored): the
// folder is a folder group.
bool isSubfolderType(const std::vector<std::string>& lines);

}  // namespace gleanix::store
