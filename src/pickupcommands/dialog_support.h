#pragma once
// What every dialog of the pickup commands is given when it is made: an
// owner it can really have, and the plug-in's shared icon.

#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::pickupcommands {

// The host's window as the owner of a dialog, or none when the handle is
// not a window (a stale handle would make the dialog fail).
sys::WindowHandle dialogOwner(core::StartedPlugin& plugin, sys::WindowHandle hostWindow);

// Gives the dialog the shared form's icon: the one place the pickup
// dialogs take their icon from.
void giveSharedIcon(core::StartedPlugin& plugin, ui::TForm& dialog);

}  // namespace gleanix::pickupcommands
