#pragma once
// Code modules loaded by name and looked into by exported name: the running
// host executable for the plug-in, the plug-in library for the simulated
// host.

#include <memory>
#include <string>

namespace gleanix::sys {

class Module {
 public:
  // Releases the module (FreeLibrary, dlclose).
  virtual ~Module() = default;
  // The address exported under name; null when the module lacks it.
  virtual void* find(const char* name) const = 0;
};

class ModuleLoader {
 public:
  virtual ~ModuleLoader() = default;
  // Null when the module cannot be loaded.
  virtual std::unique_ptr<Module> load(const std::string& fileName) = 0;
};

// On Linux the simulated host plays "Quillon.exe". An ELF program cannot
// export the decorated stdcall names, so it exports one C function under
// this name that looks the host functions up by their decorated names.
inline constexpr const char* kSimulatedHostResolverSymbol = "QuillonSimResolveExport";
using SimulatedHostResolverFn = void* (*)(const char* name);

}  // namespace gleanix::sys
