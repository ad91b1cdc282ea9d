#pragma once
// Turning the text of a Date header into a local date-time that sorts as text.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gleanix::mailtext {

// The date text cannot be read as a date-time. The pickup list shows an empty
// date for that mail only.
class DateConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Converts the unfolded, trimmed Date value ("Tue, 7 Dec 1999 10:00:00 +0900")
// to local time "yyyy/mm/dd hh:nn:ss". The fields are read at fixed places
// around the first ":" (the one after the hours); the mail's zone is the first
// "-" (or, without one, the first "+") followed by hhmm; without a sign the
// time is taken as UTC. localBias is the local zone in minutes with
// UTC = local time + bias (-540 nine hours east of UTC).
// Throws DateConversionError when the fields do not form a valid date-time
// (including years outside 1-9999 after the shift to local time).
std::string mailDate(std::string_view value, std::int32_t localBias);

// The same without the exception: nullopt where mailDate throws. A list of
// many mails with broken dates should not pay for an exception each.
std::optional<std::string> localMailDate(std::string_view value, std::int32_t localBias);

}  // namespace gleanix::mailtext
