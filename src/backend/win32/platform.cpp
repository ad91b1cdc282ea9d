#include "backend/platform.h"

#include "backend/win32/win32_file_system.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace gleanix::backend
