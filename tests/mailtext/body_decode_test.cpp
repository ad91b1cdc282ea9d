#include "mailtext/body_decode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "util/base64.h"
#include "mailtext/iso2022jp.h"

namespace gleanix::mailtext {
namespace {

const std::string kEsc = "\x1B";
const std::string kToJis = kEsc + "$B";
const std::string kToAscii = kEsc + "(B";

// "日本語のテスト" and "表示" in JIS X 0208 ("表示" holds an "=").
const std::string kNihongoJis = "F|K\\8l$N%F%9%H";
const std::string kHyojiJis = "I=<(";

// Runs the converter on a buffer with guard bytes behind its length + 1
// bytes and fails when any guard byte changed or the NUL is missing.
std::string convert(const std::string& in) {
  constexpr char kGuard = '\x5A';
  std::vector<char> out(in.size() + 1 + 16, kGuard);
  convertIso2022JpToSjis(out.data(), in.data(), static_cast<std::int32_t>(in.size()));
  for (std::size_t i = in.size() + 1; i < out.size(); ++i) {
    EXPECT_EQ(out[i], kGuard) << "written past the bound at " << i;
  }
  const auto* nul = static_cast<const char*>(std::memchr(out.data(), '\0', in.size() + 1));
  EXPECT_NE(nul, nullptr) << "no terminating NUL";
  return nul == nullptr ? std::string() : std::string(static_cast<const char*>(out.data()), nul);
}

std::string decode(const std::string& text) { return decodeBody(text, convertIso2022JpToSjis); }

// Naive reference: search from the start again after every replacement.
std::string replaceFromStart(std::string s, const std::string& pattern, const std::string& replacement) {
  for (std::size_t at; (at = s.find(pattern)) != std::string::npos;) s.replace(at, pattern.size(), replacement);
  return s;
}

// --- converter ---

TEST(Iso2022Jp, ConvertsKanjiKanaAndAscii) {
  EXPECT_EQ(convert("a" + kToJis + kNihongoJis + kToAscii + "b"), "a日本語のテストb");
  EXPECT_EQ(convert(kEsc + "$@" + kHyojiJis + kEsc + "(J" + "x"), "表示x");
  EXPECT_EQ(convert(kEsc + "(I" + "123" + kToAscii + "4"), "ｱｲｳ4");
  EXPECT_EQ(convert("a\x0E" "123\x0F" "123"), "aｱｲｳ123");
  EXPECT_EQ(convert(kToJis + "-!"), "①");  // NEC row 13 maps into CP932's 0x87 row
}

TEST(Iso2022Jp, RowsMapToTheirShiftJisRanges) {
  // First and last cells of the odd/even and low/high row groups.
  EXPECT_EQ(convert(kToJis + "!!"), "\x81\x40");
  EXPECT_EQ(convert(kToJis + "!~"), "\x81\x9E");
  EXPECT_EQ(convert(kToJis + "\"!"), "\x81\x9F");
  EXPECT_EQ(convert(kToJis + "\"~"), "\x81\xFC");
  EXPECT_EQ(convert(kToJis + "!_"), "\x81\x7E");
  EXPECT_EQ(convert(kToJis + "!`"), "\x81\x80");
  EXPECT_EQ(convert(kToJis + "^~"), "\x9F\xFC");
  EXPECT_EQ(convert(kToJis + "_!"), "\xE0\x40");
  EXPECT_EQ(convert(kToJis + "~~"), "\xEF\xFC");
}

TEST(Iso2022Jp, LineEndResetsToAscii) {
  EXPECT_EQ(convert(kToJis + kHyojiJis + "\r\nI=" + kToJis + "I="), "表示\r\nI=表");
}

TEST(Iso2022Jp, MalformedInputPassesThroughWithinBound) {
  EXPECT_EQ(convert(""), "");
  EXPECT_EQ(convert(kEsc), kEsc);
  EXPECT_EQ(convert("x" + kEsc + "$"), "x" + kEsc + "$");      // escape cut at the end
  EXPECT_EQ(convert(kEsc + "$(D" + "ab"), kEsc + "$(Dab");      // unknown escape
  EXPECT_EQ(convert(kToJis + "I=<"), "表<");                   // odd byte of a pair
  EXPECT_EQ(convert(kToJis + "I\x81" "a"), "I\x81" "a");          // 8-bit byte in a pair
  EXPECT_EQ(convert("表示\x81"), "表示\x81");                      // Shift-JIS and a lone lead byte
  EXPECT_EQ(convert(std::string("a\0b", 3)), "ab");              // NUL does not cut the text
}

TEST(Iso2022Jp, NeverWritesMoreThanInputPlusNul) {
  std::mt19937 random(12345);
  const std::string alphabet = kEsc + "$(@BIJ\x0E\x0F!~I=\r\n\x81\xFC\xA1 a";
  for (int round = 0; round < 2000; ++round) {
    std::string in;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) in += alphabet[random() % alphabet.size()];
    EXPECT_LE(convert(in).size(), in.size());
  }
  char out[1] = {'x'};
  convertIso2022JpToSjis(out, "abc", -5);  // a negative length converts nothing
  EXPECT_EQ(out[0], '\0');
}

// --- JIS to Shift-JIS through the host function ---

TEST(JisToShiftJis, PassesLengthAndBufferAndStopsAtNul) {
  std::int32_t seenLength = -1;
  const std::string result = jisToShiftJis("abcdef", [&](char* out, const char* in, std::int32_t length) {
    seenLength = length;
    EXPECT_STREQ(in, "abcdef");
    std::memcpy(out, "xyz\0junk", 7);
  });
  EXPECT_EQ(seenLength, 6);
  EXPECT_EQ(result, "xyz");
}

TEST(JisToShiftJis, HostWithoutNulGivesWholeBuffer) {
  const std::string result =
      jisToShiftJis("ab", [](char* out, const char*, std::int32_t length) { std::memset(out, 'q', length + 1); });
  EXPECT_EQ(result, "qqq");
}

// --- decode body ---

TEST(DecodeBody, PlainTextIsUnchanged) {
  EXPECT_EQ(decode("plain =3D text\r\n=1B no JIS\r\n"), "plain =3D text\r\n=1B no JIS\r\n");
  bool called = false;
  decodeBody("abc", [&](char*, const char*, std::int32_t) { called = true; });
  EXPECT_FALSE(called);
}

TEST(DecodeBody, JisBodyIsConverted) {
  const std::string jis = "Hello\r\n" + kToJis + kNihongoJis + kToAscii + "\r\n" + kToJis + kHyojiJis + kToAscii + "\r\n";
  EXPECT_EQ(decode(jis), "Hello\r\n日本語のテスト\r\n表示\r\n");
}

TEST(DecodeBody, QuotedPrintableJisGivesSameTextAsPlainJis) {
  const std::string jis = "Hello\r\n" + kToJis + kNihongoJis + kHyojiJis + kToAscii + " a=b\r\n" + kToJis +
                          kHyojiJis + kToAscii + "\r\n";
  // Quoted-printable form: ESC and "=" escaped, soft line breaks every 10
  // characters (never inside an escape).
  std::string qp;
  int column = 0;
  for (std::size_t i = 0; i < jis.size(); ++i) {
    std::string piece = jis[i] == '\x1B' ? "=1B" : jis[i] == '=' ? "=3D" : std::string(1, jis[i]);
    if (jis[i] == '\r' || jis[i] == '\n') {
      column = 0;
    } else if (column + piece.size() > 10) {
      qp += "=\r\n";
      column = 0;
    }
    qp += piece;
    column += static_cast<int>(piece.size());
  }
  ASSERT_NE(qp.find("=1B$B"), std::string::npos);
  ASSERT_NE(qp.find("=3D"), std::string::npos);
  ASSERT_NE(qp.find("=\r\n"), std::string::npos);
  EXPECT_EQ(decode(qp), decode(jis));
  EXPECT_EQ(decode(qp), "Hello\r\n日本語のテスト表示 a=b\r\n表示\r\n");
}

TEST(DecodeBody, QuotedPrintableStepsRepeatUntilNoneLeft) {
  // "=3D3D" becomes "=" (not "=3D"); "==\r\n\r\n" loses both soft breaks;
  // "=3D1B" becomes ESC. Other escapes stay.
  EXPECT_EQ(decode("=1B$B=3D3D=3D1B(B==\r\n\r\n=41"), decode(kToJis + "=" + kToAscii + "=41"));
}

TEST(ReplaceUntilNoneLeft, MatchesRepeatedSearchFromStart) {
  std::mt19937 random(4242);
  const std::string alphabet = "=3D1B\r\nx";
  const std::vector<std::pair<std::string, std::string>> rules{{"=3D", "="}, {"=\r\n", ""}, {"=1B", "\x1B"}};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    for (const auto& [pattern, replacement] : rules) {
      ASSERT_EQ(replaceUntilNoneLeft(text, pattern, replacement), replaceFromStart(text, pattern, replacement))
          << "text: " << text << " pattern: " << pattern;
    }
  }
}

TEST(ReplaceUntilNoneLeft, DeepNestingStaysLinear) {
  // "=3D3D3D...3D": the naive loop needs one pass per level.
  std::string text = "=";
  for (int i = 0; i < 200000; ++i) text += "3D";
  EXPECT_EQ(replaceUntilNoneLeft(text, "=3D", "="), "=");
  std::string breaks(100000, '=');
  for (int i = 0; i < 100000; ++i) breaks += "\r\n";
  EXPECT_EQ(replaceUntilNoneLeft(breaks, "=\r\n", ""), "");
}

TEST(JoinLines, EachLineEndsWithCrLf) {
  EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(joinLines({}), "");
}

// --- base64 value ---

TEST(Base64Value, AlphabetPositions) {
  EXPECT_EQ(util::base64Value('A'), 0);
  EXPECT_EQ(util::base64Value('Z'), 25);
  EXPECT_EQ(util::base64Value('a'), 26);
  EXPECT_EQ(util::base64Value('z'), 51);
  EXPECT_EQ(util::base64Value('0'), 52);
  EXPECT_EQ(util::base64Value('9'), 61);
  EXPECT_EQ(util::base64Value('+'), 62);
  EXPECT_EQ(util::base64Value('/'), 63);
  EXPECT_EQ(util::base64Value('='), -1);
  EXPECT_EQ(util::base64Value('\0'), -1);
  EXPECT_EQ(util::base64Value('\xC1'), -1);
}

}  // namespace
}  // namespace gleanix::mailtext
