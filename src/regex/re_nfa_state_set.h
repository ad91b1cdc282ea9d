#pragma once
// TRE_NFAStateSet: a set of NFA state numbers as a bit set of
// (number of states / 8) + 1 bytes; two sets are equal when all their bytes
// are. It also remembers its members in the order they were added, so that
// emptying it costs as much as it held rather than its full size; the
// automata reuse one set for every step.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gleanix::regex {

class TRE_NFAStateSet {
 public:
  explicit TRE_NFAStateSet(std::size_t stateCount) : bits_(stateCount / 8 + 1, 0) {}

  bool contains(int state) const {
    return (bits_[static_cast<std::size_t>(state) >> 3] >> (state & 7)) & 1;
  }
  // Adds state; false when it was already there.
  bool insert(int state) {
    std::uint8_t& byte = bits_[static_cast<std::size_t>(state) >> 3];
    const auto mask = static_cast<std::uint8_t>(1u << (state & 7));
    if (byte & mask) return false;
    byte |= mask;
    members_.push_back(state);
    return true;
  }
  void clear() {
    for (int s : members_) bits_[static_cast<std::size_t>(s) >> 3] = 0;
    members_.clear();
  }

  const std::vector<int>& members() const { return members_; }
  std::size_t size() const { return members_.size(); }
  bool empty() const { return members_.empty(); }
  const std::vector<std::uint8_t>& bytes() const { return bits_; }

  bool operator==(const TRE_NFAStateSet& other) const { return bits_ == other.bits_; }

 private:
  std::vector<std::uint8_t> bits_;
  std::vector<int> members_;
};

}  // namespace gleanix::regex
