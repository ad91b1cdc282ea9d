#include "backend/sim/recording_shell.h"

#include <algorithm>

#include "util/sjis.h"

namespace gleanix::backend {

void RecordingShell::open(sys::WindowHandle owner, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back({owner, verb, file, parameters, directory});
}

std::vector<ShellCall> RecordingShell::calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

std::optional<ShellCall> RecordingShell::lastCall() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (calls_.empty()) return std::nullopt;
  return calls_.back();
}

bool RecordingShell::opened(const std::string& file) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::any_of(calls_.begin(), calls_.end(),
                     [&](const ShellCall& c) { return util::equalsIgnoreCase(c.file, file); });
}

void RecordingShell::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

}  // namespace gleanix::backend
