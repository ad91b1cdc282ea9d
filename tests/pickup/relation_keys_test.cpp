// The keys the related pickup relates mails by, and the set that compares
// them without regard to letter case.
#include "pickup/relation_keys.h"

#include <gtest/gtest.h>

#include <random>

#include "pickup/key_index.h"
#include "pickup/key_set.h"
#include "util/sjis.h"

namespace gleanix::pickup {
namespace {

using Tags = std::vector<std::string>;

TEST(SubjectTag, OnlyALeadingBracketWithAColon) {
  EXPECT_EQ(subjectTag("[LIST:0123] HELLO"), "[LIST:0123]");
  EXPECT_EQ(subjectTag("[MEMO] HELLO"), "");
  EXPECT_EQ(subjectTag("RE: [LIST:0123] HELLO"), "");
  EXPECT_EQ(subjectTag("[LIST:0123 HELLO"), "");
  EXPECT_EQ(subjectTag(""), "");
  // "[ML]X:1]": up to the first "]" only, and that part holds no ":".
  EXPECT_EQ(subjectTag("[ML]X:1]"), "");
}

TEST(BodyTags, ScansEveryBracketPairAndKeepsThoseWithAColon) {
  Tags tags;
  appendBodyTags("  In [list:0123] someone wrote: [memo] and [dev:7] ", tags);
  EXPECT_EQ(tags, (Tags{"[list:0123]", "[dev:7]"}));
  tags.clear();
  appendBodyTags("[a:1] [unclosed:2", tags);
  EXPECT_EQ(tags, Tags{"[a:1]"});
  tags.clear();
  // A "]" that is the trail byte of a double-byte character (0x5D) closes nothing.
  appendBodyTags("[x:\x81\x5D]", tags);
  EXPECT_EQ(tags, Tags{"[x:\x81\x5D]"});
}

TEST(ReferenceIds, CommasSeparateBlanksDoNot) {
  EXPECT_EQ(referenceIds(" <A@X>, <B@X> "), (Tags{"<A@X>", "<B@X>"}));
  EXPECT_EQ(referenceIds("<A@X> <B@X>"), Tags{"<A@X> <B@X>"});
  EXPECT_EQ(referenceIds("<A@X>,,"), Tags{"<A@X>"});
  EXPECT_TRUE(referenceIds("  ").empty());
}

TEST(TagList, BodyTagsAlreadyContainedAreLeftOutWithCaseCounting) {
  EXPECT_EQ(tagListText("[ML:1]", {"[ML:1]", "[ml:1]", "[ml:2]", "[ml:2]"}), "[ML:1],[ml:1],[ml:2]");
  EXPECT_EQ(tagListText("", {"[a:1]"}), "[a:1]");
  EXPECT_EQ(tagsOfList("[ML:1], [ml:2]"), (Tags{"[ML:1]", "[ml:2]"}));
  // A tag holding a comma falls apart when the list is cut, as the list text does.
  EXPECT_EQ(tagsOfList(tagListText("", {"[a:1,2]"})), (Tags{"[a:1", "2]"}));
}

TEST(RelationKeys, OnlyTheKeysOfSwitchedOnRelationsAreRead) {
  const std::vector<std::string> header = {"Message-ID: <m@x>", "In-Reply-To: <p@x>", "References: <r@x>, <p@x>",
                                           "Subject: Re: [ml:5] Hello"};
  const std::vector<std::string> body = {"In [ml:4] you wrote:", "[ml:5] again"};
  RelationOptions all;
  const RelationKeys k = candidateKeys(header, body, all);
  EXPECT_EQ(k.messageId, "<M@X>");
  EXPECT_EQ(k.replyId, "<P@X>");
  EXPECT_EQ(k.referenceIds, (Tags{"<R@X>", "<P@X>"}));
  EXPECT_EQ(k.bareSubject, "HELLO");
  EXPECT_EQ(k.tags, (Tags{"[ml:4]", "[ml:5]"}));  // "RE: [ML:5]" has no leading tag

  RelationOptions subjectOnly{false, false, true, false};
  const RelationKeys s = candidateKeys(header, body, subjectOnly);
  EXPECT_EQ(s.messageId, "");
  EXPECT_EQ(s.replyId, "");
  EXPECT_TRUE(s.referenceIds.empty());
  EXPECT_TRUE(s.tags.empty());
  EXPECT_EQ(s.bareSubject, "HELLO");

  RelationOptions referencesOnly{false, true, false, false};
  const RelationKeys r = candidateKeys(header, body, referencesOnly);
  EXPECT_EQ(r.messageId, "<M@X>");
  EXPECT_EQ(r.replyId, "");
}

TEST(RelationKeys, AStartingMailKeepsEveryBodyTag) {
  const std::vector<std::string> header = {"Subject: [ML:1] x"};
  const std::vector<std::string> body = {"[ML:1] [ML:1]"};
  EXPECT_EQ(startingMailKeys(header, body, RelationOptions{}).tags, (Tags{"[ML:1]", "[ML:1]", "[ML:1]"}));
  EXPECT_EQ(candidateKeys(header, body, RelationOptions{}).tags, Tags{"[ML:1]"});
}

TEST(KeySet, FoldsAsciiLettersButNeverATrailByte) {
  KeySet set;
  EXPECT_TRUE(set.insert("<Abc.123@Example.JP>"));
  EXPECT_FALSE(set.insert("<aBC.123@example.jp>"));
  EXPECT_TRUE(set.contains("<ABC.123@EXAMPLE.JP>"));
  EXPECT_FALSE(set.contains("<ABC.124@EXAMPLE.JP>"));
  // 0x83 0x61 and 0x83 0x41 are two different double-byte characters.
  EXPECT_TRUE(set.insert("\x83\x61"));
  EXPECT_FALSE(set.contains("\x83\x41"));
  EXPECT_TRUE(set.contains("\x83\x61"));
  KeySet other;
  other.insert("x");
  set.insertAll(other);
  EXPECT_TRUE(set.contains("X"));
  EXPECT_EQ(set.size(), 3u);
}

// The hash reads eight bytes at a time: keys of every length around that,
// with letters, trail bytes and bytes past 0x7F, hash as their upper-cased
// forms do, and keys moved over by takeAll are found there.
TEST(KeySet, KeysOfAnyLengthMatchTheirUpperCaseForms) {
  std::mt19937 random(5);
  const char bytes[] = {'a', 'z', 'A', 'Z', '@', '[', '`', '{', ':', '\x83', '\xE0', '\x61', '\xFA', '\x7A'};
  KeySet set;
  std::vector<std::string> keys;
  for (int n = 0; n < 400; ++n) {
    std::string key;
    for (std::size_t length = static_cast<std::size_t>(n % 20); key.size() < length;) key += bytes[random() % sizeof bytes];
    EXPECT_EQ(FoldedHash{}(key), FoldedHash{}(util::upperAscii(key))) << key;
    keys.push_back(key);
    set.insert(key);
  }
  KeySet taken;
  taken.takeAll(set);
  for (const std::string& key : keys) {
    EXPECT_TRUE(taken.contains(util::upperAscii(key))) << key;
    std::string other = key + "!";
    EXPECT_FALSE(taken.contains(other)) << key;
  }
  EXPECT_TRUE(set.empty());
}

// Numbered keys: one number for keys equal as the key set compares them,
// kept while the index grows past its first table; 0 for the empty key.
TEST(KeyIndex, EqualKeysShareANumberThroughGrowth) {
  KeyIndex index;
  EXPECT_EQ(index.intern(""), 0u);
  std::vector<KeyIndex::Id> ids;
  for (int n = 0; n < 5000; ++n) ids.push_back(index.intern("<id" + std::to_string(n) + "@host>"));
  EXPECT_EQ(index.size(), 5001u);
  for (int n = 0; n < 5000; ++n) ASSERT_EQ(index.intern("<ID" + std::to_string(n) + "@HOST>"), ids[n]) << n;
  // A trail byte in a to z is never folded.
  EXPECT_NE(index.intern("[ml:\x83\x61]"), index.intern("[ml:\x83\x41]"));
  EXPECT_EQ(index.intern("[ML:\x83\x61]"), index.intern("[ml:\x83\x61]"));
}

}  // namespace
}  // namespace gleanix::pickup
