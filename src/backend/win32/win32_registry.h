#pragma once
// Registry on advapi32 (ANSI calls, so names and strings are CP932).

#include "sys/registry.h"

namespace gleanix::backend {

class Win32Registry : public sys::Registry {
 public:
  std::optional<sys::RegistryValue> read(sys::RegistryRoot root, const std::string& key,
                                         const std::string& name) const override;
  bool write(sys::RegistryRoot root, const std::string& key, const std::string& name,
             const sys::RegistryValue& value) override;
};

}  // namespace gleanix::backend
