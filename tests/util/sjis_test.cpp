#include "util/sjis.h"

#include <gtest/gtest.h>

#include "util/int_list.h"
#include "util/wildcard.h"

namespace gleanix::util {
namespace {

// "表" is 0x95 0x5C: its second byte is a backslash.
const std::string kHyo = "表";

TEST(Sjis, LiteralsAreCompiledAsCp932) {
  ASSERT_EQ(kHyo.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(kHyo[0]), 0x95);
  EXPECT_EQ(kHyo[1], '\\');
}

TEST(Sjis, CharPosNeverMatchesInsideADoubleByteCharacter) {
  EXPECT_EQ(charPos("\\", kHyo), 0);
  EXPECT_EQ(charPos("\\", kHyo + "\\"), 2);
  EXPECT_EQ(charPos("b", "ｱb"), 2);  // half-width katakana is one byte
  EXPECT_EQ(charPos("b", "あb"), 2);
  EXPECT_EQ(charPos("xyz", "ab"), 0);
  EXPECT_EQ(charPos("", "ab"), 0);
}

TEST(Sjis, CharCopyCountsCharacters) {
  EXPECT_EQ(charCopy("あいう", 2, 1), "い");
  EXPECT_EQ(charCopy("あいう", 2, kRestOfText), "いう");
  EXPECT_EQ(charCopy("あいう", 0, 2), "");
  EXPECT_EQ(charCopy("あいう", 4, 1), "");
  EXPECT_EQ(charCopy("aあb", 2, 5), "あb");
}

TEST(Sjis, LengthAndLastCharacterRespectLeadBytes) {
  EXPECT_EQ(charLength("aあ" + kHyo), 3);
  EXPECT_EQ(charLength(std::string("ab\0cd", 5)), 2);
  EXPECT_EQ(lastChar("a" + kHyo), kHyo);
  EXPECT_EQ(lastChar(""), "");
  EXPECT_EQ(lastChar("x\x81"), "\x81");  // lone lead byte at the end
}

TEST(Sjis, CaseFoldingLeavesTrailBytesAlone) {
  // "ア" is 0x83 0x41: its trail byte is the letter A.
  EXPECT_EQ(upperAscii("aア"), "Aア");
  EXPECT_FALSE(equalsIgnoreCase("\x83\x61", "\x83\x41"));
  EXPECT_TRUE(equalsIgnoreCase("Inbox.box", "INBOX.BOX"));
  EXPECT_TRUE(startsWithIgnoreCase("Title=x", "TITLE="));
}

TEST(Sjis, FindByteSkipsTrailBytes) {
  EXPECT_EQ(findByte(kHyo + "\\", '\\'), 2u);
  EXPECT_EQ(findByte("a=b=c", '=', 2), 3u);
  EXPECT_EQ(findByte(kHyo, '\\'), std::string_view::npos);
}

TEST(IntegerList, OutOfRangeReadsAsZero) {
  TIntegerList list;
  list.Add(5);
  list.Add(-7);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1), -7);
  EXPECT_EQ(list.Item(2), 0);
  EXPECT_EQ(list.Item(-1), 0);
  list.Clear();
  EXPECT_EQ(list.Item(0), 0);
}

TEST(Wildcard, FollowsWindowsRules) {
  EXPECT_TRUE(matchesWildcard("Acc*.*", "Acc1"));
  EXPECT_TRUE(matchesWildcard("Acc*.*", "acc.x"));
  EXPECT_FALSE(matchesWildcard("Acc*.*", "Ac"));
  EXPECT_TRUE(matchesWildcard("USER*.BOX", "User001.box"));
  EXPECT_FALSE(matchesWildcard("USER*.BOX", "User001.boxx"));
  EXPECT_TRUE(matchesWildcard("*.*", "anything"));
  EXPECT_TRUE(matchesWildcard("a?c", "abc"));
  EXPECT_TRUE(matchesWildcard("a?c", "aあc"));  // ? takes a whole character
}

}  // namespace
}  // namespace gleanix::util
