// Saving through the real POSIX file system (native builds only).
#ifdef GLEANIX_POSIX_FILE_SYSTEM

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backend/sim/posix_file_system.h"
#include "settings/settings_cache.h"

namespace gleanix::settings {
namespace {

TEST(PosixSettingsFile, SaveCreatesTheChainAndReplacesTheFileWhole) {
  char pattern[] = "/tmp/gleanix-settings-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::filesystem::path root(pattern);
  backend::PosixFileSystem fs;
  // Host-style path with "\" separators, spelt in another case than on disk.
  std::string hostRoot = root.string();
  for (char& c : hostRoot) c = c == '/' ? '\\' : c;
  const std::string ini = hostRoot + "\\Quillon\\Plugins\\Gleanix.ini";

  SettingsCache settings;
  settings.loadSettings(fs, ini);
  settings.writeSetting("KeyFind", "History", "表\r\n100%");
  ASSERT_TRUE(settings.saveSettings(fs));
  settings.writeSetting("Sort", "Index", 3);
  ASSERT_TRUE(settings.saveSettings(fs));

  const std::filesystem::path file = root / "Quillon" / "Plugins" / "Gleanix.ini";
  std::ifstream in(file, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "KeyFind\\History=String:表%0D%0A100%%\r\nSort\\Index=Integer:3\r\n");
  // Nothing but the file itself is left in the directory.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(file.parent_path())) ++entries;
  EXPECT_EQ(entries, 1);

  SettingsCache reread;
  reread.loadSettings(fs, hostRoot + "\\QUILLON\\plugins\\gleanix.INI");
  EXPECT_EQ(reread.readString("KeyFind", "History", ""), "表\r\n100%");
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace gleanix::settings

#endif
