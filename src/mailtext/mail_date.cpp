#include "mailtext/mail_date.h"

#include <array>

#include "util/civil_date.h"
#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number written by exactly the bytes of s, all digits; -1 otherwise.
int digits(std::string_view s) {
  if (s.empty()) return -1;
  int n = 0;
  for (const char c : s) {
    if (!isDigit(c)) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

using util::daysFromCivil;
using util::daysInMonth;

struct DateTime {
  std::int64_t year = 0;
  int month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The fields of "yyyy/mm/dd hh:nn:ss" as taken from the mail; a blank may
// stand for the first digit of a one-digit hour. False when a field is not
// all digits or out of its range.
bool parseFields(std::string_view year, std::string_view month, std::string_view day, std::string_view time,
                 DateTime& t) {
  if (year.size() != 4 || day.size() != 2 || time.size() != 8) return false;
  if (time[2] != ':' || time[5] != ':') return false;
  std::string_view hour = time.substr(0, 2);
  if (hour[0] == ' ') hour.remove_prefix(1);
  t.year = digits(year);
  t.month = digits(month);
  t.day = digits(day);
  t.hour = digits(hour);
  t.minute = digits(time.substr(3, 2));
  t.second = digits(time.substr(6, 2));
  return t.year >= 1 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysInMonth(t.year, t.month) &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

// Month "01"-"11" from the first of JAN..NOV found anywhere in the
// upper-cased date text; "12" when none is.
std::string_view monthOf(std::string_view upperDate) {
  static constexpr std::array<std::string_view, 11> kMonths{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                            "JUL", "AUG", "SEP", "OCT", "NOV"};
  static constexpr std::array<std::string_view, 12> kNumbers{"01", "02", "03", "04", "05", "06",
                                                             "07", "08", "09", "10", "11", "12"};
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (upperDate.find(kMonths[i]) != npos) return kNumbers[i];
  }
  return kNumbers[11];
}

// The day: the word after the first comma, or the first word; a single
// byte gets a leading "0" (written into `padded`, which it then views).
std::string_view dayOf(std::string_view upperDate, std::array<char, 2>& padded) {
  std::string_view d = upperDate;
  const std::size_t comma = d.find(',');
  if (comma != npos) d = util::trim(d.substr(comma + 1));
  const std::size_t blank = d.find(' ');
  if (blank != npos) d = util::trim(d.substr(0, blank));
  if (d.size() != 1) return d;
  padded = {'0', d[0]};
  return {padded.data(), padded.size()};
}

// Minutes to add to the mail's time to get UTC: "+0900" gives -540,
// "-0500" gives 300, no sign gives 0 (named zones are not read). False when
// a sign is not followed by hhmm.
bool zoneOffset(std::string_view value, std::int64_t& offset) {
  offset = 0;
  std::size_t sign = value.find('-');
  if (sign == npos) sign = value.find('+');
  if (sign == npos) return true;
  const int hours = value.size() >= sign + 3 ? digits(value.substr(sign + 1, 2)) : -1;
  const int minutes = value.size() >= sign + 5 ? digits(value.substr(sign + 3, 2)) : -1;
  if (hours < 0 || minutes < 0) return false;
  offset = 60 * hours + minutes;
  if (value[sign] == '+') offset = -offset;
  return true;
}

// Writes n as exactly `width` decimal digits at `at` (n is within range).
void putDigits(char* at, std::int64_t n, int width) {
  for (int i = width - 1; i >= 0; --i, n /= 10) at[i] = static_cast<char>('0' + n % 10);
}

std::string format(const DateTime& t) {
  std::string text = "0000/00/00 00:00:00";
  putDigits(&text[0], t.year, 4);
  putDigits(&text[5], t.month, 2);
  putDigits(&text[8], t.day, 2);
  putDigits(&text[11], t.hour, 2);
  putDigits(&text[14], t.minute, 2);
  putDigits(&text[17], t.second, 2);
  return text;
}

// The year: "19" + yy when the date text ends in " yy", else its last four
// bytes; `date` keeps what is before it. False when there is no year.
bool takeYear(std::string_view& date, std::array<char, 4>& year) {
  const std::size_t n = date.size();
  if (n >= 3 && date[n - 3] == ' ') {
    year = {'1', '9', date[n - 2], date[n - 1]};
    date = date.substr(0, n - 3);
    return true;
  }
  if (n < 4) return false;
  date.substr(n - 4).copy(year.data(), 4);
  date = date.substr(0, n >= 5 ? n - 5 : 0);
  return true;
}

}  // namespace

std::optional<std::string> localMailDate(std::string_view value, std::int32_t localBias) {
  // The first colon is the one after the hours; the date ends two bytes
  // before the hours begin.
  const std::size_t colon = value.find(':');
  if (colon == npos || colon < 2) return std::nullopt;
  std::string_view date = util::trim(value.substr(0, colon - 2));

  std::array<char, 4> year{};
  if (!takeYear(date, year)) return std::nullopt;
  // Short enough to stay in the string's own buffer: no allocation.
  const std::string upperDate = util::upperAscii(util::trim(date));

  std::array<char, 2> paddedDay{};
  const std::string_view month = monthOf(upperDate);
  const std::string_view day = dayOf(upperDate, paddedDay);
  const std::string_view time = value.substr(colon - 2, 8);
  DateTime t;
  if (!parseFields({year.data(), year.size()}, month, day, time, t)) return std::nullopt;

  std::int64_t zone = 0;
  if (!zoneOffset(value, zone)) return std::nullopt;
  const std::int64_t shift = zone - localBias;
  const std::int64_t minutes =
      daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute + shift;
  const std::int64_t days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  const std::int64_t inDay = minutes - days * 1440;
  const util::CivilDate local = util::civilFromDays(days);
  t.year = local.year;
  t.month = local.month;
  t.day = local.day;
  t.hour = static_cast<int>(inDay / 60);
  t.minute = static_cast<int>(inDay % 60);
  if (t.year < 1 || t.year > 9999) return std::nullopt;
  return format(t);
}

std::string mailDate(std::string_view value, std::int32_t localBias) {
  if (auto date = localMailDate(value, localBias)) return std::move(*date);
  constexpr std::size_t kShown = 80;  // the value comes from the mail: keep the message short
  throw DateConversionError("not a valid date: \"" + std::string(value.substr(0, kShown)) + "\"");
}

}  // namespace gleanix::mailtext
