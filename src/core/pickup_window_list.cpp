#include "core/pickup_window_list.h"

#include <charconv>

namespace gleanix::core {

void PickupWindowList::add(std::shared_ptr<PickupWindow> window) {
  if (!window) return;
  const std::string text = std::to_string(window->handle());
  std::erase_if(entries_, [&](const Entry& e) { return e.text == text; });
  entries_.push_back({text, std::move(window)});
}

void PickupWindowList::prune(const std::function<bool(sys::WindowHandle)>& isPickupWindow) {
  // From last to first, so that removing an entry never skips the next one.
  for (std::size_t i = entries_.size(); i-- > 0;) {
    if (!isPickupWindow(handleOf(entries_[i]))) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

sys::WindowHandle PickupWindowList::handleOf(const Entry& entry) {
  sys::WindowHandle handle = 0;
  const char* end = entry.text.data() + entry.text.size();
  const auto [ptr, ec] = std::from_chars(entry.text.data(), end, handle);
  return ec == std::errc() && ptr == end ? handle : 0;
}

}  // namespace gleanix::core
