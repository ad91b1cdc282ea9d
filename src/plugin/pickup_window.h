#pragma once
// A pickup list window as the plug-in frame sees it: a window of class
// "TFolderForm" that lives on after the command that made it, until the user
// closes it. The list window itself belongs to a later layer.

#include "sys/host_abi.h"

namespace gleanix::plugin {

// The window class of every pickup list window.
inline constexpr const char* kPickupWindowClass = "TFolderForm";

class PickupWindow {
 public:
  virtual ~PickupWindow() = default;
  virtual sys::WindowHandle handle() const = 0;
};

}  // namespace gleanix::plugin
