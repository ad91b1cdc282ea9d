#pragma once
// Reading one header field from the header lines of a mail.

#include <string>
#include <string_view>
#include <vector>

namespace gleanix::mailtext {

// The value of the first line whose first characters, upper-cased, equal
// `name` (given upper-cased with its colon: "SUBJECT:", "DATE:"). The value is
// the rest of that line, trimmed, followed by every continuation line (one
// that begins with a space or tab) without its first character and without
// any separator. Empty when no line matches.
std::string headerField(std::string_view name, const std::vector<std::string>& headerLines);
// The same over lines that are views into a mail's bytes.
std::string headerField(std::string_view name, const std::vector<std::string_view>& headerLines);

}  // namespace gleanix::mailtext
