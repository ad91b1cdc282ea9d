#include "plugin/entry_points.h"

#include "plugin/header_stamp.h"
#include "plugin/started_plugin.h"
#include "plugin/thread_state.h"
#include "plugin/version_info.h"

namespace gleanix::plugin::entry {

const char* plugName() { return kPlugName; }
const char* versionText() { return kVersionText; }
const char* neverPrecede() { return ""; }
const char* neverFollow() { return ""; }

std::uint8_t startUp(const char* hostVersion, const ServicesFactory& makeServices) {
  return plugin::startUp(hostVersion, makeServices);
}

void cleanUp() { plugin::cleanUp(); }

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

}  // namespace gleanix::plugin::entry
