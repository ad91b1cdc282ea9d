#pragma once
// Normalising a subject for comparison and sorting.

#include <string>
#include <string_view>

namespace gleanix::mailtext {

// The upper-cased subject without its leading mailing-list tags and reply
// prefixes: trimmed, then repeatedly a leading "[...]" (up to the first "]")
// or a leading "RE:" is dropped and the rest trimmed. "RE :", "RE^2:",
// "FW:", "RE[2]:" and a "[" without a "]" stay. A "]" that is the second
// byte of a double-byte character does not close a tag.
std::string bareSubject(std::string_view upperSubject);

}  // namespace gleanix::mailtext
