#pragma once
// What every dialog of the pickup commands is given when it is made: an
// owner it can really have, and the plug-in's shared icon.

#include "core/started_plugin.h"
#include "ui/form.h"

namespace gleanix::pickupcommands {

// The host's window as the owner of a dialog, or none when the handle is
// not a window (a stale handle would make the dialog fail).
sys::WindowHandle dialogOwner(core::StartedPlugin& plugin, sys::WindowHandle hostWindow);

// Gives the dialog the shared form's icon. The one place the pickup
// dialogs take their icon from: the desktop cannot set a window's icon
// yet, so for now the dialogs keep the desktop's default; once it can,
// this hands it TCommonForm::Icon() and SmallIcon().
void giveSharedIcon(core::StartedPlugin& plugin, ui::TForm& dialog);

}  // namespace gleanix::pickupcommands
