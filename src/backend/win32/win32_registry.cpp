#include "backend/win32/win32_registry.h"

#include <windows.h>

namespace gleanix::backend {
namespace {

HKEY rootKey(sys::RegistryRoot root) {
  switch (root) {
    case sys::RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case sys::RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case sys::RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case sys::RegistryRoot::Users: return HKEY_USERS;
    case sys::RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case sys::RegistryRoot::DynData: return HKEY_DYN_DATA;
  }
  return nullptr;
}

class KeyHandle {
 public:
  KeyHandle() = default;
  ~KeyHandle() {
    if (h_) RegCloseKey(h_);
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

std::optional<sys::RegistryKind> kindOf(DWORD type) {
  switch (type) {
    case REG_SZ: return sys::RegistryKind::String;
    case REG_DWORD: return sys::RegistryKind::DWord;
    case REG_BINARY: return sys::RegistryKind::Binary;
    default: return std::nullopt;  // other types read as absent
  }
}

DWORD typeOf(sys::RegistryKind kind) {
  switch (kind) {
    case sys::RegistryKind::String: return REG_SZ;
    case sys::RegistryKind::DWord: return REG_DWORD;
    case sys::RegistryKind::Binary: return REG_BINARY;
  }
  return REG_NONE;
}

}  // namespace

std::optional<sys::RegistryValue> Win32Registry::read(sys::RegistryRoot root, const std::string& key,
                                                      const std::string& name) const {
  HKEY base = rootKey(root);
  KeyHandle h;
  if (!base || RegOpenKeyExA(base, key.c_str(), 0, KEY_QUERY_VALUE, h.out()) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(h.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::string data;
  // The value may grow between the two calls: ask again with the new size.
  for (int attempt = 0; attempt < 8; ++attempt) {
    data.assign(size + 1, '\0');
    size = static_cast<DWORD>(data.size());
    const LONG r = RegQueryValueExA(h.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (r == ERROR_SUCCESS) break;
    if (r != ERROR_MORE_DATA || attempt == 7) return std::nullopt;
  }
  data.resize(size);
  const auto kind = kindOf(type);
  if (!kind) return std::nullopt;
  if (*kind == sys::RegistryKind::String) {
    const std::size_t nul = data.find('\0');  // the terminator, or an embedded one
    if (nul != std::string::npos) data.resize(nul);
  }
  return sys::RegistryValue{*kind, std::move(data)};
}

bool Win32Registry::write(sys::RegistryRoot root, const std::string& key, const std::string& name,
                          const sys::RegistryValue& value) {
  if (value.kind == sys::RegistryKind::DWord && value.data.size() != 4) return false;
  HKEY base = rootKey(root);
  KeyHandle h;
  if (!base || RegCreateKeyExA(base, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                               h.out(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  // A string goes with its terminating NUL, as REG_SZ requires.
  const DWORD size = static_cast<DWORD>(value.data.size() + (value.kind == sys::RegistryKind::String ? 1 : 0));
  return RegSetValueExA(h.get(), name.c_str(), 0, typeOf(value.kind),
                        reinterpret_cast<const BYTE*>(value.data.c_str()), size) == ERROR_SUCCESS;
}

}  // namespace gleanix::backend
