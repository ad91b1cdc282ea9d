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
  // String: the text (a stored value ends at its first NUL byte). DWord: the
  // bytes as stored, 4 little-endian ones (a damaged value may have another
  // size, which callers check). Binary: the raw bytes.
  std::string data;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // nullopt when the key or the value is missing or cannot be read.
  virtual std::optional<RegistryValue> read(RegistryRoot root, const std::string& key,
                                            const std::string& name) const = 0;
  // Creates the key when needed; false when it cannot, or for a DWord whose
  // data is not 4 bytes.
  virtual bool write(RegistryRoot root, const std::string& key, const std::string& name,
                     const RegistryValue& value) = 0;
};

}  // namespace gleanix::sys
