#pragma once
// Where the settings file lives and loading it at start-up: the file is
// base + "Plugins\Gleanix.ini", the base being the host executable's
// directory, or the mail root when the registry value "Options"\"Common" is
// false.

#include <functional>
#include <string>

#include "settings/settings_cache.h"
#include "sys/file_system.h"
#include "sys/registry.h"
#include "sys/system_info.h"

namespace gleanix::settings {

// What locating and loading the settings needs from outside.
struct SettingsEnvironment {
  const sys::FileSystem& fs;
  const sys::Registry& registry;
  const sys::SystemInfo& system;
  // The host's mail root ("_APAGetMailbox@0"); asked only when needed.
  std::function<std::string()> mailRoot;
};

// The settings file for the given registry key family (kPluginRegistryKey
// for the settings cache, hostRegistryKey() for the snapshot).
std::string settingsFilePath(const SettingsEnvironment& env, std::string_view registryKey);

// Start-up: the snapshot first, then the live cache.
void loadSnapshot(SettingsSnapshot& snapshot, const SettingsEnvironment& env);
void loadSettings(SettingsCache& settings, const SettingsEnvironment& env);

}  // namespace gleanix::settings
