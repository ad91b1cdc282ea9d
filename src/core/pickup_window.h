#pragma once
// A pickup list window as the layers below the list window see it: a window
// of class "TFolderForm" that lives on after the command that made it, until
// the user closes it. The VIEW-window stepping and the options dialog reach
// it through this interface; listwindow/ implements it.

#include <string>

#include "sys/handles.h"

namespace gleanix::core {

// The window class of every pickup list window.
inline constexpr const char* kPickupWindowClass = "TFolderForm";

class PickupWindow {
 public:
  virtual ~PickupWindow() = default;
  virtual sys::WindowHandle handle() const = 0;
  virtual int rowCount() const = 0;

  // The hit path (folder path + mail key) of the row before / after the
  // first selected row; empty when nothing is selected or there is none.
  virtual std::string previousPath() const = 0;
  virtual std::string nextPath() const = 0;
  // Moves the selection one row up / down and scrolls it into view; nothing
  // at either end or without a selection.
  virtual void stepPrevious() = 0;
  virtual void stepNext() = 0;
  // Makes the window the foreground window a little later (500 ms), after
  // the host has finished closing or hiding its own window.
  virtual void bringToFront() = 0;
  // Set when the window asked the host to open a mail in a VIEW window;
  // returns it and clears it.
  virtual bool takeJustOpened() = 0;

  // Takes the font, colour and count bar visibility from the settings again
  // (after the options dialog closed with OK).
  virtual void applyLookSettings() = 0;
};

}  // namespace gleanix::core
