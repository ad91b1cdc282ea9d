#pragma once
// A Shell that launches nothing: it records every call, so that tests and
// the simulated host can ask what would have been opened.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sys/shell.h"

namespace gleanix::backend {

struct ShellCall {
  sys::WindowHandle owner = 0;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  bool operator==(const ShellCall&) const = default;
};

class RecordingShell : public sys::Shell {
 public:
  void open(sys::WindowHandle owner, const std::string& verb, const std::string& file,
            const std::string& parameters, const std::string& directory) override;

  // Every call so far, oldest first.
  std::vector<ShellCall> calls() const;
  std::optional<ShellCall> lastCall() const;
  // Whether some call opened this file (compared without regard to case, as
  // Windows would find it).
  bool opened(const std::string& file) const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::vector<ShellCall> calls_;
};

}  // namespace gleanix::backend
