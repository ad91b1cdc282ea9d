#pragma once
// SystemInfo from kernel32.

#include "sys/system_info.h"

namespace gleanix::backend {

class Win32SystemInfo : public sys::SystemInfo {
 public:
  std::string executablePath() const override;
  std::string commandLine() const override;
  std::string systemLanguageName() const override;
  std::int32_t timeZoneBias() const override;
};

}  // namespace gleanix::backend
