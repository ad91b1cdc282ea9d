#include "settings/date_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "util/civil_date.h"
#include "util/sjis.h"

namespace gleanix::settings {
namespace {

using util::daysFromCivil;
using util::daysInMonth;

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
  const double days = static_cast<double>(daysFromCivil(d.year, d.month, d.day) -
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
  const util::CivilDate date = util::civilFromDays(days + kSerialEpoch);
  d.year = static_cast<int>(date.year);
  d.month = date.month;
  d.day = date.day;
  d.hour = static_cast<int>(seconds / 3600);
  d.minute = static_cast<int>(seconds / 60 % 60);
  d.second = static_cast<int>(seconds % 60);
  if (!isValidDateTime(d)) return std::nullopt;
  return d;
}

}  // namespace gleanix::settings
