#include "store/ini.h"

#include "util/sjis.h"

namespace gleanix::store {

std::optional<std::string> keyValue(const std::vector<std::string>& lines, std::string_view upperKey) {
  for (const std::string& line : lines) {
    if (util::startsWithIgnoreCase(line, upperKey)) {
      return std::string(util::trim(std::string_view(line).substr(upperKey.size())));
    }
  }
  return std::nullopt;
}

std::optional<std::string> quotedKeyValue(const std::vector<std::string>& lines, std::string_view upperKey) {
  auto value = keyValue(lines, upperKey);
  if (!value || value->empty() || (*value)[0] != '"') return value;
  // The last character may be a double-byte one: never cut it in half.
  const std::size_t last = util::lastCharOffset(*value);
  return last == 0 ? std::string() : value->substr(1, last - 1);
}

std::string titleOf(const std::vector<std::string>& lines) { return quotedKeyValue(lines, "TITLE=").value_or(""); }

bool isSubfolderType(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (util::equalsIgnoreCase(line, "Type=Subfolder")) return true;
  }
  return false;
}

}  // namespace gleanix::store
