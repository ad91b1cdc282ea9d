#pragma once
// What a row of the pickup list takes from a mail's header. A search that
// reads the mail anyway keeps it with the hit, so that the list's rows need
// not read and split every hit a second time.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gleanix::pickup {

// The "DATE:", "FROM:" and "SUBJECT:" values as stored, kept in one text:
// a related pickup keeps one summary for each mail of the store.
class MailSummary {
 public:
  MailSummary() = default;
  MailSummary(std::string_view date, std::string_view from, std::string_view subject);

  std::string_view date() const { return std::string_view(text_).substr(0, dateEnd_); }
  std::string_view from() const { return std::string_view(text_).substr(dateEnd_, fromEnd_ - dateEnd_); }
  std::string_view subject() const { return std::string_view(text_).substr(fromEnd_); }

 private:
  std::string text_;
  std::size_t dateEnd_ = 0, fromEnd_ = 0;
};

// The three fields as mailtext::headerField finds them.
MailSummary summarize(const std::vector<std::string_view>& header);
MailSummary summarize(const std::vector<std::string>& header);

}  // namespace gleanix::pickup
