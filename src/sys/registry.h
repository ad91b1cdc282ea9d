#pragma once
// Typed access to the Windows registry (a file-backed store on Linux). Keys
// are given as a root and a sub key with "\" separators.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gleanix::sys {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

enum class RegistryKind { String, DWord, Binary };

struct RegistryValue {
  RegistryKind kind = RegistryKind::String;
  std::string data;  // the string, 4 little-endian bytes, or the raw bytes
};

class Registry {
 public:
  virtual ~Registry() = default;
  // nullopt when the key or the value is missing or cannot be read.
  virtual std::optional<RegistryValue> read(RegistryRoot root, const std::string& key,
                                            const std::string& name) const = 0;
  // Creates the key when needed; false when it cannot.
  virtual bool write(RegistryRoot root, const std::string& key, const std::string& name,
                     const RegistryValue& value) = 0;
};

}  // namespace gleanix::sys
