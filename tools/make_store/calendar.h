#pragma once
// Calendar arithmetic for mail dates (minutes since 1970-01-01 00:00 UTC).

#include <cstdint>
#include <string>

namespace gleanix::tools {

struct CivilTime {
  int year, month, day, hour, minute, second;
  int weekday;  // 0 = Sunday
};

CivilTime civilTime(std::int64_t minutesSinceEpoch, int second);
std::int64_t minutesOf(int year, int month, int day, int hour, int minute);

extern const char* const kMonthNames[12];    // "Jan" ...
extern const char* const kWeekdayNames[7];   // "Sun" ...

}  // namespace gleanix::tools
