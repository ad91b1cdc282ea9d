#include "backend/platform.h"

#include "backend/win32/win32_file_system.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace gleanix::backend

// The desktop: real windows and common controls (win32_desktop*.cpp).
#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {

std::unique_ptr<sys::Desktop> makeDesktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace gleanix::backend
