#pragma once
// Initial state of the folder tree of a pickup dialog, stored below
// "Related\Tree", "KeyFind\Tree" or "MarkFind\Tree".

#include <cstdint>
#include <string_view>

#include "settings/settings_cache.h"

namespace gleanix::settings {

// "Check": 0 = checks as last time, 1 = only the open folder, 2 = none.
// Without a stored value the older boolean "Last" decides (true: 0, false: 1).
std::int32_t readTreeCheckMode(const SettingsCache& settings, std::string_view treeSection);

}  // namespace gleanix::settings
