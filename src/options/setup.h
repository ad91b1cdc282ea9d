#pragma once
// APCSetup: the options dialog as the host's setup call shows it.

#include <functional>

#include "core/started_plugin.h"
#include "sys/handles.h"

namespace gleanix::options {

// Gives a dialog window the plug-in's shared icon.
using ApplyIcon = std::function<void(sys::WindowHandle dialog)>;

// Shows TOptionForm modally, owned by parent when that is a window. When it
// closes with OK, the pickup window list is pruned and every open pickup
// list window takes the font, colour and count bar from the settings again.
// giveIcon, when set, is given the dialog's window before it is shown.
void APCSetup(core::StartedPlugin& plugin, sys::WindowHandle parent, const ApplyIcon& giveIcon = nullptr);

}  // namespace gleanix::options
