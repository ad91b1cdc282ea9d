#pragma once
// A setting's value: empty, or one of the kinds the settings file and the
// registry know. Integers are 32-bit (16-bit ones widen), floats double
// (single ones widen). Currency and byte values exist for the registry;
// the settings file stores them as a name without type or value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "settings/date_time.h"

namespace gleanix::settings {

// A fixed-point amount with four decimals: value * 10000.
struct Currency {
  std::int64_t scaled = 0;
  bool operator==(const Currency&) const = default;
};

class Variant {
 public:
  enum class Kind { Empty, Boolean, Integer, Float, Date, String, Currency, Byte };

  Variant() = default;
  Variant(bool v) : value_(v) {}
  Variant(std::int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(const DateTime& v) : value_(v) {}
  Variant(std::string v) : value_(std::move(v)) {}
  Variant(std::string_view v) : value_(std::string(v)) {}
  Variant(const char* v) : value_(std::string(v)) {}
  Variant(Currency v) : value_(v) {}
  static Variant fromByte(std::uint8_t v) {
    Variant out;
    out.value_ = v;
    return out;
  }

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool isEmpty() const { return kind() == Kind::Empty; }

  // The value in the asked kind, converted where that makes sense: numbers
  // between each other, texts parsed ("True"/"False" for booleans, decimal
  // numbers, "yyyy/mm/dd hh:nn:ss" dates), anything to a text. An empty
  // value converts to false, 0, an empty text and 1899/12/30. nullopt when
  // the value does not convert.
  std::optional<bool> toBool() const;
  std::optional<std::int32_t> toInt() const;
  std::optional<double> toFloat() const;
  std::optional<DateTime> toDate() const;
  std::optional<std::string> toString() const;
  std::optional<Currency> toCurrency() const;
  std::optional<std::uint8_t> toByte() const;

  bool operator==(const Variant&) const = default;

 private:
  // Order matches Kind.
  std::variant<std::monostate, bool, std::int32_t, double, DateTime, std::string, Currency, std::uint8_t> value_;
};

}  // namespace gleanix::settings
