#include <windows.h>

#include <cstdint>

#include "backend/module_loader.h"

namespace gleanix::backend {
namespace {

class Win32Module : public sys::Module {
 public:
  explicit Win32Module(HMODULE module) : module_(module) {}
  ~Win32Module() override { FreeLibrary(module_); }
  Win32Module(const Win32Module&) = delete;
  Win32Module& operator=(const Win32Module&) = delete;

  void* find(const char* name) const override {
    if (name == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }

 private:
  HMODULE module_;
};

class Win32ModuleLoader : public sys::ModuleLoader {
 public:
  std::unique_ptr<sys::Module> load(const std::string& fileName) override {
    const HMODULE module = LoadLibraryA(fileName.c_str());
    // Handles up to 32 are error codes in the 16-bit convention the host
    // interface grew up with; Win32 itself reports failure as null.
    if (reinterpret_cast<std::uintptr_t>(module) <= 32) return nullptr;
    return std::make_unique<Win32Module>(module);
  }
};

}  // namespace

std::unique_ptr<sys::ModuleLoader> makeHostModuleLoader() { return std::make_unique<Win32ModuleLoader>(); }
std::unique_ptr<sys::ModuleLoader> makeLibraryLoader() { return std::make_unique<Win32ModuleLoader>(); }

}  // namespace gleanix::backend
