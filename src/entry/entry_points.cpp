#include "entry/entry_points.h"

#include "about/version_form.h"
#include "entry/header_stamp.h"
#include "entry/menus.h"
#include "entry/step_buttons.h"
#include "entry/view_stepping.h"
#include "entry/window_hooks.h"
#include "core/started_plugin.h"
#include "core/thread_state.h"
#include "core/version_info.h"
#include "options/setup.h"

namespace gleanix::entry {

using core::StartedPlugin;
using core::startedPlugin;
using core::threadState;

const char* plugName() { return core::kPlugName; }
const char* versionText() { return core::kVersionText; }
const char* neverPrecede() { return ""; }
const char* neverFollow() { return ""; }

void versionInfo(sys::WindowHandle parent, const std::function<std::shared_ptr<sys::Desktop>()>& makeDesktop) {
  if (StartedPlugin* p = startedPlugin()) {
    about::showVersionInfo(p->desktop(), p->commonForm(), parent);
    return;
  }
  const std::shared_ptr<sys::Desktop> desktop = makeDesktop();
  const core::TCommonForm common(*desktop);
  about::showVersionInfo(*desktop, common, parent);
}

void setup(sys::WindowHandle parent) {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  options::APCSetup(*p, parent, [p](sys::WindowHandle dialog) { p->commonForm().giveIcon(dialog); });
}

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

void folderInitMenu(sys::MenuHandle menu, std::int32_t code) {
  if (StartedPlugin* p = startedPlugin()) initFolderMenu(*p, menu, code);
}

void viewInitMenu(sys::WindowHandle viewWindow, sys::MenuHandle menu, std::int32_t code) {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  if (code == kViewMenuBar) addStepButtons(*p, viewWindow);
  initViewMenu(*p, viewWindow, menu, code);
}

void sendInitMenu(sys::MenuHandle menu, std::int32_t code) {
  if (StartedPlugin* p = startedPlugin()) initSendMenu(*p, menu, code);
}

void viewCreate(sys::WindowHandle viewWindow) {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  threadState().viewWindow = viewWindow;
  installViewHook(*p, viewWindow);
}

void viewLoadMail() {
  if (StartedPlugin* p = startedPlugin()) viewMailLoaded(*p);
}

void viewClose() {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  removeViewHook(*p);
  bringAssociatedListToFront(*p);
}

void sendCreate(sys::WindowHandle sendWindow) {
  StartedPlugin* p = startedPlugin();
  if (!p) return;
  threadState().sendWindow = sendWindow;
  installSendHook(*p, sendWindow);
}

void sendClose() {
  if (StartedPlugin* p = startedPlugin()) removeSendHook(*p);
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
