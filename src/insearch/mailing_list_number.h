#pragma once
// Mailing-list numbers as a mail body quotes them, "[name:1234]": the one
// around the caret of a VIEW window, and the key its mail is looked up by
// in the host's list files, where the colons of a subject are doubled.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gleanix::insearch {

// How far before and after the caret the brackets are looked for, in bytes.
inline constexpr std::size_t kNumberReach = 20;

// The bracketed number around byte offset caret of text: the last "[" in
// the 20 bytes before the caret and the first "]" in the 20 bytes from it
// on, with at least one ":" and no line break between them. "[" + what lies
// between + "]", or nullopt. Brackets are only taken where a character
// starts (the trail byte of "ー" is "[" too).
std::optional<std::string> mailingListNumberAt(std::string_view text, std::size_t caret);

// The number with its first colon doubled: "[name:1234]" -> "[name::1234]".
std::string mailingListSearchKey(std::string_view number);

}  // namespace gleanix::insearch
