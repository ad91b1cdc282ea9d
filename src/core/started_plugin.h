#pragma once
// Everything APCStartUp creates and APCCleanUp frees: the host module and
// its function table, the settings cache and snapshot, the shared matcher,
// the pickup window list and the process-wide main window. One exists per
// process while the plug-in is started; it is the plug-in's only global.

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/common_form.h"
#include "core/pickup_window_list.h"
#include "core/platform_services.h"
#include "core/resolved_host.h"
#include "regex/awk_str.h"
#include "settings/settings_cache.h"
#include "sys/module.h"

namespace gleanix::core {

class StartedPlugin {
 public:
  // Start-up after the version check: the registry values, the host module
  // and its 26 functions, the settings snapshot and cache, the hidden shared
  // form, the matcher with fuzzy character folding, the calling thread's
  // state, the pickup window list. Null, with nothing left behind, when the
  // host cannot be loaded or lacks any of its functions.
  static std::unique_ptr<StartedPlugin> start(PlatformServices services);

  // Clean-up, in this order: the pickup window list, the host module, the
  // settings cache, the matcher, the shared form, the snapshot.
  ~StartedPlugin();
  StartedPlugin(const StartedPlugin&) = delete;
  StartedPlugin& operator=(const StartedPlugin&) = delete;

  sys::Host& host() { return *host_; }
  settings::SettingsCache& settings() { return *settings_; }
  const settings::SettingsSnapshot& snapshot() const { return *snapshot_; }
  // The one matcher the keyword searches share.
  regex::TAWKStr& matcher() { return *matcher_; }
  // The hidden form with the plug-in's icon and shared bitmaps.
  TCommonForm& commonForm() { return *commonForm_; }
  PickupWindowList& pickupWindows() { return *pickupWindows_; }
  const PlatformServices& services() const { return services_; }
  sys::Desktop& desktop() { return *services_.desktop; }
  sys::FileSystem& fs() { return *services_.fs; }
  sys::Registry& registry() { return *services_.registry; }
  sys::Shell& shell() { return *services_.shell; }
  const sys::SystemInfo& system() const { return *services_.system; }

  // Drops the pickup list windows that have been closed, or whose handle
  // now belongs to a window of another class. Call before using the list.
  void prunePickupWindows();

  // The host main window for a command the host called with `given`.
  sys::WindowHandle hostMainWindow(sys::WindowHandle given) const;

  // The main window recorded by the last APCFolderCreate of any thread.
  sys::WindowHandle mainWindow() const { return mainWindow_; }
  void setMainWindow(sys::WindowHandle window) { mainWindow_ = window; }

 private:
  explicit StartedPlugin(PlatformServices services) : services_(std::move(services)) {}

  PlatformServices services_;
  std::unique_ptr<sys::Module> module_;
  std::unique_ptr<ResolvedHost> host_;
  std::unique_ptr<settings::SettingsSnapshot> snapshot_;
  std::unique_ptr<settings::SettingsCache> settings_;
  std::unique_ptr<TCommonForm> commonForm_;
  std::unique_ptr<regex::TAWKStr> matcher_;
  std::unique_ptr<PickupWindowList> pickupWindows_;
  sys::WindowHandle mainWindow_ = 0;
};

// The registry key and values written at every start-up.
void writeVersionValues(sys::Registry& registry);

// The process's started plug-in; null before start-up, after a refused one
// and after clean-up.
StartedPlugin* startedPlugin();

// APCStartUp: 255 when started, 0 when the host is refused. A start-up
// while started first cleans up.
std::uint8_t startUp(const char* hostVersion, const ServicesFactory& makeServices);
// APCCleanUp: nothing happens when not started.
void cleanUp();

}  // namespace gleanix::core
