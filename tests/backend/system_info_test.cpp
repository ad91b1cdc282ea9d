#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "backend/platform.h"
#include "util/sjis.h"

#ifndef _WIN32
#include "backend/env_guard.h"
#include "backend/sim/posix_system_info.h"
#endif

namespace gleanix::backend {
namespace {

// The bias worked out by the C library: UTC read back as local time.
int libraryBias() {
  const std::time_t now = std::time(nullptr);
  std::tm utc = *std::gmtime(&now);
  utc.tm_isdst = -1;
  return static_cast<int>(std::difftime(std::mktime(&utc), now) / 60);
}

TEST(SystemInfo, DescribesThisProcess) {
  auto info = makeSystemInfo();
  auto fs = makeFileSystem();
  const std::string exe = info->executablePath();
  EXPECT_TRUE(fs->isFile(exe)) << exe;
  EXPECT_EQ(exe.find('/'), std::string::npos) << exe;
  EXPECT_TRUE(util::upperAscii(exe).find("TEST_BACKEND") != std::string::npos) << exe;
  EXPECT_NE(info->commandLine().find("test_backend"), std::string::npos) << info->commandLine();
  EXPECT_EQ(info->timeZoneBias(), libraryBias());
}

#ifdef _WIN32
TEST(SystemInfo, JapaneseWindowsNamesItsLanguageInJapanese) {
  // The tests run under Wine with the Japanese locale (cmake/wine-run.sh).
  EXPECT_TRUE(util::startsWithIgnoreCase(makeSystemInfo()->systemLanguageName(), "日本"))
      << makeSystemInfo()->systemLanguageName();
}
#else
TEST(SystemInfo, LanguageFollowsTheLocaleEnvironment) {
  PosixSystemInfo info;
  testing::EnvGuard env;
  env.set("LC_ALL", "ja_JP.UTF-8");
  env.set("LANG", "C");
  EXPECT_EQ(info.systemLanguageName(), "日本語");
  env.set("LC_ALL", "");  // set but empty: LANG decides
  EXPECT_EQ(info.systemLanguageName(), "English");
  env.set("LANG", "ja_JP.eucJP");
  EXPECT_EQ(info.systemLanguageName(), "日本語");
  env.unset("LC_ALL");
  env.unset("LANG");
  EXPECT_EQ(info.systemLanguageName(), "English");
}

TEST(SystemInfo, BiasIsMinutesFromLocalTimeToUtc) {
  PosixSystemInfo info;
  {
    testing::EnvGuard env;
    env.set("TZ", "JST-9");
    ::tzset();
    EXPECT_EQ(info.timeZoneBias(), -540);
    env.set("TZ", "<-0330>3:30");
    ::tzset();
    EXPECT_EQ(info.timeZoneBias(), 210);
    env.set("TZ", "UTC0");
    ::tzset();
    EXPECT_EQ(info.timeZoneBias(), 0);
  }
  ::tzset();
}

TEST(SystemInfo, EveryFactCanBeSetInstead) {
  PosixSystemInfo info;
  info.setExecutablePath("C:\\Quillon\\Quillon.exe");
  info.setCommandLine("C:\\Quillon\\Quillon.exe /ENGLISH");
  info.setSystemLanguageName("English (United States)");
  info.setTimeZoneBias(300);
  EXPECT_EQ(info.executablePath(), "C:\\Quillon\\Quillon.exe");
  EXPECT_EQ(info.commandLine(), "C:\\Quillon\\Quillon.exe /ENGLISH");
  EXPECT_EQ(info.systemLanguageName(), "English (United States)");
  EXPECT_EQ(info.timeZoneBias(), 300);
}
#endif

}  // namespace
}  // namespace gleanix::backend
