#include "settings/date_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "util/sjis.h"

namespace gleanix::settings {
namespace {

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Days since 1970/01/01 of a proleptic Gregorian date (and back).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

const std::int64_t kSerialEpoch = daysFromCivil(1899, 12, 30);

// Reads 1 to 4 decimal digits at pos.
std::optional<int> readNumber(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && pos - start < 4 && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == start || (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')) return std::nullopt;
  return value;
}

bool expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

bool isValidDateTime(const DateTime& d) {
  return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= daysInMonth(d.year, d.month) && d.hour >= 0 && d.hour <= 23 && d.minute >= 0 &&
         d.minute <= 59 && d.second >= 0 && d.second <= 59;
}

std::string formatDateTime(const DateTime& d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour, d.minute,
                d.second);
  return buf;
}

std::optional<DateTime> parseDateTime(std::string_view text) {
  text = util::trim(text);
  std::size_t pos = 0;
  DateTime d;
  d.hour = d.minute = d.second = 0;
  const auto y = readNumber(text, pos);
  if (!y || !expect(text, pos, '/')) return std::nullopt;
  const auto m = readNumber(text, pos);
  if (!m || !expect(text, pos, '/')) return std::nullopt;
  const auto day = readNumber(text, pos);
  if (!day) return std::nullopt;
  d.year = *y;
  d.month = *m;
  d.day = *day;
  if (pos < text.size()) {
    const std::size_t beforeBlanks = pos;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos == beforeBlanks) return std::nullopt;
    const auto h = readNumber(text, pos);
    if (!h || !expect(text, pos, ':')) return std::nullopt;
    const auto n = readNumber(text, pos);
    if (!n) return std::nullopt;
    d.hour = *h;
    d.minute = *n;
    if (expect(text, pos, ':')) {
      const auto s = readNumber(text, pos);
      if (!s) return std::nullopt;
      d.second = *s;
    }
    if (pos != text.size()) return std::nullopt;
  }
  if (!isValidDateTime(d)) return std::nullopt;
  return d;
}

double toSerial(const DateTime& d) {
  const double days = static_cast<double>(daysFromCivil(d.year, static_cast<unsigned>(d.month),
                                                        static_cast<unsigned>(d.day)) -
                                          kSerialEpoch);
  const double time = (d.hour * 3600.0 + d.minute * 60.0 + d.second) / 86400.0;
  return days >= 0 ? days + time : days - time;
}

std::optional<DateTime> fromSerial(double serial) {
  // Years 1-9999 lie within these bounds; anything else (and NaN) is refused.
  if (!(serial > -693594.0 && serial < 2958466.0)) return std::nullopt;
  std::int64_t days = static_cast<std::int64_t>(std::trunc(serial));
  std::int64_t seconds = std::llround(std::fabs(serial - std::trunc(serial)) * 86400.0);
  if (seconds >= 86400) {  // rounded up to the next midnight
    seconds -= 86400;
    days += 1;
  }
  DateTime d;
  civilFromDays(days + kSerialEpoch, d.year, d.month, d.day);
  d.hour = static_cast<int>(seconds / 3600);
  d.minute = static_cast<int>(seconds / 60 % 60);
  d.second = static_cast<int>(seconds % 60);
  if (!isValidDateTime(d)) return std::nullopt;
  return d;
}

}  // namespace gleanix::settings
