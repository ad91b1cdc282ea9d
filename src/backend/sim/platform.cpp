#include "backend/platform.h"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "backend/sim/file_registry.h"
#include "backend/sim/posix_file_system.h"
#include "backend/sim/posix_system_info.h"
#include "backend/sim/recording_shell.h"
#include "backend/sim/sim_desktop.h"

namespace gleanix::backend {
namespace {

std::string homeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir) return user->pw_dir;
  return ".";
}

std::string registryPath() {
  if (const char* path = std::getenv("GLEANIX_REGISTRY"); path && *path) return path;
  return homeDirectory() + "/.config/gleanix/registry.txt";
}

}  // namespace

std::unique_ptr<sys::FileSystem> makeFileSystem() { return std::make_unique<PosixFileSystem>(); }
std::unique_ptr<sys::Registry> makeRegistry() { return std::make_unique<FileRegistry>(registryPath()); }
std::unique_ptr<sys::Shell> makeShell() { return std::make_unique<RecordingShell>(); }
std::unique_ptr<sys::SystemInfo> makeSystemInfo() { return std::make_unique<PosixSystemInfo>(); }

std::shared_ptr<sys::Desktop> makeDesktop() {
  // The host owns its desktop and outlives the plug-in's use of it.
  if (void* symbol = ::dlsym(RTLD_DEFAULT, kSharedDesktopSymbol)) {
    if (sys::Desktop* shared = reinterpret_cast<SharedDesktopFn>(symbol)()) {
      return std::shared_ptr<sys::Desktop>(shared, [](sys::Desktop*) {});
    }
  }
  return std::make_shared<SimDesktop>();
}

std::unique_ptr<HostDesktop> makeHostDesktop() {
  auto desktop = std::make_unique<SimDesktop>();
  desktop->setLive(true);
  return desktop;
}

}  // namespace gleanix::backend
