// The registry file of the Linux build: its format, damage, sharing.
#ifndef _WIN32
#include "backend/sim/file_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "backend/platform.h"
#include "backend/env_guard.h"
#include "backend/temp_dir.h"

namespace gleanix::backend {
namespace {

using sys::RegistryKind;
using sys::RegistryRoot;
using testing::TempDir;

const std::string kGleanix = "Software\\Orvane Lab\\Gleanix";

std::optional<std::string> readData(const sys::Registry& r, const std::string& key, const std::string& name) {
  auto v = r.read(RegistryRoot::CurrentUser, key, name);
  return v ? std::optional<std::string>(v->data) : std::nullopt;
}

TEST(FileRegistry, AHandWrittenLineIsRead) {
  TempDir dir;
  dir.put({"registry.txt"},
          "; set by hand\n"
          "HKEY_CURRENT_USER\\Software\\Orvane Lab\\Gleanix\\Options\tCommon\tREG_DWORD\t0\r\n"
          "hkey_local_machine\\SOFTWARE\\Brantor\\Quillon\tInstallPath\treg_sz\tC:\\Quillon\\Quillon.exe\n"
          "HKEY_CURRENT_USER\\X\tBlob\tREG_BINARY\t00ff7F");
  FileRegistry registry(dir.native({"registry.txt"}));
  EXPECT_EQ(readData(registry, kGleanix + "\\Options", "Common"), std::string(4, '\0'));
  auto install = registry.read(RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon", "InstallPath");
  ASSERT_TRUE(install.has_value());
  EXPECT_EQ(install->kind, RegistryKind::String);
  EXPECT_EQ(install->data, "C:\\Quillon\\Quillon.exe");
  EXPECT_EQ(readData(registry, "X", "Blob"), std::string("\x00\xFF\x7F", 3));
}

TEST(FileRegistry, DamagedLinesAreSkippedAndKept) {
  TempDir dir;
  const std::string garbage[] = {
      "no tabs at all",
      "HKEY_CURRENT_USER\\K\tName\tREG_SZ",                  // three fields
      "HKEY_CURRENT_USER\\K\tName\tREG_SZ\tx\textra",        // five
      "HKEY_NOWHERE\\K\tBad\tREG_SZ\tx",                     // unknown root
      "HKEY_CURRENT_USER\\K\tBad\tREG_QWORD\t1",             // unknown type
      "HKEY_CURRENT_USER\\K\tBad\tREG_DWORD\t4294967296",    // too large
      "HKEY_CURRENT_USER\\K\tBad\tREG_DWORD\t-1",
      "HKEY_CURRENT_USER\\K\tBad\tREG_DWORD\t",
      "HKEY_CURRENT_USER\\K\tBad\tREG_BINARY\tABC",          // odd digit count
      "HKEY_CURRENT_USER\\K\tBad\tREG_BINARY\tZZ",
      "HKEY_CURRENT_USER\\K\tBad\tREG_SZ\tcut escape %4",
      "HKEY_CURRENT_USER\\K\tBad\tREG_SZ\tbad escape %G0",
      "HKEY_CURRENT_USER\\K\tB%ad\tREG_SZ\tx",
      std::string("\x95"),                                   // a lone lead byte
      std::string(200000, '%'),
      std::string("\0\0\xFF\t\t\t", 6),
  };
  std::string file;
  for (const auto& g : garbage) file += g + "\n";
  file += "HKEY_CURRENT_USER\\K\tGood\tREG_SZ\t100%25 fine\n";
  file += "HKEY_CURRENT_USER\\K\tLast\tREG_DWORD\t42";  // no line end
  dir.put({"registry.txt"}, file);

  FileRegistry registry(dir.native({"registry.txt"}));
  EXPECT_FALSE(registry.read(RegistryRoot::CurrentUser, "K", "Bad").has_value());
  EXPECT_FALSE(registry.read(RegistryRoot::CurrentUser, "K", "B%ad").has_value());
  EXPECT_FALSE(registry.read(RegistryRoot::CurrentUser, "K", "Name").has_value());
  EXPECT_EQ(readData(registry, "K", "Good"), "100% fine");
  EXPECT_EQ(readData(registry, "K", "Last"), std::string("\x2A\0\0\0", 4));

  // A write keeps every line it could not read, in place.
  ASSERT_TRUE(registry.write(RegistryRoot::CurrentUser, "K", "Good", {RegistryKind::String, "new"}));
  const auto lines = FileRegistry(dir.native({"registry.txt"})).read(RegistryRoot::CurrentUser, "K", "Good");
  EXPECT_EQ(lines->data, "new");
  const std::string after = *dir.get({"registry.txt"});
  std::size_t at = 0;
  for (const auto& g : garbage) {
    const std::size_t found = after.find(g + "\n", at);
    ASSERT_NE(found, std::string::npos) << "lost: " << g.substr(0, 40);
    at = found + g.size();
  }
  EXPECT_EQ(readData(registry, "K", "Last"), std::string("\x2A\0\0\0", 4));
}

TEST(FileRegistry, FirstWriteCreatesTheDirectoriesAndOthersShareTheFile) {
  TempDir dir;
  const std::string path = dir.native({"a", "b", "registry.txt"});
  FileRegistry first(path), second(path);
  EXPECT_FALSE(first.read(RegistryRoot::CurrentUser, kGleanix, "Version").has_value());
  ASSERT_TRUE(first.write(RegistryRoot::CurrentUser, kGleanix, "Version", {RegistryKind::String, "1.0"}));
  EXPECT_EQ(readData(second, kGleanix, "Version"), "1.0");
  ASSERT_TRUE(second.write(RegistryRoot::CurrentUser, kGleanix, "Version", {RegistryKind::String, "2.0"}));
  EXPECT_EQ(readData(first, kGleanix, "Version"), "2.0");
}

TEST(FileRegistry, AnUnreadableFileIsNeverOverwritten) {
  TempDir dir;
  dir.makeDir({"registry.txt"});  // there, but no file to read
  dir.put({"registry.txt", "inside"}, "keep");
  FileRegistry registry(dir.native({"registry.txt"}));
  EXPECT_FALSE(registry.write(RegistryRoot::CurrentUser, "K", "V", {RegistryKind::String, "x"}));
  EXPECT_EQ(dir.get({"registry.txt", "inside"}), "keep");
}

TEST(FileRegistry, ConcurrentWritersLoseNoValue) {
  TempDir dir;
  FileRegistry registry(dir.native({"registry.txt"}));
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        registry.write(RegistryRoot::CurrentUser, "K", std::to_string(t) + "-" + std::to_string(i),
                       {RegistryKind::String, "v"});
      }
    });
  }
  for (auto& w : writers) w.join();
  for (int t = 0; t < 4; ++t) {
    for (int i = 0; i < 25; ++i) {
      EXPECT_EQ(readData(registry, "K", std::to_string(t) + "-" + std::to_string(i)), "v");
    }
  }
}

TEST(FileRegistry, PlatformRegistryLivesWhereTheEnvironmentSays) {
  TempDir dir;
  testing::EnvGuard env;
  env.set("GLEANIX_REGISTRY", dir.native({"chosen.txt"}));
  auto registry = makeRegistry();
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, kGleanix, "Probe", {RegistryKind::Binary, "\x01"}));
  EXPECT_TRUE(dir.present({"chosen.txt"}));

  env.unset("GLEANIX_REGISTRY");
  env.set("HOME", dir.native({"home"}));
  auto atHome = makeRegistry();
  ASSERT_TRUE(atHome->write(RegistryRoot::CurrentUser, kGleanix, "Probe", {RegistryKind::Binary, "\x01"}));
  EXPECT_TRUE(dir.present({"home", ".config", "gleanix", "registry.txt"}));
}

}  // namespace
}  // namespace gleanix::backend
#endif
