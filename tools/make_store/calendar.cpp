#include "make_store/calendar.h"

#include "util/civil_date.h"

namespace gleanix::tools {

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

CivilTime civilTime(std::int64_t minutesSinceEpoch, int second) {
  std::int64_t days = minutesSinceEpoch / 1440;
  std::int64_t rest = minutesSinceEpoch % 1440;
  if (rest < 0) {
    rest += 1440;
    --days;
  }
  CivilTime t{};
  const util::CivilDate date = util::civilFromDays(days);
  t.year = static_cast<int>(date.year);
  t.month = date.month;
  t.day = date.day;
  t.hour = static_cast<int>(rest / 60);
  t.minute = static_cast<int>(rest % 60);
  t.second = second;
  t.weekday = static_cast<int>(((days % 7) + 7 + 4) % 7);  // 1970-01-01 was a Thursday
  return t;
}

std::int64_t minutesOf(int year, int month, int day, int hour, int minute) {
  return util::daysFromCivil(year, month, day) * 1440 + hour * 60 + minute;
}

}  // namespace gleanix::tools
