#pragma once
// StateCache: the states of a lazily built DFA and their transition rows,
// within a memory budget. A state is identified by a key (a list of NFA
// states, possibly with structure); its row holds, per character class, the
// transition value: kUnknown until computed, else the target's row offset
// with flag bits. When the budget is spent the owner clears the cache and
// goes on from the state it is in, so memory stays bounded whatever the
// pattern; the price is recomputing states that are needed again.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace gleanix::regex {

using StateKey = std::vector<std::int32_t>;

struct StateKeyHash {
  std::size_t operator()(const StateKey& key) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ key.size();
    for (std::int32_t v : key) {
      h ^= static_cast<std::uint32_t>(v);
      h *= 0xFF51AFD7ED558CCDull;
      h ^= h >> 32;
    }
    return static_cast<std::size_t>(h);
  }
};

class StateCache {
 public:
  static constexpr std::int32_t kUnknown = -1;
  // Flag bits of a transition value; the low bits are the row offset.
  static constexpr std::uint32_t kFlagShift = 28;
  static constexpr std::uint32_t kOffsetMask = (1u << kFlagShift) - 1;

  StateCache(std::uint32_t classes, std::size_t budgetBytes) : stride_(classes), budget_(budgetBytes) {}

  std::uint32_t stride() const { return stride_; }

  // The row offset of the state with this key, creating it (with a row of
  // unknown transitions) when new; flags are kept with the state.
  std::int32_t intern(const StateKey& key, std::uint32_t flags);

  const StateKey& key(std::int32_t offset) const { return *states_[index(offset)].key; }
  std::uint32_t flags(std::int32_t offset) const { return states_[index(offset)].flags; }
  // The value that leads into the state at offset: offset plus its flags.
  std::int32_t valueOf(std::int32_t offset) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(offset) | flags(offset) << kFlagShift);
  }

  std::int32_t* rows() { return rows_.data(); }
  std::int32_t& at(std::int32_t offset, std::uint32_t cls) { return rows_[static_cast<std::size_t>(offset) + cls]; }

  bool overBudget() const { return bytes_ > budget_; }
  // Counts memory that the owner keeps beside the cache against the budget.
  void charge(std::size_t bytes) { bytes_ += bytes; }
  void clear();
  std::size_t stateCount() const { return states_.size(); }
  std::size_t bytes() const { return bytes_; }
  std::size_t clears() const { return clears_; }

 private:
  struct State {
    const StateKey* key;
    std::uint32_t flags;
  };
  std::size_t index(std::int32_t offset) const { return static_cast<std::size_t>(offset) / stride_; }

  std::uint32_t stride_;
  std::size_t budget_;
  std::size_t bytes_ = 0;
  std::size_t clears_ = 0;
  std::unordered_map<StateKey, std::int32_t, StateKeyHash> map_;
  std::vector<State> states_;
  std::vector<std::int32_t> rows_;
};

}  // namespace gleanix::regex
