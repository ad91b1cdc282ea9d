#include "pickup/mail_summary.h"

#include "mailtext/header_field.h"

namespace gleanix::pickup {

MailSummary::MailSummary(std::string_view date, std::string_view from, std::string_view subject)
    : dateEnd_(date.size()), fromEnd_(date.size() + from.size()) {
  text_.reserve(date.size() + from.size() + subject.size());
  text_.append(date).append(from).append(subject);
}

namespace {

template <typename Line>
MailSummary summaryOf(const std::vector<Line>& header) {
  return {mailtext::headerField("DATE:", header), mailtext::headerField("FROM:", header),
          mailtext::headerField("SUBJECT:", header)};
}

}  // namespace

MailSummary summarize(const std::vector<std::string_view>& header) { return summaryOf(header); }
MailSummary summarize(const std::vector<std::string>& header) { return summaryOf(header); }

}  // namespace gleanix::pickup
