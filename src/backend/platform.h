#pragma once
// The platform services of this build: Win32 on Windows, POSIX (plus the
// simulated desktop) elsewhere.

#include <memory>

#include "backend/host_desktop.h"
#include "sys/desktop.h"
#include "sys/file_system.h"
#include "sys/registry.h"
#include "sys/shell.h"
#include "sys/system_info.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem();

// Windows: the registry. Elsewhere: a text file, $GLEANIX_REGISTRY when set,
// else $HOME/.config/gleanix/registry.txt.
std::unique_ptr<sys::Registry> makeRegistry();

// Windows: ShellExecute. Elsewhere nothing is launched: the calls are
// recorded (backend::RecordingShell).
std::unique_ptr<sys::Shell> makeShell();

std::unique_ptr<sys::SystemInfo> makeSystemInfo();

// The plug-in's desktop: real windows on Windows. Elsewhere the simulated
// desktop of the host the library runs in, when that host shares one
// (kSharedDesktopSymbol), else a simulated desktop of its own.
std::shared_ptr<sys::Desktop> makeDesktop();

// The host's desktop: real windows on Windows, a live simulated desktop
// elsewhere.
std::unique_ptr<HostDesktop> makeHostDesktop();

}  // namespace gleanix::backend
