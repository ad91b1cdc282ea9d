#include "core/host_windows.h"

#include <algorithm>
#include <string_view>


namespace gleanix::core {
namespace {

constexpr std::size_t kCaptionLimit = 100;

}  // namespace

bool isPickupListWindow(const sys::Desktop& desktop, sys::WindowHandle window) {
  return window != 0 && desktop.isWindow(window) && desktop.className(window) == kPickupWindowClass;
}

std::string searchCaption(const sys::Desktop& desktop, sys::WindowHandle window) {
  std::string caption = desktop.text(window);
  caption.resize(std::min(caption.size(), kCaptionLimit));
  const auto isControl = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
  caption.erase(std::find_if(caption.begin(), caption.end(), isControl), caption.end());
  return caption;
}

bool pickupWindowValid(const sys::Desktop& desktop, const PickupWindow* window) {
  try {
    return window && isPickupListWindow(desktop, window->handle()) && window->rowCount() > 0;
  } catch (...) {
    return false;
  }
}

sys::WindowHandle findHostMainWindow(const sys::Desktop& desktop, sys::WindowHandle given,
                                     sys::WindowHandle threadMainWindow, sys::WindowHandle recordedMainWindow) {
  if (threadMainWindow != 0) return threadMainWindow;
  // A window the desktop does not know has no process: nothing of it to search.
  const std::uint32_t process = given != 0 ? desktop.processId(given) : 0;
  if (process != 0) {
    for (const sys::WindowHandle w : desktop.topLevelWindows()) {
      if (desktop.processId(w) != process) continue;
      if (std::string_view(searchCaption(desktop, w)).ends_with(kHostCaptionSuffix)) return w;
    }
  }
  return recordedMainWindow;
}

}  // namespace gleanix::core
