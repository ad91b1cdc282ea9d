#include "settings/settings_line.h"

#include "settings/escape.h"
#include "settings/value_text.h"
#include "util/sjis.h"

namespace gleanix::settings {

SettingsLine parseSettingsLine(std::string_view line) {
  SettingsLine out;
  const std::size_t eq = util::findByte(line, '=');
  if (eq == std::string_view::npos) {
    out.name = std::string(line);
    out.shape = LineShape::NoName;
    return out;
  }
  out.name = std::string(line.substr(0, eq));
  const std::string_view rest = line.substr(eq + 1);
  const std::size_t colon = util::findByte(rest, ':');
  if (colon == std::string_view::npos) {
    out.value = std::string(rest);
    out.shape = LineShape::NoType;
    return out;
  }
  out.type = std::string(rest.substr(0, colon));
  out.value = std::string(rest.substr(colon + 1));
  return out;
}

std::string composeSettingsLine(const SettingsLine& line) {
  switch (line.shape) {
    case LineShape::NoName: return line.name;
    case LineShape::NoType: return line.name + "=" + line.value;
    case LineShape::Entry: break;
  }
  std::string out;
  out.reserve(line.name.size() + line.type.size() + line.value.size() + 2);
  out.append(line.name).append("=").append(line.type).append(":").append(line.value);
  return out;
}

EncodedValue encodeValue(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Boolean: return {std::string(kBooleanType), *value.toString()};
    case Variant::Kind::Integer: return {std::string(kIntegerType), *value.toString()};
    case Variant::Kind::Float: return {std::string(kFloatType), *value.toString()};
    case Variant::Kind::Date: return {std::string(kDateType), *value.toString()};
    case Variant::Kind::String: return {std::string(kStringType), escapeValue(*value.toString())};
    case Variant::Kind::Empty:
    case Variant::Kind::Currency:
    case Variant::Kind::Byte: break;
  }
  return {};
}

std::optional<Variant> decodeValue(std::string_view type, std::string_view text) {
  if (type == kBooleanType) return Variant(text == "True");
  if (type == kIntegerType) {
    if (auto n = parseInteger(text)) return Variant(*n);
    return std::nullopt;
  }
  if (type == kFloatType) {
    if (auto f = parseFloat(text)) return Variant(*f);
    return std::nullopt;
  }
  if (type == kDateType) {
    if (auto d = parseDateTime(text)) return Variant(*d);
    return std::nullopt;
  }
  if (auto s = unescapeValue(text)) return Variant(std::move(*s));
  return std::nullopt;
}

}  // namespace gleanix::settings
