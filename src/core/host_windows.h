#pragma once
// Windows the plug-in looks for on the desktop: its own pickup list
// windows, and the host's main window.

#include <string>

#include "core/pickup_window.h"
#include "sys/desktop.h"

namespace gleanix::core {

// The caption of a host main window ends in this.
inline constexpr const char* kHostCaptionSuffix = " - Quillon";

// True while the handle still leads to a pickup list window: a window whose
// class is "TFolderForm".
bool isPickupListWindow(const sys::Desktop& desktop, sys::WindowHandle window);

// The window object exists, its handle is still a window of class
// "TFolderForm" and it holds at least one row; false on any error.
bool pickupWindowValid(const sys::Desktop& desktop, const PickupWindow* window);

// A caption as the main-window search reads it: at most 100 bytes, cut at
// the first byte below the blank.
std::string searchCaption(const sys::Desktop& desktop, sys::WindowHandle window);

// The host main window for a command the host called with `given`: this
// thread's main window when it has one; else the frontmost top-level window
// of given's process whose caption ends in " - Quillon"; else the one the
// last APCFolderCreate recorded.
sys::WindowHandle findHostMainWindow(const sys::Desktop& desktop, sys::WindowHandle given,
                                     sys::WindowHandle threadMainWindow, sys::WindowHandle recordedMainWindow);

}  // namespace gleanix::core
