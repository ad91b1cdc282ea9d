#pragma once
// What a row of the pickup list takes from a mail's header. A search that
// reads the mail anyway keeps it with the hit, so that the list's rows need
// not read and split every hit a second time.

#include <string>
#include <string_view>
#include <vector>

namespace gleanix::pickup {

struct MailSummary {
  std::string date;     // the "DATE:" value as stored
  std::string from;     // the "FROM:" value as stored
  std::string subject;  // the "SUBJECT:" value as stored
};

// The three fields as mailtext::headerField finds them.
MailSummary summarize(const std::vector<std::string_view>& header);
MailSummary summarize(const std::vector<std::string>& header);

}  // namespace gleanix::pickup
