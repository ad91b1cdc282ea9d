#pragma once
// Where the hits of a pickup go, and handing them over: to a new pickup
// list window, or as copies into folders through the host.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/started_plugin.h"
#include "pickup/progress.h"

namespace gleanix::pickupcommands {

struct Destination {
  bool listWindow = true;            // else copies
  std::vector<std::string> folders;  // the copies' folders, as the tree stores them
};

// Cmd/"Destination": 1 the list window; 2 copies into the folders of
// Cmd\Destination/"Folder"; 0 asks in TDestinationForm (nullopt when it is
// cancelled). Any other value: nullopt, nothing is handed over.
std::optional<Destination> chooseDestination(core::StartedPlugin& plugin, std::string_view section,
                                             std::size_t hitCount, sys::WindowHandle hostWindow);

// A new pickup list window for the host main window, in the pickup window
// list under its handle, one row per hit in hit order (a hit listed in an
// account's trash shown under that trash), shown without waiting. A hit
// with a summary from the search (the result's summaries) gets its row from
// it; any other hit's mail file is read for its row.
void handOverToListWindow(core::StartedPlugin& plugin, sys::WindowHandle mainWindow,
                          const std::vector<std::string>& hits);
void handOverToListWindow(core::StartedPlugin& plugin, sys::WindowHandle mainWindow,
                          const pickup::PickupResult& result);

// Copies of the hits into each folder in order, skipping folders without
// "Entry.ini" and hits whose mail file is gone. The host shows the copies;
// only when no folder could take them at all does a message say so.
void handOverByCopying(core::StartedPlugin& plugin, const std::vector<std::string>& hits,
                       const std::vector<std::string>& folders);

}  // namespace gleanix::pickupcommands
