#pragma once
// TVersionForm: the about box. A small fixed dialog with the plug-in's name,
// version, what it does and its copyright years, and an OK button; it
// carries the plug-in's icon and opens centred over the window it is shown
// for, kept inside the screen.

#include "core/common_form.h"
#include "sys/desktop.h"
#include "ui/form.h"

namespace gleanix::about {

inline constexpr const char* kDescription = "一時フォルダ作成プラグイン";

class TVersionForm : public ui::TForm {
 public:
  TVersionForm(sys::Desktop& desktop, sys::WindowHandle owner);

 private:
  void FormCreate();
};

// Where a box of outer rectangle `box` goes over `parent`: centred (half the
// differences of widths and of heights, truncated toward zero), then moved
// back inside `screen` where it sticks out.
sys::Rect centredOver(const sys::Rect& parent, const sys::Rect& box, const sys::Rect& screen);

// APCVersionInfo: shows the about box modally over parent (over the screen
// when parent is not a window), with the icon of the shared form.
void showVersionInfo(sys::Desktop& desktop, const core::TCommonForm& common, sys::WindowHandle parent);

}  // namespace gleanix::about
