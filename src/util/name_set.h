#pragma once
// A set of file names that answers whether a name is in it the way the file
// system matches names: ASCII letters without regard to case, every other
// byte (and both bytes of a double-byte character) exactly. The names are
// kept once, side by side in one buffer, and found through a hash of their
// letters folded to upper case: no upper-cased copy is made of any name.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::util {

class NameSet {
 public:
  // Adds a name unless one equal to it (letter case ignored) is in already.
  void insert(std::string_view name);
  bool contains(std::string_view name) const;
  std::size_t size() const { return count_; }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::size_t offset = 0;
    std::size_t length = 0;  // 0: an empty slot (an empty name is kept apart)
  };
  std::string_view nameAt(const Slot& slot) const { return std::string_view(bytes_).substr(slot.offset, slot.length); }
  // The slot holding name, or the empty slot where it would go.
  std::size_t find(std::string_view name, std::uint64_t hash) const;
  void grow();

  std::string bytes_;
  std::vector<Slot> slots_;  // a power of two in size, never more than half full
  std::size_t count_ = 0;
  bool hasEmptyName_ = false;
};

}  // namespace gleanix::util
