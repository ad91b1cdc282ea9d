#include "pickup/mail_warning.h"

namespace gleanix::pickup {

mailtext::MailWarning HeldWarnings::collector() {
  return [this](const std::string& text) { texts_.push_back(text); };
}

void HeldWarnings::tell(const MailWarningAt& warn, const std::string& mailFile) const {
  if (!warn) return;
  for (const std::string& text : texts_) warn(mailFile, text);
}

}  // namespace gleanix::pickup
