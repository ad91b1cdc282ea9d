#pragma once
// The colour chooser (the common dialog ChooseColor shows) as the host's
// scripts answer it: the message box watch's hook hands each one over as
// it is first activated.

#include <windows.h>

#include <optional>

#include "sys/desktop.h"

namespace gleanix::backend {

bool isColorChooser(HWND dialog);
// Writes the colour into the chooser's red, green and blue fields and
// presses OK; nullopt presses Cancel. The press is posted, so that it comes
// once the dialog runs its loop.
void answerColorChooser(HWND dialog, const std::optional<sys::Color>& color);

}  // namespace gleanix::backend
