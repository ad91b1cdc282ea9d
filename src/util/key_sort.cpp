#include "util/key_sort.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace gleanix::util::keysort {

// The order is that of a quicksort with the first key as pivot which sends
// smaller (ascending) or larger (descending) keys before the pivot and all
// others after it: a stable sort in both directions. A stable merge sort on
// the indices gives that order in O(n log n) with shallow recursion, where
// the pivot scheme is quadratic and recurses once per key on sorted input.
void sortKeys(bool descending, std::vector<std::string>& keys, TIntegerList& permutation) {
  if (keys.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("too many keys to sort");
  }
  std::vector<std::int32_t> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  auto key = [&keys](std::int32_t i) -> const std::string& { return keys[static_cast<std::size_t>(i)]; };
  // std::string compares through char_traits<char>::compare, which is
  // memcmp: unsigned bytes, a proper prefix first.
  if (descending) {
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return key(b) < key(a); });
  } else {
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return key(a) < key(b); });
  }
  std::vector<std::string> sorted;
  sorted.reserve(keys.size());
  permutation.Clear();
  for (std::int32_t i : order) {
    sorted.push_back(std::move(keys[static_cast<std::size_t>(i)]));
    permutation.Add(i);
  }
  keys = std::move(sorted);
}

void composePermutation(TIntegerList& permutation, const TIntegerList& order) {
  TIntegerList composed;
  for (std::int32_t index : order.Items()) composed.Add(permutation.Item(index));
  permutation = std::move(composed);
}

}  // namespace gleanix::util::keysort
