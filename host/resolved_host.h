#pragma once
// The typed host over the resolved function table belongs to the plug-in;
// host-side code and tests reach it under its old name here.

#include "plugin/resolved_host.h"

namespace gleanix::host {
using plugin::ResolvedHost;
}  // namespace gleanix::host
