#pragma once
// Small fakes of the shell and the system facts for tests.

#include <string>
#include <vector>

#include "sys/shell.h"
#include "sys/system_info.h"

namespace gleanix::testing {

class RecordingShell : public sys::Shell {
 public:
  struct Call {
    sys::WindowHandle owner;
    std::string verb, file, parameters, directory;
  };
  std::vector<Call> calls;
  void open(sys::WindowHandle owner, const std::string& verb, const std::string& file,
            const std::string& parameters, const std::string& directory) override {
    calls.push_back({owner, verb, file, parameters, directory});
  }
};

class FixedSystemInfo : public sys::SystemInfo {
 public:
  std::string exePath = "C:\\Program Files\\Quillon\\Quillon.exe";
  std::string executablePath() const override { return exePath; }
  std::string commandLine() const override { return "\"" + exePath + "\""; }
  std::string systemLanguageName() const override { return "日本語"; }
  std::int32_t timeZoneBias() const override { return -540; }
};

}  // namespace gleanix::testing
