// Round trips through the platform's registry: the Win32 registry under
// Wine, the registry file natively.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "backend/temp_dir.h"

#ifdef _WIN32
#include <windows.h>

#include "backend/win32/win32_registry.h"
#else
#include "backend/sim/file_registry.h"
#endif

namespace gleanix::backend {
namespace {

using sys::RegistryKind;
using sys::RegistryRoot;
using sys::RegistryValue;

RegistryValue str(std::string s) { return {RegistryKind::String, std::move(s)}; }
RegistryValue dword(std::uint32_t v) {
  std::string le(4, '\0');
  for (int i = 0; i < 4; ++i) le[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return {RegistryKind::DWord, le};
}
RegistryValue binary(std::string s) { return {RegistryKind::Binary, std::move(s)}; }

void expectValue(const std::optional<RegistryValue>& got, const RegistryValue& want) {
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->kind, want.kind);
  EXPECT_EQ(got->data, want.data);
}

class RegistryTest : public ::testing::Test {
 protected:
#ifdef _WIN32
  // A key of this run's own below HKEY_CURRENT_USER, removed afterwards.
  std::string base = "Software\\Gleanix Test\\" + std::to_string(GetCurrentProcessId());
  std::unique_ptr<sys::Registry> registry = std::make_unique<Win32Registry>();
  ~RegistryTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Gleanix Test"); }
#else
  testing::TempDir dir;
  std::string base = "Software\\Gleanix Test";
  std::unique_ptr<sys::Registry> registry = std::make_unique<FileRegistry>(dir.native({"reg", "registry.txt"}));
#endif
  std::string key(const std::string& sub) const { return base + "\\" + sub; }
};

TEST_F(RegistryTest, EachKindReadsBackAsWritten) {
  const std::string text = "表示\r\n\t100% \"quoted\" =:;";
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  const struct {
    const char* name;
    RegistryValue value;
  } cases[] = {
      {"Text", str(text)},          {"Empty", str("")},
      {"Zero", dword(0)},           {"One", dword(1)},
      {"Max", dword(0xFFFFFFFFu)},  {"Mixed", dword(0x12345678u)},
      {"Bytes", binary(bytes)},     {"Byte", binary(std::string(1, '\0'))},
      {"Double", binary(std::string("\x00\x00\x00\x00\x00\x00\xF0\x3F", 8))},
      {"NoBytes", binary("")},      {"", str("the key's default value")},
      {"back\\slash", dword(7)},
  };
  for (const auto& c : cases) ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("Options"), c.name, c.value)) << c.name;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    expectValue(registry->read(RegistryRoot::CurrentUser, key("Options"), c.name), c.value);
  }
}

TEST_F(RegistryTest, KeysAndNamesMatchWithoutRegardToCase) {
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("SearchForm\\View"), "Left", dword(120)));
  expectValue(registry->read(RegistryRoot::CurrentUser, key("searchform\\VIEW"), "LEFT"), dword(120));
  // Writing through another spelling replaces the value, also its kind.
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("SEARCHFORM\\view"), "left", str("x")));
  expectValue(registry->read(RegistryRoot::CurrentUser, key("SearchForm\\View"), "Left"), str("x"));
  // A sub key whose name holds "表" (second byte 0x5C) is one component.
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("表"), "v", dword(1)));
  expectValue(registry->read(RegistryRoot::CurrentUser, key("表"), "V"), dword(1));
  EXPECT_FALSE(registry->read(RegistryRoot::CurrentUser, key("\x95"), "v").has_value());
}

TEST_F(RegistryTest, MissingKeysValuesAndRootsReadAsAbsent) {
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("A"), "Set", dword(1)));
  EXPECT_FALSE(registry->read(RegistryRoot::CurrentUser, key("A"), "Unset").has_value());
  EXPECT_FALSE(registry->read(RegistryRoot::CurrentUser, key("B"), "Set").has_value());
  EXPECT_FALSE(registry->read(RegistryRoot::Users, key("A"), "Set").has_value());
}

TEST_F(RegistryTest, BadDataIsRefusedOrCutAsWindowsWould) {
  EXPECT_FALSE(registry->write(RegistryRoot::CurrentUser, key("A"), "Short", {RegistryKind::DWord, "\x01\x02"}));
  EXPECT_FALSE(registry->read(RegistryRoot::CurrentUser, key("A"), "Short").has_value());
  // A string ends at its first NUL byte, as REG_SZ does.
  ASSERT_TRUE(registry->write(RegistryRoot::CurrentUser, key("A"), "Nul", str(std::string("ab\0cd", 5))));
  expectValue(registry->read(RegistryRoot::CurrentUser, key("A"), "Nul"), str("ab"));
}

}  // namespace
}  // namespace gleanix::backend
