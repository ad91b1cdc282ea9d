#include "regex/state_cache.h"

#include <stdexcept>

namespace gleanix::regex {

std::int32_t StateCache::intern(const StateKey& key, std::uint32_t flags) {
  auto it = map_.find(key);
  if (it != map_.end()) return it->second;
  const std::size_t offset = states_.size() * stride_;
  if (offset + stride_ > kOffsetMask) throw std::length_error("regex state cache");
  auto inserted = map_.emplace(key, static_cast<std::int32_t>(offset)).first;
  states_.push_back({&inserted->first, flags});
  rows_.resize(offset + stride_, kUnknown);
  // Key and row, plus the bookkeeping of a hash node.
  bytes_ += (key.size() + stride_) * sizeof(std::int32_t) + 64;
  return static_cast<std::int32_t>(offset);
}

void StateCache::clear() {
  if (!states_.empty()) ++clears_;
  map_.clear();
  states_.clear();
  rows_.clear();
  bytes_ = 0;
}

}  // namespace gleanix::regex
