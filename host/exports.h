#pragma once
// The exported host functions of quillon-sim by name (internal to host/).

namespace gleanix::host {

// The function exported under name; null for a name the host does not export.
void* exportedFunction(const char* name);

}  // namespace gleanix::host
