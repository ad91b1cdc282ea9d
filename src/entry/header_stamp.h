#pragma once
// The "X-Mailer-Plugin" header line that names the plug-ins which took part
// in writing a mail. Gleanix adds its stamp to the field's comma-separated
// list, or brings an older stamp of its own up to date.

#include <optional>
#include <string>
#include <string_view>

namespace gleanix::entry {

// "Gleanix Ver.0.03 Rev.10".
std::string headerStamp();

// The header with the stamp added or updated; nullopt when the header
// already carries the current stamp and nothing needs to change.
std::optional<std::string> stampHeader(std::string_view header);

}  // namespace gleanix::entry
