#pragma once
// What each exported entry point does, as plain C++ calls. The library's
// export layer (dll/) only converts arguments and keeps exceptions inside.
// Every call other than the names, the version texts and start-up itself
// does nothing while the plug-in is not started.

#include <cstdint>

#include "core/platform_services.h"
#include "sys/plugin_abi.h"

namespace gleanix::entry {

const char* plugName();      // "Gleanix"
const char* versionText();   // "Ver.0.03 Rev.10"
const char* neverPrecede();  // "": no plug-in this one must never precede
const char* neverFollow();   // "": no plug-in this one must never follow

std::uint8_t startUp(const char* hostVersion, const core::ServicesFactory& makeServices);
void cleanUp();

// Records the main window for the whole process and for this thread.
void folderCreate(sys::WindowHandle mainWindow);
// Records the VIEW window in this thread's state.
void viewCreate(sys::WindowHandle viewWindow);
// A mail was loaded into this thread's VIEW window: a change Gleanix asked
// for itself is over.
void viewLoadMail();
// Records the SEND window in this thread's state.
void sendCreate(sys::WindowHandle sendWindow);
// Adds or updates the "X-Mailer-Plugin" header of the mail being posted,
// unless "Header"/"X-Mailer-Plugin" is off. The header goes back to the
// host only when it changed. Always 255: a mail is never stopped.
std::uint8_t sendPost(sys::WindowHandle sendWindow);

}  // namespace gleanix::entry
