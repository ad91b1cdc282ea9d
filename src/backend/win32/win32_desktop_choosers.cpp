// The Win32 desktop answering the colour chooser for the host's scripts:
// the common dialog (ChooseColor) belongs to whatever code opened it, so a
// WH_CBT hook of the answering thread catches the dialog as it is
// activated, writes the colour into its red, green and blue fields and
// presses OK (or Cancel), as a user's hand would.

#include <colordlg.h>

#include <deque>
#include <map>
#include <mutex>
#include <optional>

#include "backend/win32/win32_desktop.h"

namespace gleanix::backend {
namespace {

struct ThreadAnswers {
  HHOOK hook = nullptr;
  const Win32Desktop* owner = nullptr;
  std::deque<std::optional<sys::Color>> colors;
};

std::mutex gAnswerMutex;
std::map<DWORD, ThreadAnswers> gAnswers;

// The property that marks a chooser already answered, so that a second
// activation (the chooser coming back to the front) takes no second answer.
constexpr const char* kAnsweredProperty = "GleanixChooserAnswered";

bool isColorChooser(HWND w) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof(cls));
  return lstrcmpA(cls, "#32770") == 0 && GetDlgItem(w, COLOR_RED) && GetDlgItem(w, COLOR_GREEN) &&
         GetDlgItem(w, COLOR_BLUE) && GetDlgItem(w, IDOK);
}

void answer(HWND dialog, const std::optional<sys::Color>& color) {
  SetPropA(dialog, kAnsweredProperty, reinterpret_cast<HANDLE>(1));
  if (color) {
    // Each field's change notification sets that part of the dialog's colour.
    SetDlgItemInt(dialog, COLOR_RED, GetRValue(*color), FALSE);
    SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(*color), FALSE);
    SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(*color), FALSE);
  }
  // Pressed once the dialog runs its loop, not inside its activation.
  const int button = color ? IDOK : IDCANCEL;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

LRESULT CALLBACK chooserHook(int code, WPARAM wp, LPARAM lp) {
  HHOOK hook = nullptr;
  std::optional<std::optional<sys::Color>> color;
  const HWND w = reinterpret_cast<HWND>(wp);
  const bool candidate = code == HCBT_ACTIVATE && !GetPropA(w, kAnsweredProperty) && isColorChooser(w);
  {
    std::lock_guard<std::mutex> lock(gAnswerMutex);
    auto it = gAnswers.find(GetCurrentThreadId());
    if (it != gAnswers.end()) {
      hook = it->second.hook;
      if (candidate && !it->second.colors.empty()) {
        color = it->second.colors.front();
        it->second.colors.pop_front();
      }
    }
  }
  if (color) answer(w, *color);
  return CallNextHookEx(hook, code, wp, lp);
}

}  // namespace

void Win32Desktop::answerColor(std::optional<sys::Color> color) {
  std::lock_guard<std::mutex> lock(gAnswerMutex);
  ThreadAnswers& t = gAnswers[GetCurrentThreadId()];
  if (!t.hook) {
    t.hook = SetWindowsHookExA(WH_CBT, &chooserHook, nullptr, GetCurrentThreadId());
    t.owner = this;
  }
  if (t.hook) t.colors.push_back(color);
}

void Win32Desktop::removeChooserHooks() {
  std::lock_guard<std::mutex> lock(gAnswerMutex);
  for (auto it = gAnswers.begin(); it != gAnswers.end();) {
    if (it->second.owner == this) {
      UnhookWindowsHookEx(it->second.hook);
      it = gAnswers.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace gleanix::backend
