#include "store/time_zone.h"

#include <string>

#include "store/ini.h"

namespace gleanix::store {
namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
int twoDigits(std::string_view s) { return (s[0] - '0') * 10 + (s[1] - '0'); }
}  // namespace

std::optional<std::int32_t> timeZoneBiasOf(std::string_view value) {
  if (value.size() < 5 || (value[0] != '+' && value[0] != '-')) return std::nullopt;
  for (std::size_t i = 1; i < 5; ++i) {
    if (!isDigit(value[i])) return std::nullopt;
  }
  const std::int32_t minutes = twoDigits(value.substr(1)) * 60 + twoDigits(value.substr(3));
  return value[0] == '-' ? minutes : -minutes;
}

std::int32_t storeTimeZoneBias(const sys::FileSystem& fs, std::string_view root, std::int32_t systemBias) {
  const auto lines = fs.readLines(std::string(root) + "Mailbox.ini");
  if (!lines) return systemBias;
  const auto value = quotedKeyValue(*lines, "TIMEZONE=");
  if (!value) return systemBias;
  return timeZoneBiasOf(*value).value_or(systemBias);
}

}  // namespace gleanix::store
