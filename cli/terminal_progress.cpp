#include "cli/terminal_progress.h"

#include <signal.h>
#include <time.h>

#include "cli/cp932_text.h"

namespace gleanix::cli {
namespace {

volatile sig_atomic_t interrupted = 0;
struct sigaction previous;

void onInterrupt(int) { interrupted = 1; }

double now() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

InterruptAsAbort::InterruptAsAbort() {
  interrupted = 0;
  ::sigaction(SIGINT, nullptr, &previous);
  if (previous.sa_handler == SIG_IGN) return;  // e.g. started in the background by a shell
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  // SA_RESETHAND: the handler serves once; the next press finds the
  // default action and ends the program.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
}

InterruptAsAbort::~InterruptAsAbort() { ::sigaction(SIGINT, &previous, nullptr); }

bool InterruptAsAbort::pressed() { return interrupted != 0; }

TerminalProgress::TerminalProgress(std::FILE* out, bool show, std::string unit)
    : out_(out), show_(show), unit_(std::move(unit)) {}

TerminalProgress::~TerminalProgress() { finish(); }

void TerminalProgress::setMaximum(std::size_t maximum) {
  maximum_ = maximum;
  line_ = unit_ + " " + std::to_string(position_) + "/" + std::to_string(maximum_);
  dirty_ = true;
}

void TerminalProgress::setPosition(std::size_t position) {
  if (position == position_ && !line_.empty()) return;
  position_ = position;
  line_ = unit_ + " " + std::to_string(position_) + "/" + std::to_string(maximum_);
  dirty_ = true;
}

void TerminalProgress::addLine() {
  ++pass_;
  line_ = std::to_string(pass_) + "次：";
  dirty_ = true;
  draw(true);
}

void TerminalProgress::setLine(const std::string& text) {
  line_ = text;
  dirty_ = true;
}

bool TerminalProgress::processMessages() {
  draw(false);
  return InterruptAsAbort::pressed();
}

void TerminalProgress::draw(bool force) {
  if (!show_ || !dirty_) return;
  const double t = now();
  if (!force && lastDraw_ >= 0 && t - lastDraw_ < 0.1) return;
  lastDraw_ = t;
  dirty_ = false;
  drawn_ = true;
  // Back to the start of the line, the text, the rest of the line cleared.
  std::fprintf(out_, "\r%s\x1b[K", toUtf8(line_).c_str());
  std::fflush(out_);
}

void TerminalProgress::finish() {
  if (!show_ || !drawn_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace gleanix::cli
