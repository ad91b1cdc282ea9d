#pragma once
// TIntegerList: an ordered list of signed 32-bit integers. Reading an index
// outside the list gives 0 instead of failing, which callers rely on.

#include <cstdint>
#include <vector>

namespace gleanix::util {

class TIntegerList {
 public:
  void Clear() { items_.clear(); }
  void Add(std::int32_t value) { items_.push_back(value); }
  std::int32_t Item(std::int64_t index) const {
    return (index < 0 || index >= Count()) ? 0 : items_[static_cast<std::size_t>(index)];
  }
  std::int64_t Count() const { return static_cast<std::int64_t>(items_.size()); }
  const std::vector<std::int32_t>& Items() const { return items_; }

 private:
  std::vector<std::int32_t> items_;
};

}  // namespace gleanix::util
