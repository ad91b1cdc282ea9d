#pragma once
// What each exported entry point does, as plain C++ calls. The library's
// export layer (dll/) only converts arguments and keeps exceptions inside.
// Every call other than the names, the version texts and start-up itself
// does nothing while the plug-in is not started.

#include <cstdint>
#include <functional>
#include <memory>

#include "core/platform_services.h"
#include "sys/plugin_abi.h"

namespace gleanix::entry {

const char* plugName();      // "Gleanix"
const char* versionText();   // "Ver.0.03 Rev.10"
const char* neverPrecede();  // "": no plug-in this one must never precede
const char* neverFollow();   // "": no plug-in this one must never follow

// The about box over parent. It needs no start-up: without it, the box
// lives on a desktop made for it.
void versionInfo(sys::WindowHandle parent, const std::function<std::shared_ptr<sys::Desktop>()>& makeDesktop);

// The options dialog, with the shared icon.
void setup(sys::WindowHandle parent);

std::uint8_t startUp(const char* hostVersion, const core::ServicesFactory& makeServices);
void cleanUp();

// Records the main window for the whole process and for this thread.
void folderCreate(sys::WindowHandle mainWindow);
// Gleanix's items in the menu the host is building (menus.h).
void folderInitMenu(sys::MenuHandle menu, std::int32_t code);
void viewInitMenu(sys::WindowHandle viewWindow, sys::MenuHandle menu, std::int32_t code);
void sendInitMenu(sys::MenuHandle menu, std::int32_t code);

// Records the VIEW window in this thread's state and hooks its thread.
void viewCreate(sys::WindowHandle viewWindow);
// A mail was loaded into this thread's VIEW window: the association with a
// pickup list and the step buttons' images follow (view_stepping.h).
void viewLoadMail();
// Unhooks the VIEW window's thread; the associated pickup list comes back
// to the front.
void viewClose();
// Records the SEND window in this thread's state and hooks its thread.
void sendCreate(sys::WindowHandle sendWindow);
// Unhooks the SEND window's thread.
void sendClose();
// Adds or updates the "X-Mailer-Plugin" header of the mail being posted,
// unless "Header"/"X-Mailer-Plugin" is off. The header goes back to the
// host only when it changed. Always 255: a mail is never stopped.
std::uint8_t sendPost(sys::WindowHandle sendWindow);

}  // namespace gleanix::entry
