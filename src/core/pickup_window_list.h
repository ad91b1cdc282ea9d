#pragma once
// The process-wide list of open pickup list windows. Each entry is the
// window handle written as decimal text, with the window object attached.
// Windows close on their own, so the list is pruned before it is used.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/pickup_window.h"

namespace gleanix::core {

class PickupWindowList {
 public:
  struct Entry {
    std::string text;  // the handle in decimal
    std::shared_ptr<PickupWindow> window;
  };

  // Appends the window under its handle. An entry left under the same
  // handle by a window that has gone (handles are reused) is dropped first.
  void add(std::shared_ptr<PickupWindow> window);

  // Removes, from the last entry to the first, every entry whose handle no
  // longer leads to a pickup list window.
  void prune(const std::function<bool(sys::WindowHandle)>& isPickupWindow);

  const std::vector<Entry>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // The handle an entry's text names; 0 for a text that is not one.
  static sys::WindowHandle handleOf(const Entry& entry);

 private:
  std::vector<Entry> entries_;
};

}  // namespace gleanix::core
