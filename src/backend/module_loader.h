#pragma once
// Module loaders of this build.

#include <memory>

#include "sys/module.h"

namespace gleanix::backend {

// The plug-in's way to the running host. Windows: LoadLibraryA of the host
// executable's name, which yields the module already in the process, and
// GetProcAddress. Linux: the running program, whatever the name asked for,
// through the resolver it exports (sys::kSimulatedHostResolverSymbol); a
// program without one cannot be loaded as the host.
std::unique_ptr<sys::ModuleLoader> makeHostModuleLoader();

// The host's way to a plug-in library file. Windows: LoadLibraryA and
// GetProcAddress. Linux: dlopen and dlsym.
std::unique_ptr<sys::ModuleLoader> makeLibraryLoader();

}  // namespace gleanix::backend
