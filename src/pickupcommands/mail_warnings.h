#pragma once
// Warnings about malformed mails during a search (a multipart mail whose
// Content-Type has no usable boundary, so its body is searched only in
// part or not at all). A search of thousands of mails must not stop at a
// message box per mail: the warnings are collected while it runs and told
// once when it is done, with their number and the first mail named, so the
// user knows which mail to look at and that the result may miss some.
//
// The searches hand over each warning with the mail file it is about, on
// the thread the search runs on, in mail order.

#include <cstddef>
#include <set>
#include <string>

#include "pickup/mail_warning.h"
#include "sys/desktop.h"

namespace gleanix::pickupcommands {

class MailWarnings {
 public:
  // What the search calls with each warning.
  pickup::MailWarningAt callback();

  // The mails warned about (each counted once).
  std::size_t count() const { return mails_.size(); }
  const std::string& firstMail() const { return firstMail_; }
  const std::string& firstText() const { return firstText_; }

  // One message box (no owner, "警告", warning icon) when there was any.
  void report(sys::Desktop& desktop) const;
  // Its text.
  std::string reportText() const;

 private:
  void warn(const std::string& mailFile, const std::string& text);

  std::set<std::string> mails_;
  std::string firstMail_;
  std::string firstText_;
};

}  // namespace gleanix::pickupcommands
