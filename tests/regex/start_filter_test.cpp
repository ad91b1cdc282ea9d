// The start filter's two scans, 16 positions at a time (SSE2, which the
// Windows build also uses) and byte pair by byte pair, give the boundary a
// character-by-character walk gives, on texts of mixed one- and two-byte
// characters.
#include "regex/start_filter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "regex/compiled_pattern.h"
#include "util/sjis.h"

namespace gleanix::regex {
namespace {

// The first boundary at or after i whose character can begin a match.
std::size_t walk(const CharClasses& classes, const std::vector<std::uint8_t>& startClass, const std::string& text,
                 std::size_t i) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  while (i < text.size()) {
    std::size_t length = 1;
    const std::uint32_t cls = classes.classAt(p, i, text.size(), length);
    if (cls != CharClasses::kBlank && startClass[cls]) return i;
    i += length;
  }
  return text.size();
}

// Text made of the pattern's own characters among others, so that hits,
// trail bytes that look like starts and blanks all occur.
std::string randomText(std::mt19937& random, std::size_t length) {
  static const std::vector<std::string> pieces = {"Q", "q", "u", "x", " ", "\r\n", "Ｑ", "ｑ", "が", "ガ",
                                                  "ｶ", "ﾞ", "あ", "\x82\x51", "\x81\x40", "\x83\x51", "\x95\x5C", "@"};
  std::string text;
  while (text.size() < length) text += pieces[random() % pieces.size()];
  return text;
}

TEST(StartFilter, VectorAndPairScansAgreeWithACharacterWalk) {
  const char* patterns[] = {"Quillon", "(Q|q|Ｑ|ｑ)uillon", "(が|ガ|ｶﾞ)x", "[あ-ん]", "ｑ", "x|@"};
  std::mt19937 random(17);
  for (const char* pattern : patterns) {
    SCOPED_TRACE(pattern);
    const CompiledPattern compiled(pattern);
    const auto& startClass = compiled.startSet().startClasses;
    const StartFilter vectors(compiled.classes(), startClass, true);
    const StartFilter pairs(compiled.classes(), startClass, false);
    ASSERT_TRUE(vectors.useful());
    EXPECT_FALSE(pairs.vectorScan());
    EXPECT_EQ(vectors.vectorScan(), GLEANIX_REGEX_VECTOR_FILTER == 1);
    for (int round = 0; round < 200; ++round) {
      const std::string text = randomText(random, 1 + random() % 90);
      const auto* p = reinterpret_cast<const unsigned char*>(text.data());
      for (std::size_t i = 0; i < text.size(); i += util::charBytesAt(text, i)) {
        const std::size_t expected = walk(compiled.classes(), startClass, text, i);
        ASSERT_EQ(vectors.next(p, i, text.size()), expected) << "at " << i << " in " << text;
        ASSERT_EQ(pairs.next(p, i, text.size()), expected) << "at " << i << " in " << text;
      }
    }
  }
}

}  // namespace
}  // namespace gleanix::regex
