#include "settings/settings_cache.h"

#include <gtest/gtest.h>

#include "fakes/memory_file_system.h"
#include "settings/tree_settings.h"

namespace gleanix::settings {
namespace {

using testing::MemoryFileSystem;

const std::string kIni = "C:\\Quillon\\Plugins\\Gleanix.ini";

SettingsCache fromText(std::string_view text) {
  SettingsCache cache;
  cache.loadText(text);
  return cache;
}

TEST(SettingsLine, SplitsAtFirstEqualsThenFirstColon) {
  const SettingsLine line = parseSettingsLine("Search\\Keyword=String:a=b:c");
  EXPECT_EQ(line.name, "Search\\Keyword");
  EXPECT_EQ(line.type, "String");
  EXPECT_EQ(line.value, "a=b:c");
  EXPECT_EQ(line.shape, LineShape::Entry);
  EXPECT_EQ(parseSettingsLine("no separator").shape, LineShape::NoName);
  const SettingsLine noType = parseSettingsLine("A\\B=5");
  EXPECT_EQ(noType.shape, LineShape::NoType);
  EXPECT_EQ(noType.value, "5");
}

TEST(SettingsLine, SearchesSkipTheSecondByteOfACharacter) {
  // 0x81 followed by "=" or ":" is one (broken) character, never a separator.
  const SettingsLine line = parseSettingsLine("S\\K\x81=X=Str\x81:ing:v");
  EXPECT_EQ(line.name, "S\\K\x81=X");
  EXPECT_EQ(line.type, "Str\x81:ing");
  EXPECT_EQ(line.value, "v");
  const SettingsCache cache = fromText("S\\K\x81=X=Str\x81:ing:v\r\n");
  EXPECT_EQ(cache.readString("S", "K\x81=X", "default"), "v");  // unknown type word reads as String
}

TEST(SettingsCache, ReadsEachTypeWord) {
  const SettingsCache cache = fromText(
      "Sort\\Index=Integer:3\r\n"
      "Sort\\Reverse=Boolean:True\r\n"
      "X\\Ratio=Float:0.25\r\n"
      "X\\When=Date:2024/05/06 07:08:09\r\n"
      "Menu\\Caption=String:表示(&V)\r\n"
      "X\\Odd=Whatever:plain%25\r\n");
  EXPECT_EQ(cache.readInt("sort", "INDEX", 0), 3);
  EXPECT_TRUE(cache.readBool("Sort", "Reverse", false));
  EXPECT_EQ(cache.readFloat("X", "Ratio", 0), 0.25);
  EXPECT_EQ(cache.readDate("X", "When", {}), (DateTime{2024, 5, 6, 7, 8, 9}));
  EXPECT_EQ(cache.readString("Menu", "Caption", ""), "表示(&V)");
  EXPECT_EQ(cache.readString("X", "Odd", ""), "plain%");
  EXPECT_EQ(cache.readSetting("Sort", "Index", Variant()), Variant(3));
  EXPECT_EQ(cache.readInt("Sort", "Missing", 17), 17);
}

TEST(SettingsCache, BooleanIsTrueOnlyForExactTrue) {
  const SettingsCache cache = fromText("A\\Lower=Boolean:true\r\nA\\Upper=Boolean:TRUE\r\nA\\Real=Boolean:True\r\n");
  EXPECT_FALSE(cache.readBool("A", "Lower", true));
  EXPECT_FALSE(cache.readBool("A", "Upper", true));
  EXPECT_TRUE(cache.readBool("A", "Real", false));
}

TEST(SettingsCache, MultiLineStringsAreEscapedOnOneLine) {
  SettingsCache cache;
  cache.writeSetting("KeyFind", "HeaderList", "Subject\r\nFrom");
  cache.writeSetting("Search", "Keyword", "100%");
  EXPECT_EQ(cache.text(), "KeyFind\\HeaderList=String:Subject%0D%0AFrom\r\nSearch\\Keyword=String:100%%\r\n");
  const SettingsCache reread = fromText(cache.text());
  EXPECT_EQ(reread.readString("KeyFind", "HeaderList", ""), "Subject\r\nFrom");
  EXPECT_EQ(reread.readString("Search", "Keyword", ""), "100%");
}

TEST(SettingsCache, WritesEveryKindWithItsTypeWord) {
  SettingsCache cache;
  cache.writeSetting("A", "B", true);
  cache.writeSetting("A", "I", -5);
  cache.writeSetting("A", "F", 1.5);
  cache.writeSetting("A", "D", DateTime{2001, 2, 3, 4, 5, 6});
  cache.writeSetting("A", "C", Currency{10000});
  cache.writeSetting("A", "Y", Variant::fromByte(1));
  cache.writeSetting("A", "E", "");
  EXPECT_EQ(cache.text(),
            "A\\B=Boolean:True\r\nA\\I=Integer:-5\r\nA\\F=Float:1.5\r\nA\\D=Date:2001/02/03 04:05:06\r\n"
            "A\\C=:\r\nA\\Y=:\r\nA\\E=String:\r\n");
  // A value without a type reads as an empty text, and so as no number.
  EXPECT_EQ(cache.readString("A", "C", "x"), "");
  EXPECT_EQ(cache.readInt("A", "C", 9), 9);
}

TEST(SettingsCache, NameInOtherCaseKeepsTheLineAndTakesTheNewSpelling) {
  SettingsCache cache = fromText("Sort\\Index=Integer:1\r\nOther\\X=Integer:2\r\n");
  cache.writeSetting("sort", "index", 5);
  EXPECT_EQ(cache.text(), "sort\\index=Integer:5\r\nOther\\X=Integer:2\r\n");
  cache.writeSetting("New", "Key", "v");
  EXPECT_EQ(cache.size(), 3u);
  EXPECT_EQ(cache.text().substr(cache.text().size() - 18), "New\\Key=String:v\r\n");
}

TEST(SettingsCache, EmptyValueRemovesTheEntry) {
  SettingsCache cache = fromText("A\\X=Integer:1\r\nA\\Y=Integer:2\r\na\\x=Integer:3\r\n");
  cache.writeSetting("A", "X", Variant());
  EXPECT_EQ(cache.readInt("A", "X", 42), 42);  // the duplicate went too
  EXPECT_EQ(cache.text(), "A\\Y=Integer:2\r\n");
  cache.writeSetting("A", "Missing", Variant());
  EXPECT_EQ(cache.size(), 1u);
}

TEST(SettingsCache, UndecodableValuesReadAsDefaultAndSurviveUntilWritten) {
  const std::string text =
      "garbage without separator\r\n"
      "\r\n"
      "A\\NoType=12\r\n"
      "A\\BadInt=Integer:twelve\r\n"
      "A\\BadFloat=Float:1,5\r\n"
      "A\\BadDate=Date:yesterday\r\n"
      "A\\BadEscape=String:50%\r\n"
      "A\\LeadAtEnd=String:abc\x81\r\n"
      "=Integer:1\r\n";
  SettingsCache cache = fromText(text);
  EXPECT_EQ(cache.readInt("A", "NoType", -1), -1);
  EXPECT_EQ(cache.readInt("A", "BadInt", -1), -1);
  EXPECT_EQ(cache.readFloat("A", "BadFloat", -1), -1);
  EXPECT_EQ(cache.readDate("A", "BadDate", DateTime{2000, 1, 1, 0, 0, 0}), (DateTime{2000, 1, 1, 0, 0, 0}));
  EXPECT_EQ(cache.readString("A", "BadEscape", "def"), "def");
  EXPECT_EQ(cache.readSetting("A", "BadEscape", 7), Variant(7));
  EXPECT_EQ(cache.readString("A", "LeadAtEnd", ""), "abc\x81");
  EXPECT_EQ(cache.text(), text);  // saved back byte for byte
  cache.writeSetting("A", "BadInt", 12);
  cache.writeSetting("a", "notype", 13);
  EXPECT_NE(cache.text().find("\r\nA\\BadInt=Integer:12\r\n"), std::string::npos);
  EXPECT_NE(cache.text().find("\r\na\\notype=Integer:13\r\n"), std::string::npos);
  EXPECT_EQ(cache.size(), 9u);
}

TEST(SettingsCache, AnyLineEndAndNoLineEndAtAll) {
  const SettingsCache cache = fromText("A\\X=Integer:1\rA\\Y=Integer:2\nA\\Z=Integer:3");
  EXPECT_EQ(cache.readInt("A", "X", 0), 1);
  EXPECT_EQ(cache.readInt("A", "Y", 0), 2);
  EXPECT_EQ(cache.readInt("A", "Z", 0), 3);
  EXPECT_EQ(cache.text(), "A\\X=Integer:1\r\nA\\Y=Integer:2\r\nA\\Z=Integer:3\r\n");
}

TEST(SettingsCache, FiftyMegabyteLineIsHarmless) {
  std::string huge = "A\\Big=String:";
  huge.append(50u << 20, 'x');
  huge += "%ZZ";  // a bad escape at the very end
  SettingsCache cache = fromText(huge + "\r\nA\\Small=Integer:4\r\n");
  EXPECT_EQ(cache.readString("A", "Big", "def"), "def");
  EXPECT_EQ(cache.readInt("A", "Small", 0), 4);
  EXPECT_EQ(cache.text().size(), huge.size() + 2 + 19);
  const SettingsCache noSeparator = fromText(std::string(50u << 20, '\x81'));
  EXPECT_EQ(noSeparator.readInt("A", "Small", 8), 8);
}

TEST(SettingsCache, CheckModeFallsBackToTheOlderLastFlag) {
  EXPECT_EQ(readTreeCheckMode(fromText("Related\\Tree\\Last=Boolean:False\r\n"), "Related\\Tree"), 1);
  EXPECT_EQ(readTreeCheckMode(fromText(""), "Related\\Tree"), 0);
  EXPECT_EQ(readTreeCheckMode(fromText("Related\\Tree\\Last=Boolean:False\r\nRelated\\Tree\\Check=Integer:2\r\n"),
                              "Related\\Tree"),
            2);
}

TEST(SettingsFile, MissingFileGivesDefaultsAndFirstSaveCreatesTheDirectories) {
  MemoryFileSystem fs;
  SettingsCache cache;
  cache.loadSettings(fs, kIni);
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_TRUE(cache.readBool("Pickup", "StatusBar", true));
  cache.writeSetting("Sort", "Index", 2);
  ASSERT_TRUE(cache.saveSettings(fs));
  EXPECT_TRUE(fs.isDirectory("C:\\Quillon\\Plugins"));
  EXPECT_EQ(fs.content(kIni), "Sort\\Index=Integer:2\r\n");
  EXPECT_EQ(fs.atomicWrites, 1);
  SettingsCache reread;
  reread.loadSettings(fs, kIni);
  EXPECT_EQ(reread.readInt("Sort", "Index", 0), 2);
}

TEST(SettingsFile, FailedSaveLeavesTheOldFile) {
  MemoryFileSystem fs;
  fs.addFile(kIni, "Sort\\Index=Integer:1\r\n");
  SettingsCache cache;
  cache.loadSettings(fs, kIni);
  cache.writeSetting("Sort", "Index", 3);
  fs.failWrites = true;
  EXPECT_FALSE(cache.saveSettings(fs));
  EXPECT_EQ(fs.content(kIni), "Sort\\Index=Integer:1\r\n");
  MemoryFileSystem noDirs;
  noDirs.failCreateDirectory = true;
  SettingsCache other;
  other.loadSettings(noDirs, kIni);
  other.writeSetting("A", "B", 1);
  EXPECT_FALSE(other.saveSettings(noDirs));
}

TEST(SettingsFile, ExistingFileThatCannotBeReadIsNeverOverwritten) {
  MemoryFileSystem fs;
  fs.addDirectory(kIni);  // exists, but reads fail
  SettingsCache cache;
  cache.loadSettings(fs, kIni);
  cache.writeSetting("A", "B", 1);
  EXPECT_FALSE(cache.saveSettings(fs));
  EXPECT_EQ(fs.atomicWrites, 0);
  SettingsCache neverLoaded;
  neverLoaded.writeSetting("A", "B", 1);
  EXPECT_FALSE(neverLoaded.saveSettings(fs));
}

TEST(SettingsSnapshot, IsItsOwnCopy) {
  MemoryFileSystem fs;
  fs.addFile(kIni, "Menu\\Caption=String:Old(&K)\r\n");
  SettingsSnapshot snapshot;
  snapshot.loadSnapshot(fs, kIni);
  SettingsCache cache;
  cache.loadSettings(fs, kIni);
  cache.writeSetting("Menu", "Caption", "New(&N)");
  ASSERT_TRUE(cache.saveSettings(fs));
  EXPECT_EQ(snapshot.readString("Menu", "Caption", "Sorvek(&K)"), "Old(&K)");
  EXPECT_EQ(snapshot.readSnapshot("menu", "caption", Variant()), Variant("Old(&K)"));
  snapshot.freeSnapshot();
  EXPECT_EQ(snapshot.readString("Menu", "Caption", "Sorvek(&K)"), "Sorvek(&K)");
}

}  // namespace
}  // namespace gleanix::settings
