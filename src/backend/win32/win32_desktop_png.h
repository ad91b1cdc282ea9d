#pragma once
// Saves what the screen shows, of a window or of a rectangle, as a PNG file
// (stored deflate blocks, no compression library needed), for a person to
// look at.

#include <windows.h>

#include <string>

namespace gleanix::backend {

// False when the window cannot be captured or the file not written.
bool saveWindowPng(HWND window, const std::string& path);
// The rectangle in screen coordinates; false when it is empty or the file
// cannot be written.
bool saveScreenPng(const RECT& screen, const std::string& path);

}  // namespace gleanix::backend
