#include "entry/entry_points.h"

#include "entry/header_stamp.h"
#include "core/started_plugin.h"
#include "core/thread_state.h"
#include "core/version_info.h"

namespace gleanix::entry {

using core::StartedPlugin;
using core::startedPlugin;
using core::threadState;

const char* plugName() { return core::kPlugName; }
const char* versionText() { return core::kVersionText; }
const char* neverPrecede() { return ""; }
const char* neverFollow() { return ""; }

std::uint8_t startUp(const char* hostVersion, const core::ServicesFactory& makeServices) {
  return core::startUp(hostVersion, makeServices);
}

void cleanUp() { core::cleanUp(); }

void folderCreate(sys::WindowHandle mainWindow) {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  p->setMainWindow(mainWindow);
  threadState().mainWindow = mainWindow;
}

void viewCreate(sys::WindowHandle viewWindow) {
  if (!startedPlugin()) return;
  threadState().viewWindow = viewWindow;
}

void viewLoadMail() {
  if (!startedPlugin()) return;
  threadState().ownMailChange = false;
}

void sendCreate(sys::WindowHandle sendWindow) {
  if (!startedPlugin()) return;
  threadState().sendWindow = sendWindow;
}

std::uint8_t sendPost(sys::WindowHandle sendWindow) {
  StartedPlugin* p = startedPlugin();
  if (!p || !p->settings().readBool("Header", "X-Mailer-Plugin", true)) return 255;
  if (const auto stamped = stampHeader(p->host().sendGetHeader(sendWindow))) {
    p->host().sendSetHeader(sendWindow, *stamped);
  }
  return 255;
}

}  // namespace gleanix::entry
