#pragma once
// Proleptic Gregorian calendar arithmetic: days since 1970/01/01 and back.
// Shared by the settings' date values, mail dates and the store generator.

#include <cstdint>

namespace gleanix::util {

struct CivilDate {
  std::int64_t year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
};

bool isLeapYear(std::int64_t year);
int daysInMonth(std::int64_t year, int month);

// Exact for negative day numbers too.
std::int64_t daysFromCivil(std::int64_t year, int month, int day);
CivilDate civilFromDays(std::int64_t days);

}  // namespace gleanix::util
