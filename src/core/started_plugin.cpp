#include "core/started_plugin.h"

#include "core/host_version.h"
#include "core/host_windows.h"
#include "core/thread_state.h"
#include "core/version_info.h"
#include "settings/registry_access.h"
#include "settings/settings_location.h"

namespace gleanix::core {
namespace {

std::unique_ptr<StartedPlugin> gStarted;

}  // namespace

void writeVersionValues(sys::Registry& registry) {
  // Failures are ignored: a host without registry access still runs the plug-in.
  settings::writeRegistryValue(registry, kRegistryKey, "", "Version", kVersionText);
  settings::writeRegistryValue(registry, kRegistryKey, "", "CopyrightYear", kCopyrightYear);
  settings::writeRegistryValue(registry, kRegistryKey, "", "Filename", kPlugName);
}

std::unique_ptr<StartedPlugin> StartedPlugin::start(PlatformServices services) {
  writeVersionValues(*services.registry);

  std::unique_ptr<StartedPlugin> p(new StartedPlugin(std::move(services)));
  p->module_ = p->services_.hostLoader->load("Quillon.exe");
  if (!p->module_) return nullptr;
  const sys::Module& module = *p->module_;
  const auto table = sys::resolveHostFunctions([&module](const char* name) { return module.find(name); });
  if (!table) return nullptr;
  p->host_ = std::make_unique<ResolvedHost>(*table);

  ResolvedHost& host = *p->host_;
  const settings::SettingsEnvironment env{*p->services_.fs, *p->services_.registry, *p->services_.system,
                                          [&host] { return host.getMailbox(); }};
  p->snapshot_ = std::make_unique<settings::SettingsSnapshot>();
  settings::loadSnapshot(*p->snapshot_, env);
  p->settings_ = std::make_unique<settings::SettingsCache>();
  settings::loadSettings(*p->settings_, env);
  p->commonForm_ = std::make_unique<TCommonForm>(*p->services_.desktop);
  p->matcher_ = std::make_unique<regex::TAWKStr>();
  p->matcher_->setUseFuzzyCharDic(true);

  ThreadWindowState& thread = threadState();
  thread.ownMailChange = false;
  thread.pickupWindow.reset();

  p->pickupWindows_ = std::make_unique<PickupWindowList>();
  return p;
}

StartedPlugin::~StartedPlugin() {
  pickupWindows_.reset();
  // The table points into the module: both go together.
  host_.reset();
  module_.reset();
  settings_.reset();
  matcher_.reset();
  commonForm_.reset();
  snapshot_.reset();
}

void StartedPlugin::prunePickupWindows() {
  const sys::Desktop& d = desktop();
  pickupWindows_->prune([&d](sys::WindowHandle window) { return isPickupListWindow(d, window); });
}

sys::WindowHandle StartedPlugin::hostMainWindow(sys::WindowHandle given) const {
  return findHostMainWindow(*services_.desktop, given, threadState().mainWindow, mainWindow_);
}

StartedPlugin* startedPlugin() { return gStarted.get(); }

std::uint8_t startUp(const char* hostVersion, const ServicesFactory& makeServices) {
  cleanUp();
  // The host's string is its own: copied before anything else.
  const std::string version = hostVersion ? hostVersion : "";
  if (!hostVersionAccepted(version)) return 0;
  gStarted = StartedPlugin::start(makeServices());
  return gStarted ? 255 : 0;
}

void cleanUp() { gStarted.reset(); }

}  // namespace gleanix::core
