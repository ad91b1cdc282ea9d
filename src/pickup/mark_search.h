#pragma once
// The mark pickup: mails picked by their mark number or read state, read
// from the entry and trash lists alone (mail files are only checked for
// existence).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pickup/progress.h"
#include "sys/file_system.h"

namespace gleanix::pickup {

// What the mark dialog's ten check boxes select ("Midoku", "Kidoku",
// "Mark0" to "Mark7"); the default is mark 1 alone.
struct MarkSelection {
  bool unread = false;
  bool read = false;
  std::array<bool, 8> marks{false, true, false, false, false, false, false, false};

  // Whether anything at all is selected (the dialog's OK button).
  bool any() const;
};

// A mail is a hit when its mark number (bits 0-2) is selected; otherwise,
// unless bit 31 takes its read state away, when it is unread (bit 30) and
// unread mails are selected, or read and read mails are selected.
bool isMarkHit(const MarkSelection& selection, std::uint32_t attribute);

// Searches the folders in list order; within a folder its list file from
// the last line to the first (a trash list gives its own keys as hits).
// Progress: maximum = number of folders, position = index of the folder;
// the abort flag is looked at after each folder. A list line whose
// attribute field is cut short of 6 characters carries no mark or read
// state and is never a hit.
PickupResult markSearch(const sys::FileSystem& fs, std::string_view mailRoot, const std::vector<std::string>& folders,
                        const MarkSelection& selection, PickupProgress& progress);

}  // namespace gleanix::pickup
