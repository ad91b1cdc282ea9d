#pragma once
// The mailing-list number command of the VIEW window's context menu: finds
// the mail whose subject begins with the number the menu offered, first in
// the folder open in the host's main window, then in the account's trash
// list, then in every folder of the account (depth first, in file-system
// order), and shows it in the same VIEW window.

#include <string>

#include "core/started_plugin.h"
#include "sys/file_system.h"

namespace gleanix::insearch {

// Messages (the caption is the mailing-list number).
inline constexpr const char* kFoundInTrash = "ごみ箱で見つかりましたが、開きますか？";
inline constexpr const char* kFoundInFolder = " で見つかりましたが、開きますか？";  // after the folder title
inline constexpr const char* kNumberNotFound = "見つかりませんでした";

// Looks through a list file (an entry list, or a trash list) for the first
// line whose subject part begins with key (letter case counts) and whose
// mail file dir + identifier + ".ALM" exists; that identifier (a key, or a
// mail path relative to the mail root), or empty. The subject part is what
// follows the ":" after the 16 characters behind the line's first "=",
// trimmed.
std::string findInList(const sys::FileSystem& fs, const std::string& dir, const std::string& listFile,
                       const std::string& key);

// The command, with this thread's mailing-list number.
void mailingListNumberSearch(core::StartedPlugin& plugin, sys::WindowHandle view);

}  // namespace gleanix::insearch
