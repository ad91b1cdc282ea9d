// The settings-file parser and the string escaping on arbitrary bytes:
// no crash; saving gives back every line as read; escaping round-trips and
// never leaves a line break in a value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/escape.h"
#include "settings/settings_cache.h"
#include "settings/value_text.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace {

using namespace gleanix::settings;

void check(bool ok) {
  if (!ok) std::abort();
}

std::string asFile(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out.append(line).append("\r\n");
  return out;
}

void readEveryWay(const SettingsCache& cache, std::string_view name) {
  const std::size_t sep = name.find('\\');
  const std::string_view section = name.substr(0, sep);
  const std::string_view key = sep == std::string_view::npos ? std::string_view() : name.substr(sep + 1);
  cache.readBool(section, key, true);
  cache.readInt(section, key, 1);
  cache.readFloat(section, key, 1.0);
  cache.readDate(section, key, DateTime{});
  cache.readString(section, key, "default");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  // Escaping.
  const std::string escaped = escapeValue(input);
  check(escaped.find_first_of("\r\n") == std::string::npos);
  const auto back = unescapeValue(escaped);
  check(back.has_value() && *back == input);
  unescapeValue(input);

  // Numbers and dates read back as written.
  if (auto f = parseFloat(input)) check(parseFloat(formatFloat(*f)) == *f);
  if (auto d = parseDateTime(input)) check(parseDateTime(formatDateTime(*d)) == *d);
  parseInteger(input);

  // The file: every line survives a save untouched, whatever it holds.
  const std::vector<std::string> lines = gleanix::sys::splitLines(input);
  SettingsCache cache;
  cache.loadText(input);
  check(cache.text() == asFile(lines));
  std::size_t n = 0;
  for (const auto& line : lines) {
    if (++n > 64) break;
    readEveryWay(cache, parseSettingsLine(line).name);
  }

  // Writes keep the file readable: a value written reads back after a reload.
  const std::string name = lines.empty() ? std::string("A\\B") : parseSettingsLine(lines.front()).name;
  const std::size_t sep = name.find('\\');
  const std::string section = name.substr(0, sep);
  const std::string key = sep == std::string::npos ? std::string() : name.substr(sep + 1);
  const std::string fullName = section + "\\" + key;
  const bool sameAsInt = gleanix::util::upperAscii(fullName) == "Z\\INT";
  cache.writeSetting("Z", "Int", static_cast<std::int32_t>(size));
  cache.writeSetting(section, key, input);
  SettingsCache reread;
  reread.loadText(cache.text());
  check(reread.text() == cache.text());
  check(sameAsInt || reread.readInt("z", "int", -1) == static_cast<std::int32_t>(size));
  // Only a name that a line can carry reads back: no line break, no "=" of
  // its own, no lone lead byte at its end that would swallow the "=".
  if (fullName.find_first_of("\r\n") == std::string::npos &&
      parseSettingsLine(fullName + "=String:").name == fullName) {
    check(reread.readString(section, key, "") == input);
  }
  reread.writeSetting(section, key, Variant());
  check(reread.readString(section, key, "gone") == "gone");
  return 0;
}
