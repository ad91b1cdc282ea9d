// Saving through the real POSIX file system (native builds only).
#ifdef GLEANIX_POSIX_FILE_SYSTEM

#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "backend/sim/posix_file_system.h"
#include "settings/settings_cache.h"

namespace gleanix::settings {
namespace {

std::vector<std::string> entriesOf(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(d);
  }
  return names;
}

TEST(PosixSettingsFile, SaveCreatesTheChainAndReplacesTheFileWhole) {
  char pattern[] = "/tmp/gleanix-settings-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string root(pattern);
  backend::PosixFileSystem fs;
  // A host-style path with "\" separators; read back below in another letter case.
  std::string hostRoot = root;
  for (char& c : hostRoot) c = c == '/' ? '\\' : c;
  const std::string ini = hostRoot + "\\Quillon\\Plugins\\Gleanix.ini";

  SettingsCache settings;
  settings.loadSettings(fs, ini);
  settings.writeSetting("KeyFind", "History", "表\r\n100%");
  ASSERT_TRUE(settings.saveSettings(fs));
  settings.writeSetting("Sort", "Index", 3);
  ASSERT_TRUE(settings.saveSettings(fs));

  const std::string dir = root + "/Quillon/Plugins";
  std::ifstream in(dir + "/Gleanix.ini", std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "KeyFind\\History=String:表%0D%0A100%%\r\nSort\\Index=Integer:3\r\n");
  // Nothing but the file itself is left in the directory.
  EXPECT_EQ(entriesOf(dir), std::vector<std::string>{"Gleanix.ini"});

  SettingsCache reread;
  reread.loadSettings(fs, hostRoot + "\\QUILLON\\plugins\\gleanix.INI");
  EXPECT_EQ(reread.readString("KeyFind", "History", ""), "表\r\n100%");
  ::unlink((dir + "/Gleanix.ini").c_str());
  ::rmdir(dir.c_str());
  ::rmdir((root + "/Quillon").c_str());
  ::rmdir(root.c_str());
}

}  // namespace
}  // namespace gleanix::settings

#endif
