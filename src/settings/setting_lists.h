#pragma once
// Multi-valued settings (folder lists, histories, expanded nodes): one text
// value with CR LF between the entries, and the most-recent-first histories
// kept in them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_cache.h"

namespace gleanix::settings {

// The entries of a list setting, in stored order; none when it is absent.
std::vector<std::string> readSettingList(const SettingsCache& settings, std::string_view section,
                                         std::string_view key);

// Stores the entries joined with CR LF; an empty list removes the setting.
void writeSettingList(SettingsCache& settings, std::string_view section, std::string_view key,
                      const std::vector<std::string>& entries);

// Makes entry the first one of a history: an entry equal to it without
// regard to letter case goes (so the new spelling wins), and entries beyond
// limit are dropped.
void putFirst(std::vector<std::string>& history, const std::string& entry, std::size_t limit);

}  // namespace gleanix::settings
