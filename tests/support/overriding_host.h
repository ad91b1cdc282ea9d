#pragma once
// quillon-sim as the host module, with some of its exported functions
// replaced by the test's own (real editors, recorded calls).

#include <map>
#include <memory>
#include <string>

#include "host/quillon_sim.h"
#include "sys/module.h"

namespace gleanix::testing {

// Exported name -> the function the host module offers instead.
using HostOverrides = std::map<std::string, void*>;

class OverridingHostLoader : public sys::ModuleLoader {
 public:
  OverridingHostLoader(host::QuillonSim& sim, HostOverrides overrides) : sim_(sim), overrides_(std::move(overrides)) {}
  std::unique_ptr<sys::Module> load(const std::string&) override {
    return std::make_unique<Module>(sim_, overrides_);
  }

 private:
  class Module : public sys::Module {
   public:
    Module(host::QuillonSim& sim, const HostOverrides& overrides) : sim_(sim), overrides_(overrides) {}
    void* find(const char* name) const override {
      const auto it = overrides_.find(name);
      return it != overrides_.end() ? it->second : sim_.resolve(name);
    }

   private:
    host::QuillonSim& sim_;
    const HostOverrides& overrides_;
  };
  host::QuillonSim& sim_;
  HostOverrides overrides_;
};

}  // namespace gleanix::testing
