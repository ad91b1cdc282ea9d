#include "backend/platform.h"

#include "backend/sim/posix_file_system.h"
#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<PosixFileSystem>(); }

std::unique_ptr<sys::Desktop> makeDesktop() { return std::make_unique<SimDesktop>(); }

}  // namespace gleanix::backend
