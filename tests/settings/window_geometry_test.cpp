#include "settings/window_geometry.h"

#include <gtest/gtest.h>

#include "fakes/memory_file_system.h"
#include "fakes/memory_registry.h"
#include "settings/registry_access.h"

namespace gleanix::settings {
namespace {

using testing::MemoryFileSystem;
using testing::MemoryRegistry;

// A window on a 1024x768 screen whose work area starts 40 pixels right of
// the screen's left edge (a task bar on the left).
class FakeWindow : public GeometryWindow {
 public:
  bool resizable = true;
  bool placementReadable = true;
  WindowPlacement place{{100, 50, 500, 350}, WindowState::Normal};
  WindowBounds present{140, 50, 400, 300};
  int offsetX = 40, offsetY = 0;
  std::optional<WindowBounds> setTo;
  std::optional<WindowState> stateSet;

  std::optional<WindowPlacement> placement() const override {
    return placementReadable ? std::optional(place) : std::nullopt;
  }
  bool isResizable() const override { return resizable; }
  WindowBounds bounds() const override { return present; }
  int screenWidth() const override { return 1024; }
  int screenHeight() const override { return 768; }
  int workAreaOffsetX() const override { return offsetX; }
  int workAreaOffsetY() const override { return offsetY; }
  void setBounds(const WindowBounds& b) override { setTo = b; }
  void setState(WindowState s) override { stateSet = s; }
};

class WindowGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override { settings.loadSettings(fs, "C:\\Quillon\\Plugins\\Gleanix.ini"); }
  MemoryFileSystem fs;
  SettingsCache settings;
  FakeWindow window;
};

TEST_F(WindowGeometryTest, SaveWritesTheNormalRectangleAndSavesTheFile) {
  window.place.state = WindowState::Maximized;
  saveWindowGeometry(window, settings, fs, "Folder");
  EXPECT_EQ(fs.content("C:\\Quillon\\Plugins\\Gleanix.ini"),
            "Folder\\Width=Integer:400\r\nFolder\\Height=Integer:300\r\nFolder\\Left=Integer:100\r\n"
            "Folder\\Top=Integer:50\r\nFolder\\State=String:Maximized\r\n");
}

TEST_F(WindowGeometryTest, FixedSizeWindowKeepsNoSize) {
  window.resizable = false;
  window.place.state = WindowState::Minimized;
  saveWindowGeometry(window, settings, fs, "DestinationForm");
  EXPECT_EQ(settings.text(),
            "DestinationForm\\Left=Integer:100\r\nDestinationForm\\Top=Integer:50\r\n"
            "DestinationForm\\State=String:Minimized\r\n");
}

TEST_F(WindowGeometryTest, UnreadablePlacementWritesNothing) {
  window.placementReadable = false;
  saveWindowGeometry(window, settings, fs, "Folder");
  EXPECT_EQ(settings.size(), 0u);
}

TEST_F(WindowGeometryTest, RoundTripReopensMaximizedWhereItWas) {
  window.place.state = WindowState::Maximized;
  saveWindowGeometry(window, settings, fs, "Folder");
  FakeWindow reopened;
  reopened.present = {0, 0, 200, 100};
  reopened.place = {{-40, 0, 160, 100}, WindowState::Normal};
  restoreWindowGeometry(reopened, settings, "Folder");
  EXPECT_EQ(reopened.setTo, (WindowBounds{140, 50, 400, 300}));  // work-area 100 + offset 40
  EXPECT_EQ(reopened.stateSet, WindowState::Maximized);
}

TEST_F(WindowGeometryTest, OffScreenWindowIsMovedBack) {
  settings.writeSetting("F", "Left", 900);
  settings.writeSetting("F", "Top", 700);
  settings.writeSetting("F", "Width", 400);
  settings.writeSetting("F", "Height", 300);
  window.offsetX = 0;
  restoreWindowGeometry(window, settings, "F");
  EXPECT_EQ(window.setTo, (WindowBounds{624, 468, 400, 300}));
  settings.writeSetting("F", "Left", -50);
  settings.writeSetting("F", "Top", -5);
  restoreWindowGeometry(window, settings, "F");
  EXPECT_EQ(window.setTo, (WindowBounds{0, 0, 400, 300}));
  // Wider than the screen: the left edge wins.
  settings.writeSetting("F", "Width", 2000);
  restoreWindowGeometry(window, settings, "F");
  EXPECT_EQ(window.setTo->left, 0);
}

TEST_F(WindowGeometryTest, NothingStoredLeavesTheWindowInPlace) {
  restoreWindowGeometry(window, settings, "Folder");
  EXPECT_EQ(window.setTo, window.present);
  EXPECT_EQ(window.stateSet, WindowState::Normal);
  window.placementReadable = false;
  window.present = {300, 200, 400, 300};
  restoreWindowGeometry(window, settings, "Folder");
  EXPECT_EQ(window.setTo, window.present);
}

TEST_F(WindowGeometryTest, FixedSizeWindowIgnoresStoredSizeAndOddState) {
  settings.loadText("X\\Width=Integer:999\r\nX\\Height=Integer:999\r\nX\\State=String:maximized\r\n");
  window.resizable = false;
  restoreWindowGeometry(window, settings, "X");
  EXPECT_EQ(window.setTo->width, 400);
  EXPECT_EQ(window.setTo->height, 300);
  EXPECT_EQ(window.stateSet, WindowState::Normal);  // state names compare exactly
}

TEST(RegistryGeometry, SavesBelowThePluginKeyAndRestores) {
  MemoryRegistry registry;
  FakeWindow window;
  window.place = {{10, 20, 310, 220}, WindowState::Normal};
  saveRegistryGeometry(window, registry, "SearchForm\\View");
  const auto left = registry.read(sys::RegistryRoot::CurrentUser, "Software\\Orvane Lab\\Gleanix\\SearchForm\\View", "Left");
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(left->kind, sys::RegistryKind::DWord);
  EXPECT_EQ(readRegistryValue(registry, kPluginRegistryKey, "SearchForm\\View", "State", "").toString(), "Normal");
  FakeWindow other;
  other.offsetX = 0;
  restoreRegistryGeometry(other, registry, "SearchForm\\View");
  EXPECT_EQ(other.setTo, (WindowBounds{10, 20, 300, 200}));
  FakeWindow fresh;
  restoreRegistryGeometry(fresh, registry, "ReplaceForm");
  EXPECT_EQ(fresh.setTo, fresh.present);
}

}  // namespace
}  // namespace gleanix::settings
