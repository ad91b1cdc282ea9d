#include <dlfcn.h>

#include "backend/module_loader.h"

namespace gleanix::backend {
namespace {

class DlModule : public sys::Module {
 public:
  explicit DlModule(void* handle) : handle_(handle) {}
  ~DlModule() override { ::dlclose(handle_); }
  DlModule(const DlModule&) = delete;
  DlModule& operator=(const DlModule&) = delete;

  void* find(const char* name) const override { return name ? ::dlsym(handle_, name) : nullptr; }

 private:
  void* handle_;
};

// The running program as the host: its functions come through its resolver.
class SimulatedHostModule : public sys::Module {
 public:
  SimulatedHostModule(void* program, sys::SimulatedHostResolverFn resolve) : program_(program), resolve_(resolve) {}
  ~SimulatedHostModule() override { ::dlclose(program_); }
  SimulatedHostModule(const SimulatedHostModule&) = delete;
  SimulatedHostModule& operator=(const SimulatedHostModule&) = delete;

  void* find(const char* name) const override { return name ? resolve_(name) : nullptr; }

 private:
  void* program_;
  sys::SimulatedHostResolverFn resolve_;
};

class DlLibraryLoader : public sys::ModuleLoader {
 public:
  std::unique_ptr<sys::Module> load(const std::string& fileName) override {
    void* handle = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return std::make_unique<DlModule>(handle);
  }
};

class SimulatedHostLoader : public sys::ModuleLoader {
 public:
  // The name does not matter: the host is whatever program is running, as
  // "Quillon.exe" names the running executable on Windows.
  std::unique_ptr<sys::Module> load(const std::string&) override {
    void* program = ::dlopen(nullptr, RTLD_NOW);
    if (program == nullptr) return nullptr;
    void* resolver = ::dlsym(program, sys::kSimulatedHostResolverSymbol);
    if (resolver == nullptr) {
      ::dlclose(program);
      return nullptr;
    }
    return std::make_unique<SimulatedHostModule>(program, reinterpret_cast<sys::SimulatedHostResolverFn>(resolver));
  }
};

}  // namespace

std::unique_ptr<sys::ModuleLoader> makeHostModuleLoader() { return std::make_unique<SimulatedHostLoader>(); }
std::unique_ptr<sys::ModuleLoader> makeLibraryLoader() { return std::make_unique<DlLibraryLoader>(); }

}  // namespace gleanix::backend
