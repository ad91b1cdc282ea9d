#pragma once
// quillon-sim's script mode: a host session read from a text file, one
// command a line, with a transcript of what the dump commands show. Each
// line runs as a posted message of the main thread once every window
// thread has settled, so a line that opens a modal dialog goes on with the
// next lines inside that dialog's loop, as a user's input would.

#include <cstdio>
#include <string>
#include <vector>

#include "backend/host_desktop.h"
#include "host/quillon_app.h"
#include "sys/file_system.h"

namespace gleanix::host {

struct ScriptSetup {
  std::string pluginLibrary;  // the file the start command loads
  std::string settingsFile;   // what "dump settings" prints
};

// Splits a line into words: blanks separate them, double quotes hold
// blanks, and a "#" outside quotes starts a comment. False when a quote is
// left open.
bool splitScriptLine(const std::string& line, std::vector<std::string>& words);

// Runs the script (UTF-8 text), writing the transcript to out. 0 when every
// line ran, 2 after "error: LINE N: what" for a line that could not act.
int runScript(QuillonApp& app, sys::FileSystem& fs, const ScriptSetup& setup, const std::string& script,
              std::FILE* out);

}  // namespace gleanix::host
