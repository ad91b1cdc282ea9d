#pragma once
// Handing the hits of a pickup over to a pickup list window: each hit split
// into folder and key, with the display path the list shows it under.

#include <string>
#include <string_view>
#include <vector>

#include "sys/file_system.h"

namespace gleanix::pickup {

struct PickedMail {
  std::string folder;       // all but the last 8 characters of the hit
  std::string displayPath;  // the folder's display path, or the trash's
  std::string key;          // the last 8 characters
};

// In hit order. A hit equal to a key of any account's trash list (letter
// case ignored) is shown under that trash ("<account title>\ごみ箱"),
// whatever folder its path names; any other hit under the display path of
// its folder.
std::vector<PickedMail> pickedMails(const sys::FileSystem& fs, std::string_view mailRoot,
                                    const std::vector<std::string>& hits);

}  // namespace gleanix::pickup
