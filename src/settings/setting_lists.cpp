#include "settings/setting_lists.h"

#include <algorithm>

#include "util/sjis.h"

namespace gleanix::settings {

std::vector<std::string> readSettingList(const SettingsCache& settings, std::string_view section,
                                         std::string_view key) {
  return sys::splitLines(settings.readString(section, key, ""));
}

void writeSettingList(SettingsCache& settings, std::string_view section, std::string_view key,
                      const std::vector<std::string>& entries) {
  if (entries.empty()) {
    settings.writeSetting(section, key, Variant());
    return;
  }
  std::string joined;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += entries[i];
  }
  settings.writeSetting(section, key, joined);
}

void putFirst(std::vector<std::string>& history, const std::string& entry, std::size_t limit) {
  std::erase_if(history, [&entry](const std::string& e) { return util::equalsIgnoreCase(e, entry); });
  history.insert(history.begin(), entry);
  if (history.size() > limit) history.resize(limit);
}

}  // namespace gleanix::settings
