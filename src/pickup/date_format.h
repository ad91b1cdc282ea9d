#pragma once
// How the pickup list writes dates: the widest format whose probe text fits
// the date column.

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace gleanix::pickup {

enum class DateFormat {
  YearMinute,       // "yyyy/mm/dd hh:nn"
  ShortYearMinute,  // "yy/mm/dd hh:nn"
  MonthMinute,      // "mm/dd hh:nn"
  ShortYearDay,     // "yy/mm/dd"
  MonthDay,         // "mm/dd"
};

struct DateProbe {
  const char* text;  // "8888/88/88 88:88" ...
  DateFormat format;
};

// In the order they are tried; MonthDay is what is left when none fits.
extern const std::array<DateProbe, 4> kDateProbes;

// The first format whose probe, measured with the window's font, is at most
// the column width less 12 pixels.
DateFormat chooseDateFormat(int columnWidth, const std::function<int(std::string_view)>& textWidth);

// The pattern text of a format ("yyyy/mm/dd hh:nn").
const char* dateFormatPattern(DateFormat format);

// A sortable date "yyyy/mm/dd hh:nn:ss" written in the format (yy is the
// year's last two digits). Empty for an empty date and for a text that is
// not such a date.
std::string formatDate(std::string_view sortableDate, DateFormat format);

}  // namespace gleanix::pickup
