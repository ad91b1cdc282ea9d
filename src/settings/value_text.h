#pragma once
// Numbers as the settings file and the registry write them as text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gleanix::settings {

// Decimal, optional sign, blanks around allowed; nullopt when not a 32-bit
// integer.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Decimal with "." and an optional exponent ("1.5", "-2E-7"), blanks around
// allowed; nullopt for anything else, including infinities and NaN.
std::optional<double> parseFloat(std::string_view text);

// The shortest text that reads back as the same double, in general form:
// plain digits for exponents -5 to 14 ("0.1", "100000"), otherwise
// scientific with an upper-case "E" ("1E20", "1.5E-7").
std::string formatFloat(double value);

}  // namespace gleanix::settings
