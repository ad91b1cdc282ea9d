// The terminal conversion looks characters up in a table taken from iconv;
// it must give exactly what converting each text with iconv gives, for
// every code of CP932 (user-defined and IBM extension characters, bytes
// that open no character, lead bytes cut off or followed by a bad byte).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cli/cp932_text.h"

namespace gleanix::cli {
namespace {

std::string bytes(std::initializer_list<int> codes) {
  std::string out;
  for (const int c : codes) out += static_cast<char>(c);
  return out;
}

TEST(Utf8Table, EveryOneAndTwoByteCodeConvertsAsIconvConvertsIt) {
  for (int a = 0; a < 256; ++a) {
    const std::string one = bytes({a});
    ASSERT_EQ(toUtf8(one), toUtf8ByIconv(one)) << "byte " << a;
    for (int b = 0; b < 256; ++b) {
      const std::string two = bytes({a, b});
      ASSERT_EQ(toUtf8(two), toUtf8ByIconv(two)) << "bytes " << a << " " << b;
    }
  }
}

TEST(Utf8Table, ACodeThatIconvRefusesGoesOnAtItsSecondByte) {
  // After a refused pair the second byte may open a character of its own:
  // every lead byte, every second byte, and a third byte of each kind.
  const int thirds[] = {0x00, 0x09, 0x41, 0x5C, 0x81, 0x9F, 0xA0, 0xE0, 0xFC, 0xFF};
  for (int a = 0x80; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      for (const int c : thirds) {
        const std::string three = bytes({a, b, c});
        ASSERT_EQ(toUtf8(three), toUtf8ByIconv(three)) << a << " " << b << " " << c;
      }
    }
  }
  EXPECT_EQ(toUtf8(bytes({'o', 'k', 0x80})), "ok\xEF\xBF\xBD");
  EXPECT_EQ(toUtf8(bytes({0x88, 0x9F})), "\xE4\xBA\x9C");  // 亜
}

TEST(Utf8Table, LongAndRandomTextsConvertAsIconvConvertsThem) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int n = 0; n < 3000; ++n) {
    std::string text(static_cast<std::size_t>(n % 97), '\0');
    for (char& c : text) c = static_cast<char>(byte(random));
    ASSERT_EQ(toUtf8(text), toUtf8ByIconv(text)) << "text " << n;
  }
  // Past the size of the conversion's own buffer, in whole characters and
  // with a pair cut at the end.
  std::string kanji;
  for (int i = 0; i < 5000; ++i) kanji += bytes({0x88 + i % 0x17, 0x40 + i % 0xBC});
  EXPECT_EQ(toUtf8(kanji), toUtf8ByIconv(kanji));
  EXPECT_EQ(toUtf8(kanji + "\x88"), toUtf8ByIconv(kanji + "\x88"));
}

TEST(Utf8Table, AppendingKeepsWhatIsThere) {
  std::string out = "head:";
  appendUtf8("\x93\xfa\x96\x7b", out);  // 日本
  appendUtf8("", out);
  EXPECT_EQ(out, "head:\xE6\x97\xA5\xE6\x9C\xAC");
}

}  // namespace
}  // namespace gleanix::cli
