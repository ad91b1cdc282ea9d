#pragma once
// The folder trees of the pickup dialogs and what is stored of them: the
// checked folders as a folder list text (each path followed by CR LF), the
// initial checks and open branches a dialog starts with, and the open
// branches of the destination tree.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/mailbox_tree_view.h"
#include "settings/settings_cache.h"
#include "sys/host.h"

namespace gleanix::pickupcommands {

inline constexpr std::string_view kCrLf = "\r\n";

// The lines of a multi-line setting (CR LF between or after entries);
// empty lines are dropped.
std::vector<std::string> settingLines(std::string_view text);

// The paths of the checked nodes in tree order, each followed by CR LF.
std::string checkedFolderList(const controls::TMailboxTreeView& tree);
// The same paths, in tree order.
std::vector<std::string> checkedFolders(const controls::TMailboxTreeView& tree);

// What the tree of the command with this section starts with checked, as
// the text CR LF + path + CR LF of each wanted folder is looked up in:
// "Check" 0 (and any value but 1 and 2) the stored folder list, 1 only the
// folder the host's main window shows, 2 nothing (nullopt). "Check" takes
// its default from the older "Last".
std::optional<std::string> wantedChecks(const settings::SettingsCache& settings, std::string_view section,
                                        sys::Host& host, sys::WindowHandle mainWindow);

// Checks, in tree order, every unchecked node whose CR LF + path + CR LF
// occurs in wanted. Nodes without a check box stay as they are; a wanted
// folder the tree lacks checks nothing.
void checkWanted(controls::TMailboxTreeView& tree, std::string_view wanted);

// "Open": 0 every node open with its whole branch, 2 only the ancestors of
// checked nodes, 1 (and any other value) the tree as built.
void applyOpenState(controls::TMailboxTreeView& tree, std::int32_t open);

// Opens (not recursively), in tree order, every node whose path is one of
// the lines of the text.
void expandListed(controls::TMailboxTreeView& tree, std::string_view paths);
// The paths of the open nodes in tree order, joined by CR LF.
std::string expandedPaths(const controls::TMailboxTreeView& tree);

}  // namespace gleanix::pickupcommands
