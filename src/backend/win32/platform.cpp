#include "backend/platform.h"

#include "backend/win32/win32_file_system.h"
#include "backend/win32/win32_registry.h"
#include "backend/win32/win32_shell.h"
#include "backend/win32/win32_system_info.h"

namespace gleanix::backend {

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<Win32FileSystem>(); }
std::unique_ptr<sys::Registry> makeRegistry() { return std::make_unique<Win32Registry>(); }
std::unique_ptr<sys::Shell> makeShell() { return std::make_unique<Win32Shell>(); }
std::unique_ptr<sys::SystemInfo> makeSystemInfo() { return std::make_unique<Win32SystemInfo>(); }

}  // namespace gleanix::backend

// The desktop: real windows and common controls (win32_desktop*.cpp).
#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {

std::shared_ptr<sys::Desktop> makeDesktop() { return std::make_shared<Win32Desktop>(); }
std::unique_ptr<HostDesktop> makeHostDesktop() {
  auto desktop = std::make_unique<Win32Desktop>();
  desktop->watchMessageBoxes();
  return desktop;
}

}  // namespace gleanix::backend
