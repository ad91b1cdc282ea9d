// The set of file names behind the existence index: which names count as
// one, with and without double-byte characters, in sets of any size.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "util/name_set.h"

namespace gleanix::util {
namespace {

TEST(NameSet, AsciiLettersMatchInEitherCaseOtherBytesExactly) {
  NameSet names;
  names.insert("A1B2c3d4");
  names.insert("x.y");
  EXPECT_TRUE(names.contains("A1B2c3d4"));
  EXPECT_TRUE(names.contains("a1b2C3D4"));
  EXPECT_TRUE(names.contains("X.Y"));
  EXPECT_FALSE(names.contains("A1B2c3d"));
  EXPECT_FALSE(names.contains("A1B2c3d45"));
  EXPECT_FALSE(names.contains("x_y"));
  EXPECT_FALSE(names.contains(""));
  // A name in another case is the same name: kept once.
  names.insert("a1b2c3d4");
  EXPECT_EQ(names.size(), 2u);
  names.insert("");
  EXPECT_TRUE(names.contains(""));
  EXPECT_EQ(names.size(), 3u);
}

TEST(NameSet, TheSecondByteOfADoubleByteCharacterKeepsItsCase) {
  // 0x82 0x61 and 0x82 0x41 are two characters; "a" after them is a letter.
  NameSet names;
  names.insert("\x82\x61x");
  EXPECT_TRUE(names.contains("\x82\x61x"));
  EXPECT_TRUE(names.contains("\x82\x61X"));
  EXPECT_FALSE(names.contains("\x82\x41x"));
  names.insert("\x82\x41x");
  EXPECT_EQ(names.size(), 2u);
  EXPECT_TRUE(names.contains("\x82\x41X"));
}

TEST(NameSet, ManyNamesAllFoundNoneInvented) {
  NameSet names;
  char name[16];
  for (unsigned i = 0; i < 20000; ++i) {
    std::snprintf(name, sizeof name, "%08X", i * 2654435761u);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 20000u);
  for (unsigned i = 0; i < 20000; ++i) {
    std::snprintf(name, sizeof name, "%08x", i * 2654435761u);
    ASSERT_TRUE(names.contains(name)) << name;
    name[0] = 'G';  // no hexadecimal digit: never inserted
    EXPECT_FALSE(names.contains(name)) << name;
  }
}

}  // namespace
}  // namespace gleanix::util
