#pragma once
// A VIEW window steps through the pickup list it was opened from: the
// previous and next buttons of its toolbar show the mails before and after
// the list's selection, their images tell whether there is one, and the
// list comes back to the front when the VIEW window goes. The association
// with the list is this thread's (core::threadState()); it is set when a
// mail opened from a list is loaded and kept until another list opens one.

#include <cstdint>

#include "core/started_plugin.h"

namespace gleanix::entry {

// The pickup step command: parameter 0 the previous mail, 1 the next one,
// shown in the same VIEW window. Nothing happens when the associated list
// is no longer valid or has no mail in that direction.
void stepPickup(core::StartedPlugin& plugin, sys::WindowHandle view, std::int32_t parameter);

// APCViewLoadMail: after a change Gleanix asked for itself, only the button
// images follow the list; otherwise the list that just opened a mail (if
// any) becomes the association, and the images follow it (disabled when
// there is no valid one).
void viewMailLoaded(core::StartedPlugin& plugin);

// Brings the associated list to the front (after its timer) when it is
// still valid: the VIEW window closes or hides.
void bringAssociatedListToFront(core::StartedPlugin& plugin);

}  // namespace gleanix::entry
