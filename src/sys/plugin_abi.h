#pragma once
// The other half of the contract between Quillon and a plug-in: the entry
// points the plug-in exports, undecorated, all stdcall. Strings are
// NUL-terminated CP932; a string the plug-in returns stays valid while the
// plug-in is loaded. "Byte" results are 0 (refuse) or 255 (accept).

#include <array>
#include <cstdint>

#include "sys/host_abi.h"

namespace gleanix::sys {

namespace abi {

using GetPlugNameFn = const char*(GLEANIX_STDCALL*)();
using VersionInfoFn = void(GLEANIX_STDCALL*)(WindowHandle parent);
using StartUpFn = std::uint8_t(GLEANIX_STDCALL*)(const char* hostVersion);
using CleanUpFn = void(GLEANIX_STDCALL*)();
using SetupFn = void(GLEANIX_STDCALL*)(WindowHandle parent);
using FolderCreateFn = void(GLEANIX_STDCALL*)(WindowHandle mainWindow);
// (window, menu, menu code): 101/102 main window, 201/202 VIEW, 301/302 SEND
using InitMenuFn = void(GLEANIX_STDCALL*)(WindowHandle window, MenuHandle menu, std::int32_t code);
using WindowFn = void(GLEANIX_STDCALL*)(WindowHandle window);
using ViewLoadMailFn = void(GLEANIX_STDCALL*)(std::uint32_t, std::uint32_t, std::uint32_t);
using SendPostFn = std::uint8_t(GLEANIX_STDCALL*)(WindowHandle sendWindow, std::uint32_t);
using TextFn = const char*(GLEANIX_STDCALL*)();

}  // namespace abi

inline constexpr std::size_t kPluginEntryCount = 18;

// Every name the plug-in exports, and nothing else.
inline constexpr std::array<const char*, kPluginEntryCount> kPluginEntryNames = {
    "APCGetPlugName", "APCVersionInfo",  "APCStartUp",     "APCCleanUp",     "APCSetup",       "APCFolderCreate",
    "APCFolderInitMenu", "APCViewCreate", "APCViewClose",  "APCViewInitMenu", "APCViewLoadMail", "APCSendCreate",
    "APCSendClose",   "APCSendInitMenu", "APCSendPost",    "NeverFollow",    "NeverPrecede",   "Version",
};

}  // namespace gleanix::sys
