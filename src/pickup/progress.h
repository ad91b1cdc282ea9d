#pragma once
// What a pickup search reports while it runs, and how it learns that the
// user wants it to stop. The plug-in shows a progress dialog with an abort
// button; the command-line tool prints a progress line and turns Ctrl-C
// into the abort.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "pickup/mail_summary.h"

namespace gleanix::pickup {

class PickupProgress {
 public:
  virtual ~PickupProgress() = default;

  // The progress bar of the mark search (units: folders) and the keyword
  // search (units: candidate mails).
  virtual void setMaximum(std::size_t maximum) = 0;
  virtual void setPosition(std::size_t position) = 0;

  // The text lines of the related search, one per pass, stacked from the
  // top: addLine appends an empty line, setLine replaces the text of the
  // last line added.
  virtual void addLine() = 0;
  virtual void setLine(const std::string& text) = 0;

  // Lets pending window messages be processed and tells whether the abort
  // button has been pressed. Once pressed it stays pressed.
  virtual bool processMessages() = 0;
};

// Shows nothing and never aborts.
class SilentProgress final : public PickupProgress {
 public:
  void setMaximum(std::size_t) override {}
  void setPosition(std::size_t) override {}
  void addLine() override {}
  void setLine(const std::string&) override {}
  bool processMessages() override { return false; }
};

// The hits of a search, in its result order; aborted when the user stopped
// it, in which case the hits are those found until then. A search that read
// the hits' mail files leaves what their rows need in summaries, one per
// hit in the same order (a hit whose file it did not read, such as a
// starting mail kept at the head, has none: nullopt); a search that read
// none (the mark search) leaves summaries empty.
struct PickupResult {
  std::vector<std::string> hits;
  std::vector<std::optional<MailSummary>> summaries;
  bool aborted = false;

  // The summary of hit i, or null.
  const MailSummary* summary(std::size_t i) const {
    return i < summaries.size() && summaries[i] ? &*summaries[i] : nullptr;
  }
};

}  // namespace gleanix::pickup
