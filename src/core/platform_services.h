#pragma once
// The outside world as the started plug-in uses it. The library makes the
// platform's own at start-up; tests hand in fakes and keep a hold on them.

#include <functional>
#include <memory>

#include "sys/desktop.h"
#include "sys/file_system.h"
#include "sys/module.h"
#include "sys/registry.h"
#include "sys/shell.h"
#include "sys/system_info.h"

namespace gleanix::core {

struct PlatformServices {
  std::shared_ptr<sys::FileSystem> fs;
  std::shared_ptr<sys::Registry> registry;
  std::shared_ptr<sys::SystemInfo> system;
  // Loads "Quillon.exe": the running host.
  std::shared_ptr<sys::ModuleLoader> hostLoader;
  std::shared_ptr<sys::Desktop> desktop;
  // Opens help files, external viewers and the home page.
  std::shared_ptr<sys::Shell> shell;
  // The threads a search may read mails ahead with (util::ReadAheadLimits):
  // 0 for as many as the machine has cores, 1 for none beside the search's
  // own. Tests whose hooks act on each file read, in step with the search,
  // set 1.
  unsigned searchThreads = 0;
};

using ServicesFactory = std::function<PlatformServices()>;

}  // namespace gleanix::core
