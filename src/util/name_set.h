#pragma once
// A set of file names that answers whether a name is in it the way the file
// system matches names: ASCII letters without regard to case, every other
// byte (and both bytes of a double-byte character) exactly. No upper-cased
// copy is made of any name: they are found through a hash of their letters
// folded to upper case, eight bytes at a time, and a name of up to eight
// bytes (a mail key) is kept in its slot, so that a look-up touches one
// place in memory. Each name also has a number, 1 up in the order the names
// came in, for callers that work on numbers instead of texts.

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
  // The name's number, the name added first when it is not in yet; names
  // equal without regard to letter case share one. The empty name is 0 and
  // is not added.
  std::uint32_t number(std::string_view name);
  std::size_t size() const { return count_ + (hasEmptyName_ ? 1 : 0); }

 private:
  static constexpr std::size_t kInline = 8;
  struct Slot {
    std::uint32_t tag = 0;     // the folded hash, which also picks the slot
    std::uint32_t length = 0;  // 0: an empty slot (the empty name is kept apart)
    std::uint64_t data = 0;    // the bytes of a short name, else its offset in bytes_
    std::uint32_t number = 0;  // 1 up, in the order of insertion
  };
  std::string_view nameIn(const Slot& slot, char (&buffer)[kInline]) const;
  bool holds(const Slot& slot, std::string_view name, std::uint32_t tag) const;
  // The slot holding name, or the empty slot where it would go.
  std::size_t find(std::string_view name, std::uint32_t tag) const;
  // Doubles the slots (a table of at most 2^32 of them: tags pick them).
  void grow();

  std::string bytes_;        // the names longer than kInline, side by side
  std::vector<Slot> slots_;  // a power of two in size, never more than half full
  std::size_t count_ = 0;
  bool hasEmptyName_ = false;
};

}  // namespace gleanix::util
