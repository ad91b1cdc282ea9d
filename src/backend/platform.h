#pragma once
// The platform services of this build: Win32 on Windows, POSIX (plus the
// simulated desktop) elsewhere.

#include <memory>

#include "sys/desktop.h"
#include "sys/file_system.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem();

// The desktop: real windows on Windows, the simulated desktop elsewhere.
std::unique_ptr<sys::Desktop> makeDesktop();

}  // namespace gleanix::backend
