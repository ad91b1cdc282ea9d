#include "settings/variant.h"

#include <cmath>
#include <limits>

#include "settings/value_text.h"
#include "util/sjis.h"

namespace gleanix::settings {
namespace {

std::optional<std::int32_t> roundToInt(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = std::nearbyint(v);  // round half to even, as the FPU does
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(r);
}

std::optional<Currency> currencyFromDouble(double v) {
  const double scaled = std::nearbyint(v * 10000.0);
  // 2^63 bounds the 64-bit range; stay clear of its rounding edge.
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18) return std::nullopt;
  return Currency{static_cast<std::int64_t>(scaled)};
}

std::string formatCurrency(Currency c) {
  return formatFloat(static_cast<double>(c.scaled) / 10000.0);
}

}  // namespace

std::optional<bool> Variant::toBool() const {
  switch (kind()) {
    case Kind::Empty: return false;
    case Kind::Boolean: return std::get<bool>(value_);
    case Kind::Integer: return std::get<std::int32_t>(value_) != 0;
    case Kind::Float: return std::get<double>(value_) != 0.0;
    case Kind::Currency: return std::get<Currency>(value_).scaled != 0;
    case Kind::Byte: return std::get<std::uint8_t>(value_) != 0;
    case Kind::String: {
      const std::string& s = std::get<std::string>(value_);
      if (util::equalsIgnoreCase(util::trim(s), "TRUE")) return true;
      if (util::equalsIgnoreCase(util::trim(s), "FALSE")) return false;
      if (auto n = parseFloat(s)) return *n != 0.0;
      return std::nullopt;
    }
    case Kind::Date: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::int32_t> Variant::toInt() const {
  switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Kind::Integer: return std::get<std::int32_t>(value_);
    case Kind::Float: return roundToInt(std::get<double>(value_));
    case Kind::Currency: return roundToInt(static_cast<double>(std::get<Currency>(value_).scaled) / 10000.0);
    case Kind::Byte: return std::get<std::uint8_t>(value_);
    case Kind::String: return parseInteger(std::get<std::string>(value_));
    case Kind::Date: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<double> Variant::toFloat() const {
  switch (kind()) {
    case Kind::Empty: return 0.0;
    case Kind::Boolean: return std::nullopt;
    case Kind::Integer: return std::get<std::int32_t>(value_);
    case Kind::Float: return std::get<double>(value_);
    case Kind::Currency: return static_cast<double>(std::get<Currency>(value_).scaled) / 10000.0;
    case Kind::Byte: return std::get<std::uint8_t>(value_);
    case Kind::String: return parseFloat(std::get<std::string>(value_));
    case Kind::Date: return toSerial(std::get<DateTime>(value_));
  }
  return std::nullopt;
}

std::optional<DateTime> Variant::toDate() const {
  switch (kind()) {
    case Kind::Empty: return DateTime{};
    case Kind::Date: return std::get<DateTime>(value_);
    case Kind::String: return parseDateTime(std::get<std::string>(value_));
    case Kind::Float: return fromSerial(std::get<double>(value_));
    case Kind::Integer: return fromSerial(std::get<std::int32_t>(value_));
    default: return std::nullopt;
  }
}

std::optional<std::string> Variant::toString() const {
  switch (kind()) {
    case Kind::Empty: return std::string();
    case Kind::Boolean: return std::string(std::get<bool>(value_) ? "True" : "False");
    case Kind::Integer: return std::to_string(std::get<std::int32_t>(value_));
    case Kind::Float: return formatFloat(std::get<double>(value_));
    case Kind::Currency: return formatCurrency(std::get<Currency>(value_));
    case Kind::Byte: return std::to_string(std::get<std::uint8_t>(value_));
    case Kind::String: return std::get<std::string>(value_);
    case Kind::Date: return formatDateTime(std::get<DateTime>(value_));
  }
  return std::nullopt;
}

std::optional<Currency> Variant::toCurrency() const {
  if (kind() == Kind::Currency) return std::get<Currency>(value_);
  if (kind() == Kind::Integer) return Currency{std::int64_t{std::get<std::int32_t>(value_)} * 10000};
  if (auto f = toFloat()) return currencyFromDouble(*f);
  return std::nullopt;
}

std::optional<std::uint8_t> Variant::toByte() const {
  const auto n = toInt();
  if (!n || *n < 0 || *n > 255) return std::nullopt;
  return static_cast<std::uint8_t>(*n);
}

}  // namespace gleanix::settings
