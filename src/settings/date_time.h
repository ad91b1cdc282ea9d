#pragma once
// A calendar date with a time of day, as settings and registry values carry
// it. Plain fields, local time, whole seconds.

#include <optional>
#include <string>
#include <string_view>

namespace gleanix::settings {

struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool operator==(const DateTime&) const = default;
};

// True for a real calendar date (years 1-9999) and time of day.
bool isValidDateTime(const DateTime& d);

// "yyyy/mm/dd hh:nn:ss".
std::string formatDateTime(const DateTime& d);

// A date "y/m/d", then optionally a time "h:n" or "h:n:s", blanks around
// and between; nullopt when the text is no such date or names no real day.
std::optional<DateTime> parseDateTime(std::string_view text);

// Days since 1899/12/30 with the time of day as a fraction, the way the
// registry stores a date-time in 8 bytes. Before that day the whole days
// count backwards while the fraction still adds the time of day.
double toSerial(const DateTime& d);
// nullopt for a value outside years 1-9999 or not a number.
std::optional<DateTime> fromSerial(double serial);

}  // namespace gleanix::settings
