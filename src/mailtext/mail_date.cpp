#include "mailtext/mail_date.h"

#include <array>

#include "util/civil_date.h"
#include "util/sjis.h"

namespace gleanix::mailtext {

namespace {

constexpr std::size_t npos = std::string_view::npos;

[[noreturn]] void fail(std::string_view value) {
  constexpr std::size_t kShown = 80;  // the value comes from the mail: keep the message short
  throw DateConversionError("not a valid date: \"" + std::string(value.substr(0, kShown)) + "\"");
}

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
// stand for the first digit of a one-digit hour. Throws when a field is not
// all digits or out of its range.
DateTime parseFields(std::string_view year, std::string_view month, std::string_view day,
                     std::string_view time, std::string_view value) {
  DateTime t;
  if (year.size() != 4 || day.size() != 2 || time.size() != 8) fail(value);
  if (time[2] != ':' || time[5] != ':') fail(value);
  std::string_view hour = time.substr(0, 2);
  if (hour[0] == ' ') hour.remove_prefix(1);
  t.year = digits(year);
  t.month = digits(month);
  t.day = digits(day);
  t.hour = digits(hour);
  t.minute = digits(time.substr(3, 2));
  t.second = digits(time.substr(6, 2));
  if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
      t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59) {
    fail(value);
  }
  return t;
}

// Month "01"-"11" from the first of JAN..NOV found anywhere in the
// upper-cased date text; "12" when none is.
std::string monthOf(std::string_view upperDate) {
  static constexpr std::array<std::string_view, 11> kMonths{"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                            "JUL", "AUG", "SEP", "OCT", "NOV"};
  for (std::size_t i = 0; i < kMonths.size(); ++i) {
    if (upperDate.find(kMonths[i]) != npos) {
      return std::string(1, static_cast<char>('0' + (i + 1) / 10)) + static_cast<char>('0' + (i + 1) % 10);
    }
  }
  return "12";
}

// The day: the word after the first comma, or the first word.
std::string dayOf(std::string_view upperDate) {
  std::string_view d = upperDate;
  const std::size_t comma = d.find(',');
  if (comma != npos) d = util::trim(d.substr(comma + 1));
  const std::size_t blank = d.find(' ');
  if (blank != npos) d = util::trim(d.substr(0, blank));
  std::string day(d);
  if (day.size() == 1) day.insert(day.begin(), '0');
  return day;
}

// Minutes to add to the mail's time to get UTC: "+0900" gives -540,
// "-0500" gives 300, no sign gives 0 (named zones are not read).
std::int64_t zoneOffset(std::string_view value) {
  std::size_t sign = value.find('-');
  if (sign == npos) sign = value.find('+');
  if (sign == npos) return 0;
  const int hours = value.size() >= sign + 3 ? digits(value.substr(sign + 1, 2)) : -1;
  const int minutes = value.size() >= sign + 5 ? digits(value.substr(sign + 3, 2)) : -1;
  if (hours < 0 || minutes < 0) fail(value);
  const std::int64_t offset = 60 * hours + minutes;
  return value[sign] == '+' ? -offset : offset;
}

// Appends n as exactly `width` decimal digits (n is within range).
void appendDigits(std::string& out, std::int64_t n, int width) {
  std::string digitsText(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0; --i, n /= 10) digitsText[static_cast<std::size_t>(i)] = static_cast<char>('0' + n % 10);
  out += digitsText;
}

std::string format(const DateTime& t) {
  std::string text;
  appendDigits(text, t.year, 4);
  text += '/';
  appendDigits(text, t.month, 2);
  text += '/';
  appendDigits(text, t.day, 2);
  text += ' ';
  appendDigits(text, t.hour, 2);
  text += ':';
  appendDigits(text, t.minute, 2);
  text += ':';
  appendDigits(text, t.second, 2);
  return text;
}

}  // namespace

std::string mailDate(std::string_view value, std::int32_t localBias) {
  // The first colon is the one after the hours; the date ends two bytes
  // before the hours begin.
  const std::size_t colon = value.find(':');
  if (colon == npos || colon < 2) fail(value);
  std::string_view date = util::trim(value.substr(0, colon - 2));

  std::string year;
  const std::size_t n = date.size();
  if (n >= 3 && date[n - 3] == ' ') {
    year = "19" + std::string(date.substr(n - 2));
    date = date.substr(0, n - 3);
  } else {
    if (n < 4) fail(value);
    year = std::string(date.substr(n - 4));
    date = date.substr(0, n >= 5 ? n - 5 : 0);
  }
  const std::string upperDate = util::upperAscii(util::trim(date));

  const std::string month = monthOf(upperDate);
  const std::string day = dayOf(upperDate);
  const std::string_view time = value.substr(colon - 2, 8);
  DateTime t = parseFields(year, month, day, time, value);

  const std::int64_t shift = zoneOffset(value) - localBias;
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
  if (t.year < 1 || t.year > 9999) fail(value);
  return format(t);
}

}  // namespace gleanix::mailtext
