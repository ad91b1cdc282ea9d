#include "backend/platform.h"

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

std::unique_ptr<sys::Desktop> makeDesktop() { return std::make_unique<SimDesktop>(); }

}  // namespace gleanix::backend
