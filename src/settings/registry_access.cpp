#include "settings/registry_access.h"

#include <array>
#include <bit>
#include <cstring>

#include "settings/value_text.h"
#include "util/path.h"
#include "util/sjis.h"

namespace gleanix::settings {
namespace {

using sys::RegistryKind;
using sys::RegistryValue;

std::optional<sys::RegistryRoot> rootByName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, sys::RegistryRoot>, 6> kRoots{{
      {"HKEY_CLASSES_ROOT", sys::RegistryRoot::ClassesRoot},
      {"HKEY_CURRENT_USER", sys::RegistryRoot::CurrentUser},
      {"HKEY_LOCAL_MACHINE", sys::RegistryRoot::LocalMachine},
      {"HKEY_USERS", sys::RegistryRoot::Users},
      {"HKEY_CURRENT_CONFIG", sys::RegistryRoot::CurrentConfig},
      {"HKEY_DYN_DATA", sys::RegistryRoot::DynData},
  }};
  const std::string upper = util::upperAscii(name);
  for (const auto& [rootName, root] : kRoots) {
    if (upper == rootName) return root;
  }
  return std::nullopt;
}

std::uint64_t littleEndian(std::string_view bytes) {
  std::uint64_t v = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[i]);
  return v;
}

std::string littleEndianBytes(std::uint64_t v, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return out;
}

// A REG_SZ as stored, up to its terminating NUL.
std::string_view stringData(const RegistryValue& value) {
  const std::string_view data = value.data;
  return data.substr(0, data.find('\0'));
}

std::optional<double> binaryDouble(const RegistryValue& value) {
  if (value.kind != RegistryKind::Binary || value.data.size() != 8) return std::nullopt;
  return std::bit_cast<double>(littleEndian(value.data));
}

std::optional<std::int32_t> dwordValue(const RegistryValue& value) {
  if (value.kind != RegistryKind::DWord || value.data.size() != 4) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(littleEndian(value.data)));
}

std::optional<Variant> decode(const RegistryValue& stored, Variant::Kind kind) {
  const bool isString = stored.kind == RegistryKind::String;
  switch (kind) {
    case Variant::Kind::Integer:
      if (auto n = dwordValue(stored)) return Variant(*n);
      if (isString) {
        if (auto n = parseInteger(stringData(stored))) return Variant(*n);
      }
      return std::nullopt;
    case Variant::Kind::Float:
      if (auto f = binaryDouble(stored)) return Variant(*f);
      if (isString) {
        if (auto f = parseFloat(stringData(stored))) return Variant(*f);
      }
      return std::nullopt;
    case Variant::Kind::Currency:
      if (stored.kind == RegistryKind::Binary && stored.data.size() == 8) {
        return Variant(Currency{static_cast<std::int64_t>(littleEndian(stored.data))});
      }
      if (isString) {
        if (auto c = Variant(std::string(stringData(stored))).toCurrency()) return Variant(*c);
      }
      return std::nullopt;
    case Variant::Kind::Date:
      if (auto f = binaryDouble(stored)) {
        if (auto d = fromSerial(*f)) return Variant(*d);
        return std::nullopt;
      }
      if (isString) {
        if (auto d = parseDateTime(stringData(stored))) return Variant(*d);
      }
      return std::nullopt;
    case Variant::Kind::Boolean:
      if (auto n = dwordValue(stored)) return Variant(*n != 0);
      if (isString) {
        const std::string_view s = stringData(stored);
        return Variant(!(s == "0" || util::upperAscii(s) == "FALSE"));
      }
      return std::nullopt;
    case Variant::Kind::Byte:
      if (stored.kind == RegistryKind::Binary && stored.data.size() == 1) {
        return Variant::fromByte(static_cast<std::uint8_t>(stored.data[0]));
      }
      return std::nullopt;
    case Variant::Kind::String:
      if (isString) return Variant(std::string(stringData(stored)));
      return std::nullopt;
    case Variant::Kind::Empty: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<RegistryValue> encode(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Integer:
      return RegistryValue{RegistryKind::DWord,
                           littleEndianBytes(static_cast<std::uint32_t>(*value.toInt()), 4)};
    case Variant::Kind::Boolean:
      return RegistryValue{RegistryKind::DWord, littleEndianBytes(*value.toBool() ? 1 : 0, 4)};
    case Variant::Kind::Float:
    case Variant::Kind::Date:
      return RegistryValue{RegistryKind::Binary,
                           littleEndianBytes(std::bit_cast<std::uint64_t>(*value.toFloat()), 8)};
    case Variant::Kind::Currency:
      return RegistryValue{RegistryKind::Binary,
                           littleEndianBytes(static_cast<std::uint64_t>(value.toCurrency()->scaled), 8)};
    case Variant::Kind::Byte: return RegistryValue{RegistryKind::Binary, std::string(1, static_cast<char>(*value.toByte()))};
    case Variant::Kind::String: return RegistryValue{RegistryKind::String, *value.toString()};
    case Variant::Kind::Empty: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::string hostRegistryKey(const sys::SystemInfo& system) {
  const std::string exe = system.executablePath();
  return "Software\\Orvane Lab\\" + util::extractFileName(std::string_view(exe).substr(0, exe.find('\0')));
}

std::optional<RegistryLocation> resolveRegistryPath(std::string_view path, std::string_view baseKey) {
  if (path.empty() || path.front() != '\\') {
    std::string key(baseKey);
    if (!path.empty()) key.append("\\").append(path);
    return RegistryLocation{sys::RegistryRoot::CurrentUser, std::move(key)};
  }
  const std::string_view rest = path.substr(1);
  const std::size_t sep = util::findByte(rest, '\\');
  const auto root = rootByName(rest.substr(0, sep));
  if (!root) return std::nullopt;
  return RegistryLocation{*root, sep == std::string_view::npos ? std::string() : std::string(rest.substr(sep + 1))};
}

Variant readRegistryValue(const sys::Registry& registry, std::string_view baseKey, std::string_view path,
                          std::string_view name, const Variant& def) {
  const auto location = resolveRegistryPath(path, baseKey);
  if (!location) return Variant();
  const auto stored = registry.read(location->root, location->key, std::string(name));
  if (!stored) return def;
  auto value = decode(*stored, def.kind());
  return value ? std::move(*value) : def;
}

bool writeRegistryValue(sys::Registry& registry, std::string_view baseKey, std::string_view path,
                        std::string_view name, const Variant& value) {
  const auto location = resolveRegistryPath(path, baseKey);
  const auto encoded = encode(value);
  if (!location || !encoded) return false;
  return registry.write(location->root, location->key, std::string(name), *encoded);
}

}  // namespace gleanix::settings
