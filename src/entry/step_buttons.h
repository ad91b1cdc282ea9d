#pragma once
// The previous and next buttons Gleanix adds to a VIEW window's toolbar
// (menu code 201, before the menu items), and their images: normal while
// the associated pickup list has a mail in that direction, else disabled.

#include "core/started_plugin.h"

namespace gleanix::entry {

// The toolbar: the window after the VIEW window's topmost child in Z order.
sys::WindowHandle viewToolbar(const sys::Desktop& desktop, sys::WindowHandle view);

// Adds the four bitmaps of TCommonForm to the toolbar's image list (silver
// transparent), then a separator and the two buttons, whose commands are
// the pickup step with parameters 0 and 1. The toolbar, the ids and the
// image indices go into this thread's state. Nothing happens when the VIEW
// window has no toolbar.
void addStepButtons(core::StartedPlugin& plugin, sys::WindowHandle view);

// Shows the normal or the disabled image on each button.
void showStepImages(core::StartedPlugin& plugin, bool previousEnabled, bool nextEnabled);

}  // namespace gleanix::entry
