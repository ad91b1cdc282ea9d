#pragma once
// SystemInfo of a Linux process, told in the host's terms: the executable
// path with "\" separators, the language as Windows names it. Each fact can
// be set instead, for tests and for the simulated host.

#include <optional>
#include <string>

#include "sys/system_info.h"

namespace gleanix::backend {

class PosixSystemInfo : public sys::SystemInfo {
 public:
  // /proc/self/exe with "/" turned into "\".
  std::string executablePath() const override;
  // /proc/self/cmdline, the arguments joined by blanks.
  std::string commandLine() const override;
  // "日本語" when LC_ALL (or, when that is unset, LANG) starts with "ja";
  // else "English".
  std::string systemLanguageName() const override;
  // -(offset of local time from UTC in minutes), summer time included.
  std::int32_t timeZoneBias() const override;

  void setExecutablePath(std::string path) { executablePath_ = std::move(path); }
  void setCommandLine(std::string line) { commandLine_ = std::move(line); }
  void setSystemLanguageName(std::string name) { languageName_ = std::move(name); }
  void setTimeZoneBias(std::int32_t bias) { timeZoneBias_ = bias; }

 private:
  std::optional<std::string> executablePath_;
  std::optional<std::string> commandLine_;
  std::optional<std::string> languageName_;
  std::optional<std::int32_t> timeZoneBias_;
};

}  // namespace gleanix::backend
