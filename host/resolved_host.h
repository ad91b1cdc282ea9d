#pragma once
// The typed host over the resolved function table belongs to the plug-in;
// host-side code and tests reach it under its old name here.

#include "core/resolved_host.h"

namespace gleanix::host {
using core::ResolvedHost;
}  // namespace gleanix::host
