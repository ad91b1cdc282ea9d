// The colour chooser filled in and confirmed as a user's hand would: the
// dialog belongs to whatever code opened it, so only its fields and
// buttons are there to work with.

#include "backend/win32/win32_desktop_choosers.h"

#include <colordlg.h>

namespace gleanix::backend {

bool isColorChooser(HWND dialog) {
  char cls[16] = {};
  GetClassNameA(dialog, cls, sizeof(cls));
  return lstrcmpA(cls, "#32770") == 0 && GetDlgItem(dialog, COLOR_RED) && GetDlgItem(dialog, COLOR_GREEN) &&
         GetDlgItem(dialog, COLOR_BLUE) && GetDlgItem(dialog, IDOK);
}

void answerColorChooser(HWND dialog, const std::optional<sys::Color>& color) {
  if (color) {
    // Each field's change notification sets that part of the dialog's colour.
    SetDlgItemInt(dialog, COLOR_RED, GetRValue(*color), FALSE);
    SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(*color), FALSE);
    SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(*color), FALSE);
  }
  const int button = color ? IDOK : IDCANCEL;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

}  // namespace gleanix::backend
