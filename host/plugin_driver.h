#pragma once
// quillon-sim as a plug-in's host: the entry points found in a loaded
// plug-in library, and the calls Quillon makes through them at start-up,
// when a mail is posted and at shut-down.

#include <optional>
#include <string>

#include "host/quillon_sim.h"
#include "sys/module.h"
#include "sys/plugin_abi.h"

namespace gleanix::host {

struct PluginEntries {
  sys::abi::GetPlugNameFn getPlugName;
  sys::abi::VersionInfoFn versionInfo;
  sys::abi::StartUpFn startUp;
  sys::abi::CleanUpFn cleanUp;
  sys::abi::SetupFn setup;
  sys::abi::FolderCreateFn folderCreate;
  sys::abi::InitMenuFn folderInitMenu;
  sys::abi::WindowFn viewCreate;
  sys::abi::WindowFn viewClose;
  sys::abi::InitMenuFn viewInitMenu;
  sys::abi::ViewLoadMailFn viewLoadMail;
  sys::abi::WindowFn sendCreate;
  sys::abi::WindowFn sendClose;
  sys::abi::InitMenuFn sendInitMenu;
  sys::abi::SendPostFn sendPost;
  sys::abi::TextFn neverFollow;
  sys::abi::TextFn neverPrecede;
  sys::abi::TextFn version;
};

// All 18 entry points, or nullopt with the first name the library lacks in
// *missing.
std::optional<PluginEntries> findPluginEntries(const sys::Module& plugin, std::string* missing = nullptr);

struct PluginScenario {
  std::string hostVersion = "1.10";
  // The header of the SEND window whose mail is posted (twice).
  std::string header = "From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: test\r\n";
};

// Calls APCGetPlugName, Version, NeverPrecede, NeverFollow, APCStartUp,
// APCFolderCreate with the main window, APCSendCreate and APCSendPost twice
// for a SEND window, APCSendClose and APCCleanUp, in that order, whether or
// not start-up accepted the host. Returns one line per call with what it
// gave back, and the SEND window's header after each post (CR and LF
// written as "\r" and "\n").
std::string runPluginScenario(QuillonSim& sim, const PluginEntries& plugin, const PluginScenario& scenario);

}  // namespace gleanix::host
