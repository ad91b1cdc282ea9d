#include "settings/window_geometry.h"

#include <functional>
#include <string>

#include "settings/registry_access.h"

namespace gleanix::settings {
namespace {

// Reading and writing one geometry value, wherever it lives.
using Writer = std::function<void(std::string_view key, const Variant& value)>;
using IntReader = std::function<std::int32_t(std::string_view key, std::int32_t def)>;
using StringReader = std::function<std::string(std::string_view key, std::string_view def)>;

std::string_view stateName(WindowState state) {
  switch (state) {
    case WindowState::Minimized: return "Minimized";
    case WindowState::Maximized: return "Maximized";
    case WindowState::Normal: break;
  }
  return "Normal";
}

void saveGeometry(const GeometryWindow& window, const Writer& write) {
  const auto placement = window.placement();
  if (!placement) return;
  const WindowRect& r = placement->normal;
  if (window.isResizable()) {
    write("Width", r.right - r.left);
    write("Height", r.bottom - r.top);
  }
  write("Left", r.left);
  write("Top", r.top);
  write("State", std::string(stateName(placement->state)));
}

void restoreGeometry(GeometryWindow& window, const IntReader& readInt, const StringReader& readString) {
  const WindowBounds present = window.bounds();
  const auto placement = window.placement();
  // Stored positions are work-area coordinates. Without a stored one the
  // window keeps its place: its own work-area position is the default.
  int left = readInt("Left", placement ? placement->normal.left : present.left);
  int top = readInt("Top", placement ? placement->normal.top : present.top);
  if (placement) {
    left += window.workAreaOffsetX();
    top += window.workAreaOffsetY();
  }
  int width = present.width;
  int height = present.height;
  if (window.isResizable()) {
    width = readInt("Width", present.width);
    height = readInt("Height", present.height);
  }
  // Back onto the screen: right and bottom edges first, then never negative.
  if (left > window.screenWidth() - width) left = window.screenWidth() - width;
  if (left < 0) left = 0;
  if (top > window.screenHeight() - height) top = window.screenHeight() - height;
  if (top < 0) top = 0;
  window.setBounds({left, top, width, height});
  const std::string state = readString("State", "Normal");
  window.setState(state == "Minimized"   ? WindowState::Minimized
                  : state == "Maximized" ? WindowState::Maximized
                                         : WindowState::Normal);
}

}  // namespace

void saveWindowGeometry(const GeometryWindow& window, SettingsCache& settings, sys::FileSystem& fs,
                        std::string_view section) {
  saveGeometry(window, [&](std::string_view key, const Variant& v) { settings.writeSetting(section, key, v); });
  settings.saveSettings(fs);
}

void restoreWindowGeometry(GeometryWindow& window, const SettingsCache& settings, std::string_view section) {
  restoreGeometry(
      window, [&](std::string_view key, std::int32_t def) { return settings.readInt(section, key, def); },
      [&](std::string_view key, std::string_view def) { return settings.readString(section, key, def); });
}

void saveRegistryGeometry(const GeometryWindow& window, sys::Registry& registry, std::string_view path) {
  saveGeometry(window, [&](std::string_view key, const Variant& v) {
    writeRegistryValue(registry, kPluginRegistryKey, path, key, v);
  });
}

void restoreRegistryGeometry(GeometryWindow& window, const sys::Registry& registry, std::string_view path) {
  restoreGeometry(
      window,
      [&](std::string_view key, std::int32_t def) {
        return readRegistryValue(registry, kPluginRegistryKey, path, key, def).toInt().value_or(def);
      },
      [&](std::string_view key, std::string_view def) {
        return readRegistryValue(registry, kPluginRegistryKey, path, key, std::string(def))
            .toString()
            .value_or(std::string(def));
      });
}

}  // namespace gleanix::settings
