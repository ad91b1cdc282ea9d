#pragma once
// String values of the settings file: a multi-line text is stored on one
// line by escaping "%" as "%%" and every byte 0x01-0x1F as "%" plus two
// upper-case hex digits ("%0D%0A" for CR LF).

#include <optional>
#include <string>
#include <string_view>

namespace gleanix::settings {

std::string escapeValue(std::string_view text);

// The text back; nullopt for a bad escape (a "%" not followed by "%" or by
// two hex digits).
std::optional<std::string> unescapeValue(std::string_view text);

}  // namespace gleanix::settings
