#pragma once
// Facts about the running process and the machine.

#include <cstdint>
#include <string>

namespace gleanix::sys {

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Full path of the process's executable (the host's), "\" separators.
  virtual std::string executablePath() const = 0;
  // The process command line.
  virtual std::string commandLine() const = 0;
  // Name of the system default language, in CP932 ("日本語" on Japanese Windows).
  virtual std::string systemLanguageName() const = 0;
  // Minutes to add to local time to get UTC (-540 in Japan).
  virtual std::int32_t timeZoneBias() const = 0;
};

}  // namespace gleanix::sys
