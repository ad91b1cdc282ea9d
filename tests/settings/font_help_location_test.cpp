#include <gtest/gtest.h>

#include "fakes/fake_system.h"
#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "settings/font_settings.h"
#include "settings/help.h"
#include "settings/registry_access.h"
#include "settings/settings_location.h"

namespace gleanix::settings {
namespace {

using sys::RegistryRoot;
using testing::FixedSystemInfo;
using testing::MemoryFileSystem;
using testing::MemoryRegistry;
using testing::RecordingShell;

TEST(FontSettings, SavedFontComesBack) {
  SettingsCache settings;
  const FontRecord font{"ＭＳ ゴシック", 11, 0x00FF00, true, false, true, false};
  saveFont(settings, "Pickup", font);
  EXPECT_EQ(settings.readString("Pickup\\Font", "Name", ""), "ＭＳ ゴシック");
  FontRecord restored{"Arial", 9, 0, false, true, false, true};
  restoreFont(settings, "Pickup", restored);
  EXPECT_EQ(restored, font);
}

TEST(FontSettings, AbsentOrUnreadableValuesKeepThePresentFont) {
  SettingsCache settings;
  settings.loadText(
      "Pickup\\Font\\Size=Integer:big\r\n"
      "Pickup\\Font\\Bold=Boolean:False\r\n"
      "Pickup\\Font\\Italic=Integer:x\r\n"
      "Pickup\\Font\\Underline=Boolean:True\r\n");
  FontRecord font{"Arial", 9, 123, true, true, false, true};
  restoreFont(settings, "Pickup", font);
  EXPECT_EQ(font, (FontRecord{"Arial", 9, 123, false, true, true, true}));
}

class HelpTest : public ::testing::Test {
 protected:
  void showHelp() {
    settings::showHelp(77, fs, registry, shell,
                       [this](sys::WindowHandle owner, const std::string& text, const std::string& caption,
                              MessageIcon icon) {
                         EXPECT_EQ(owner, 77u);
                         EXPECT_EQ(icon, MessageIcon::Warning);
                         messages.push_back(caption + "|" + text);
                       });
  }
  MemoryFileSystem fs;
  MemoryRegistry registry;
  RecordingShell shell;
  std::vector<std::string> messages;
};

TEST_F(HelpTest, NoInstallPathIsReported) {
  showHelp();
  EXPECT_EQ(messages, std::vector<std::string>{
                          "エラー|HKEY_LOCAL_MACHINE\\SOFTWARE\\Brantor\\Quillon\\InstallPath がありません"});
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(HelpTest, OpensTheHelpFileBesideTheHostWithItsLongName) {
  fs.addFile("C:\\Program Files\\Quillon\\Plugins\\Gleanix.hlp", "help");
  registry.putString(RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath",
                     "c:\\program files\\QUILLON\\Quillon.exe");
  showHelp();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].verb, "OPEN");
  EXPECT_EQ(shell.calls[0].file, "c:\\Program Files\\Quillon\\Plugins\\Gleanix.hlp");
  EXPECT_EQ(shell.calls[0].owner, 77u);
  EXPECT_EQ(shell.calls[0].parameters, "");
  EXPECT_TRUE(messages.empty());
}

TEST_F(HelpTest, MissingHelpFileIsReportedWithItsPath) {
  registry.putString(RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath",
                     "D:\\Gone\\Quillon.exe");
  showHelp();
  EXPECT_EQ(messages, std::vector<std::string>{"エラー|D:\\Gone\\Plugins\\Gleanix.hlp がありません"});
  EXPECT_TRUE(shell.calls.empty());
}

class LocationTest : public ::testing::Test {
 protected:
  SettingsEnvironment env() {
    return {fs, registry, system, [this] {
              ++mailRootAsked;
              return std::string("D:\\Mail");
            }};
  }
  MemoryFileSystem fs;
  MemoryRegistry registry;
  FixedSystemInfo system;
  int mailRootAsked = 0;
};

TEST_F(LocationTest, DefaultIsBesideTheHostExecutable) {
  fs.addDirectory("C:\\Program Files\\Quillon");
  system.exePath = std::string("C:\\PROGRAM FILES\\QUILLON\\QUILLON.EXE\0garbage", 44);
  EXPECT_EQ(settingsFilePath(env(), kPluginRegistryKey), "C:\\Program Files\\Quillon\\Plugins\\Gleanix.ini");
  EXPECT_EQ(mailRootAsked, 0);
}

TEST_F(LocationTest, CommonFalseMovesItBelowTheMailRoot) {
  registry.putDWord(RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\Options", "Common", 0);
  EXPECT_EQ(settingsFilePath(env(), kPluginRegistryKey), "D:\\Mail\\Plugins\\Gleanix.ini");
  // The host family has its own flag.
  EXPECT_EQ(settingsFilePath(env(), hostRegistryKey(system)),
            "C:\\Program Files\\Quillon\\Plugins\\Gleanix.ini");
  registry.putString(RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Quillon.exe\\Options", "Common", "FALSE");
  EXPECT_EQ(settingsFilePath(env(), hostRegistryKey(system)), "D:\\Mail\\Plugins\\Gleanix.ini");
}

TEST_F(LocationTest, StartUpLoadsSnapshotAndCacheFromTheirFiles) {
  registry.putDWord(RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\Options", "Common", 0);
  fs.addFile("D:\\Mail\\Plugins\\Gleanix.ini", "Sort\\Index=Integer:4\r\n");
  fs.addFile("C:\\Program Files\\Quillon\\Plugins\\Gleanix.ini", "Menu\\Caption=String:Host(&H)\r\n");
  SettingsSnapshot snapshot;
  SettingsCache settings;
  loadSnapshot(snapshot, env());
  loadSettings(settings, env());
  EXPECT_EQ(snapshot.readString("Menu", "Caption", "Sorvek(&K)"), "Host(&H)");
  EXPECT_EQ(settings.readInt("Sort", "Index", 0), 4);
  EXPECT_EQ(settings.path(), "D:\\Mail\\Plugins\\Gleanix.ini");
}

}  // namespace
}  // namespace gleanix::settings
