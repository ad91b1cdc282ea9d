#include "settings/settings_location.h"

#include <algorithm>

#include "settings/registry_access.h"
#include "util/path.h"

namespace gleanix::settings {
namespace {

std::string baseDirectory(const SettingsEnvironment& env, std::string_view registryKey) {
  const bool common = readRegistryValue(env.registry, registryKey, "Options", "Common", true).toBool().value_or(true);
  if (!common) return util::withTrailingBackslash(env.mailRoot ? env.mailRoot() : std::string());
  std::string exe = env.system.executablePath();
  exe.resize(std::min(exe.size(), exe.find('\0')));
  // A directory missing on disk keeps its spelling rather than cutting the
  // path short: the file must not land in some parent directory.
  return util::withTrailingBackslash(
      util::longPath(env.fs, util::extractFilePath(exe), util::MissingComponent::KeepAsGiven));
}

}  // namespace

std::string settingsFilePath(const SettingsEnvironment& env, std::string_view registryKey) {
  return baseDirectory(env, registryKey) + "Plugins\\" + "Gleanix" + ".ini";
}

void loadSnapshot(SettingsSnapshot& snapshot, const SettingsEnvironment& env) {
  snapshot.loadSnapshot(env.fs, settingsFilePath(env, hostRegistryKey(env.system)));
}

void loadSettings(SettingsCache& settings, const SettingsEnvironment& env) {
  settings.loadSettings(env.fs, settingsFilePath(env, kPluginRegistryKey));
}

}  // namespace gleanix::settings
