#pragma once
// The progress of a search on the terminal, and Ctrl-C as its abort button.

#include <cstdio>
#include <string>

#include "pickup/progress.h"

namespace gleanix::cli {

// While alive, the first SIGINT does not end the program but sets a flag
// that the search sees as the abort button; a second one ends the program
// at once, as SIGINT does by default. A SIGINT that the program was started
// to ignore stays ignored. The previous handling comes back when it goes.
class InterruptAsAbort {
 public:
  InterruptAsAbort();
  ~InterruptAsAbort();
  InterruptAsAbort(const InterruptAsAbort&) = delete;
  InterruptAsAbort& operator=(const InterruptAsAbort&) = delete;

  static bool pressed();
};

// Writes one progress line to a terminal (rewritten in place, at most ten
// times a second) and reports Ctrl-C as the abort. With show false it
// writes nothing and only reports the abort.
class TerminalProgress final : public pickup::PickupProgress {
 public:
  // unit: what the bar counts, as the line shows it ("フォルダ", "通"), CP932.
  TerminalProgress(std::FILE* out, bool show, std::string unit);
  ~TerminalProgress() override;

  void setMaximum(std::size_t maximum) override;
  void setPosition(std::size_t position) override;
  void addLine() override;
  void setLine(const std::string& text) override;
  bool processMessages() override;

  // Clears the progress line.
  void finish();

 private:
  void draw(bool force);

  std::FILE* out_;
  bool show_;
  std::string unit_;
  std::size_t maximum_ = 0, position_ = 0;
  int pass_ = 0;
  std::string line_;
  bool dirty_ = false;
  bool drawn_ = false;
  double lastDraw_ = -1;
};

}  // namespace gleanix::cli
