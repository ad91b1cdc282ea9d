#pragma once
// The three pickup commands, each a whole command run from its menu item to
// the pickup list window or the copies. The host calls them (through the
// procedures the menus register) with the window the item was chosen in
// and the registration parameter; tests call them the same way.
//
// They return when the command is over; a pickup list window lives on.
// Dialogs, lists and the cursor are released on every way out; an
// exception (none is expected) leaves after that, for the caller to keep
// away from the host.

#include <cstdint>

#include "core/started_plugin.h"

namespace gleanix::pickupcommands {

// "マークでピックアップ ...": window is the host main window; the
// parameter is not used.
void markPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t parameter);

// "キーワードでピックアップ ...": window is the host main window; the
// parameter is not used.
void keywordPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t parameter);

// "関連メールのピックアップ ...": parameter 0 from the main window (window
// is the main window, the start is its selection or cursor mail),
// 1 from a VIEW window (window is that VIEW window, the start its mail).
void relatedPickup(core::StartedPlugin& plugin, sys::WindowHandle window, std::int32_t parameter);

}  // namespace gleanix::pickupcommands
