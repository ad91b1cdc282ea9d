#pragma once
// The host's directory for script mode. Quillon keeps its plug-ins and
// their settings in Plugins\ beside its executable, so a session in another
// home runs from a copy of the executable there: the executable and the
// plug-in library are copied into home (Plugins\ for the library) and the
// program is started again from that copy with the same arguments.

#include <optional>
#include <string>
#include <vector>

namespace gleanix::host {

// The directory the running executable is in.
std::string executableDirectory();

// Runs the program again from home when home is not the executable's own
// directory, and returns its exit status; nullopt when the program already
// runs there. An empty home means a new empty temporary one, removed
// afterwards. args: the program's arguments, the home option among them.
std::optional<int> runFromHome(const std::string& home, const std::vector<std::string>& args);

}  // namespace gleanix::host
