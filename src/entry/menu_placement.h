#pragma once
// Where Gleanix's items go in a host menu bar: into the popup that plug-ins
// of the series share (its caption is a setting), and into the window's
// edit popup. Both are found by reading the texts of the bar's top-level
// items.

#include <string>
#include <string_view>

#include "sys/desktop.h"

namespace gleanix::entry {

// The host's help popup, before which a new shared popup goes.
inline constexpr const char* kHelpCaption = "ヘルプ(&H)";
// The caption of an edit popup Gleanix adds itself.
inline constexpr const char* kEditCaption = "編集(&E)";

struct PopupPlace {
  int position = 0;     // of the popup found, or where a new one goes
  bool create = true;   // no popup to reuse: insert a new one at position
};

// A top-level item's text as the host menu gives it back: at most 255 bytes,
// cut at the first NUL.
std::string topLevelText(const sys::Desktop& desktop, sys::MenuHandle menu, int position);

// The popup captioned `caption` when the bar has one (another plug-in of the
// series made it); else a new one before the last "ヘルプ(&H)", or at the end.
PopupPlace sharedPopupPlace(const sys::Desktop& desktop, sys::MenuHandle menu, std::string_view caption);

// The first popup whose text begins with "編集("; else a new one before the
// last item beginning with "ヘルプ(", or at the end.
PopupPlace editPopupPlace(const sys::Desktop& desktop, sys::MenuHandle menu);

}  // namespace gleanix::entry
