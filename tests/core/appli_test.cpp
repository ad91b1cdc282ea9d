#include "core/appli.h"

#include <gtest/gtest.h>

#include "fakes/memory_file_system.h"

namespace gleanix::core {
namespace {

class System : public sys::SystemInfo {
 public:
  std::string exe, line, language = "English";
  std::string executablePath() const override { return exe; }
  std::string commandLine() const override { return line; }
  std::string systemLanguageName() const override { return language; }
  std::int32_t timeZoneBias() const override { return 0; }
};

TEST(TAppli, TakesTheExecutablesDirectoryAsStoredOnDisk) {
  testing::MemoryFileSystem fs;
  fs.addDirectory("C:\\Program Files\\Quillon");
  System system;
  system.exe = "C:\\program files\\QUILLON\\Quillon.exe";
  const TAppli appli(system, fs);
  EXPECT_EQ(appli.companyName(), "Sample Soft");
  EXPECT_EQ(appli.productName(), "Sample");
  EXPECT_EQ(appli.directory(), "C:\\Program Files\\Quillon\\");
  EXPECT_EQ(appli.baseName(), "Quillon");
  EXPECT_EQ(appli.helpFile(), "C:\\Program Files\\Quillon\\Quillon.hlp");
  EXPECT_EQ(appli.textFile(), "C:\\Program Files\\Quillon\\Quillon.txt");

  // A directory the file system cannot find keeps its spelling.
  system.exe = "C:\\PROGRA~1\\gone\\QUILLON.EXE";
  EXPECT_EQ(TAppli(system, fs).directory(), "C:\\PROGRA~1\\gone\\");
}

TEST(TAppli, KeepsANameWithoutExtensionWhole) {
  testing::MemoryFileSystem fs;
  System system;
  system.exe = "C:\\bin\\quillon-sim";
  EXPECT_EQ(TAppli(system, fs).baseName(), "quillon-sim");
  system.exe = "C:\\bin\\Quillon.exe";
  EXPECT_EQ(TAppli(system, fs).baseName(), "Quillon");
}

TEST(TAppli, LanguageComesFromTheCommandLineBeforeTheSystem) {
  EXPECT_TRUE(japaneseLanguage("quillon.exe /japanese", "English"));
  EXPECT_TRUE(japaneseLanguage("quillon.exe /English /JAPANESE", "English"));
  EXPECT_FALSE(japaneseLanguage("quillon.exe /english", "日本語"));
  EXPECT_TRUE(japaneseLanguage("quillon.exe", "日本語 (日本)"));
  EXPECT_TRUE(japaneseLanguage("quillon.exe", "日本"));
  EXPECT_FALSE(japaneseLanguage("quillon.exe", "日"));
  EXPECT_FALSE(japaneseLanguage("quillon.exe", "English (United States)"));
  EXPECT_FALSE(japaneseLanguage("quillon.exe /JAPAN", "English"));

  testing::MemoryFileSystem fs;
  System system;
  system.exe = "C:\\Quillon.exe";
  system.language = "日本語";
  EXPECT_TRUE(TAppli(system, fs).japanese());
  system.line = "Quillon.exe /ENGLISH";
  EXPECT_FALSE(TAppli(system, fs).japanese());
}

}  // namespace
}  // namespace gleanix::core
