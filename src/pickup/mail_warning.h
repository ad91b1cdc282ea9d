#pragma once
// Warnings about malformed mails met by a search, each with the mail file
// it is about. A mail may be split on a helper thread, ahead of the mail
// the search is at: its warnings are then held with its result and told on
// the search's own thread when that mail's turn comes, so that whoever
// receives them sees them in mail order and on that thread alone.

#include <functional>
#include <string>
#include <vector>

#include "mailtext/split_mail.h"

namespace gleanix::pickup {

// Receives a warning: the path of the mail file read, and the text.
using MailWarningAt = std::function<void(const std::string& mailFile, const std::string& text)>;

// The warnings of one mail, collected where it is split.
class HeldWarnings {
 public:
  // What splitting the mail is handed (not to be kept beyond this object).
  mailtext::MailWarning collector();
  // Tells each warning held, in order, as about mailFile; warn may be empty.
  void tell(const MailWarningAt& warn, const std::string& mailFile) const;
  void clear() { texts_.clear(); }

 private:
  std::vector<std::string> texts_;
};

}  // namespace gleanix::pickup
