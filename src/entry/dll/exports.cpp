// The entry points Quillon calls, exported by their undecorated names
// (Gleanix.def on Windows, libGleanix.map on Linux). Each one converts its
// arguments and keeps every exception inside the library: the host cannot
// take one, so a failure refuses start-up, lets the mail be posted, or
// leaves the call without effect.
#include <type_traits>

#include "backend/module_loader.h"
#include "backend/platform.h"
#include "core/appli.h"
#include "core/started_plugin.h"
#include "entry/entry_points.h"
#include "sys/plugin_abi.h"

#if defined(_WIN32)
#define GLEANIX_EXPORT
#else
#define GLEANIX_EXPORT __attribute__((visibility("default")))
#endif

namespace {

using namespace gleanix;
using sys::MenuHandle;
using sys::WindowHandle;

core::PlatformServices platformServices() {
  return {backend::makeFileSystem(), backend::makeRegistry(), backend::makeSystemInfo(),
          backend::makeHostModuleLoader(), backend::makeDesktop(), backend::makeShell()};
}

template <typename Fn>
void guarded(Fn fn) {
  try {
    fn();
  } catch (...) {
  }
}

// The application facts live from library load to unload, apart from start-up.
core::TAppli loadAppli() {
  const auto system = backend::makeSystemInfo();
  const auto fs = backend::makeFileSystem();
  return core::TAppli(*system, *fs);
}
const core::TAppli gAppli = loadAppli();

}  // namespace

extern "C" {

GLEANIX_EXPORT const char* GLEANIX_STDCALL APCGetPlugName() { return entry::plugName(); }

GLEANIX_EXPORT const char* GLEANIX_STDCALL Version() { return entry::versionText(); }

GLEANIX_EXPORT const char* GLEANIX_STDCALL NeverPrecede() { return entry::neverPrecede(); }

GLEANIX_EXPORT const char* GLEANIX_STDCALL NeverFollow() { return entry::neverFollow(); }

GLEANIX_EXPORT std::uint8_t GLEANIX_STDCALL APCStartUp(const char* hostVersion) {
  try {
    return entry::startUp(hostVersion, platformServices);
  } catch (...) {
    guarded([] { entry::cleanUp(); });
    return 0;
  }
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCCleanUp() {
  guarded([] { entry::cleanUp(); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCVersionInfo(WindowHandle parent) {
  guarded([=] { entry::versionInfo(parent, [] { return backend::makeDesktop(); }); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCSetup(WindowHandle parent) {
  guarded([=] { entry::setup(parent); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCFolderCreate(WindowHandle mainWindow) {
  guarded([=] { entry::folderCreate(mainWindow); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCFolderInitMenu(WindowHandle, MenuHandle menu, std::int32_t code) {
  guarded([=] { entry::folderInitMenu(menu, code); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCViewCreate(WindowHandle viewWindow) {
  guarded([=] { entry::viewCreate(viewWindow); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCViewClose(WindowHandle) {
  guarded([] { entry::viewClose(); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCViewInitMenu(WindowHandle viewWindow, MenuHandle menu, std::int32_t code) {
  guarded([=] { entry::viewInitMenu(viewWindow, menu, code); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCViewLoadMail(std::uint32_t, std::uint32_t, std::uint32_t) {
  guarded([] { entry::viewLoadMail(); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCSendCreate(WindowHandle sendWindow) {
  guarded([=] { entry::sendCreate(sendWindow); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCSendClose(WindowHandle) {
  guarded([] { entry::sendClose(); });
}

GLEANIX_EXPORT void GLEANIX_STDCALL APCSendInitMenu(WindowHandle, MenuHandle menu, std::int32_t code) {
  guarded([=] { entry::sendInitMenu(menu, code); });
}

GLEANIX_EXPORT std::uint8_t GLEANIX_STDCALL APCSendPost(WindowHandle sendWindow, std::uint32_t) {
  guarded([=] { entry::sendPost(sendWindow); });
  return 255;
}

}  // extern "C"

// The exports have exactly the types the host calls them through.
static_assert(std::is_same_v<decltype(&APCGetPlugName), sys::abi::GetPlugNameFn>);
static_assert(std::is_same_v<decltype(&Version), sys::abi::TextFn>);
static_assert(std::is_same_v<decltype(&NeverPrecede), sys::abi::TextFn>);
static_assert(std::is_same_v<decltype(&NeverFollow), sys::abi::TextFn>);
static_assert(std::is_same_v<decltype(&APCStartUp), sys::abi::StartUpFn>);
static_assert(std::is_same_v<decltype(&APCCleanUp), sys::abi::CleanUpFn>);
static_assert(std::is_same_v<decltype(&APCVersionInfo), sys::abi::VersionInfoFn>);
static_assert(std::is_same_v<decltype(&APCSetup), sys::abi::SetupFn>);
static_assert(std::is_same_v<decltype(&APCFolderCreate), sys::abi::FolderCreateFn>);
static_assert(std::is_same_v<decltype(&APCFolderInitMenu), sys::abi::InitMenuFn>);
static_assert(std::is_same_v<decltype(&APCViewCreate), sys::abi::WindowFn>);
static_assert(std::is_same_v<decltype(&APCViewClose), sys::abi::WindowFn>);
static_assert(std::is_same_v<decltype(&APCViewInitMenu), sys::abi::InitMenuFn>);
static_assert(std::is_same_v<decltype(&APCViewLoadMail), sys::abi::ViewLoadMailFn>);
static_assert(std::is_same_v<decltype(&APCSendCreate), sys::abi::WindowFn>);
static_assert(std::is_same_v<decltype(&APCSendClose), sys::abi::WindowFn>);
static_assert(std::is_same_v<decltype(&APCSendInitMenu), sys::abi::InitMenuFn>);
static_assert(std::is_same_v<decltype(&APCSendPost), sys::abi::SendPostFn>);
