#pragma once
// Typed registry values below the plug-in's own key. A path is relative
// ("SearchForm\View": below the base key; "" is the base key itself) or
// absolute ("\HKEY_LOCAL_MACHINE\SOFTWARE\Brantor\Quillon": a root by name,
// then the sub key). An unknown root name makes an operation do nothing.

#include <optional>
#include <string>
#include <string_view>

#include "settings/variant.h"
#include "sys/registry.h"
#include "sys/system_info.h"

namespace gleanix::settings {

// The plug-in's key under HKEY_CURRENT_USER.
inline constexpr std::string_view kPluginRegistryKey = "Software\\Orvane Lab\\Gleanix";

// The key of the second family, used only to locate the settings snapshot:
// "Software\Orvane Lab\" + the host executable's file name.
std::string hostRegistryKey(const sys::SystemInfo& system);

struct RegistryLocation {
  sys::RegistryRoot root = sys::RegistryRoot::CurrentUser;
  std::string key;
  bool operator==(const RegistryLocation&) const = default;
};

// Where a path leads; nullopt for an absolute path with an unknown root.
std::optional<RegistryLocation> resolveRegistryPath(std::string_view path, std::string_view baseKey);

// The value decoded by the default's kind and the stored data type:
//   integer   REG_DWORD (4 bytes), or REG_SZ parsed as decimal
//   float     REG_BINARY of 8 bytes (a double), or REG_SZ parsed
//   currency  REG_BINARY of 8 bytes, or REG_SZ parsed
//   date      REG_BINARY of 8 bytes (days since 1899/12/30), or REG_SZ parsed
//   boolean   REG_DWORD of 4 bytes (non-zero is true), or REG_SZ: false for
//             "0" or "FALSE" in any case, true for anything else
//   byte      REG_BINARY of 1 byte
//   string    REG_SZ
// A missing key or value, another data type or size, or a text that does
// not convert gives def; an unknown root gives an empty value.
Variant readRegistryValue(const sys::Registry& registry, std::string_view baseKey, std::string_view path,
                          std::string_view name, const Variant& def);

// Stores integers and booleans (0 or 1) as REG_DWORD, floats, currency and
// dates as 8-byte REG_BINARY, a byte as 1-byte REG_BINARY, strings as
// REG_SZ; the key is created when missing. False when nothing was written
// (unknown root, empty value, or the key could not be opened or created).
bool writeRegistryValue(sys::Registry& registry, std::string_view baseKey, std::string_view path,
                        std::string_view name, const Variant& value);

}  // namespace gleanix::settings
