#include "settings/help.h"

#include "settings/registry_access.h"
#include "util/path.h"

namespace gleanix::settings {

std::string helpFilePath(const sys::FileSystem& fs, const sys::Registry& registry) {
  const std::string installPath =
      readRegistryValue(registry, kPluginRegistryKey, kHostInstallKey, "InstallPath", std::string())
          .toString()
          .value_or(std::string());
  if (installPath.empty()) return {};
  const std::string dir = util::withTrailingBackslash(
      util::longPath(fs, util::extractFilePath(installPath), util::MissingComponent::KeepAsGiven));
  return dir + "Plugins\\" + "Gleanix" + ".hlp";
}

void showHelp(sys::WindowHandle owner, const sys::FileSystem& fs, const sys::Registry& registry, sys::Shell& shell,
              const MessageBoxFn& messageBox) {
  const std::string file = helpFilePath(fs, registry);
  if (file.empty()) {
    messageBox(owner, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Brantor\\Quillon\\InstallPath がありません", "エラー",
               MessageIcon::Warning);
    return;
  }
  if (!fs.isFile(file)) {
    messageBox(owner, file + " がありません", "エラー", MessageIcon::Warning);
    return;
  }
  shell.open(owner, "OPEN", file, "", "");
}

}  // namespace gleanix::settings
