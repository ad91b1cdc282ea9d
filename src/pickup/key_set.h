#pragma once
// A set of relation keys (message ids, subjects, article tags) compared as
// the host's text lists compare: ASCII letters without regard to case, the
// bytes of double-byte characters exactly. A hash set, so that looking a key
// up costs the same whatever the set holds.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

#include "util/folded_key.h"

namespace gleanix::pickup {

using util::FoldedEqual;
using util::FoldedHash;

class KeySet {
 public:
  bool contains(std::string_view key) const { return keys_.find(key) != keys_.end(); }
  // True when the key was not in the set yet.
  bool insert(std::string_view key) { return keys_.emplace(key).second; }
  void insertAll(const KeySet& other) { keys_.insert(other.keys_.begin(), other.keys_.end()); }
  // Moves every key of other that this set lacks over, without copying it;
  // other keeps the keys this set had already.
  void takeAll(KeySet& other) { keys_.merge(other.keys_); }
  std::size_t size() const { return keys_.size(); }
  bool empty() const { return keys_.empty(); }

 private:
  std::unordered_set<std::string, FoldedHash, FoldedEqual> keys_;
};

}  // namespace gleanix::pickup
