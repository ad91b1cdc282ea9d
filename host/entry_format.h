#pragma once
// How Quillon writes the lines of its entry and trash lists: after the key
// (or the mail's path, in a trash list) and "=", 6 characters of attribute
// word, 10 characters of its own data (here the mail's size in bytes) and a
// text of sender address, ":" and subject. The subject's own colons are
// doubled so that the text after the first ":" is the subject.

#include <cstdint>
#include <string>
#include <string_view>

namespace gleanix::host {

// Everything after the "=" of a list line for a mail with these bytes.
std::string listLineTail(std::uint32_t attribute, std::string_view mail);

// The unfolded value of the first header field with this name (given with
// its colon; letter case ignored); empty when the header has none.
std::string headerValue(std::string_view mail, std::string_view name);

// The bare address of a From value ("a@b" from any of its usual forms).
std::string senderAddress(std::string_view from);

}  // namespace gleanix::host
