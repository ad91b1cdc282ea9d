#include "mailtext/header_field.h"

#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

// Whether the line's first name.size() bytes, ASCII letters upper-cased,
// are the name. Both bytes of a double-byte character compare as they are.
bool startsWithName(std::string_view line, std::string_view name) {
  if (line.size() < name.size()) return false;
  for (std::size_t i = 0; i < name.size(); i += util::charBytesAt(line, i)) {
    char c = line[i];
    if (util::charBytesAt(line, i) == 2) {
      if (i + 1 >= name.size() || c != name[i] || line[i + 1] != name[i + 1]) return false;
      continue;
    }
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != name[i]) return false;
  }
  return true;
}

bool isContinuation(std::string_view line) {
  return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

template <typename Line>
std::string findField(std::string_view name, const std::vector<Line>& headerLines) {
  if (name.empty()) return {};
  // Most lines differ in their first byte: tested before the whole name.
  // A lead byte has its high bit set and never equals an ASCII name byte.
  const char first = name[0];
  const char firstLower = first >= 'A' && first <= 'Z' ? static_cast<char>(first - 'A' + 'a') : first;
  for (std::size_t i = 0; i < headerLines.size(); ++i) {
    const std::string_view line(headerLines[i]);
    if (line.empty() || (line[0] != first && line[0] != firstLower)) continue;
    if (!startsWithName(line, name)) continue;
    std::string value(util::trim(line.substr(name.size())));
    for (std::size_t j = i + 1; j < headerLines.size() && isContinuation(headerLines[j]); ++j) {
      value.append(std::string_view(headerLines[j]).substr(1));
    }
    return value;
  }
  return {};
}

}  // namespace

std::string headerField(std::string_view name, const std::vector<std::string>& headerLines) {
  return findField(name, headerLines);
}

std::string headerField(std::string_view name, const std::vector<std::string_view>& headerLines) {
  return findField(name, headerLines);
}

}  // namespace gleanix::mailtext
