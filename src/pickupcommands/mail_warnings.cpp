#include "pickupcommands/mail_warnings.h"

namespace gleanix::pickupcommands {

pickup::MailWarningAt MailWarnings::callback() {
  return [this](const std::string& mailFile, const std::string& text) { warn(mailFile, text); };
}

void MailWarnings::warn(const std::string& mailFile, const std::string& text) {
  if (!mails_.insert(mailFile).second) return;
  if (mails_.size() == 1) {
    firstMail_ = mailFile;
    firstText_ = text;
  }
}

std::string MailWarnings::reportText() const {
  return "マルチパートの区切り（boundary）を読めないメールが " + std::to_string(count()) +
         " 通ありました。\r\nこれらのメールの本文は正しく検索されていない可能性があります。\r\n\r\n最初のメール:\r\n" +
         firstMail_ + "\r\n" + firstText_;
}

void MailWarnings::report(sys::Desktop& desktop) const {
  if (count() == 0) return;
  desktop.messageBox(0, reportText(), "警告", sys::MessageIcon::Warning, sys::MessageButtons::Ok);
}

}  // namespace gleanix::pickupcommands
