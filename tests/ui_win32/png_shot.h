#pragma once
// Saves what a window shows on the screen as a PNG file (stored deflate
// blocks, no compression library needed), for a person to look at.

#include <windows.h>

#include <string>

namespace gleanix::testing {

// False when the window cannot be captured or the file not written.
bool saveWindowPng(HWND window, const std::string& path);

}  // namespace gleanix::testing
