#pragma once
// The handles the system hands out, as every layer passes them around:
// plain integers wide enough for a pointer, 0 meaning none. On Windows they
// are HWND, HMENU, HHOOK and HIMAGELIST cast to an integer; on the simulated
// desktop they are numbers it gives out itself.

#include <cstdint>

namespace gleanix::sys {

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;
using HookHandle = std::uintptr_t;
using ImageListHandle = std::uintptr_t;

}  // namespace gleanix::sys
