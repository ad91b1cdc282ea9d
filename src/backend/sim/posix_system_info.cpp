#include "backend/sim/posix_system_info.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

namespace gleanix::backend {

std::string PosixSystemInfo::executablePath() const {
  if (executablePath_) return *executablePath_;
  std::string path(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < path.size()) {
      path.resize(static_cast<std::size_t>(n));
      break;
    }
    path.resize(path.size() * 2);  // cut: try a larger buffer
  }
  for (char& c : path) {
    if (c == '/') c = '\\';  // "/" is never the second byte of a double-byte character
  }
  return path;
}

std::string PosixSystemInfo::commandLine() const {
  if (commandLine_) return *commandLine_;
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  while (!raw.empty() && raw.back() == '\0') raw.pop_back();
  for (char& c : raw) {
    if (c == '\0') c = ' ';
  }
  return raw;
}

std::string PosixSystemInfo::systemLanguageName() const {
  if (languageName_) return *languageName_;
  const char* all = std::getenv("LC_ALL");
  const char* locale = all && *all ? all : std::getenv("LANG");
  const bool japanese = locale && locale[0] == 'j' && locale[1] == 'a';
  return japanese ? "日本語" : "English";
}

std::int32_t PosixSystemInfo::timeZoneBias() const {
  if (timeZoneBias_) return *timeZoneBias_;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!::localtime_r(&now, &local)) return 0;
  return static_cast<std::int32_t>(-(local.tm_gmtoff / 60));
}

}  // namespace gleanix::backend
