#include "listwindow/external_viewer.h"

#include <vector>

#include "util/path.h"
#include "util/sjis.h"

namespace gleanix::listwindow {
namespace {

constexpr std::string_view kViewerKey = "ExternalViewer=";

struct KnownEditor {
  const char* fileName;
  const char* option;
};

constexpr KnownEditor kKnownEditors[] = {
    {"AK32.EXE", "/L"},
    {"DANA.EXE", "/J"},
    {"HIDEMARU.EXE", "/j"},
    {"WZEDIT.EXE", "--J"},
};

}  // namespace

std::string undoubleQuotes(std::string_view value) {
  std::string s(value);
  // A quote is a single byte that no trail byte can be (0x22 < 0x40).
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] == '"' && s[i + 1] == '"') s.erase(i + 1, 1);
  }
  return s;
}

std::string lookUpViewer(const sys::FileSystem& fs, const std::string& mailRoot) {
  const auto lines = fs.readLines(mailRoot + "Mailbox.ini");
  if (!lines) return {};
  for (const std::string& line : *lines) {
    if (!std::string_view(line).starts_with(kViewerKey)) continue;
    std::string value = undoubleQuotes(util::trim(std::string_view(line).substr(kViewerKey.size())));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return !value.empty() && fs.isFile(value) ? value : std::string();
  }
  return {};
}

std::string lineOption(std::string_view viewerPath) {
  const std::string name = util::upperAscii(util::extractFileName(viewerPath));
  for (const KnownEditor& e : kKnownEditors) {
    if (name == e.fileName) return e.option;
  }
  return {};
}

std::string viewerParameters(const sys::FileSystem& fs, std::string_view viewerPath, const std::string& mailFile) {
  const std::string option = lineOption(viewerPath);
  if (option.empty()) return mailFile;
  const auto lines = fs.readLines(mailFile);
  if (!lines || lines->empty()) return mailFile;
  const std::vector<std::string>& l = *lines;
  std::size_t i = 0;
  while (i < l.size() && !l[i].empty()) ++i;  // the empty line after the header
  if (i == 0 || i == l.size()) return mailFile;
  // On to the body's first line; the scan stops at the last line.
  while (i + 1 < l.size() && l[i].empty()) ++i;
  return option + std::to_string(i + 1) + " " + mailFile;
}

}  // namespace gleanix::listwindow
