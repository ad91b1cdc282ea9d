#include "entry/header_stamp.h"

#include <vector>

#include "core/version_info.h"
#include "sys/file_system.h"
#include "util/sjis.h"

namespace gleanix::entry {
namespace {

const std::string kFieldName = "X-Mailer-Plugin: ";

bool isContinuation(const std::string& line) {
  return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

bool isStampField(const std::string& line) {
  const std::size_t colon = line.find(':');
  return colon != std::string::npos && util::upperAscii(util::trim(line.substr(0, colon))) == "X-MAILER-PLUGIN";
}

bool endsWithComma(std::string_view s) { return !s.empty() && s.back() == ','; }

// Replaces the list item that names Gleanix by the current stamp and keeps
// every other plug-in's item, so that a shared line loses nobody's entry.
std::string updatedItems(std::string_view items, const std::string& stamp) {
  const bool trailingComma = endsWithComma(util::trimRight(items));
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = items.find(',', start);
    const std::string_view part = util::trim(items.substr(start, comma == std::string_view::npos ? items.npos : comma - start));
    if (!part.empty()) parts.emplace_back(part.find("Gleanix") != std::string_view::npos ? stamp : std::string(part));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : ", ") + p;
  return trailingComma ? out + "," : out;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

std::string headerStamp() { return std::string(core::kPlugName) + " " + core::kVersionText; }

std::optional<std::string> stampHeader(std::string_view header) {
  const std::string stamp = headerStamp();
  std::vector<std::string> lines = sys::splitLines(header);

  std::size_t field = 0;
  while (field < lines.size() && !isStampField(lines[field])) ++field;

  if (field == lines.size()) {
    // Before the first line of the last field, or before a trailing empty line.
    std::size_t at = lines.size();
    if (at > 0) {
      --at;
      while (at > 0 && isContinuation(lines[at])) --at;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), kFieldName + stamp);
    return joinLines(lines);
  }

  std::string& first = lines[field];
  if (first.find("Gleanix") != std::string::npos) {
    if (first == kFieldName + stamp || first == kFieldName + stamp + ",") return std::nullopt;
    const std::string updated = kFieldName + updatedItems(first.substr(first.find(':') + 1), stamp);
    // The current stamp among other plug-ins' items on the same line.
    if (updated == first) return std::nullopt;
    first = updated;
    return joinLines(lines);
  }

  std::size_t last = field;
  for (std::size_t i = field + 1; i < lines.size() && isContinuation(lines[i]); ++i) {
    last = i;
    if (lines[i].find("Gleanix") == std::string::npos) continue;
    const std::string rest = lines[i].substr(1);
    if (rest == stamp || rest == stamp + ",") return std::nullopt;
    const std::string updated = std::string("\t").append(updatedItems(rest, stamp));
    if (updated == lines[i]) return std::nullopt;
    lines[i] = updated;
    return joinLines(lines);
  }
  // A list that already ends in a comma gets no second one.
  if (!endsWithComma(util::trimRight(lines[last]))) lines[last] += ",";
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last) + 1, std::string("\t").append(stamp));
  return joinLines(lines);
}

}  // namespace gleanix::entry
