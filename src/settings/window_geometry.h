#pragma once
// Window position, size and state kept across runs, either in the settings
// cache under a section ("Folder", "OptionForm" ...) or in the registry
// under a relative path ("SearchForm\View"), as the values "Left", "Top",
// "Width", "Height" (resizable windows only) and "State".

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_cache.h"
#include "sys/registry.h"

namespace gleanix::settings {

enum class WindowState { Normal, Minimized, Maximized };

struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The window's restored ("normal") rectangle, in work-area coordinates,
// and its present state.
struct WindowPlacement {
  WindowRect normal;
  WindowState state = WindowState::Normal;
};

// Position in screen coordinates and size.
struct WindowBounds {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const WindowBounds&) const = default;
};

// The little a window has to offer for its geometry to be kept.
class GeometryWindow {
 public:
  virtual ~GeometryWindow() = default;
  // nullopt when the system cannot report it.
  virtual std::optional<WindowPlacement> placement() const = 0;
  // A sizeable frame or sizeable tool window.
  virtual bool isResizable() const = 0;
  virtual WindowBounds bounds() const = 0;
  virtual int screenWidth() const = 0;
  virtual int screenHeight() const = 0;
  // Screen coordinates minus work-area coordinates (non-zero when a task bar
  // sits at the left or top of the screen).
  virtual int workAreaOffsetX() const = 0;
  virtual int workAreaOffsetY() const = 0;
  virtual void setBounds(const WindowBounds& bounds) = 0;
  virtual void setState(WindowState state) = 0;
};

// Writes the geometry to the cache, then saves the settings file.
void saveWindowGeometry(const GeometryWindow& window, SettingsCache& settings, sys::FileSystem& fs,
                        std::string_view section);
void restoreWindowGeometry(GeometryWindow& window, const SettingsCache& settings, std::string_view section);

// The same against a registry path relative to the plug-in key.
void saveRegistryGeometry(const GeometryWindow& window, sys::Registry& registry, std::string_view path);
void restoreRegistryGeometry(GeometryWindow& window, const sys::Registry& registry, std::string_view path);

}  // namespace gleanix::settings
