#pragma once
// The platform services of this build: Win32 on Windows, POSIX (plus the
// simulated desktop) elsewhere.

#include <memory>

#include "sys/file_system.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem();

}  // namespace gleanix::backend
