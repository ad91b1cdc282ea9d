#pragma once
// The Help buttons: opens Plugins\Gleanix.hlp below the host's install
// directory, or says why it cannot.

#include <functional>
#include <string>

#include "sys/file_system.h"
#include "sys/registry.h"
#include "sys/shell.h"

namespace gleanix::settings {

enum class MessageIcon { Warning };

using MessageBoxFn = std::function<void(sys::WindowHandle owner, const std::string& text,
                                        const std::string& caption, MessageIcon icon)>;

// Where the host records its install path.
inline constexpr std::string_view kHostInstallKey = "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Brantor\\Quillon";

// The help file's path, or empty when the host's install path is not in the
// registry.
std::string helpFilePath(const sys::FileSystem& fs, const sys::Registry& registry);

void showHelp(sys::WindowHandle owner, const sys::FileSystem& fs, const sys::Registry& registry, sys::Shell& shell,
              const MessageBoxFn& messageBox);

}  // namespace gleanix::settings
