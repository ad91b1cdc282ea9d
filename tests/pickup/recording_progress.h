#pragma once
// A progress display for tests: records what a search reports and presses
// the abort button on the n-th time messages are processed.

#include <cstddef>
#include <string>
#include <vector>

#include "pickup/progress.h"

namespace gleanix::testing {

class RecordingProgress final : public pickup::PickupProgress {
 public:
  // abortAt: the processMessages call (1-based) from which on abort reads
  // as pressed; 0 never.
  explicit RecordingProgress(std::size_t abortAt = 0) : abortAt_(abortAt) {}

  void setMaximum(std::size_t maximum) override { maxima.push_back(maximum); }
  void setPosition(std::size_t position) override { positions.push_back(position); }
  void addLine() override { lines.emplace_back(); }
  void setLine(const std::string& text) override {
    if (lines.empty()) lines.emplace_back();  // a search must add a line first
    lines.back() = text;
    ++setLineCalls;
  }
  bool processMessages() override {
    ++calls;
    return abortAt_ != 0 && calls >= abortAt_;
  }

  std::vector<std::size_t> maxima, positions;
  std::vector<std::string> lines;
  std::size_t calls = 0, setLineCalls = 0;

 private:
  std::size_t abortAt_;
};

}  // namespace gleanix::testing
