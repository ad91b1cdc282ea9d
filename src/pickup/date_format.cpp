#include "pickup/date_format.h"

#include <cstdio>

namespace gleanix::pickup {

const std::array<DateProbe, 4> kDateProbes = {{
    {"8888/88/88 88:88", DateFormat::YearMinute},
    {"88/88/88 88:88", DateFormat::ShortYearMinute},
    {"88/88 88:88", DateFormat::MonthMinute},
    {"88/88/88", DateFormat::ShortYearDay},
}};

DateFormat chooseDateFormat(int columnWidth, const std::function<int(std::string_view)>& textWidth) {
  const int available = columnWidth - 12;
  for (const DateProbe& probe : kDateProbes) {
    if (textWidth(probe.text) <= available) return probe.format;
  }
  return DateFormat::MonthDay;
}

const char* dateFormatPattern(DateFormat format) {
  switch (format) {
    case DateFormat::YearMinute: return "yyyy/mm/dd hh:nn";
    case DateFormat::ShortYearMinute: return "yy/mm/dd hh:nn";
    case DateFormat::MonthMinute: return "mm/dd hh:nn";
    case DateFormat::ShortYearDay: return "yy/mm/dd";
    case DateFormat::MonthDay: break;
  }
  return "mm/dd";
}

namespace {

struct Fields {
  int year, month, day, hour, minute, second;
};

bool number(std::string_view s, std::size_t at, std::size_t len, int& out) {
  out = 0;
  for (std::size_t i = at; i < at + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

int daysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

bool parseSortable(std::string_view s, Fields& f) {
  // yyyy/mm/dd hh:nn:ss
  if (s.size() != 19 || s[4] != '/' || s[7] != '/' || s[10] != ' ' || s[13] != ':' || s[16] != ':') return false;
  if (!number(s, 0, 4, f.year) || !number(s, 5, 2, f.month) || !number(s, 8, 2, f.day) ||
      !number(s, 11, 2, f.hour) || !number(s, 14, 2, f.minute) || !number(s, 17, 2, f.second)) {
    return false;
  }
  return f.year >= 1 && f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= daysInMonth(f.year, f.month) &&
         f.hour <= 23 && f.minute <= 59 && f.second <= 59;
}

}  // namespace

std::string formatDate(std::string_view sortableDate, DateFormat format) {
  Fields f{};
  if (!parseSortable(sortableDate, f)) return {};
  char buffer[32];
  const int yy = f.year % 100;
  switch (format) {
    case DateFormat::YearMinute:
      std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d", f.year, f.month, f.day, f.hour, f.minute);
      break;
    case DateFormat::ShortYearMinute:
      std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d %02d:%02d", yy, f.month, f.day, f.hour, f.minute);
      break;
    case DateFormat::MonthMinute:
      std::snprintf(buffer, sizeof buffer, "%02d/%02d %02d:%02d", f.month, f.day, f.hour, f.minute);
      break;
    case DateFormat::ShortYearDay:
      std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", yy, f.month, f.day);
      break;
    case DateFormat::MonthDay:
      std::snprintf(buffer, sizeof buffer, "%02d/%02d", f.month, f.day);
      break;
  }
  return buffer;
}

}  // namespace gleanix::pickup
