#include "settings/value_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "util/sjis.h"

namespace gleanix::settings {

std::optional<std::int32_t> parseInteger(std::string_view text) {
  text = util::trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<double> parseFloat(std::string_view text) {
  text = util::trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;  // "+-1"
  }
  if (text.empty()) return std::nullopt;
  // from_chars would also take "inf" and "nan"; only digits are numbers here.
  for (char c : text) {
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+';
    if (!allowed) return std::nullopt;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string formatFloat(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  const std::string_view sci(buf, static_cast<std::size_t>(result.ptr - buf));  // "-d.ddde+XX"
  const std::size_t e = sci.find('e');
  const std::string_view exponentText = sci.substr(e + 1 + (sci[e + 1] == '+' ? 1 : 0));
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
  std::string out;
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c == '-') out.push_back('-');
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  if (exponent < -5 || exponent >= 15) {
    out.push_back(digits[0]);
    if (digits.size() > 1) out.append(".").append(digits, 1);
    return out.append("E").append(std::to_string(exponent));
  }
  if (exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0');
    return out.append(digits);
  }
  const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= intDigits) return out.append(digits).append(intDigits - digits.size(), '0');
  return out.append(digits, 0, intDigits).append(".").append(digits, intDigits);
}

}  // namespace gleanix::settings
