#pragma once
// Objects handed back after use and handed out again, for the results of a
// read-ahead: their buffers keep their room, so that a search under way
// hardly allocates, and what one thread allocated is seldom freed on
// another (with the allocator's locks the threads would wait on each other
// for every mail). Safe on any thread.

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace gleanix::util {

template <typename T>
class ObjectPool {
 public:
  explicit ObjectPool(std::size_t kept) : kept_(kept) {}

  // One handed back before, or a new one.
  std::unique_ptr<T> get() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (free_.empty()) return std::make_unique<T>();
    std::unique_ptr<T> object = std::move(free_.back());
    free_.pop_back();
    return object;
  }

  // Kept for get() while fewer than `kept` are held; dropped otherwise.
  void put(std::unique_ptr<T> object) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (free_.size() < kept_) free_.push_back(std::move(object));
  }

 private:
  const std::size_t kept_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<T>> free_;
};

}  // namespace gleanix::util
