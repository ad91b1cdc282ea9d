#include "settings/tree_settings.h"

namespace gleanix::settings {

std::int32_t readTreeCheckMode(const SettingsCache& settings, std::string_view treeSection) {
  const std::int32_t fallback = settings.readBool(treeSection, "Last", true) ? 0 : 1;
  return settings.readInt(treeSection, "Check", fallback);
}

}  // namespace gleanix::settings
