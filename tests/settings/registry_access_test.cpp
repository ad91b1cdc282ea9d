#include "settings/registry_access.h"

#include <gtest/gtest.h>

#include <bit>

#include "fakes/fake_system.h"
#include "fakes/memory_registry.h"

namespace gleanix::settings {
namespace {

using sys::RegistryKind;
using sys::RegistryRoot;
using testing::MemoryRegistry;

const std::string kPlugin(kPluginRegistryKey);

std::string bytes8(std::uint64_t v) {
  std::string out;
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return out;
}

class RegistryAccessTest : public ::testing::Test {
 protected:
  Variant read(const std::string& name, const Variant& def) {
    return readRegistryValue(registry, kPluginRegistryKey, "Values", name, def);
  }
  void put(const std::string& name, RegistryKind kind, std::string data) {
    registry.put(RegistryRoot::CurrentUser, kPlugin + "\\Values", name, kind, std::move(data));
  }
  MemoryRegistry registry;
};

TEST(RegistryPath, RelativeAndAbsolutePaths) {
  EXPECT_EQ(resolveRegistryPath("", kPluginRegistryKey),
            (RegistryLocation{RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix"}));
  EXPECT_EQ(resolveRegistryPath("SearchForm\\View", kPluginRegistryKey),
            (RegistryLocation{RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\SearchForm\\View"}));
  EXPECT_EQ(resolveRegistryPath("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Brantor\\Quillon", kPluginRegistryKey),
            (RegistryLocation{RegistryRoot::LocalMachine, "SOFTWARE\\Brantor\\Quillon"}));
  EXPECT_EQ(resolveRegistryPath("\\hkey_classes_root\\.txt", kPluginRegistryKey),
            (RegistryLocation{RegistryRoot::ClassesRoot, ".txt"}));
  EXPECT_EQ(resolveRegistryPath("\\HKEY_USERS", kPluginRegistryKey), (RegistryLocation{RegistryRoot::Users, ""}));
  EXPECT_FALSE(resolveRegistryPath("\\HKEY_NOWHERE\\x", kPluginRegistryKey).has_value());
  EXPECT_FALSE(resolveRegistryPath("\\", kPluginRegistryKey).has_value());
}

TEST(RegistryPath, HostFamilyUsesTheExecutableFileName) {
  testing::FixedSystemInfo system;
  system.exePath = "D:\\Apps\\表\\Quillon.exe";
  EXPECT_EQ(hostRegistryKey(system), "Software\\Orvane Lab\\Quillon.exe");
}

TEST_F(RegistryAccessTest, UnknownRootReadsEmptyAndWritesNothing) {
  EXPECT_TRUE(readRegistryValue(registry, kPluginRegistryKey, "\\HKEY_BOGUS\\x", "v", 5).isEmpty());
  EXPECT_FALSE(writeRegistryValue(registry, kPluginRegistryKey, "\\HKEY_BOGUS\\x", "v", 5));
  EXPECT_EQ(registry.size(), 0u);
}

TEST_F(RegistryAccessTest, MissingValueOrWrongTypeGivesTheDefault) {
  EXPECT_EQ(read("Absent", 5), Variant(5));
  put("Bin", RegistryKind::Binary, "\x01\x02\x03\x04");
  EXPECT_EQ(read("Bin", 5), Variant(5));
  EXPECT_EQ(read("Bin", "text"), Variant("text"));
  put("Short", RegistryKind::DWord, "\x01\x00");
  EXPECT_EQ(read("Short", true), Variant(true));
  EXPECT_EQ(read("Short", 9), Variant(9));
}

TEST_F(RegistryAccessTest, BooleanFromDWordOrText) {
  registry.putDWord(RegistryRoot::CurrentUser, kPlugin + "\\Values", "On", 2);
  registry.putDWord(RegistryRoot::CurrentUser, kPlugin + "\\Values", "Off", 0);
  EXPECT_EQ(read("On", false), Variant(true));
  EXPECT_EQ(read("Off", true), Variant(false));
  for (const char* falseText : {"FALSE", "false", "0", "False"}) {
    put("S", RegistryKind::String, falseText);
    EXPECT_EQ(read("S", true), Variant(false)) << falseText;
  }
  for (const char* trueText : {"no", "", "1", "00"}) {
    put("S", RegistryKind::String, trueText);
    EXPECT_EQ(read("S", false), Variant(true)) << trueText;
  }
}

TEST_F(RegistryAccessTest, NumbersFromTheirBinaryFormOrText) {
  registry.putDWord(RegistryRoot::CurrentUser, kPlugin + "\\Values", "Neg", 0xFFFFFFFEu);
  EXPECT_EQ(read("Neg", 0), Variant(-2));
  put("Text", RegistryKind::String, "42");
  EXPECT_EQ(read("Text", 0), Variant(42));
  EXPECT_EQ(read("Text", 0.5), Variant(42.0));
  put("Bad", RegistryKind::String, "4x2");
  EXPECT_EQ(read("Bad", 7), Variant(7));
  put("Dbl", RegistryKind::Binary, bytes8(std::bit_cast<std::uint64_t>(2.75)));
  EXPECT_EQ(read("Dbl", 0.0), Variant(2.75));
  EXPECT_EQ(read("Dbl", 0), Variant(0));  // 8 bytes are no DWORD
  EXPECT_EQ(read("Dbl", Currency{}), Variant(Currency{static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(2.75))}));
  put("Money", RegistryKind::String, "1.5");
  EXPECT_EQ(read("Money", Currency{}), Variant(Currency{15000}));
  put("Byte", RegistryKind::Binary, "\xfe");
  EXPECT_EQ(read("Byte", Variant::fromByte(0)), Variant::fromByte(0xFE));
  EXPECT_EQ(read("Dbl", Variant::fromByte(3)), Variant::fromByte(3));
}

TEST_F(RegistryAccessTest, DatesFromSerialOrText) {
  put("Serial", RegistryKind::Binary, bytes8(std::bit_cast<std::uint64_t>(36526.5)));
  EXPECT_EQ(read("Serial", DateTime{}), Variant(DateTime{2000, 1, 1, 12, 0, 0}));
  put("Text", RegistryKind::String, "2024/01/02 03:04:05");
  EXPECT_EQ(read("Text", DateTime{}), Variant(DateTime{2024, 1, 2, 3, 4, 5}));
  put("Nan", RegistryKind::Binary, bytes8(0x7FF8000000000000ull));
  EXPECT_EQ(read("Nan", DateTime{1999, 1, 1, 0, 0, 0}), Variant(DateTime{1999, 1, 1, 0, 0, 0}));
}

TEST_F(RegistryAccessTest, StringsOnlyFromRegSz) {
  put("S", RegistryKind::String, std::string("abc\0junk", 8));
  EXPECT_EQ(read("S", ""), Variant("abc"));
  registry.putDWord(RegistryRoot::CurrentUser, kPlugin + "\\Values", "D", 1);
  EXPECT_EQ(read("D", "def"), Variant("def"));
}

TEST_F(RegistryAccessTest, WritesEachKindInItsRegistryForm) {
  const std::string key = kPlugin + "\\W";
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "I", -2));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "B", true));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "F", 0.125));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "D", DateTime{2000, 1, 1, 12, 0, 0}));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "C", Currency{-15000}));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "Y", Variant::fromByte(9)));
  ASSERT_TRUE(writeRegistryValue(registry, kPluginRegistryKey, "W", "S", "表"));
  EXPECT_FALSE(writeRegistryValue(registry, kPluginRegistryKey, "W", "E", Variant()));
  auto stored = [&](const char* name) { return *registry.read(RegistryRoot::CurrentUser, key, name); };
  EXPECT_EQ(stored("I").kind, RegistryKind::DWord);
  EXPECT_EQ(stored("I").data, "\xfe\xff\xff\xff");
  EXPECT_EQ(stored("B").data, std::string("\x01\x00\x00\x00", 4));
  EXPECT_EQ(stored("F").kind, RegistryKind::Binary);
  EXPECT_EQ(stored("F").data, bytes8(std::bit_cast<std::uint64_t>(0.125)));
  EXPECT_EQ(stored("D").data, bytes8(std::bit_cast<std::uint64_t>(36526.5)));
  EXPECT_EQ(stored("C").data, bytes8(static_cast<std::uint64_t>(std::int64_t{-15000})));
  EXPECT_EQ(stored("Y").data, "\x09");
  EXPECT_EQ(stored("S").kind, RegistryKind::String);
  // And every one reads back as written.
  auto back = [&](const char* name, const Variant& def) {
    return readRegistryValue(registry, kPluginRegistryKey, "W", name, def);
  };
  EXPECT_EQ(back("I", 0), Variant(-2));
  EXPECT_EQ(back("B", false), Variant(true));
  EXPECT_EQ(back("F", 0.0), Variant(0.125));
  EXPECT_EQ(back("D", DateTime{}), Variant(DateTime{2000, 1, 1, 12, 0, 0}));
  EXPECT_EQ(back("C", Currency{}), Variant(Currency{-15000}));
  EXPECT_EQ(back("Y", Variant::fromByte(0)), Variant::fromByte(9));
  EXPECT_EQ(back("S", ""), Variant("表"));
}

}  // namespace
}  // namespace gleanix::settings
