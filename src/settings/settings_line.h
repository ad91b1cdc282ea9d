#pragma once
// One line of the settings file, "<full name>=<type>:<value>", and the typed
// value text it carries.

#include <optional>
#include <string>
#include <string_view>

#include "settings/variant.h"

namespace gleanix::settings {

// How a line of the file is built. Lines that are not "name=type:value" are
// kept as they are, so that saving never drops what could not be read.
enum class LineShape {
  Entry,   // "name=type:value"
  NoType,  // "name=value" without ":" after the "="; value is everything after "="
  NoName   // no "=" at all; name is the whole line
};

struct SettingsLine {
  std::string name;
  std::string type;
  std::string value;
  LineShape shape = LineShape::Entry;
};

// Splits at the first "=" and the first ":" after it. Both searches skip the
// second byte of a double-byte character, which may well be one of them.
SettingsLine parseSettingsLine(std::string_view line);

// The line back, byte for byte as parsed.
std::string composeSettingsLine(const SettingsLine& line);

// The type words.
inline constexpr std::string_view kBooleanType = "Boolean";
inline constexpr std::string_view kIntegerType = "Integer";
inline constexpr std::string_view kFloatType = "Float";
inline constexpr std::string_view kDateType = "Date";
inline constexpr std::string_view kStringType = "String";

struct EncodedValue {
  std::string type;
  std::string text;
};

// Type word and value text for a value. Currency and byte values (and an
// empty one) get neither.
EncodedValue encodeValue(const Variant& value);

// The value a type word and value text stand for; nullopt when the text does
// not convert (a bad number, date or escape). A Boolean is true only for
// exactly "True"; an unknown type word reads as String.
std::optional<Variant> decodeValue(std::string_view type, std::string_view text);

}  // namespace gleanix::settings
