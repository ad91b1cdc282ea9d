#pragma once
// Sorting a list of string keys and reporting the new order as a permutation
// of the original indices, so that a caller can move the other data of its
// rows along (the pickup list sorts by one column this way).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace gleanix::util::keysort {

// An ordered list of signed 32-bit integers; a permutation is one whose item
// i is the original index of the element now at position i. Reading or
// deleting an index outside the list is harmless: reads give 0, deletes do
// nothing.
class TIntegerList {
 public:
  TIntegerList() = default;
  TIntegerList(std::initializer_list<std::int32_t> items) : items_(items) {}

  void Clear() { items_.clear(); }
  void Add(std::int32_t value) { items_.push_back(value); }
  void Delete(std::int64_t index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
  }
  std::int32_t Item(std::int64_t index) const {
    return (index < 0 || index >= Count()) ? 0 : items_[static_cast<std::size_t>(index)];
  }
  std::int64_t Count() const { return static_cast<std::int64_t>(items_.size()); }
  const std::vector<std::int32_t>& Items() const { return items_; }

  bool operator==(const TIntegerList&) const = default;

 private:
  std::vector<std::int32_t> items_;
};

// Sorts keys in place, ascending or descending, comparing them as strings of
// unsigned bytes (a proper prefix is smaller; no locale, no case folding).
// Equal keys keep their original order in both directions. permutation is
// refilled: item i is the original index of the key now at i.
void sortKeys(bool descending, std::vector<std::string>& keys, TIntegerList& permutation);

// Reorders items: new item i := old item permutation[i]. The result has as
// many items as the permutation; an index outside the list throws
// std::out_of_range and leaves items unchanged.
template <class T>
void applyPermutation(std::vector<T>& items, const TIntegerList& permutation) {
  for (std::int32_t index : permutation.Items()) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
      throw std::out_of_range("permutation index outside the list");
    }
  }
  std::vector<T> reordered;
  reordered.reserve(permutation.Items().size());
  // Copy rather than move: a permutation may name an item twice.
  for (std::int32_t index : permutation.Items()) reordered.push_back(items[static_cast<std::size_t>(index)]);
  items = std::move(reordered);
}

// permutation := [old permutation[order[i]] for each i]: the permutation
// that a second reordering by order leaves behind.
void composePermutation(TIntegerList& permutation, const TIntegerList& order);

}  // namespace gleanix::util::keysort
