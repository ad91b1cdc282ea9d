#pragma once
// The script mode's terminal edge: script files and transcripts are UTF-8,
// the host and the plug-in speak CP932.

#include <optional>
#include <string>
#include <string_view>

namespace gleanix::host {

// Bytes that are not CP932 become "?".
std::string cp932ToUtf8(std::string_view cp932);
// nullopt when the text is not UTF-8 or holds what CP932 cannot write.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

}  // namespace gleanix::host
