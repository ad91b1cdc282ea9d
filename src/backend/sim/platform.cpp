#include "backend/platform.h"

#include "backend/sim/posix_file_system.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace gleanix::backend
