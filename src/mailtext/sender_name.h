#pragma once
// The short display form of a From value for the pickup list.

#include <string>
#include <string_view>

namespace gleanix::mailtext {

// On the trimmed value:
// 1. ending in ">": "<addr>" alone gives addr, "Name <addr>" gives Name;
// 2. then ending in ")" with a "(": the trimmed text between the first "(" and
//    the end ("addr (Comment)" gives Comment);
// 3. then in double quotes: the text between them, and nothing more;
// 4. else the text before the first "@", if any.
// Double-byte aware: a trail byte never counts as one of these characters.
std::string senderName(std::string_view value);

}  // namespace gleanix::mailtext
