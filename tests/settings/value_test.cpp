#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "settings/date_time.h"
#include "settings/value_text.h"
#include "settings/variant.h"

namespace gleanix::settings {
namespace {

TEST(ValueText, IntegersAreDecimal32Bit) {
  EXPECT_EQ(parseInteger("42"), 42);
  EXPECT_EQ(parseInteger(" -7 "), -7);
  EXPECT_EQ(parseInteger("+3"), 3);
  EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
  for (const char* bad : {"", " ", "2147483648", "1.0", "0x10", "12abc", "+-1", "++1", "１"}) {
    EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
  }
}

TEST(ValueText, FloatsUseGeneralFormAndReadBack) {
  EXPECT_EQ(formatFloat(0.1), "0.1");
  EXPECT_EQ(formatFloat(-2.5), "-2.5");
  EXPECT_EQ(formatFloat(0), "0");
  EXPECT_EQ(formatFloat(100000), "100000");
  EXPECT_EQ(formatFloat(123456789012345.0), "123456789012345");
  EXPECT_EQ(formatFloat(1e15), "1E15");
  EXPECT_EQ(formatFloat(1e20), "1E20");
  EXPECT_EQ(formatFloat(0.00001), "0.00001");
  EXPECT_EQ(formatFloat(1.5e-7), "1.5E-7");
  EXPECT_EQ(parseFloat(" 2.5 "), 2.5);
  EXPECT_EQ(parseFloat("1E20"), 1e20);
  EXPECT_EQ(parseFloat("+1e3"), 1000.0);
  for (const char* bad : {"", "inf", "nan", "1,5", "1e999", "abc", "1.5x", "+-1", "+"}) {
    EXPECT_FALSE(parseFloat(bad).has_value()) << bad;
  }
  std::mt19937_64 rng(5);
  for (int i = 0; i < 2000; ++i) {
    double v = std::bit_cast<double>(rng());
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(parseFloat(formatFloat(v)), v) << formatFloat(v);
  }
}

TEST(DateTimeText, FormatsAndParsesTheStoredForm) {
  const DateTime d{2024, 1, 2, 3, 4, 5};
  EXPECT_EQ(formatDateTime(d), "2024/01/02 03:04:05");
  EXPECT_EQ(parseDateTime("2024/01/02 03:04:05"), d);
  EXPECT_EQ(parseDateTime(" 2024/1/2 "), (DateTime{2024, 1, 2, 0, 0, 0}));
  EXPECT_EQ(parseDateTime("2024/02/29 23:59"), (DateTime{2024, 2, 29, 23, 59, 0}));
  for (const char* bad : {"", "2024/02/30", "2023/02/29", "2024/13/01", "2024/1/2 25:00", "2024/1/2 10:60",
                          "2024-01-02", "2024/01/02x", "2024/01/02 3", "0/1/1", "12345/1/1"}) {
    EXPECT_FALSE(parseDateTime(bad).has_value()) << bad;
  }
}

TEST(DateTimeSerial, CountsDaysFrom1899December30) {
  EXPECT_EQ(toSerial(DateTime{}), 0.0);
  EXPECT_EQ(toSerial(DateTime{1900, 1, 1, 0, 0, 0}), 2.0);
  EXPECT_EQ(toSerial(DateTime{2000, 1, 1, 12, 0, 0}), 36526.5);
  EXPECT_EQ(toSerial(DateTime{1899, 12, 29, 6, 0, 0}), -1.25);
  EXPECT_EQ(fromSerial(-1.25), (DateTime{1899, 12, 29, 6, 0, 0}));
  EXPECT_EQ(fromSerial(36526.5), (DateTime{2000, 1, 1, 12, 0, 0}));
  // 23:59:59.9999 rounds to the next midnight, not to second 60.
  EXPECT_EQ(fromSerial(36526.0 - 1e-9), (DateTime{2000, 1, 1, 0, 0, 0}));
  EXPECT_FALSE(fromSerial(std::nan("")).has_value());
  EXPECT_FALSE(fromSerial(1e12).has_value());
  const DateTime samples[] = {{1, 1, 1, 0, 0, 0}, {1600, 2, 29, 1, 2, 3}, {2038, 1, 19, 3, 14, 8}, {9999, 12, 31, 23, 59, 59}};
  for (const DateTime& d : samples) EXPECT_EQ(fromSerial(toSerial(d)), d) << formatDateTime(d);
}

TEST(Variant, KeepsItsKind) {
  EXPECT_EQ(Variant().kind(), Variant::Kind::Empty);
  EXPECT_EQ(Variant(true).kind(), Variant::Kind::Boolean);
  EXPECT_EQ(Variant(std::int16_t{5}).kind(), Variant::Kind::Integer);
  EXPECT_EQ(Variant(1.5f).kind(), Variant::Kind::Float);
  EXPECT_EQ(Variant("text").kind(), Variant::Kind::String);  // not a boolean
  EXPECT_EQ(Variant(DateTime{}).kind(), Variant::Kind::Date);
  EXPECT_EQ(Variant(Currency{1}).kind(), Variant::Kind::Currency);
  EXPECT_EQ(Variant::fromByte(7).kind(), Variant::Kind::Byte);
}

TEST(Variant, ConvertsBetweenKindsOrSaysItCannot) {
  EXPECT_EQ(Variant("TRUE").toBool(), true);
  EXPECT_EQ(Variant("0").toBool(), false);
  EXPECT_FALSE(Variant("yes").toBool().has_value());
  EXPECT_EQ(Variant("12").toInt(), 12);
  EXPECT_FALSE(Variant("12x").toInt().has_value());
  EXPECT_EQ(Variant(2.5).toInt(), 2);  // half to even
  EXPECT_FALSE(Variant(1e10).toInt().has_value());
  EXPECT_EQ(Variant(true).toString(), "True");
  EXPECT_EQ(Variant(DateTime{2024, 1, 2, 3, 4, 5}).toString(), "2024/01/02 03:04:05");
  EXPECT_EQ(Variant("2024/1/2").toDate(), (DateTime{2024, 1, 2, 0, 0, 0}));
  EXPECT_EQ(Variant("1.23456").toCurrency(), Currency{12346});
  EXPECT_FALSE(Variant(300).toByte().has_value());
  EXPECT_EQ(Variant().toInt(), 0);
  EXPECT_EQ(Variant().toString(), "");
}

}  // namespace
}  // namespace gleanix::settings
