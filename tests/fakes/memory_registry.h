#pragma once
// An in-memory sys::Registry for tests: keys and value names match without
// regard to case, as in the Windows registry.

#include <map>
#include <tuple>

#include "sys/registry.h"
#include "util/sjis.h"

namespace gleanix::testing {

class MemoryRegistry : public sys::Registry {
 public:
  bool failWrites = false;
  int writes = 0;

  std::optional<sys::RegistryValue> read(sys::RegistryRoot root, const std::string& key,
                                         const std::string& name) const override {
    auto it = values_.find(id(root, key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }
  bool write(sys::RegistryRoot root, const std::string& key, const std::string& name,
             const sys::RegistryValue& value) override {
    if (failWrites) return false;
    ++writes;
    values_[id(root, key, name)] = value;
    return true;
  }

  // Test helpers.
  void put(sys::RegistryRoot root, const std::string& key, const std::string& name, sys::RegistryKind kind,
           std::string data) {
    values_[id(root, key, name)] = {kind, std::move(data)};
  }
  void putString(sys::RegistryRoot root, const std::string& key, const std::string& name, std::string s) {
    put(root, key, name, sys::RegistryKind::String, std::move(s));
  }
  void putDWord(sys::RegistryRoot root, const std::string& key, const std::string& name, std::uint32_t v) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    put(root, key, name, sys::RegistryKind::DWord, std::move(bytes));
  }
  std::size_t size() const { return values_.size(); }

 private:
  using Id = std::tuple<sys::RegistryRoot, std::string, std::string>;
  static Id id(sys::RegistryRoot root, const std::string& key, const std::string& name) {
    return {root, util::upperAscii(key), util::upperAscii(name)};
  }
  std::map<Id, sys::RegistryValue> values_;
};

}  // namespace gleanix::testing
